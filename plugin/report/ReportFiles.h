#pragma once
// Reading and writing whole files by UTF-16 path, for the template and the report file.
#include <string>
#include <string_view>

namespace reportfiles {

// False when the path is not a readable regular file.
bool readWholeFile(std::u16string_view path, std::string& bytes);
// 0 on success, otherwise the system's error number; a file that cannot be written whole is removed.
int writeWholeFile(std::u16string_view path, std::string_view bytes);
// The system's English description of an error number, whatever the process locale.
std::string describeSystemError(int error);

} // namespace reportfiles
