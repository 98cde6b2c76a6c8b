#pragma once
// Rows whose texts the grid asks for only when it needs them: to paint a row, to sort, or when a
// text is read or changed. The owner's records stay in their own form until then, so a grid of a
// thousand rows of which twenty are visible formats twenty rows.
#include <QString>

#include <vector>

namespace controls {

class GridRowSource {
public:
    virtual ~GridRowSource() = default;
    virtual int rowCount() const = 0;
    // The texts of the source's row `row` (0 .. rowCount() - 1) in column order, written into
    // `cells`, which holds one empty text per column of the grid; texts for columns the grid does
    // not have are left out.
    virtual void writeTexts(int row, std::vector<QString>& cells) const = 0;
};

} // namespace controls
