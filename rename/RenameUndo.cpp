#include "rename/RenameUndo.h"

#include "base/Paths.h"
#include "base/Texts.h"
#include "rename/RenameFiles.h"
#include "ui/App.h"
#include "ui/MsgBox.h"

namespace renamer {

using base::LoadText;
using base::Text;
using naming::BatchState;
using naming::HeldJournal;

namespace {

// A text of the table with %1 and %2 filled in.
std::wstring Filled(Text id, const std::wstring& first, const std::wstring& second = {}) {
    std::wstring text = LoadText(id);
    for (const auto& [mark, value] : {std::pair{L"%1", first}, std::pair{L"%2", second}}) {
        const size_t at = text.find(mark);
        if (at != std::wstring::npos) text.replace(at, 2, value);
    }
    return text;
}

std::wstring ReasonText(const naming::LeftEntry& left) {
    switch (left.reason) {
    case naming::LeftReason::OldNameTaken: return LoadText(Text::OldNameTaken);
    case naming::LeftReason::RenamedFileGone: return LoadText(Text::RenamedFileGone);
    case naming::LeftReason::FolderGone: return LoadText(Text::FolderGone);
    case naming::LeftReason::MoveFailed: return left.detail;
    }
    return left.detail;
}

Text FaultText(naming::JournalFault fault) {
    switch (fault) {
    case naming::JournalFault::Empty: return Text::JournalEmpty;
    case naming::JournalFault::NotAJournal: return Text::JournalNotAJournal;
    case naming::JournalFault::CutOff: return Text::JournalCutOff;
    case naming::JournalFault::TooLarge: return Text::JournalTooLarge;
    default: return Text::JournalDamaged;
    }
}

// How many files have their old names again, then each that has not, with
// its reason; a long list ends with the number of the rest.
void ReportRollback(HWND owner, const naming::RollbackReport& report, size_t renamed) {
    const size_t kListed = 20;
    std::wstring text = Filled(Text::RenamedBack, std::to_wstring(report.restored), std::to_wstring(renamed));
    if (!report.left.empty()) {
        text += L"\r\r" + LoadText(Text::NotRenamedBack);
        for (size_t i = 0; i < report.left.size() && i < kListed; ++i) {
            const naming::JournalEntry& entry = report.left[i].entry;
            text += L"\r" + base::JoinPath(entry.folder, entry.newName) + L" (" + entry.oldName + L"): " +
                    ReasonText(report.left[i]);
        }
        if (report.left.size() > kListed) text += L"\r(+" + std::to_wstring(report.left.size() - kListed) + L")";
    }
    ui::MsgBox(owner, text, MB_OK | MB_ICONINFORMATION, LoadText(Text::UndoLastRename));
}

void TakeBack(HWND owner, HeldJournal& held, size_t renamed, ui::BusyCursor& busy) {
    busy.SetBusy();
    const naming::RollbackReport report = naming::Rollback(held.journal(), renamed, naming::RealDisk());
    held.SetState(BatchState::Undone, renamed);
    busy.Restore();
    ReportRollback(owner, report, renamed);
}

void ReportUnreadable(HWND owner, HeldJournal& held) {
    const std::wstring path = held.path();
    if (held.status() == HeldJournal::Status::Refused) {
        ui::MsgBox(owner, Filled(Text::JournalUnreadable, path, held.reason()), MB_OK | MB_ICONEXCLAMATION,
                   ui::AppTitle());
    } else if (held.fault() == naming::JournalFault::NewerVersion) {
        ui::MsgBox(owner, Filled(Text::JournalOfNewerVersion, path), MB_OK | MB_ICONEXCLAMATION,
                   ui::AppTitle());
    } else {
        held.SetAside();
        ui::MsgBox(owner, Filled(Text::JournalUnreadable, path, LoadText(FaultText(held.fault()))),
                   MB_OK | MB_ICONEXCLAMATION, ui::AppTitle());
    }
}

}  // namespace

bool CanUndoLastRename() { return naming::LastFinishedBatch().status() == HeldJournal::Status::Held; }

bool UndoLastRename(HWND owner, ui::BusyCursor& busy) {
    HeldJournal held = naming::LastFinishedBatch();
    if (held.status() != HeldJournal::Status::Held) {
        ui::MsgBox(owner, LoadText(Text::NothingToUndo), MB_OK | MB_ICONINFORMATION,
                   LoadText(Text::UndoLastRename));
        return false;
    }
    const size_t renamed = held.journal().renamedCount;
    if (ui::MsgBox(owner, Filled(Text::UndoQuestion, std::to_wstring(renamed)), MB_YESNO | MB_ICONQUESTION,
                   LoadText(Text::UndoLastRename)) != IDYES)
        return false;
    TakeBack(owner, held, renamed, busy);
    return true;
}

bool RecoverInterruptedRenames(HWND owner, ui::BusyCursor& busy) {
    bool changed = false;
    for (const std::wstring& path : naming::StoredJournals()) {
        HeldJournal held(path);
        switch (held.status()) {
        case HeldJournal::Status::Live:
        case HeldJournal::Status::Missing:
            continue;
        case HeldJournal::Status::Refused:
        case HeldJournal::Status::Faulty:
            ReportUnreadable(owner, held);
            continue;
        case HeldJournal::Status::Held:
            break;
        }
        if (held.journal().state != BatchState::Running) continue;
        const size_t renamed = naming::RenamedCount(held.journal(), naming::RealDisk());
        if (renamed == 0) {  // cut off before its first move: nothing to take back
            held.SetState(BatchState::Undone, 0);
            continue;
        }
        const std::wstring question = Filled(Text::InterruptedRenameQuestion, std::to_wstring(renamed),
                                             std::to_wstring(held.journal().entries.size()));
        if (ui::MsgBox(owner, question, MB_YESNO | MB_ICONQUESTION, LoadText(Text::UndoLastRename)) == IDYES) {
            TakeBack(owner, held, renamed, busy);
            changed = true;
        } else {
            held.SetState(BatchState::Finished, renamed);
        }
    }
    return changed;
}

void WarnRenameWithoutJournal(HWND owner, const std::wstring& reason) {
    ui::MsgBox(owner, Filled(Text::JournalUnavailable, reason), MB_OK | MB_ICONEXCLAMATION, ui::AppTitle());
}

}  // namespace renamer
