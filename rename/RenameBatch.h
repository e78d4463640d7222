// A batch of renames as it meets the disk: the moves of the perform step with
// the journal written before the first of them, and the way back, for a
// finished batch (undo) and for one that was cut off (recovery). Portable:
// the file system and the journal file come in through the interfaces below,
// so the same code runs over the real disk (RenameFiles.h) and over a model
// of it in the tests.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/RunError.h"
#include "rename/NamingRules.h"
#include "rename/RenameJournal.h"

namespace naming {

// The few file operations a batch needs. Paths are whole (folder and name).
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Moves a file to another name of the same folder, never over an existing
    // file: 58 when the target exists, 53 when the file is missing, 76 when
    // the folder is.
    virtual std::optional<base::RunError> Move(const std::wstring& from, const std::wstring& to) = 0;
    // The name of the file at `path` as its folder spells it; nothing when
    // there is no such file.
    virtual std::optional<std::wstring> StoredName(const std::wstring& path) = 0;
    virtual bool FolderExists(const std::wstring& folder) = 0;
    // Read-only, hidden, system and archive cleared.
    virtual std::optional<base::RunError> ClearAttributes(const std::wstring& path) = 0;
    // Whether two names name the same file (the file system's letter case rule).
    virtual bool SameName(const std::wstring& a, const std::wstring& b) = 0;
};

// The journal of the batch being run.
class BatchJournal {
public:
    virtual ~BatchJournal() = default;
    // Writes the whole plan (state running) and flushes it to the disk. False,
    // with the reason, when it cannot be written.
    virtual bool Begin(const std::vector<JournalEntry>& entries, std::wstring& reason) = 0;
    // The batch ended after `renamedCount` entries: the journal says finished.
    virtual void End(size_t renamedCount) noexcept = 0;
};

// Renames the planned entries in order, each within its own folder; the
// contract of PerformRenames (RenameFiles.h). The entries whose name changes
// go into the journal before the first move; when it cannot be written,
// `journalUnavailable` hears the reason once, before the first move, and the
// renaming goes on without it. A case-only rename goes through the temporary
// name `temporaryPrefix` + its place in the journal + ".tmp" (the prefix is
// unique to the batch), so that the journal knows it beforehand.
void RunBatch(std::vector<PlannedRename>& plan, const NamingOptions& options, bool clearAttributes,
              const std::wstring& temporaryPrefix, FileSystem& files, BatchJournal& journal,
              const std::function<void(const std::wstring& reason)>& journalUnavailable);

// How many entries of the journal were moved: the count a finished batch
// wrote; for a batch that was cut off, what the disk shows (the moves run in
// order, so the renamed entries are the first ones, up to the last entry
// whose file carries its new name, or its temporary name, and no longer its
// old one).
size_t RenamedCount(const Journal& journal, FileSystem& files);

enum class LeftReason {
    OldNameTaken,     // another file has the old name now
    RenamedFileGone,  // no file carries the new name any more
    FolderGone,
    MoveFailed,       // the file system refused; see detail
};

struct LeftEntry {
    JournalEntry entry;
    LeftReason reason;
    std::wstring detail;  // the refusal's description, for MoveFailed
};

struct RollbackReport {
    size_t restored = 0;          // files that have their old names again
    std::vector<LeftEntry> left;  // in the order they were tried
};

// Gives the first `renamedCount` entries their old names back, last renamed
// first, never over an existing file. An entry that cannot be taken back is
// left as it is and reported; a file that has its old name already counts
// as restored.
RollbackReport Rollback(const Journal& journal, size_t renamedCount, FileSystem& files);

}  // namespace naming
