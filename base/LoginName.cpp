#include "base/LoginName.h"

#include <windows.h>

#include <cwchar>

namespace base {

std::wstring GetLoginName() {
    static std::wstring cache;
    if (!cache.empty()) return cache;
    // A name longer than the first buffer is asked again with the size the system reports.
    std::wstring name(25, L'\0');
    DWORD size = static_cast<DWORD>(name.size());
    while (!GetUserNameW(name.data(), &size)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= name.size()) return cache;
        name.assign(size, L'\0');
    }
    name.resize(wcsnlen(name.c_str(), name.size()));
    cache = name;
    return cache;
}

}  // namespace base
