#pragma once
// The floor the report is measured against: what any XSLT processor does with the report's source
// document and template (read both, transform, serialise the result), without the plug-in's own
// steps around it.
#include <string>

// Transforms `sourceXml` (UTF-16 text as the report builds it) with the stylesheet file at
// `templatePath`; returns the serialised result, empty with `error` set on a failure.
std::string transformWithXslt(const std::u16string& sourceXml, const std::string& templatePath, std::string& error);
