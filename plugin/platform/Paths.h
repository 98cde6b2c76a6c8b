#pragma once
// Files and folders. Paths are UTF-16 in memory and UTF-8 on the file system; "/" separates.
#include <string>
#include <string_view>

namespace platform {

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

// Creates an empty file "<folder>/<prefix>XXXX.tmp" exclusively (XXXX four hex digits) and
// returns its path; empty when no name could be had.
std::u16string createTempFileName(std::u16string_view folder, std::u16string_view prefix);

// Copies a file, replacing the target; false on any failure (the target may then be absent).
bool copyFileReplace(std::u16string_view from, std::u16string_view to);

} // namespace platform
