// LoadedLibrary on POSIX: dlopen, dlsym and the executable's own path.
#include "library_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace cardctl {

LoadedLibrary::LoadedLibrary(const std::string& path)
    : path_(path), handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        throw LibraryError("cannot load " + path + ": " + (reason ? reason : "unknown reason"));
    }
}

LoadedLibrary::~LoadedLibrary() { dlclose(handle_); }

void* LoadedLibrary::symbol(const char* name) const {
    dlerror();  // clear a stale error so that the check below is about this look-up
    void* address = dlsym(handle_, name);
    if (address == nullptr) {
        throw LibraryError(path_ + " has no export " + name);
    }
    return address;
}

// The SONAME: an installed runtime package has no unversioned link.
std::string libraryFileName(const std::string& baseName) { return "lib" + baseName + ".so." CARD_LIBRARY_SOVERSION; }

std::string executableDirectory() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    const std::string path(buffer, static_cast<std::size_t>(length));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace cardctl
