// Real files in a fresh temporary folder, and (through the shared header)
// the shell's own data object for a selection of them.
#pragma once
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/shell_data_object.h"

namespace testing_support {

// A folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"nomaro-shellext-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }

    // Creates an empty file and returns its full path.
    std::wstring AddFile(const std::wstring& name) const {
        std::wstring full = path_ + L"\\" + name;
        HANDLE file = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        return full;
    }

private:
    std::wstring path_;
};


}  // namespace testing_support
