#include "rename/RenameBatch.h"

#include <algorithm>

#include "base/Paths.h"

namespace naming {

namespace {

struct EntryPaths {
    std::wstring oldPath, newPath, temporaryPath;
};

EntryPaths PathsOf(const JournalEntry& entry) {
    return {base::JoinPath(entry.folder, entry.oldName), base::JoinPath(entry.folder, entry.newName),
            entry.temporaryName.empty() ? std::wstring()
                                        : base::JoinPath(entry.folder, entry.temporaryName)};
}

void Check(const std::optional<base::RunError>& failure) {
    if (failure) throw *failure;
}

// A case-only rename goes through its temporary name, because a direct move
// may leave the old spelling; when the second step fails the file gets its
// old name back.
void MoveEntry(const JournalEntry& entry, FileSystem& files) {
    const EntryPaths paths = PathsOf(entry);
    if (entry.temporaryName.empty()) {
        Check(files.Move(paths.oldPath, paths.newPath));
        return;
    }
    Check(files.Move(paths.oldPath, paths.temporaryPath));
    if (auto failure = files.Move(paths.temporaryPath, paths.newPath)) {
        files.Move(paths.temporaryPath, paths.oldPath);  // the file keeps the name its owner knows
        throw *failure;
    }
}

bool HasExactName(FileSystem& files, const std::wstring& path, const std::wstring& name) {
    const auto stored = files.StoredName(path);
    return stored && *stored == name;
}

bool LooksRenamed(const JournalEntry& entry, FileSystem& files) {
    const EntryPaths paths = PathsOf(entry);
    if (!entry.temporaryName.empty())
        return files.StoredName(paths.temporaryPath) || HasExactName(files, paths.newPath, entry.newName);
    return files.StoredName(paths.newPath) && !files.StoredName(paths.oldPath);
}

// Why a move back failed, in the terms of the report.
LeftEntry LeftFor(const JournalEntry& entry, const base::RunError& failure, FileSystem& files) {
    if (!files.FolderExists(entry.folder)) return {entry, LeftReason::FolderGone, {}};
    switch (failure.number) {
    case base::err::FileExists: return {entry, LeftReason::OldNameTaken, {}};
    case base::err::FileNotFound: return {entry, LeftReason::RenamedFileGone, {}};
    default: return {entry, LeftReason::MoveFailed, failure.description};
    }
}

// Takes one case-only rename back through its temporary name: from where a
// cut-off batch left it (at the temporary name) or from its new spelling.
std::optional<LeftEntry> RestoreCaseOnly(const JournalEntry& entry, FileSystem& files) {
    const EntryPaths paths = PathsOf(entry);
    if (!files.StoredName(paths.temporaryPath)) {
        const auto stored = files.StoredName(paths.newPath);
        if (stored && *stored == entry.oldName) return std::nullopt;  // back already
        if (!stored || *stored != entry.newName) {
            if (!files.FolderExists(entry.folder)) return LeftEntry{entry, LeftReason::FolderGone, {}};
            return LeftEntry{entry, LeftReason::RenamedFileGone, {}};
        }
        if (auto failure = files.Move(paths.newPath, paths.temporaryPath))
            return LeftFor(entry, *failure, files);
    }
    if (auto failure = files.Move(paths.temporaryPath, paths.oldPath)) {
        files.Move(paths.temporaryPath, paths.newPath);
        return LeftFor(entry, *failure, files);
    }
    return std::nullopt;
}

std::optional<LeftEntry> Restore(const JournalEntry& entry, FileSystem& files) {
    if (!entry.temporaryName.empty()) return RestoreCaseOnly(entry, files);
    const EntryPaths paths = PathsOf(entry);
    // The move itself tells whether the old name is free and the file still
    // there: no look beforehand that another program could make stale.
    const auto failure = files.Move(paths.newPath, paths.oldPath);
    if (!failure) return std::nullopt;
    if (failure->number == base::err::FileNotFound && !files.StoredName(paths.newPath) &&
        files.StoredName(paths.oldPath))
        return std::nullopt;  // the file has its old name again already
    return LeftFor(entry, *failure, files);
}

}  // namespace

void RunBatch(std::vector<PlannedRename>& plan, const NamingOptions& options, bool clearAttributes,
              const std::wstring& temporaryPrefix, FileSystem& files, BatchJournal& journal,
              const std::function<void(const std::wstring& reason)>& journalUnavailable) {
    CheckNewNames(plan, options);
    const size_t kStays = static_cast<size_t>(-1);
    std::vector<JournalEntry> moves;
    std::vector<size_t> moveOfEntry(plan.size(), kStays);
    for (size_t i = 0; i < plan.size(); ++i) {
        PlannedRename& entry = plan[i];
        const std::wstring newName = NewName(entry, options);
        entry.newPath = base::JoinPath(entry.folder, newName);
        if (newName == entry.name) continue;
        JournalEntry move{entry.folder, entry.name, newName, {}};
        if (files.SameName(entry.name, newName))
            move.temporaryName = temporaryPrefix + std::to_wstring(moves.size()) + L".tmp";
        moveOfEntry[i] = moves.size();
        moves.push_back(std::move(move));
    }
    bool journaled = false;
    if (!moves.empty()) {
        std::wstring reason;
        journaled = journal.Begin(moves, reason);
        if (!journaled) journalUnavailable(reason);
    }
    size_t moved = 0;
    try {
        for (size_t i = 0; i < plan.size(); ++i) {
            if (moveOfEntry[i] != kStays) {
                MoveEntry(moves[moveOfEntry[i]], files);
                ++moved;
            }
            if (clearAttributes) Check(files.ClearAttributes(plan[i].newPath));
        }
    } catch (...) {
        if (journaled) journal.End(moved);
        throw;
    }
    if (journaled) journal.End(moved);
}

size_t RenamedCount(const Journal& journal, FileSystem& files) {
    if (journal.state != BatchState::Running) return journal.renamedCount;
    for (size_t i = journal.entries.size(); i > 0; --i)
        if (LooksRenamed(journal.entries[i - 1], files)) return i;
    return 0;
}

RollbackReport Rollback(const Journal& journal, size_t renamedCount, FileSystem& files) {
    RollbackReport report;
    for (size_t i = std::min(renamedCount, journal.entries.size()); i > 0; --i) {
        if (auto left = Restore(journal.entries[i - 1], files))
            report.left.push_back(std::move(*left));
        else
            ++report.restored;
    }
    return report;
}

}  // namespace naming
