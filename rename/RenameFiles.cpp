#include "rename/RenameFiles.h"

#include <windows.h>

#include <string_view>

#include "base/Paths.h"
#include "base/RunError.h"
#include "base/Win32Error.h"

namespace naming {

namespace {

// A new name must stay a name in the file's own folder: a separator would
// move the file elsewhere and a colon would address a stream of another file.
bool IsPlainFileName(const std::wstring& name) {
    if (name.empty()) return false;
    for (wchar_t c : name) {
        if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return false;
    }
    return true;
}

}  // namespace

void PerformRenames(std::vector<PlannedRename>& plan, const NamingOptions& options,
                    bool clearAttributes) {
    for (PlannedRename& entry : plan) {
        std::wstring newName = NewName(entry, options);
        entry.newPath = base::JoinPath(entry.folder, newName);
        if (!IsPlainFileName(newName)) throw base::RunError(base::err::BadFileName);
        if (!MoveFileW(entry.oldPath.c_str(), entry.newPath.c_str()))
            throw base::RunErrorFromWin32(GetLastError());
        if (clearAttributes && !SetFileAttributesW(entry.newPath.c_str(), FILE_ATTRIBUTE_NORMAL))
            throw base::RunErrorFromWin32(GetLastError());
    }
}

}  // namespace naming
