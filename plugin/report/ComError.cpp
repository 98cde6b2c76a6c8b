#include "report/ComError.h"

#include "platform/Format.h"

namespace {

std::string withoutTrailingLineBreaks(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

} // namespace

ComError::ComError(int32_t hresult, const std::string& description)
    : std::runtime_error(description.empty() ? comErrorMessageForCode(hresult) : description),
      hresult_(hresult)
{
    std::string text = withoutTrailingLineBreaks(description);
    message_ = text.empty() ? comErrorMessageForCode(hresult) : text;
}

std::string comErrorMessageForCode(int32_t hresult)
{
    const uint32_t code = static_cast<uint32_t>(hresult);
    // The few codes this layer can raise, worded as the system message table words them.
    switch (code) {
    case 0x80004005u: return "Unspecified error";
    case 0x8007000Eu: return "Not enough memory resources are available to complete this operation.";
    case 0x80070057u: return "The parameter is incorrect.";
    default: break;
    }
    if (code >= 0x80040201u && code <= 0x8004FFFFu)
        return platform::format8("IDispatch error #%d", {static_cast<long long>(code - 0x80040200u)});
    return platform::format8("Unknown error 0x%0lX", {static_cast<unsigned long long>(code)});
}
