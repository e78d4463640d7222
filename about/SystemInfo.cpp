#include "about/SystemInfo.h"

#include <vector>

#include "about/RegistryText.h"
#include "base/Module.h"
#include "base/Scoped.h"

namespace about {

namespace {

const wchar_t* const kToolKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const wchar_t* const kToolFolderKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";

// Starts the program with normal focus and lets it run on its own.
bool Run(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    const base::KernelHandle thread(process.hThread), child(process.hProcess);
    return true;
}

}  // namespace

bool GetKeyValue(HKEY root, const std::wstring& keyName, const std::wstring& valueName,
                 std::wstring& value) {
    base::RegistryKey key;
    if (RegOpenKeyExW(root, keyName.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        value.clear();
        return false;
    }
    std::vector<char> buffer(1024 * sizeof(wchar_t), '\0');
    DWORD length = static_cast<DWORD>(buffer.size());
    DWORD type = REG_NONE;
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &length) != ERROR_SUCCESS) {
        value.clear();
        return false;
    }
    const RegistryType kind = type == REG_SZ      ? RegistryType::Text
                              : type == REG_DWORD ? RegistryType::Number
                                                  : RegistryType::Other;
    if (auto text = RegistryValueText(kind, std::string_view(buffer.data(), buffer.size()), length))
        value = *text;
    return true;
}

bool StartSysInfo() {
    std::wstring path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, kToolKey, L"PATH", path)) return Run(path);
    if (GetKeyValue(HKEY_LOCAL_MACHINE, kToolFolderKey, L"MSINFO", path)) {
        const std::wstring program = path + L"\\MSINFO32.EXE";
        const DWORD attributes = GetFileAttributesW(program.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return Run(program);
    }
    return false;
}

std::wstring ProgramVersion() {
    const std::wstring module = base::ModulePath(base::CodeModule());
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(module.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedLength = 0;
    if (!GetFileVersionInfoW(module.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedLength) || !fixed)
        return {};
    return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(HIWORD(fixed->dwFileVersionLS));
}

}  // namespace about
