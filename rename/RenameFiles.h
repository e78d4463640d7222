// The perform step of renaming on the real disk, with its journal, and the
// way back: "Undo Last Rename" and the recovery of a batch that was cut off.
//
// The journals (RenameJournal.h) live in the user's own program data,
// %LOCALAPPDATA%\Nomaro, one file per batch named batch-<start time>-<process>.journal,
// so names sort by age and two processes renaming at once (the program and
// the file manager) never share one. The process that runs a batch holds its
// journal open without sharing write access until the batch ends: a journal
// that says running and that nobody holds belongs to a batch that was cut off.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "base/Scoped.h"
#include "rename/NamingRules.h"
#include "rename/RenameBatch.h"
#include "rename/RenameJournal.h"

namespace naming {

// Moves one file to a new path in the same folder, never over an existing
// file; false with the thread's last error set when it cannot.
using FileMover = std::function<bool(const std::wstring& from, const std::wstring& to)>;

// Told, before the first move, why the batch's journal cannot be written.
using JournalWarning = std::function<void(const std::wstring& reason)>;

// Renames the entries in order, each within its own folder. Every new name is
// checked first (CheckNewNames): a bad one raises base::RunError 52 before
// any file is moved. Then the journal of the batch is written; then, per
// entry, it stores the new path (folder joined with NewName), renames the
// file and, with clearAttributes, sets the renamed file's attributes to
// normal (read-only, hidden, system, archive cleared). A name that differs
// from the old one only in letter case goes through a temporary name in the
// same folder, because a direct move may leave the old spelling; when the
// second step fails the file gets its old name back.
// The first failure raises base::RunError (58 when the target exists, 53 when
// the file is gone); the entries before it stay renamed, the rest are left,
// and the journal says how many were renamed.
void PerformRenames(std::vector<PlannedRename>& plan, const NamingOptions& options,
                    bool clearAttributes, const JournalWarning& journalUnavailable);

// The same without a journal and with another mover in place of the file
// system's move, so tests can make a chosen step fail.
void PerformRenames(std::vector<PlannedRename>& plan, const NamingOptions& options,
                    bool clearAttributes, const FileMover& move);

// The folder of the journals: %LOCALAPPDATA%\Nomaro (not created here).
std::wstring JournalFolder();

// The journals of the folder, newest first.
std::vector<std::wstring> StoredJournals();

// One stored journal, opened so that no other process writes or takes it
// back while this one holds it.
class HeldJournal {
public:
    enum class Status {
        Held,     // journal() is the batch
        Live,     // its batch runs in another process (or another holds it)
        Faulty,   // read, but it is no journal this program can use: fault()
        Missing,  // gone meanwhile
        Refused,  // cannot be opened: reason()
    };

    explicit HeldJournal(const std::wstring& path);

    Status status() const { return status_; }
    const std::wstring& path() const { return path_; }
    const Journal& journal() const { return journal_; }
    JournalFault fault() const { return fault_; }
    const std::wstring& reason() const { return reason_; }

    // Rewrites the state line in place; false when the disk refuses.
    bool SetState(BatchState state, size_t renamedCount);
    // Closes the journal and renames it to <name>.damaged, out of the way of
    // the next look; that name, or empty when it stays where it was.
    std::wstring SetAside();

private:
    std::wstring path_;
    base::FileHandle file_;  // the open journal
    Status status_ = Status::Missing;
    Journal journal_;
    JournalFault fault_ = JournalFault::None;
    std::wstring reason_;
};

// The newest journal of a finished batch that renamed something and has not
// been taken back, held; nothing (Status::Missing) when there is none.
HeldJournal LastFinishedBatch();

// The real disk, for the rollback of a held journal.
FileSystem& RealDisk();

}  // namespace naming
