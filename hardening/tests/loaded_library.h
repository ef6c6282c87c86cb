#pragma once
// A card library loaded with dlopen, as a payment host loads it. Both card
// libraries export CloseCOMM, so each is loaded on its own (RTLD_LOCAL) and
// its functions are looked up in it by name.

#include <dlfcn.h>

#include <stdexcept>
#include <string>

namespace hardening {

class LoadedLibrary {
public:
    explicit LoadedLibrary(const char* path) : handle_(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {
        if (handle_ == nullptr) throw std::runtime_error(dlerror());
    }
    ~LoadedLibrary() { dlclose(handle_); }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    // The export `name`, typed as `Function` (declared in the library's header).
    template <typename Function>
    Function* function(const char* name) const {
        void* symbol = dlsym(handle_, name);
        if (symbol == nullptr) throw std::runtime_error(std::string("missing export ") + name);
        return reinterpret_cast<Function*>(symbol);
    }

private:
    void* handle_;
};

}  // namespace hardening
