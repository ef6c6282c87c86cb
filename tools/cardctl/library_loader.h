#pragma once
// LoadedLibrary: a card library loaded the way a real host loads it
// (dlopen on POSIX, LoadLibrary on Windows), with look-up of its exports.
//
// One implementation file per platform (library_loader_posix.cpp, ...),
// chosen by CMake.

#include <memory>
#include <stdexcept>
#include <string>

namespace cardctl {

// Raised when a library cannot be loaded or lacks an export.
class LibraryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class LoadedLibrary {
public:
    // Loads the library at `path`; a bare file name is searched for on the
    // system's library search path. Throws LibraryError on failure.
    explicit LoadedLibrary(const std::string& path);
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    const std::string& path() const { return path_; }

    // The export `name` as a function of type Function, for example
    // library.function<decltype(AddMoney)>("AddMoney"). Throws LibraryError
    // when the library has no such export.
    template <typename Function>
    Function* function(const char* name) const {
        return reinterpret_cast<Function*>(symbol(name));
    }

private:
    void* symbol(const char* name) const;  // never null: throws instead

    std::string path_;
    void* handle_;
};

// File name of the library called `baseName` on this platform
// ("libcardpurse.so.1" for "cardpurse" on Linux).
std::string libraryFileName(const std::string& baseName);

// Directory of the running executable, empty when it cannot be found.
std::string executableDirectory();

}  // namespace cardctl
