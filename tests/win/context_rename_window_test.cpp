// The extension's rename window on real files: its list, checks and messages, renaming, closing,
// and running modal over a window of the host.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "rename/RenameUndo.h"
#include "shellext/ContextRenameWindow.h"
#include "shellext/ShowRenameWindow.h"
#include "tests/win/prompts.h"
#include "tests/win/shell_files.h"
#include "ui/App.h"
#include "ui/Screen.h"

using Names = std::set<std::wstring>;
using Paths = std::vector<std::wstring>;
using W = shellext::ContextRenameWindow;

namespace {

Paths Items(const ui::ListBox& list) {
    Paths items;
    for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
    return items;
}

class ContextWindow : public testing::Test {
protected:
    testing_support::ScriptedPrompts prompts;
    testing_support::TempFolder folder;
    std::unique_ptr<W> window = std::make_unique<W>();

    Paths MakeFiles(std::initializer_list<const wchar_t*> names) {
        Paths paths;
        for (const wchar_t* name : names) paths.push_back(folder.AddFile(name));
        return paths;
    }
    // Opens the window on the selection and lets its set-up run.
    void Open(const Paths& selection) {
        window->SetSelection(selection);
        window->Show();
        ASSERT_TRUE(window->fillListTimer.FireNow());
    }
    void Rename(const std::wstring& newName, int answer = IDOK) {
        window->newNameBox.SetText(newName);
        prompts.answers.assign({answer});
        window->renameButton.Click();
    }
};

// A form with nothing but a sorted list box.
struct SortedListForm : ui::Form {
    ui::ListBox list;
    void CreateControls() override { list.Create(*this, nullptr, true); }
    HWND OwnerWindow() const override { return nullptr; }
};

}  // namespace

TEST_F(ContextWindow, OpensAsAFixedDialogListsDottedFilesInListBoxOrderAndOffersHelp) {
    auto files = MakeFiles({L"B.txt", L"a.txt", L"README"});
    auto& w = *window;
    w.SetSelection({files[0], folder.AddFolder(L"Sub.dir"), files[2], files[1], folder.AddFolder(L"Pics")});
    w.Show();
    EXPECT_NEAR(w.Left(), (ui::ScreenWidthTwips() - w.Width()) / 2, ui::TwipsPerPixelX());
    EXPECT_NEAR(w.Top(), (ui::ScreenHeightTwips() - w.Height()) / 2, ui::TwipsPerPixelY());
    EXPECT_EQ(GetWindow(w.hwnd(), GW_OWNER), nullptr);
    EXPECT_FALSE(w.newExtensionBox.Enabled() || w.startNumberBox.Enabled());
    EXPECT_EQ(LOWORD(SendMessageW(w.hwnd(), DM_GETDEFID, 0, 0)), w.helpButton.id());
    EXPECT_EQ(w.newNameBox.ToolTipText(), L"Use the * -character to keep filenames");
    EXPECT_EQ(w.selectedCountLabel.Caption(), L"");
    ASSERT_TRUE(w.fillListTimer.FireNow());
    Paths folders;
    for (const auto& entry : w.Entries()) folders.push_back(entry.folder);
    EXPECT_EQ(std::tuple(Items(w.fileList), w.selectedCountLabel.Caption(), folders),
              std::tuple(Paths{L"a.txt", L"B.txt"}, L"Selected = 2", Paths{folder.Path(), folder.Path()}));
    EXPECT_FALSE(w.fillListTimer.Enabled());

    // Names whose order differs between collations come in a sorted list box's order.
    auto tricky = MakeFiles({L"ab.txt", L"a-b.txt", L"a_b.txt", L"A b.txt", L"10.txt", L"9.txt", L"\u00e4.txt",
                             L"Z.txt", L"a.B.txt"});
    w.Unload();
    Open(tricky);
    SortedListForm sorted;
    sorted.Load();
    for (const auto& path : tricky) sorted.list.AddItem(path.substr(folder.Path().size() + 1));
    EXPECT_EQ(Items(w.fileList), Items(sorted.list));

    w.helpButton.Click();  // the topic, from the help file beside the library
    HWND help = nullptr;
    for (int i = 0; i < 100 && !help; ++i, Sleep(20)) ui::DoEvents(), help = FindWindowW(L"HH Parent", nullptr);
    ASSERT_NE(help, nullptr);
    PostMessageW(help, WM_CLOSE, 0, 0);
    ui::DoEvents();
}

// The names reach the disk, every file keeps its folder, and write protection goes only when asked.
TEST_F(ContextWindow, RenamesWithTheChosenOptionsEachFileInItsOwnFolder) {
    struct Example {
        const wchar_t* newName;
        const wchar_t* extension;  // null keeps the extension
        Names expected;
        bool clear;  // the box that removes write protection
    };
    const Example examples[] = {
        {L"  Trip ", nullptr, {L"One\\Trip0002.JPG", L"One\\Trip0003.tar.gz", L"Two\\Trip0001.jpg"}, true},
        // Letter case alone changes; b.JPG keeps its name as it is.
        {L"*", L"JPG", {L"One\\b.JPG", L"One\\c.JPG", L"Two\\a.JPG"}, false},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(example.newName)));
        testing_support::TempFolder here;
        Paths files{here.AddFile(L"One\\b.JPG"), here.AddFile(L"Two\\a.jpg"), here.AddFile(L"One\\c.tar.gz")};
        SetFileAttributesW(files[1].c_str(), FILE_ATTRIBUTE_READONLY);
        window = std::make_unique<W>();
        Open(files);
        if (example.extension) {
            window->newExtensionOption.SetValue(true);
            window->newExtensionBox.SetText(example.extension);
        }
        window->clearAttributesBox.SetValue(example.clear);
        prompts.seen.clear();
        Rename(example.newName);
        EXPECT_TRUE(prompts.Said(0, L"Rename the selected file(s)?", L"Rename?", MB_OKCANCEL | MB_ICONQUESTION) &&
                    prompts.seen.size() == 1);
        EXPECT_EQ(here.Entries(), example.expected);
        EXPECT_FALSE(window->IsLoaded());
        const std::wstring two = here.Path() + L"\\" + *example.expected.rbegin();  // the Two folder sorts last
        const DWORD readOnly = GetFileAttributesW(two.c_str()) & FILE_ATTRIBUTE_READONLY;
        EXPECT_EQ(readOnly, example.clear ? 0u : FILE_ATTRIBUTE_READONLY);
        // The program's Undo Last Rename takes the batch back, the letter-case one included.
        ui::BusyCursor busy;
        prompts.answers.assign({IDYES, IDOK});
        EXPECT_TRUE(renamer::UndoLastRename(nullptr, busy));
        EXPECT_EQ(here.Entries(), (Names{L"One\\b.JPG", L"One\\c.tar.gz", L"Two\\a.jpg"}));
    }
}

TEST_F(ContextWindow, CancelAnExistingTargetOrAVanishedFileEachCloseTheWindow) {
    auto files = MakeFiles({L"a.jpg", L"b.jpg"});
    Open(files);
    Rename(L"Trip", IDCANCEL);
    EXPECT_TRUE(prompts.seen.size() == 1 && !window->IsLoaded() && window->Entries().empty());
    MakeFiles({L"Trip0002.jpg"});
    Open(files);
    Rename(L"Trip");
    EXPECT_TRUE(prompts.Said(2,
                             L"Error 58\rFile exist... Please don't use the symbol * in the field ENTER NEW "
                             L"FILENAME. Instead use a NEW name.",
                             L"Error 58", MB_OK | MB_ICONSTOP));
    EXPECT_EQ(folder.Entries(), (Names{L"Trip0001.jpg", L"Trip0002.jpg", L"b.jpg"}));
    EXPECT_TRUE(!window->IsLoaded() && window->Entries().empty());
    auto gone = MakeFiles({L"c.jpg"});
    Open({files[1], gone[0]});
    DeleteFileW(gone[0].c_str());
    Rename(L"Other");
    EXPECT_TRUE(prompts.SaidError(4, base::err::FileNotFound));
    EXPECT_EQ(folder.Entries(), (Names{L"Trip0001.jpg", L"Trip0002.jpg", L"Other0001.jpg"}));
    EXPECT_FALSE(window->IsLoaded());
}

TEST_F(ContextWindow, ChecksBeforeTheQuestionKeepTheWindowOpen) {
    Open({MakeFiles({L"README"})[0], folder.AddFolder(L"Pics")});
    EXPECT_EQ(window->selectedCountLabel.Caption(), L"Selected = 0");
    Rename(L"Trip");
    EXPECT_TRUE(prompts.Said(0, L"Nothing to rename", L"Stop", MB_OK | MB_ICONINFORMATION));
    window->Unload();
    Open(MakeFiles({L"a.jpg"}));
    Rename(L"   ");
    EXPECT_TRUE(prompts.Said(1, L"Please enter a new filename", L"New Filename", MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(window->newNameBox.Text(), L"");
    Rename(L"*");
    EXPECT_FALSE(window->fourDigitOption.Enabled());
    EXPECT_TRUE(prompts.Said(2, L"With current setting no change will be made", L"?", MB_OK | MB_ICONEXCLAMATION));

    // An empty start number fails when the indexes are built; a second try starts afresh.
    window->startNumberOption.SetValue(true);
    Rename(L"Trip");
    EXPECT_TRUE(prompts.SaidError(3, base::err::TypeMismatch) && window->IsLoaded());
    EXPECT_EQ(folder.Entries(), (Names{L"a.jpg", L"README"}));
    window->startNumberBox.SetText(L"12a");
    EXPECT_TRUE(prompts.Said(4, L"Only numbers in this field") && window->startNumberBox.Text() == L"0000");
    Rename(L"Trip");
    EXPECT_EQ(folder.Entries(), (Names{L"Trip0000.jpg", L"README"}));

    // A bad new name stops before the question and the window stays: with an empty new
    // extension b. and c. would lose their dot.
    window = std::make_unique<W>();
    Open(MakeFiles({L"b.jpg", L"c.jpg"}));
    prompts.seen.clear();
    window->newExtensionOption.SetValue(true);
    Rename(L"*");
    EXPECT_TRUE(prompts.SaidError(0, base::err::BadFileName) && prompts.seen.size() == 1 && window->IsLoaded());
    window->keepExtensionOption.SetValue(true);
    Rename(L"T");
    EXPECT_EQ(folder.Entries(), (Names{L"Trip0000.jpg", L"README", L"T0001.jpg", L"T0002.jpg"}));
}

namespace {
// Drives the modal window from a thread timer: before its set-up, a second command on other
// files arrives (the window only comes forward); once the list is filled, Rename is chosen.
struct ModalRun {
    HWND owner;
    Paths otherFiles;
    std::wstring newName;
    DWORD deadline = GetTickCount() + 5000;
    bool secondCommandWhileOpen = false;
} * gRun = nullptr;

void CALLBACK DriveModalWindow(HWND, UINT, UINT_PTR, DWORD) {
    W* window = shellext::OpenRenameWindowOfThread();
    if (!window || !window->IsLoaded()) return;
    if (GetTickCount() > gRun->deadline) {  // never leave the test hanging
        window->Unload();
        return;
    }
    if (window->selectedCountLabel.Caption().empty()) {  // its own 200 ms timer has not run yet
        if (gRun->secondCommandWhileOpen) return;
        shellext::ShowContextRenameWindow(gRun->owner, gRun->otherFiles);
        gRun->secondCommandWhileOpen = shellext::OpenRenameWindowOfThread() == window && window->IsLoaded();
        return;
    }
    EXPECT_FALSE(IsWindowEnabled(gRun->owner));
    EXPECT_EQ(GetWindow(window->hwnd(), GW_OWNER), gRun->owner);
    window->newNameBox.SetText(gRun->newName);
    window->renameButton.Click();
}
}  // namespace

TEST_F(ContextWindow, RunsModalOverTheShellWindowKeepsItsSelectionAndOpensAgain) {
    auto files = MakeFiles({L"a.jpg", L"b.jpg"});
    HWND owner = CreateWindowExW(0, L"STATIC", L"shell", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    for (const wchar_t* newName : {L"One", L"Two"}) {
        ModalRun run{owner, {files[1]}, newName};
        gRun = &run;
        UINT_PTR timer = SetTimer(nullptr, 0, 20, DriveModalWindow);
        prompts.answers.assign({IDOK});
        shellext::ShowContextRenameWindow(owner, {files[0]});
        KillTimer(nullptr, timer);
        EXPECT_TRUE(run.secondCommandWhileOpen) << "the set-up ran before the second command";
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_EQ(shellext::OpenRenameWindowOfThread(), nullptr);
        files[0] = folder.Path() + L"\\" + newName + L"0001.jpg";
    }
    EXPECT_EQ(folder.Entries(), (Names{L"Two0001.jpg", L"b.jpg"}));
    EXPECT_EQ(FindWindowW(ui::kAppWindowClass, nullptr), nullptr);  // the program's hidden window was never made
    DestroyWindow(owner);
}
