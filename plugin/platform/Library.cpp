#include "platform/Library.h"

#include "platform/Paths.h"

#include <dlfcn.h>
#include <climits>
#include <cstdlib>

namespace platform {

LibraryHandle loadLibrary(std::u16string_view path)
{
    if (path.empty())
        return nullptr;
    return ::dlopen(nativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
}

void freeLibrary(LibraryHandle library)
{
    if (library)
        ::dlclose(library);
}

void* librarySymbol(LibraryHandle library, const char* name)
{
    return library ? ::dlsym(library, name) : nullptr;
}

std::u16string modulePathOf(const void* address)
{
    Dl_info info {};
    if (!::dladdr(address, &info) || !info.dli_fname || !*info.dli_fname)
        return {};
    char resolved[PATH_MAX];
    if (::realpath(info.dli_fname, resolved))
        return fromNativePath(resolved);
    return fromNativePath(info.dli_fname);
}

} // namespace platform
