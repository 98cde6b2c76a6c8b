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
