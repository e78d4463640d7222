// Real files in a fresh temporary folder and the shell's own data object for
// a selection of them, as a file manager hands it to a context-menu handler.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <string>
#include <vector>

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

// The data object of the shell folder of `folder` for the named entries
// (null when the shell cannot make one). The caller releases it.
inline IDataObject* ShellDataObject(const std::wstring& folder, const std::vector<std::wstring>& names) {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return nullptr;
    std::wstring folderName = folder;
    PIDLIST_RELATIVE folderId = nullptr;
    IShellFolder* shellFolder = nullptr;
    IDataObject* data = nullptr;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, folderName.data(), nullptr, &folderId, nullptr)) &&
        SUCCEEDED(desktop->BindToObject(folderId, nullptr, IID_IShellFolder,
                                        reinterpret_cast<void**>(&shellFolder)))) {
        std::vector<PCUITEMID_CHILD> items;
        for (std::wstring name : names) {
            PIDLIST_RELATIVE item = nullptr;
            if (SUCCEEDED(shellFolder->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &item, nullptr)))
                items.push_back(static_cast<PCUITEMID_CHILD>(item));
        }
        if (items.size() == names.size())
            shellFolder->GetUIObjectOf(nullptr, static_cast<UINT>(items.size()), items.data(), IID_IDataObject,
                                       nullptr, reinterpret_cast<void**>(&data));
        for (PCUITEMID_CHILD item : items) CoTaskMemFree(const_cast<ITEMID_CHILD*>(item));
        shellFolder->Release();
    }
    CoTaskMemFree(folderId);
    desktop->Release();
    return data;
}

}  // namespace testing_support
