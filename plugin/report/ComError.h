#pragma once
// A report step that failed without a text of its own: the engine's failure carried as a
// COM-style error, with an HRESULT code and the engine's description, so that the analyst sees
// "Ошибка <code>. ..." exactly as the Windows build of the product shows it.
#include <cstdint>
#include <stdexcept>
#include <string>

// The generic failure code, for everything the XSLT engine reports.
constexpr int32_t E_FAIL_CODE = static_cast<int32_t>(0x80004005u);

class ComError : public std::runtime_error {
public:
    // `description`: UTF-8, may be empty; then the code's own message is used.
    ComError(int32_t hresult, const std::string& description);

    int32_t hresult() const { return hresult_; }
    // The text shown after the code: the description without a trailing line break, or the
    // system's wording for the code when there is no description.
    const std::string& message() const { return message_; }

private:
    int32_t hresult_;
    std::string message_;
};

// The system's wording for a code that comes without a description.
std::string comErrorMessageForCode(int32_t hresult);
