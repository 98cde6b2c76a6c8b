#pragma once
// Loading shared libraries and finding the file a piece of code was loaded from.
#include <string>
#include <string_view>

namespace platform {

using LibraryHandle = void*;

LibraryHandle loadLibrary(std::u16string_view path);  // nullptr when it does not load
void freeLibrary(LibraryHandle library);
void* librarySymbol(LibraryHandle library, const char* name);

// Full path of the library or program that contains the given address; empty when unknown.
std::u16string modulePathOf(const void* address);

} // namespace platform
