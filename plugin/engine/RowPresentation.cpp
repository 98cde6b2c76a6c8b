#include "engine/RowPresentation.h"

#include "platform/Format.h"

namespace {
constexpr const char16_t* identifiedText = u"Идентифицирован";
constexpr const char16_t* notConfirmedText = u"Не подтверждён";
}

std::u16string identificationStatusText(const IdentificationRow& row)
{
    return row.identified ? identifiedText : notConfirmedText;
}

std::u16string foundTimeText(bool found, double time)
{
    return found ? platform::format(u"%.3f", {time}) : u"---";
}

std::u16string referenceTimeText(double time)
{
    return time > 0 ? platform::format(u"%.3f", {time}) : u"-";
}

std::u16string quantitationStatusText(const QuantitationRow& row)
{
    return row.detected ? identifiedText : notConfirmedText;
}

std::u16string quantitationConcentrationText(const QuantitationRow& row)
{
    if (!row.detected)
        return u"не обнаружено";
    if (!row.valid)
        return u"---";
    return platform::format(u"%.3f", {row.concentration});
}
