// Deletes a folder with everything in it through the wide API, read-only
// files and long (\\?\-prefixed) paths included.
#pragma once
#include <windows.h>

#include <string>

#include "base/Paths.h"
#include "base/Scoped.h"

namespace testing_support {

inline void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    base::FindHandle search(FindFirstFileW(base::JoinPath(folder, L"*").c_str(), &found));
    if (search) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = base::JoinPath(folder, name);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search.get(), &found));
    }
    search.Reset();  // the folder cannot go while it is searched
    RemoveDirectoryW(folder.c_str());
}

}  // namespace testing_support
