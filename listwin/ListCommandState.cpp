#include "listwin/ListCommandState.h"

namespace listwin {

ListCommandInputs EnteringPictureView(ListCommandInputs inputs) {
    inputs.pictureView = true;
    inputs.filesListed = false;
    inputs.menuShowsHistory = false;
    inputs.pasteAllowed = false;
    inputs.selectAllAllowed = false;
    inputs.openAllowed = false;
    return inputs;
}

ListCommandState ListCommandStateFor(const ListCommandInputs& in) {
    const bool list = !in.pictureView;
    const bool document = list && in.documentHasText;
    ListCommandState state;
    state.printButton = state.saveButton = state.clearButton = in.documentHasText;
    state.undoButton = in.undoAvailable;
    state.redoButton = in.redoAvailable;
    // A type filter counts the files in the picture view too.
    state.addToListButton = in.filesListed;

    state.open = list && in.openAllowed;
    state.save = state.close = state.print = document;
    state.printerSetup = state.radicalSelect = state.includePath = list;

    state.undo = list && in.menuShowsHistory && in.undoAvailable;
    state.redo = list && in.menuShowsHistory && in.redoAvailable;
    // Cut, Copy and Delete need text, not a selection: with nothing selected they do nothing.
    state.copy = state.cut = state.del = state.font = state.clearList = document;
    // The clipboard watch looks in the picture view as well.
    state.paste = in.pasteAllowed;
    state.selectAllText = list && in.selectAllAllowed;
    state.selectAllFiles = state.showAllFiles = state.otherTypeFilters = list;

    state.toolbarPrint = state.toolbarSave = state.toolbarClear = document;
    state.toolbarUndo = list && in.undoAvailable;
    state.toolbarRedo = list && in.redoAvailable;
    return state;
}

}  // namespace listwin
