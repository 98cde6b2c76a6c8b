#include "ui/controls/GridSortCompare.h"

#include "ui/controls/GridListener.h"
#include "platform/NumberParse.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace controls {
namespace {

int compareNumbers(const QString& a, const QString& b)
{
    const double x = platform::parseDecimalCommaOrPoint(a.toStdU16String());
    const double y = platform::parseDecimalCommaOrPoint(b.toStdU16String());
    if (std::isnan(x) || std::isnan(y))
        return std::isnan(x) == std::isnan(y) ? 0 : (std::isnan(x) ? 1 : -1);
    return x < y ? -1 : (x > y ? 1 : 0);
}

QDateTime parseLocalDate(const QString& text)
{
    const QLocale locale;
    const QString trimmed = text.trimmed();
    for (QLocale::FormatType format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        QDateTime dt = locale.toDateTime(trimmed, format);
        if (dt.isValid())
            return dt;
        const QDate d = locale.toDate(trimmed, format);
        if (d.isValid())
            return d.startOfDay();
    }
    return {};
}

int compareDates(const QString& a, const QString& b)
{
    const QDateTime x = parseLocalDate(a);
    const QDateTime y = parseLocalDate(b);
    if (!x.isValid() || !y.isValid())
        return 0;
    return x < y ? -1 : (y < x ? 1 : 0);
}

} // namespace

int compareGridTexts(int sortKind, const QString& a, const QString& b)
{
    switch (sortKind) {
    case SortNumeric: return compareNumbers(a, b);
    case SortDate: return compareDates(a, b);
    default: return QString::compare(a, b, Qt::CaseInsensitive);
    }
}

} // namespace controls
