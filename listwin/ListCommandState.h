// The enabled states of the list window's commands, worked out from what the
// window knows about its document, its history, the clipboard and the file
// box. The window keeps those facts in a ListCommandInputs, updates each one
// at the event that teaches it, and then writes every button, menu item and
// toolbar button from ListCommandStateFor in one place.
//
// A fact is what the window learned when it last looked, not what holds now:
// the file box's count is taken at a refresh or a type filter, not at every
// change of the pattern; the clipboard at a change of the selection or at the
// clipboard watch's tick. Entering the picture view forgets the facts that
// only their own events bring back, so after returning to list mode Open
// waits for Clear, Paste and Select All for the next change of the selection
// (Paste also for the clipboard watch), and the Edit menu's Undo and Redo for
// the history's next report.
#pragma once

namespace listwin {

struct ListCommandInputs {
    bool pictureView = false;
    bool documentHasText = false;  // as the last refresh in list mode found it
    bool filesListed = false;      // the file box listed files when last counted
    bool undoAvailable = false;    // the undo history as it last reported
    bool redoAvailable = false;
    bool menuShowsHistory = false;  // the Edit menu's Undo and Redo follow the history
    bool pasteAllowed = false;      // the clipboard as last looked at
    bool selectAllAllowed = false;  // the document had text at the last change of the selection
    bool openAllowed = true;        // off from a transfer until Clear
};

// The facts right after entering the picture view: those that only their own
// events bring back are forgotten.
ListCommandInputs EnteringPictureView(ListCommandInputs inputs);

// One state per command form. The buttons below the document keep their
// states through the picture view, which leaves them on screen; the undo
// buttons are hidden there and keep theirs too.
struct ListCommandState {
    // Buttons
    bool printButton = false, saveButton = false, clearButton = false;
    bool undoButton = false, redoButton = false;
    bool addToListButton = false;
    // File menu
    bool open = false, save = false, close = false, printerSetup = false, print = false;
    // Option menu
    bool radicalSelect = false, includePath = false;
    // Edit menu
    bool undo = false, redo = false, copy = false, cut = false, del = false, paste = false;
    bool font = false, clearList = false, selectAllText = false, selectAllFiles = false;
    // Select menu: "all files" and the type filters that find no pictures
    // (those that do stay usable in the picture view)
    bool showAllFiles = false, otherTypeFilters = false;
    // Toolbar
    bool toolbarPrint = false, toolbarSave = false, toolbarClear = false;
    bool toolbarUndo = false, toolbarRedo = false;
};

ListCommandState ListCommandStateFor(const ListCommandInputs& inputs);

}  // namespace listwin
