// The rename window's way back: "Undo Last Rename" and the offer to take back
// a batch that was cut off, with their questions and closing reports in the
// user's language. Both work on the journals of RenameFiles.h, so they take
// back batches of the program and of the file manager's rename window alike.
#pragma once
#include <windows.h>

#include <string>

#include "ui/BusyCursor.h"

namespace renamer {

// Whether there is a finished batch to take back (the menu item's state).
bool CanUndoLastRename();

// Asks (Yes/No), then gives the files of the last finished batch their old
// names back, last renamed first, and reports. False when nothing changed on
// the disk (no batch, or No).
bool UndoLastRename(HWND owner, ui::BusyCursor& busy);

// For each batch that was cut off (its journal says running and no process
// holds it) asks whether to give its renamed files their old names back: Yes
// takes it back as UndoLastRename does, No keeps it as the last finished
// batch. Journals that cannot be read are reported and set aside. True when
// files changed names.
bool RecoverInterruptedRenames(HWND owner, ui::BusyCursor& busy);

// Tells the user, before the first file moves, that this batch has no
// journal and why.
void WarnRenameWithoutJournal(HWND owner, const std::wstring& reason);

}  // namespace renamer
