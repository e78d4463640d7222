// The shell extension's rename window on real files: the list it builds from
// the selection, its checks and messages, renaming and closing, reopening on
// the same thread, and running modal over a window of the host.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "shellext/ContextRenameWindow.h"
#include "shellext/ShowRenameWindow.h"
#include "tests/win/prompts.h"
#include "ui/App.h"
#include "ui/Screen.h"

namespace fs = std::filesystem;

namespace {

const wchar_t k58Text[] =
    L"Error 58\rFile exist... Please don't use the symbol * in the field ENTER NEW FILENAME. "
    L"Instead use a NEW name.";

class ContextWindow : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = fs::path(temp) / ("nomaro-wind-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        window = std::make_unique<shellext::ContextRenameWindow>();
    }
    void TearDown() override {
        window.reset();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // Creates the files (in subfolders when the name says so) and returns their paths.
    std::vector<std::wstring> MakeFiles(std::initializer_list<const wchar_t*> names) {
        std::vector<std::wstring> paths;
        for (const wchar_t* name : names) {
            fs::path path = folder / name;
            fs::create_directories(path.parent_path());
            std::ofstream(path) << path.filename().string();
            paths.push_back(path.wstring());
        }
        return paths;
    }

    std::set<std::wstring> FilesIn(const fs::path& where) const {
        std::set<std::wstring> names;
        for (const auto& entry : fs::directory_iterator(where))
            names.insert(entry.path().filename().wstring());
        return names;
    }

    // Opens the window on the selection and lets its set-up run.
    void Open(const std::vector<std::wstring>& selection) {
        window->SetSelection(selection);
        window->Show();
        ASSERT_TRUE(window->fillListTimer.FireNow());
    }

    std::vector<std::wstring> Listed() const {
        std::vector<std::wstring> names;
        for (int i = 0; i < window->fileList.ListCount(); ++i) names.push_back(window->fileList.List(i));
        return names;
    }

    void Rename(const std::wstring& newName, int answer = IDOK) {
        window->newNameBox.SetText(newName);
        prompts.answers.assign({answer});
        window->renameButton.Click();
    }

    testing_support::ScriptedPrompts prompts;
    fs::path folder;
    std::unique_ptr<shellext::ContextRenameWindow> window;
};

// A form with nothing but a sorted list box.
class SortedListForm : public ui::Form {
public:
    ui::ListBox list;

protected:
    void CreateControls() override { list.Create(*this, nullptr, true); }
    HWND OwnerWindow() const override { return nullptr; }
};

}  // namespace

TEST_F(ContextWindow, OpensAsAFixedDialogWithItsInitialState) {
    window->Load();
    auto& w = *window;
    EXPECT_EQ(w.Caption(), L"Rename Filenames");
    RECT client;
    GetClientRect(w.hwnd(), &client);
    EXPECT_EQ(client.right, ui::TwipsToPixelsX(7620));
    EXPECT_EQ(client.bottom, ui::TwipsToPixelsY(6720));
    EXPECT_NEAR(w.Left(), (ui::ScreenWidthTwips() - w.Width()) / 2, ui::TwipsPerPixelX());
    EXPECT_NEAR(w.Top(), (ui::ScreenHeightTwips() - w.Height()) / 2, ui::TwipsPerPixelY());
    // Owned by nothing, and the program's hidden window was never made.
    EXPECT_EQ(GetWindow(w.hwnd(), GW_OWNER), nullptr);
    EXPECT_EQ(FindWindowW(ui::kAppWindowClass, nullptr), nullptr);

    EXPECT_EQ(w.fourDigitOption.Caption(), L"0001  (recomended)");
    EXPECT_EQ(w.extensionFrame.Caption(), L"Keep File Extension on files?");
    EXPECT_TRUE(w.keepExtensionOption.Value());
    EXPECT_TRUE(w.fourDigitOption.Value());
    EXPECT_FALSE(w.clearAttributesBox.Value());
    EXPECT_FALSE(w.newExtensionLabel.Enabled());
    EXPECT_FALSE(w.newExtensionBox.Enabled());
    EXPECT_FALSE(w.startNumberBox.Enabled());
    EXPECT_EQ(w.selectedCountLabel.Caption(), L"");
    EXPECT_TRUE(w.fillListTimer.Enabled());
    EXPECT_EQ(w.fillListTimer.Interval(), 200u);
    EXPECT_EQ(LOWORD(SendMessageW(w.hwnd(), DM_GETDEFID, 0, 0)), w.helpButton.id());
}

TEST_F(ContextWindow, SetUpListsDottedFilesInListBoxOrder) {
    auto files = MakeFiles({L"B.txt", L"a.txt", L"README"});
    fs::create_directories(folder / "Sub.dir");
    fs::create_directories(folder / "Pics");
    Open({files[0], (folder / "Sub.dir").wstring(), files[2], files[1], (folder / "Pics").wstring()});
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{L"a.txt", L"B.txt"}));
    EXPECT_EQ(window->selectedCountLabel.Caption(), L"Selected = 2");
    const std::wstring inFolder = folder.wstring();
    EXPECT_EQ(window->folders, (std::vector<std::wstring>{inFolder, inFolder}));
    EXPECT_FALSE(window->fillListTimer.Enabled());

    // The order is the one a sorted list box gives, whatever the characters.
    auto tricky = MakeFiles({L"ab.txt", L"a-b.txt", L"a_b.txt", L"A b.txt", L"10.txt", L"9.txt",
                             L"\u00e4.txt", L"Z.txt", L"a.B.txt"});
    window->Unload();
    Open(tricky);
    SortedListForm sorted;
    sorted.Load();
    for (const auto& path : tricky) sorted.list.AddItem(fs::path(path).filename().wstring());
    std::vector<std::wstring> expected;
    for (int i = 0; i < sorted.list.ListCount(); ++i) expected.push_back(sorted.list.List(i));
    EXPECT_EQ(Listed(), expected);
}

TEST_F(ContextWindow, EntriesFromTwoFoldersAreRenamedEachInItsOwnFolder) {
    auto files = MakeFiles({L"One\\b.jpg", L"Two\\a.jpg", L"One\\a.jpg", L"Two\\c.jpg"});
    Open({files[0], files[1]});
    ASSERT_EQ(Listed(), (std::vector<std::wstring>{L"a.jpg", L"b.jpg"}));
    Rename(L"Trip");
    EXPECT_FALSE(window->IsLoaded());
    EXPECT_EQ(FilesIn(folder / "One"), (std::set<std::wstring>{L"Trip0002.jpg", L"a.jpg"}));
    EXPECT_EQ(FilesIn(folder / "Two"), (std::set<std::wstring>{L"Trip0001.jpg", L"c.jpg"}));
}

TEST_F(ContextWindow, ExamplesOfTheNamingRules) {
    struct Example {
        const wchar_t* newName;
        const wchar_t* extension;  // null keeps the extension
        ui::OptionButton shellext::ContextRenameWindow::*index;
        const wchar_t* startNumber;
        std::set<std::wstring> expected;
    };
    const Example examples[] = {
        {L"  Trip ", nullptr, &shellext::ContextRenameWindow::fourDigitOption, nullptr,
         {L"Trip0001.jpg", L"Trip0002.JPG", L"Trip0003.tar.gz"}},
        {L"Trip", L"png", &shellext::ContextRenameWindow::twoDigitOption, nullptr,
         {L"Trip01.png", L"Trip02.png", L"Trip03.png"}},
        {L"Trip", nullptr, &shellext::ContextRenameWindow::startNumberOption, L"098",
         {L"Trip098.jpg", L"Trip099.JPG", L"Trip100.tar.gz"}},
        {L"*", L"bak", &shellext::ContextRenameWindow::fourDigitOption, nullptr, {L"a.bak", L"b.bak", L"c.bak"}},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(example.newName)));
        fs::remove_all(folder);
        auto files = MakeFiles({L"b.JPG", L"a.jpg", L"c.tar.gz"});
        window = std::make_unique<shellext::ContextRenameWindow>();
        Open(files);
        if (example.extension) {
            window->newExtensionOption.SetValue(true);
            window->newExtensionBox.SetText(example.extension);
        }
        ((*window).*example.index).SetValue(true);
        if (example.startNumber) window->startNumberBox.SetText(example.startNumber);
        prompts.seen.clear();
        Rename(example.newName);
        EXPECT_TRUE(prompts.Said(0, L"Rename the selected file(s)?", L"Rename?", MB_OKCANCEL | MB_ICONQUESTION));
        EXPECT_EQ(prompts.seen.size(), 1u);
        EXPECT_EQ(FilesIn(folder), example.expected);
        EXPECT_FALSE(window->IsLoaded());
    }
}

TEST_F(ContextWindow, ExistingTargetStopsWith58AndCloses) {
    auto files = MakeFiles({L"a.jpg", L"b.jpg", L"c.jpg", L"Trip0002.jpg"});
    Open({files[0], files[1], files[2]});
    Rename(L"Trip");
    EXPECT_TRUE(prompts.Said(1, k58Text, L"Error 58", MB_OK | MB_ICONSTOP));
    EXPECT_EQ(FilesIn(folder),
              (std::set<std::wstring>{L"Trip0001.jpg", L"Trip0002.jpg", L"b.jpg", L"c.jpg"}));
    EXPECT_FALSE(window->IsLoaded());
    EXPECT_TRUE(window->folders.empty());
}

TEST_F(ContextWindow, FileGoneBeforeRenamingIsReportedAndCloses) {
    auto files = MakeFiles({L"a.jpg", L"b.jpg"});
    Open(files);
    fs::remove(files[1]);
    Rename(L"Trip");
    EXPECT_TRUE(prompts.SaidError(1, base::err::FileNotFound));
    EXPECT_EQ(FilesIn(folder), std::set<std::wstring>{L"Trip0001.jpg"});
    EXPECT_FALSE(window->IsLoaded());
}

TEST_F(ContextWindow, ChecksBeforeTheQuestionKeepTheWindowOpen) {
    MakeFiles({L"README"});
    fs::create_directories(folder / "Pics");
    Open({(folder / "README").wstring(), (folder / "Pics").wstring()});
    EXPECT_EQ(window->selectedCountLabel.Caption(), L"Selected = 0");
    Rename(L"Trip");
    EXPECT_TRUE(prompts.Said(0, L"Nothing to rename", L"Stop", MB_OK | MB_ICONINFORMATION));
    window->Unload();

    auto files = MakeFiles({L"a.jpg"});
    Open(files);
    Rename(L"   ");
    EXPECT_TRUE(prompts.Said(1, L"Please enter a new filename", L"New Filename", MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(window->newNameBox.Text(), L"");

    Rename(L"*");
    EXPECT_FALSE(window->fourDigitOption.Enabled());
    EXPECT_FALSE(window->startNumberOption.Enabled());
    EXPECT_TRUE(prompts.Said(2, L"With current setting no change will be made", L"?", MB_OK | MB_ICONEXCLAMATION));

    // An empty start number fails when the indexes are built; a second try starts afresh.
    window->startNumberOption.SetValue(true);
    Rename(L"Trip");
    EXPECT_TRUE(prompts.SaidError(3, base::err::TypeMismatch));
    EXPECT_TRUE(window->IsLoaded());
    EXPECT_EQ(FilesIn(folder), (std::set<std::wstring>{L"a.jpg", L"README", L"Pics"}));
    window->startNumberBox.SetText(L"12a");
    EXPECT_TRUE(prompts.Said(4, L"Only numbers in this field"));
    EXPECT_EQ(window->startNumberBox.Text(), L"0000");
    Rename(L"Trip");
    EXPECT_EQ(FilesIn(folder), (std::set<std::wstring>{L"Trip0000.jpg", L"README", L"Pics"}));
}

TEST_F(ContextWindow, CancelAtTheQuestionClosesAndRenamesNothing) {
    auto files = MakeFiles({L"a.jpg", L"b.jpg"});
    Open(files);
    Rename(L"Trip", IDCANCEL);
    EXPECT_EQ(prompts.seen.size(), 1u);
    EXPECT_FALSE(window->IsLoaded());
    EXPECT_TRUE(window->folders.empty());
    EXPECT_EQ(FilesIn(folder), (std::set<std::wstring>{L"a.jpg", L"b.jpg"}));
}

TEST_F(ContextWindow, WriteProtectionIsRemovedOnlyWhenAsked) {
    auto files = MakeFiles({L"a.jpg", L"b.jpg"});
    for (const auto& path : files) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Open({files[0]});
    Rename(L"Kept");
    EXPECT_TRUE(GetFileAttributesW((folder / "Kept0001.jpg").c_str()) & FILE_ATTRIBUTE_READONLY);

    window = std::make_unique<shellext::ContextRenameWindow>();
    Open({files[1]});
    window->clearAttributesBox.SetValue(true);
    Rename(L"Freed");
    EXPECT_FALSE(GetFileAttributesW((folder / "Freed0001.jpg").c_str()) & FILE_ATTRIBUTE_READONLY);
    for (const auto& entry : fs::directory_iterator(folder))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
}

namespace {
// Drives the thread's window from a thread timer while it runs its own modal
// loop: before its set-up has run, a second command on other files arrives
// (the window only comes forward); once the list is filled, a new name is
// typed and Rename chosen.
struct ModalRun {
    HWND owner = nullptr;
    DWORD deadline = 0;
    std::wstring newName;
    std::vector<std::wstring> otherFiles;
    bool secondCommandWhileOpen = false;
    bool ownerDisabled = false;
    bool ownedByOwner = false;
    std::vector<std::wstring> listed;
    bool done = false;
};
ModalRun* gRun = nullptr;

void CALLBACK DriveModalWindow(HWND, UINT, UINT_PTR, DWORD) {
    shellext::ContextRenameWindow* window = shellext::OpenRenameWindowOfThread();
    if (gRun->done || !window || !window->IsLoaded()) return;
    if (GetTickCount() > gRun->deadline) {  // never leave the test hanging
        gRun->done = true;
        window->Unload();
        return;
    }
    if (window->selectedCountLabel.Caption().empty()) {  // its own 200 ms timer has not run yet
        if (gRun->secondCommandWhileOpen) return;
        shellext::ShowContextRenameWindow(gRun->owner, gRun->otherFiles);
        gRun->secondCommandWhileOpen = shellext::OpenRenameWindowOfThread() == window && window->IsLoaded();
        return;
    }
    gRun->done = true;
    for (int i = 0; i < window->fileList.ListCount(); ++i) gRun->listed.push_back(window->fileList.List(i));
    gRun->ownerDisabled = !IsWindowEnabled(gRun->owner);
    gRun->ownedByOwner = GetWindow(window->hwnd(), GW_OWNER) == gRun->owner;
    window->newNameBox.SetText(gRun->newName);
    window->renameButton.Click();
}
}  // namespace

TEST_F(ContextWindow, RunsModalOverTheShellWindowKeepsItsSelectionAndOpensAgain) {
    auto files = MakeFiles({L"a.jpg", L"b.jpg"});
    HWND owner = CreateWindowExW(0, L"STATIC", L"shell", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    for (const wchar_t* newName : {L"One", L"Two"}) {
        ModalRun run;
        run.owner = owner;
        run.deadline = GetTickCount() + 5000;
        run.newName = newName;
        run.otherFiles = {files[1]};
        gRun = &run;
        UINT_PTR timer = SetTimer(nullptr, 0, 20, DriveModalWindow);
        prompts.answers.assign({IDOK});
        shellext::ShowContextRenameWindow(owner, {files[0]});
        KillTimer(nullptr, timer);
        gRun = nullptr;
        EXPECT_TRUE(run.secondCommandWhileOpen) << "the set-up ran before the second command";
        EXPECT_EQ(run.listed, std::vector<std::wstring>{fs::path(files[0]).filename().wstring()});
        EXPECT_TRUE(run.ownerDisabled);
        EXPECT_TRUE(run.ownedByOwner);
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_EQ(shellext::OpenRenameWindowOfThread(), nullptr);
        files[0] = (folder / (std::wstring(newName) + L"0001.jpg")).wstring();
    }
    EXPECT_EQ(FilesIn(folder), (std::set<std::wstring>{L"Two0001.jpg", L"b.jpg"}));
    EXPECT_EQ(FindWindowW(ui::kAppWindowClass, nullptr), nullptr);
    DestroyWindow(owner);
}

TEST_F(ContextWindow, HelpOpensTheTopicFromTheHelpFileBesideTheLibrary) {
    window->Load();
    window->helpButton.Click();
    HWND help = nullptr;
    for (int i = 0; i < 100 && !help; ++i) {
        ui::DoEvents();
        Sleep(20);
        help = FindWindowW(L"HH Parent", nullptr);
    }
    ASSERT_NE(help, nullptr);
    PostMessageW(help, WM_CLOSE, 0, 0);
    ui::DoEvents();
}
