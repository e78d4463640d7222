// The perform step of renaming: moves planned files to their new names on disk.
#pragma once
#include <vector>

#include "rename/NamingRules.h"

namespace naming {

// Renames the entries in order, each within its own folder: stores the new
// path (folder joined with NewName) in the entry, then renames the file,
// never over an existing one. With clearAttributes the renamed file's
// attributes are set to normal (read-only, hidden, system, archive cleared).
// The first failure raises base::RunError (58 when the target exists, 53 when
// the file is gone, 52 for a new name that is empty or holds characters no
// file name may hold); the entries before it stay renamed, the rest are left.
void PerformRenames(std::vector<PlannedRename>& plan, const NamingOptions& options,
                    bool clearAttributes);

}  // namespace naming
