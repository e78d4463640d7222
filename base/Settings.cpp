#include "base/Settings.h"

#include <windows.h>

#include "base/Module.h"
#include "base/Paths.h"

namespace base {

std::wstring SettingsFilePath() { return JoinPath(ProgramFolder(), L"filename.ini"); }

std::wstring ReadIniValue(const std::wstring& section, const std::wstring& key) {
    const std::wstring path = SettingsFilePath();
    // The reader reports a value cut to the buffer as size - 1 characters:
    // grow the buffer until the value fits with room to spare.
    std::wstring value(80, L'\0');
    for (;;) {
        DWORD copied = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value.data(),
                                                static_cast<DWORD>(value.size()), path.c_str());
        if (copied + 1 < value.size()) {
            value.resize(copied);
            return value;
        }
        value.resize(value.size() * 2);
    }
}

void WriteIniValue(const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) {
    WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(),
                               SettingsFilePath().c_str());
}

}  // namespace base
