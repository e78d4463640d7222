// The perform step of renaming: moves planned files to their new names on disk.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "rename/NamingRules.h"

namespace naming {

// Moves one file to a new path in the same folder, never over an existing
// file; false with the thread's last error set when it cannot.
using FileMover = std::function<bool(const std::wstring& from, const std::wstring& to)>;

// Renames the entries in order, each within its own folder. Every new name is
// checked first (CheckNewNames): a bad one raises base::RunError 52 before
// any file is moved. Then, per entry, it stores the new path (folder joined
// with NewName), renames the file and, with clearAttributes, sets the renamed
// file's attributes to normal (read-only, hidden, system, archive cleared).
// A name that differs from the old one only in letter case goes through a
// temporary name in the same folder, because a direct move may leave the old
// spelling; when the second step fails the file gets its old name back.
// The first failure raises base::RunError (58 when the target exists, 53 when
// the file is gone); the entries before it stay renamed, the rest are left.
void PerformRenames(std::vector<PlannedRename>& plan, const NamingOptions& options,
                    bool clearAttributes);

// The same with another mover in place of the file system's move, so tests
// can make a chosen step fail.
void PerformRenames(std::vector<PlannedRename>& plan, const NamingOptions& options,
                    bool clearAttributes, const FileMover& move);

}  // namespace naming
