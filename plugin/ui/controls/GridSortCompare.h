#pragma once
// How the grid orders two cell texts when its owner asks for sorting by a column.
#include <QString>

namespace controls {

// Negative, zero or positive as a sorts before, with or after b for the given sort kind
// (GridSortKind): numbers by value, dates in the user's locale (anything involving a text that is
// not a date counts as equal), anything else as text without regard to case.
int compareGridTexts(int sortKind, const QString& a, const QString& b);

} // namespace controls
