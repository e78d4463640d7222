#include <gtest/gtest.h>

#include <set>
#include <string>

#include "listwin/ListCommandState.h"

using listwin::ListCommandInputs;
using listwin::ListCommandState;

namespace {

#define COMMAND(member) {#member, &ListCommandState::member}
const struct {
    const char* name;
    bool ListCommandState::*state;
} kCommands[] = {
    COMMAND(printButton), COMMAND(saveButton), COMMAND(clearButton), COMMAND(undoButton), COMMAND(redoButton),
    COMMAND(addToListButton), COMMAND(open), COMMAND(save), COMMAND(close), COMMAND(printerSetup), COMMAND(print),
    COMMAND(radicalSelect), COMMAND(includePath), COMMAND(undo), COMMAND(redo), COMMAND(copy), COMMAND(cut),
    COMMAND(del), COMMAND(paste), COMMAND(font), COMMAND(clearList), COMMAND(selectAllText),
    COMMAND(selectAllFiles), COMMAND(showAllFiles), COMMAND(otherTypeFilters), COMMAND(toolbarPrint),
    COMMAND(toolbarSave), COMMAND(toolbarClear), COMMAND(toolbarUndo), COMMAND(toolbarRedo),
};
#undef COMMAND

std::set<std::string> EnabledCommands(const ListCommandState& state) {
    std::set<std::string> names;
    for (const auto& command : kCommands)
        if (state.*command.state) names.insert(command.name);
    return names;
}

// The commands of list mode that need nothing but list mode.
const std::set<std::string> kListModeCommands = {"printerSetup", "radicalSelect", "includePath",
                                                 "selectAllFiles", "showAllFiles", "otherTypeFilters"};
const std::set<std::string> kDocumentCommands = {"printButton", "saveButton", "clearButton", "save", "close",
                                                 "print", "copy", "cut", "del", "font", "clearList",
                                                 "toolbarPrint", "toolbarSave", "toolbarClear"};

std::set<std::string> Joined(std::initializer_list<std::set<std::string>> parts) {
    std::set<std::string> all;
    for (const auto& part : parts) all.insert(part.begin(), part.end());
    return all;
}

ListCommandInputs WithText() {
    ListCommandInputs in;
    in.documentHasText = in.filesListed = in.undoAvailable = in.redoAvailable = true;
    in.menuShowsHistory = in.pasteAllowed = in.selectAllAllowed = true;
    return in;
}

ListCommandInputs Returned(ListCommandInputs in) {
    in = listwin::EnteringPictureView(in);
    in.pictureView = false;
    return in;
}

}  // namespace

// Each fact in list mode and in the picture view, and what returning from
// the picture view leaves off until its own event comes.
TEST(ListCommandStates, FollowWhatTheWindowLastLearned) {
    ListCommandInputs undoOnly;
    undoOnly.undoAvailable = undoOnly.menuShowsHistory = true;
    ListCommandInputs redoOnly;
    redoOnly.redoAvailable = redoOnly.menuShowsHistory = true;
    ListCommandInputs historyNotShown = undoOnly;
    historyNotShown.menuShowsHistory = false;
    ListCommandInputs pasteOnly;
    pasteOnly.pasteAllowed = true;
    pasteOnly.openAllowed = false;
    ListCommandInputs selectAllOnly;
    selectAllOnly.selectAllAllowed = true;
    ListCommandInputs picturesWithText = listwin::EnteringPictureView(WithText());
    ListCommandInputs picturesWithClipboard = picturesWithText;
    picturesWithClipboard.pasteAllowed = picturesWithClipboard.filesListed = true;
    ListCommandInputs picturesSelectAll = picturesWithText;
    picturesSelectAll.selectAllAllowed = true;
    picturesSelectAll.openAllowed = true;

    const struct {
        const char* what;
        ListCommandInputs inputs;
        std::set<std::string> enabled;
    } cases[] = {
        {"empty document", ListCommandInputs{}, Joined({kListModeCommands, {"open"}})},
        {"every fact", WithText(),
         Joined({kListModeCommands, kDocumentCommands,
                 {"undoButton", "redoButton", "addToListButton", "open", "undo", "redo", "paste", "selectAllText",
                  "toolbarUndo", "toolbarRedo"}})},
        {"undo only", undoOnly, Joined({kListModeCommands, {"open", "undoButton", "undo", "toolbarUndo"}})},
        {"redo only", redoOnly, Joined({kListModeCommands, {"open", "redoButton", "redo", "toolbarRedo"}})},
        {"history not in the menu", historyNotShown,
         Joined({kListModeCommands, {"open", "undoButton", "toolbarUndo"}})},
        {"paste, open off", pasteOnly, Joined({kListModeCommands, {"paste"}})},
        {"select all", selectAllOnly, Joined({kListModeCommands, {"open", "selectAllText"}})},
        {"picture view", picturesWithText,
         {"printButton", "saveButton", "clearButton", "undoButton", "redoButton"}},
        {"picture view, clipboard watch and type filter", picturesWithClipboard,
         {"printButton", "saveButton", "clearButton", "undoButton", "redoButton", "paste", "addToListButton"}},
        {"picture view ignores select all and open", picturesSelectAll,
         {"printButton", "saveButton", "clearButton", "undoButton", "redoButton"}},
        {"back in list mode", Returned(WithText()),
         Joined({kListModeCommands, kDocumentCommands, {"undoButton", "redoButton", "toolbarUndo", "toolbarRedo"}})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EnabledCommands(listwin::ListCommandStateFor(c.inputs)), c.enabled) << c.what;
}
