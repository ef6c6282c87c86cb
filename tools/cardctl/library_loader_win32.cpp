// LoadedLibrary on Windows: LoadLibrary, GetProcAddress and the executable's
// own path.
//
// On 32-bit Windows the card libraries export their __stdcall functions only
// under decorated names ("_AddMoney@8"); a look-up by the plain name then
// takes the export whose name is "_" + name + "@" + a number of bytes.
#include "library_loader.h"

#include <windows.h>

#include <cstring>

namespace cardctl {
namespace {

std::string windowsError(DWORD code) { return "Windows error " + std::to_string(code); }

bool isDecoratedNameOf(const char* exported, const char* name) {
    const std::size_t length = std::strlen(name);
    if (exported[0] != '_' || std::strncmp(exported + 1, name, length) != 0 || exported[length + 1] != '@') {
        return false;
    }
    const char* bytes = exported + length + 2;
    return *bytes != '\0' && std::strspn(bytes, "0123456789") == std::strlen(bytes);
}

// The decorated export of `name` in the loaded `module`, from its export
// directory; null when there is none.
FARPROC decoratedExport(HMODULE module, const char* name) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (entry.VirtualAddress == 0) return nullptr;
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        const char* exported = reinterpret_cast<const char*>(base + names[i]);
        if (isDecoratedNameOf(exported, name)) return GetProcAddress(module, exported);
    }
    return nullptr;
}

}  // namespace

LoadedLibrary::LoadedLibrary(const std::string& path) : path_(path), handle_(LoadLibraryA(path.c_str())) {
    if (handle_ == nullptr) throw LibraryError("cannot load " + path + ": " + windowsError(GetLastError()));
}

LoadedLibrary::~LoadedLibrary() { FreeLibrary(static_cast<HMODULE>(handle_)); }

void* LoadedLibrary::symbol(const char* name) const {
    const auto module = static_cast<HMODULE>(handle_);
    FARPROC address = GetProcAddress(module, name);
    if (address == nullptr) address = decoratedExport(module, name);
    if (address == nullptr) throw LibraryError(path_ + " has no export " + name);
    return reinterpret_cast<void*>(address);
}

std::string libraryFileName(const std::string& baseName) { return baseName + ".dll"; }

std::string executableDirectory() {
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return {};
    const std::string path(buffer, length);
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

}  // namespace cardctl
