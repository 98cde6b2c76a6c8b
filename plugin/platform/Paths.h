#pragma once
// Files and folders. Paths are UTF-16 in memory and UTF-8 on the file system; "/" separates.
#include <string>
#include <string_view>

namespace platform {

struct FileError;

std::string nativePath(std::u16string_view path);  // UTF-8 for system calls
std::u16string fromNativePath(std::string_view path);

// $VANTREL_PUBLIC_DOCUMENTS when set and not empty, else $HOME/Public; empty when neither exists.
std::u16string publicDocumentsFolder();

// The part after the last "/" (or "\"); the whole text when there is none.
std::u16string_view fileNamePart(std::u16string_view path);
// Everything before the last "/" (or "\"); empty when there is none.
std::u16string_view folderPart(std::u16string_view path);

bool fileExists(std::u16string_view path);      // a regular file
bool folderExists(std::u16string_view path);

// $TMPDIR when set and not empty, else /tmp; without a trailing "/".
std::u16string tempFolder();

// Copies a regular file over the target as a whole or not at all (through the file seam: the
// target's permissions kept, a symlink followed, a folder, device or read-only file refused). A
// target that is the source itself is left as it is and counts as copied. False, with the reason
// in `error` when given, when the target was not replaced; it is then as it was.
bool copyFileReplace(std::u16string_view from, std::u16string_view to, FileError* error = nullptr);

} // namespace platform
