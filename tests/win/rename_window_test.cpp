// The rename window driven like a user would: marking files, SELECT,
// options, RENAME, answering its questions, closing and opening again.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ui/MainWindows.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "rename/RenameWindow.h"
#include "tests/win/prompts.h"
#include "ui/App.h"
#include "ui/BrowserBoxes.h"
#include "ui/MsgBox.h"

namespace fs = std::filesystem;
using base::LoadText;

namespace {
class RenameWindow : public testing::Test {
protected:
    void SetUp() override {
        DeleteFileW(base::SettingsFilePath().c_str());
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = fs::path(temp) / ("nomaro-rename-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        if (window && window->IsLoaded()) {
            prompts.answers.assign({IDOK});
            window->Unload();
        }
        window.reset();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        DeleteFileW(base::SettingsFilePath().c_str());
    }

    void MakeFiles(std::initializer_list<const wchar_t*> names) {
        for (const wchar_t* name : names) std::ofstream(folder / name) << fs::path(name).string();
    }

    std::set<std::wstring> FilesOnDisk() const {
        std::set<std::wstring> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().wstring());
        return names;
    }

    // Opens the window as the program does, with the settings restored.
    void Open() {
        window = std::make_unique<renamer::RenameWindow>();
        window->Show();
        window->restoreSettingsTimer.FireNow();
        window->restoreStartNumberTimer.FireNow();
    }

    void Browse() { window->folderBox.SetPath(folder.wstring()); }

    void Mark(std::initializer_list<const wchar_t*> names) {
        for (const wchar_t* name : names) {
            int found = -1;
            for (int i = 0; i < window->fileBox.ListCount(); ++i)
                if (window->fileBox.List(i) == name) found = i;
            ASSERT_GE(found, 0) << testing::PrintToString(std::wstring(name));
            window->fileBox.SetSelected(found, true);
        }
    }

    void Select() {
        window->selectButton.Click();
        ASSERT_TRUE(window->transferTimer.FireNow());
    }

    // RENAME, the plan step and (when the question is answered OK) the perform step.
    void Rename(int answer = IDOK) {
        prompts.answers.assign({answer, IDOK});
        window->renameButton.Click();
        window->planTimer.FireNow();
        window->performTimer.FireNow();
    }

    std::vector<std::wstring> RenameList() const {
        std::vector<std::wstring> names;
        for (int i = 0; i < window->renameList.ListCount(); ++i) names.push_back(window->renameList.List(i));
        return names;
    }

    testing_support::ScriptedPrompts prompts;
    fs::path folder;
    std::unique_ptr<renamer::RenameWindow> window;
};
}  // namespace

TEST_F(RenameWindow, RenamesMarkedFilesOnDisk) {
    MakeFiles({L"a.jpg", L"b.JPG", L"c.tar.gz", L"README", L"other.txt"});
    Open();
    Browse();
    Mark({L"a.jpg", L"b.JPG", L"c.tar.gz", L"README"});
    Select();
    EXPECT_EQ(RenameList(), (std::vector<std::wstring>{L"a.jpg", L"b.JPG", L"c.tar.gz", L"README"}));
    window->newNameBox.SetText(L"  Trip ");
    Rename();
    ASSERT_EQ(prompts.seen.size(), 2u);
    EXPECT_EQ(prompts.seen[0].text, LoadText(256));
    EXPECT_EQ(prompts.seen[0].title, LoadText(262));
    EXPECT_EQ(prompts.seen[1].text, L"Renaiming Complete");
    EXPECT_EQ(window->newNameBox.Text(), L"Trip");
    EXPECT_EQ(FilesOnDisk(), (std::set<std::wstring>{L"Trip0001.jpg", L"Trip0002.JPG",
                                                     L"Trip0003.tar.gz", L"Trip0004.README",
                                                     L"other.txt"}));
    EXPECT_TRUE(RenameList().empty());
    EXPECT_FALSE(window->renameButton.Enabled());
    EXPECT_FALSE(window->clearListButton.Enabled());
}

TEST_F(RenameWindow, NewExtensionAndStartNumber) {
    MakeFiles({L"a.jpg", L"b.JPG", L"c.tar.gz"});
    Open();
    Browse();
    Mark({L"a.jpg", L"b.JPG", L"c.tar.gz"});
    Select();
    window->newNameBox.SetText(L"Trip");
    window->newExtensionOption.SetValue(true);
    window->newExtensionBox.SetText(L"png");
    window->startNumberOption.SetValue(true);
    window->startNumberBox.SetText(L"098");
    Rename();
    EXPECT_EQ(FilesOnDisk(),
              (std::set<std::wstring>{L"Trip098.png", L"Trip099.png", L"Trip100.png"}));
}

TEST_F(RenameWindow, CancelAtTheQuestionRenamesNothingAndEmptiesTheList) {
    MakeFiles({L"a.jpg", L"b.jpg"});
    Open();
    Browse();
    Mark({L"a.jpg", L"b.jpg"});
    Select();
    window->newNameBox.SetText(L"Trip");
    Rename(IDCANCEL);
    EXPECT_EQ(prompts.seen.size(), 1u);
    EXPECT_FALSE(window->performTimer.Enabled());
    EXPECT_EQ(FilesOnDisk(), (std::set<std::wstring>{L"a.jpg", L"b.jpg"}));
    EXPECT_TRUE(RenameList().empty());
    EXPECT_FALSE(window->renameButton.Enabled());
}

TEST_F(RenameWindow, ExistingTargetStopsWith58AndKeepsEveryFile) {
    MakeFiles({L"a.jpg", L"b.jpg", L"c.jpg", L"Trip0002.jpg"});
    Open();
    Browse();
    Mark({L"a.jpg", L"b.jpg", L"c.jpg"});
    Select();
    window->newNameBox.SetText(L"Trip");
    Rename();
    ASSERT_EQ(prompts.seen.size(), 2u);
    EXPECT_EQ(prompts.seen[1].text, L"Error 58\r" + LoadText(196));
    EXPECT_EQ(prompts.seen[1].title, L"Error 58");
    EXPECT_EQ(prompts.seen[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(FilesOnDisk(),
              (std::set<std::wstring>{L"Trip0001.jpg", L"b.jpg", L"c.jpg", L"Trip0002.jpg"}));
    std::ifstream kept(folder / "Trip0002.jpg");
    std::string content;
    kept >> content;
    EXPECT_EQ(content, "Trip0002.jpg");
    EXPECT_TRUE(RenameList().empty());
}

TEST_F(RenameWindow, EarlyChecksKeepTheList) {
    MakeFiles({L"a.jpg"});
    Open();
    prompts.answers.assign({IDOK});
    window->renameButton.Click();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, LoadText(275));
    EXPECT_FALSE(window->planTimer.Enabled());

    Browse();
    Mark({L"a.jpg"});
    Select();
    window->newNameBox.SetText(L"   ");
    Rename();
    EXPECT_EQ(prompts.seen.back().text, LoadText(197));
    EXPECT_EQ(window->newNameBox.Text(), L"");
    window->newNameBox.SetText(L"*");
    Rename();
    EXPECT_EQ(prompts.seen.back().text, LoadText(241));
    EXPECT_EQ(prompts.seen.back().title, L"?");
    EXPECT_EQ(RenameList(), std::vector<std::wstring>{L"a.jpg"});
    EXPECT_EQ(FilesOnDisk(), std::set<std::wstring>{L"a.jpg"});
}

TEST_F(RenameWindow, EmptyStartNumberFailsWhenTheIndexesAreBuilt) {
    MakeFiles({L"a.jpg"});
    Open();
    Browse();
    Mark({L"a.jpg"});
    Select();
    window->newNameBox.SetText(L"Trip");
    window->startNumberOption.SetValue(true);
    Rename();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text.rfind(L"Error Number = 13\rError description = ", 0), 0u);
    EXPECT_EQ(prompts.seen[0].title, L"Error 13");
    EXPECT_TRUE(RenameList().empty());
    EXPECT_EQ(FilesOnDisk(), std::set<std::wstring>{L"a.jpg"});
}

TEST_F(RenameWindow, DuplicatesAreRefusedByExactName) {
    fs::create_directories(folder / "One");
    fs::create_directories(folder / "Two");
    std::ofstream(folder / "One" / "a.txt") << "1";
    std::ofstream(folder / "One" / "b.txt") << "1";
    std::ofstream(folder / "Two" / "a.txt") << "2";
    std::ofstream(folder / "Two" / "A.TXT.bak") << "2";
    Open();
    window->folderBox.SetPath((folder / "One").wstring());
    Mark({L"a.txt", L"b.txt"});
    Select();
    Select();
    window->folderBox.SetPath((folder / "Two").wstring());
    Mark({L"a.txt"});
    Select();
    EXPECT_EQ(RenameList(), (std::vector<std::wstring>{L"a.txt", L"b.txt"}));
    EXPECT_EQ(window->entryFolders, (std::vector<std::wstring>{(folder / "One").wstring(),
                                                        (folder / "One").wstring()}));
}

TEST_F(RenameWindow, RemoveKeepsTheFoldersOfTheRemainingEntries) {
    fs::create_directories(folder / "One");
    fs::create_directories(folder / "Two");
    std::ofstream(folder / "One" / "a.txt") << "1";
    std::ofstream(folder / "Two" / "b.txt") << "2";
    std::ofstream(folder / "Two" / "c.txt") << "2";
    Open();
    window->folderBox.SetPath((folder / "One").wstring());
    Mark({L"a.txt"});
    Select();
    window->folderBox.SetPath((folder / "Two").wstring());
    Mark({L"b.txt", L"c.txt"});
    Select();
    window->renameList.SetSelected(0, true);
    window->unselectButton.Click();
    EXPECT_EQ(RenameList(), (std::vector<std::wstring>{L"b.txt", L"c.txt"}));
    EXPECT_EQ(window->entryFolders, (std::vector<std::wstring>{(folder / "Two").wstring(),
                                                        (folder / "Two").wstring()}));
    EXPECT_TRUE(window->renameButton.Enabled());

    window->renameList.SelectAll();
    window->unselectButton.Click();
    EXPECT_TRUE(RenameList().empty());
    EXPECT_FALSE(window->renameButton.Enabled());
    EXPECT_FALSE(window->clearListButton.Enabled());
    EXPECT_FALSE(window->clearListItem.Enabled());
}

TEST_F(RenameWindow, SelectWithNothingMarkedOnlyEnablesClearing) {
    MakeFiles({L"a.txt"});
    Open();
    Browse();
    EXPECT_FALSE(window->clearListButton.Enabled());
    Select();
    EXPECT_TRUE(RenameList().empty());
    EXPECT_TRUE(window->clearListButton.Enabled());
    EXPECT_TRUE(window->clearListItem.Enabled());
}

TEST_F(RenameWindow, TypeFilterSelectsEveryMatchingFileWhateverTheCase) {
    MakeFiles({L"a.EXE", L"b.exe", L"c.txt"});
    Open();
    Browse();
    window->OnFilterClick(L"*.EXE");
    EXPECT_EQ(window->patternBox.Text(), L"*.EXE");
    ASSERT_EQ(window->fileBox.ListCount(), 2);
    EXPECT_EQ(window->fileBox.SelCount(), 2);
    window->OnCountMarkedClick();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, L"2 file(s) marked in filelist right now!");
    window->fileBox.ClearSelection();
    window->OnCountMarkedClick();
    EXPECT_EQ(prompts.seen.size(), 1u);
}

TEST_F(RenameWindow, OptionReactions) {
    Open();
    auto& w = *window;
    EXPECT_TRUE(w.keepExtensionOption.Value());
    EXPECT_TRUE(w.fourDigitOption.Value());
    EXPECT_FALSE(w.newExtensionBox.Enabled());
    EXPECT_FALSE(w.startNumberBox.Enabled());
    w.newExtensionOption.SetValue(true);
    EXPECT_TRUE(w.newExtensionBox.Enabled());
    EXPECT_TRUE(w.newExtensionLabel.Enabled());
    w.newExtensionBox.SetText(L"png");
    w.keepExtensionOption.SetValue(true);
    EXPECT_EQ(w.newExtensionBox.Text(), L"");
    EXPECT_FALSE(w.newExtensionBox.Enabled());

    w.startNumberOption.SetValue(true);
    EXPECT_TRUE(w.startNumberBox.Enabled());
    w.startNumberBox.SetText(L"0048");
    w.threeDigitOption.SetValue(true);
    EXPECT_EQ(w.startNumberBox.Text(), L"");
    EXPECT_TRUE(w.startNumberBox.Enabled());

    w.newNameBox.SetText(L"*");
    for (ui::Control* c : {static_cast<ui::Control*>(&w.fourDigitOption), static_cast<ui::Control*>(&w.startNumberOption),
                           static_cast<ui::Control*>(&w.startNumberBox)})
        EXPECT_FALSE(c->Enabled());
    w.newNameBox.SetText(L"");
    EXPECT_TRUE(w.fourDigitOption.Enabled());
    EXPECT_TRUE(w.startNumberBox.Enabled());

    w.indexedExtensionBox.SetValue(true);
    EXPECT_FALSE(w.keepExtensionOption.Enabled());
    EXPECT_FALSE(w.twoDigitOption.Enabled());
    EXPECT_FALSE(w.newExtensionBox.Enabled());
    w.indexedExtensionBox.SetValue(false);
    EXPECT_TRUE(w.keepExtensionOption.Enabled());
    EXPECT_TRUE(w.twoDigitOption.Enabled());
    EXPECT_TRUE(w.newExtensionBox.Enabled());  // enabled even with the kept extension
}

TEST_F(RenameWindow, StartNumberValidation) {
    Open();
    auto& w = *window;
    w.startNumberOption.SetValue(true);
    w.startNumberBox.SetText(L"-12");
    EXPECT_TRUE(prompts.seen.empty());
    w.startNumberBox.SetText(L"9999");
    EXPECT_TRUE(prompts.seen.empty());
    w.startNumberBox.SetText(L"12a");
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, L"Only numbers in this field");
    EXPECT_EQ(w.startNumberBox.Text(), L"0000");
    // A fifth character cannot be typed.
    w.startNumberBox.SetText(L"1234");
    w.startNumberBox.SetFocus();
    SendMessageW(w.startNumberBox.hwnd(), EM_SETSEL, 4, 4);
    SendMessageW(w.startNumberBox.hwnd(), WM_CHAR, L'5', 1);
    EXPECT_EQ(w.startNumberBox.Text(), L"1234");
}

TEST_F(RenameWindow, SettingsAreWrittenAtCloseEvenOnCancelAndRestored) {
    fs::create_directories(folder / "Pics");
    Open();
    window->folderBox.SetPath((folder / "Pics").wstring());
    window->patternBox.SetText(L"*.jpg");
    window->newExtensionOption.SetValue(true);
    window->newExtensionBox.SetText(L"png");
    window->twoDigitOption.SetValue(true);
    prompts.answers.assign({IDCANCEL});
    EXPECT_FALSE(window->Unload());
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, LoadText(211));
    EXPECT_EQ(prompts.seen[0].title, LoadText(239));
    EXPECT_EQ(base::ReadIniValue(L"rename", L"ext"), L"False");
    EXPECT_EQ(base::ReadIniValue(L"rename", L"exttxt"), L"png");
    EXPECT_EQ(base::ReadIniValue(L"rename", L"index"), L"3");
    EXPECT_EQ(base::ReadIniValue(L"rename", L"lastcat"), (folder / "Pics").wstring());
    EXPECT_EQ(base::ReadIniValue(L"rename", L"format"), L"*.jpg");
    prompts.answers.assign({IDOK});
    EXPECT_TRUE(window->Unload());

    Open();
    EXPECT_EQ(window->folderBox.Path(), (folder / "Pics").wstring());
    EXPECT_EQ(window->fileBox.Pattern(), L"*.jpg");
    EXPECT_TRUE(window->newExtensionOption.Value());
    EXPECT_EQ(window->newExtensionBox.Text(), L"png");
    EXPECT_TRUE(window->twoDigitOption.Value());
}

TEST_F(RenameWindow, StartNumberIsRestoredHalfASecondLater) {
    Open();
    window->startNumberOption.SetValue(true);
    window->startNumberBox.SetText(L"0048");
    prompts.answers.assign({IDOK});
    window->Unload();
    EXPECT_EQ(base::ReadIniValue(L"rename", L"ext"), L"True");
    EXPECT_EQ(base::ReadIniValue(L"rename", L"index"), L"4");
    EXPECT_EQ(base::ReadIniValue(L"rename", L"indextxt"), L"0048");

    window = std::make_unique<renamer::RenameWindow>();
    window->Show();
    window->restoreSettingsTimer.FireNow();
    EXPECT_TRUE(window->restoreStartNumberTimer.Enabled());
    EXPECT_FALSE(window->startNumberOption.Value());
    EXPECT_TRUE(window->restoreStartNumberTimer.FireNow());
    EXPECT_TRUE(window->startNumberOption.Value());
    EXPECT_EQ(window->startNumberBox.Text(), L"0048");
    EXPECT_TRUE(window->startNumberBox.Enabled());
}

TEST_F(RenameWindow, DeletedFolderFallsBackToDriveC) {
    base::WriteIniValue(L"rename", L"lastcat", (folder / "gone").wstring());
    base::WriteIniValue(L"rename", L"format", L"*.jpg");
    base::WriteIniValue(L"rename", L"ext", L"False");
    base::WriteIniValue(L"rename", L"index", L"2");
    Open();
    EXPECT_EQ(window->driveBox.Drive(), L"c:");
    EXPECT_EQ(window->patternBox.Text(), L"*.*");
    EXPECT_TRUE(window->keepExtensionOption.Value());
    EXPECT_TRUE(window->fourDigitOption.Value());
    EXPECT_TRUE(prompts.seen.empty());
}

TEST_F(RenameWindow, EscapeAsksTheExitQuestion) {
    Open();
    prompts.answers.assign({IDCANCEL});
    PostMessageW(window->newNameBox.hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    ui::DoEvents();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, LoadText(211));
    EXPECT_TRUE(window->IsLoaded());
}

TEST_F(RenameWindow, NotReadyDriveIsReportedAndTheDriveGoesBack) {
    Open();
    Browse();
    const std::wstring before = window->driveBox.Drive();
    // The user chooses drive z:, which has no disk.
    ui::SetDriveReadyProbe([](const std::wstring& root) { return towlower(root[0]) != L'z'; });
    int z = -1;
    for (int i = 0; i < window->driveBox.ListCount(); ++i) {
        const std::wstring text = window->driveBox.List(i);
        if (text.size() >= 2 && text[0] == L'z' && text[1] == L':') z = i;
    }
    ASSERT_GE(z, 0);
    SendMessageW(window->driveBox.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(z), 0);
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(window->driveBox.id(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window->driveBox.hwnd()));
    ui::SetDriveReadyProbe(nullptr);
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, L"Device (Z:) not ready" + std::wstring(23, L' '));
    EXPECT_EQ(prompts.seen[0].title, L"Not ready");
    EXPECT_EQ(window->driveBox.Drive(), before);
    EXPECT_EQ(window->folderBox.Path(), folder.wstring());
    EXPECT_TRUE(window->folderBox.Enabled());
}

TEST_F(RenameWindow, RightClickInTheRenameListMarksEveryEntry) {
    MakeFiles({L"a.txt", L"b.txt", L"c.txt"});
    Open();
    Browse();
    Mark({L"a.txt", L"b.txt", L"c.txt"});
    Select();
    EXPECT_EQ(window->renameList.SelCount(), 0);
    SendMessageW(window->renameList.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window->renameList.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(window->renameList.SelCount(), 3);
}

// Stands in for the list window, which lives in a folder of its own.
class ListWindowStandIn : public ui::Form {
protected:
    void CreateControls() override { SetCaption(L"list window stand-in"); }
};

TEST_F(RenameWindow, SwitchToTheListWindowSavesAndAsksNoExitQuestion) {
    ui::RegisterMainWindow(ui::MainWindow::List, [] { return std::make_unique<ListWindowStandIn>(); });
    Open();
    prompts.answers.assign({IDNO});
    window->gotoListWindowItem.Click();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, LoadText(259) + L"\r" + LoadText(260));
    EXPECT_EQ(prompts.seen[0].title, LoadText(261));
    EXPECT_TRUE(window->IsLoaded());

    prompts.answers.assign({IDYES});
    window->gotoListWindowItem.Click();
    EXPECT_EQ(prompts.seen.size(), 2u);  // no exit question
    EXPECT_FALSE(window->IsLoaded());
    EXPECT_EQ(base::ReadIniValue(L"rename", L"index"), L"1");
    ASSERT_NE(ui::CurrentMainWindow(), nullptr);
    EXPECT_EQ(ui::CurrentMainWindow()->Caption(), L"list window stand-in");
    ui::CurrentMainWindow()->Unload();
}

TEST_F(RenameWindow, IndexesBeyond32767FailWithOverflowAndRenameNothing) {
    MakeFiles({L"a.jpg", L"b.jpg"});
    Open();
    Browse();
    Mark({L"a.jpg", L"b.jpg"});
    Select();
    window->newNameBox.SetText(L"Trip");
    window->startNumberOption.SetValue(true);
    // The box takes four typed characters; a hand-edited settings file can bring a longer start.
    window->startNumberBox.SetText(L"32767");
    Rename();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, L"Error Number = 6\rError description = Overflow");
    EXPECT_EQ(prompts.seen[0].title, L"Error 6");
    EXPECT_EQ(prompts.seen[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_TRUE(RenameList().empty());
    EXPECT_EQ(FilesOnDisk(), (std::set<std::wstring>{L"a.jpg", L"b.jpg"}));
}

TEST_F(RenameWindow, AThousandFilesWithTheIndexedExtensionAreRefused) {
    for (int i = 0; i < 1000; ++i) {
        std::string name = std::to_string(i);
        name.insert(0, 1, 'f');
        name.append(".txt");
        std::ofstream(folder / name) << i;
    }
    Open();
    Browse();
    window->fileBox.SelectAll();
    Select();
    ASSERT_EQ(window->renameList.ListCount(), 1000);
    window->newNameBox.SetText(L"Trip");
    window->indexedExtensionBox.SetValue(true);
    Rename();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, LoadText(282));
    EXPECT_EQ(prompts.seen[0].title, L"Stop");
    EXPECT_EQ(prompts.seen[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_FALSE(window->performTimer.Enabled());
    EXPECT_TRUE(RenameList().empty());
    EXPECT_EQ(FilesOnDisk().size(), 1000u);
    EXPECT_EQ(FilesOnDisk().count(L"f999.txt"), 1u);
}
