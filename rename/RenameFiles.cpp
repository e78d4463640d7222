#include "rename/RenameFiles.h"

#include <windows.h>

#include "base/Paths.h"
#include "base/RunError.h"
#include "base/Win32Error.h"

namespace naming {

namespace {

bool MoveWithoutReplacing(const std::wstring& from, const std::wstring& to) {
    return MoveFileW(from.c_str(), to.c_str()) != FALSE;
}

bool DifferOnlyInCase(const std::wstring& a, const std::wstring& b) {
    return a != b && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                          static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

[[noreturn]] void ThrowLastError() { throw base::RunErrorFromWin32(GetLastError()); }

// Renames through a temporary name of the same folder. The temporary name is
// one no file has; should another program take it first, the next is tried.
void MoveChangingCase(const PlannedRename& entry, const FileMover& move) {
    const std::wstring prefix =
        base::JoinPath(entry.folder, L"~nomaro-" + std::to_wstring(GetCurrentProcessId()) + L"-");
    std::wstring temporary;
    for (unsigned attempt = 0;; ++attempt) {
        temporary = prefix + std::to_wstring(attempt) + L".tmp";
        if (move(entry.oldPath, temporary)) break;
        const DWORD error = GetLastError();
        if ((error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) || attempt == 99)
            throw base::RunErrorFromWin32(error);
    }
    if (move(temporary, entry.newPath)) return;
    const DWORD error = GetLastError();
    move(temporary, entry.oldPath);  // the file keeps the name its owner knows
    throw base::RunErrorFromWin32(error);
}

}  // namespace

void PerformRenames(std::vector<PlannedRename>& plan, const NamingOptions& options,
                    bool clearAttributes) {
    PerformRenames(plan, options, clearAttributes, MoveWithoutReplacing);
}

void PerformRenames(std::vector<PlannedRename>& plan, const NamingOptions& options,
                    bool clearAttributes, const FileMover& move) {
    CheckNewNames(plan, options);
    for (PlannedRename& entry : plan) {
        const std::wstring newName = NewName(entry, options);
        entry.newPath = base::JoinPath(entry.folder, newName);
        if (DifferOnlyInCase(entry.name, newName)) {
            MoveChangingCase(entry, move);
        } else if (newName != entry.name && !move(entry.oldPath, entry.newPath)) {
            ThrowLastError();
        }
        if (clearAttributes && !SetFileAttributesW(entry.newPath.c_str(), FILE_ATTRIBUTE_NORMAL))
            ThrowLastError();
    }
}

}  // namespace naming
