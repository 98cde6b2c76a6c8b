#pragma once
// A report step that failed with a text of its own ("Error parsing XSLT Document instance.").
// The text is English and UTF-8; the command's handler puts it into the analyst's message box.
#include <stdexcept>
#include <string>

class ReportFailure : public std::runtime_error {
public:
    explicit ReportFailure(const std::string& text) : std::runtime_error(text) {}
};
