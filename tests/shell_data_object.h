// The shell's own data object for a selection of files of one folder, as a
// file manager hands it to a context-menu handler. Shared by the tests, the
// shell host and the extension's benchmark.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

namespace testing_support {

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
