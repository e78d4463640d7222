#include "base/Module.h"

#include "base/Paths.h"

namespace base {

HINSTANCE CodeModule() {
    static const HINSTANCE module = [] {
        HMODULE found = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&CodeModule), &found);
        return found ? found : GetModuleHandleW(nullptr);
    }();
    return module;
}

std::wstring ModulePath(HMODULE module) {
    // GetModuleFileNameW cuts the path to the buffer and returns its full
    // size then, so a path that fills the buffer may be longer still.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring ModuleFolder(HMODULE module) {
    const std::wstring path = ModulePath(module);
    return path.find(L'\\') == std::wstring::npos ? std::wstring() : SplitPath(path).folder;
}

std::wstring ProgramFolder() { return ModuleFolder(nullptr); }

}  // namespace base
