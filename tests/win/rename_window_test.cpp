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
        window = std::make_unique<renamer::frmMain>();
        window->Show();
        window->Timer5.FireNow();
        window->Timer4.FireNow();
    }

    void Browse() { window->Dir1.SetPath(folder.wstring()); }

    void Mark(std::initializer_list<const wchar_t*> names) {
        for (const wchar_t* name : names) {
            int found = -1;
            for (int i = 0; i < window->File1.ListCount(); ++i)
                if (window->File1.List(i) == name) found = i;
            ASSERT_GE(found, 0) << testing::PrintToString(std::wstring(name));
            window->File1.SetSelected(found, true);
        }
    }

    void Select() {
        window->Command1.Click();
        ASSERT_TRUE(window->Timer1.FireNow());
    }

    // RENAME, the plan step and (when the question is answered OK) the perform step.
    void Rename(int answer = IDOK) {
        prompts.answers.assign({answer, IDOK});
        window->Command3.Click();
        window->Timer2.FireNow();
        window->Timer3.FireNow();
    }

    std::vector<std::wstring> RenameList() const {
        std::vector<std::wstring> names;
        for (int i = 0; i < window->List2.ListCount(); ++i) names.push_back(window->List2.List(i));
        return names;
    }

    testing_support::ScriptedPrompts prompts;
    fs::path folder;
    std::unique_ptr<renamer::frmMain> window;
};
}  // namespace

TEST_F(RenameWindow, RenamesMarkedFilesOnDisk) {
    MakeFiles({L"a.jpg", L"b.JPG", L"c.tar.gz", L"README", L"other.txt"});
    Open();
    Browse();
    Mark({L"a.jpg", L"b.JPG", L"c.tar.gz", L"README"});
    Select();
    EXPECT_EQ(RenameList(), (std::vector<std::wstring>{L"a.jpg", L"b.JPG", L"c.tar.gz", L"README"}));
    window->Text3.SetText(L"  Trip ");
    Rename();
    ASSERT_EQ(prompts.seen.size(), 2u);
    EXPECT_EQ(prompts.seen[0].text, LoadText(256));
    EXPECT_EQ(prompts.seen[0].title, LoadText(262));
    EXPECT_EQ(prompts.seen[1].text, L"Renaiming Complete");
    EXPECT_EQ(window->Text3.Text(), L"Trip");
    EXPECT_EQ(FilesOnDisk(), (std::set<std::wstring>{L"Trip0001.jpg", L"Trip0002.JPG",
                                                     L"Trip0003.tar.gz", L"Trip0004.README",
                                                     L"other.txt"}));
    EXPECT_TRUE(RenameList().empty());
    EXPECT_FALSE(window->Command3.Enabled());
    EXPECT_FALSE(window->Command4.Enabled());
}

TEST_F(RenameWindow, NewExtensionAndStartNumber) {
    MakeFiles({L"a.jpg", L"b.JPG", L"c.tar.gz"});
    Open();
    Browse();
    Mark({L"a.jpg", L"b.JPG", L"c.tar.gz"});
    Select();
    window->Text3.SetText(L"Trip");
    window->Option2.SetValue(true);
    window->Text2.SetText(L"png");
    window->Option6.SetValue(true);
    window->Text4.SetText(L"098");
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
    window->Text3.SetText(L"Trip");
    Rename(IDCANCEL);
    EXPECT_EQ(prompts.seen.size(), 1u);
    EXPECT_FALSE(window->Timer3.Enabled());
    EXPECT_EQ(FilesOnDisk(), (std::set<std::wstring>{L"a.jpg", L"b.jpg"}));
    EXPECT_TRUE(RenameList().empty());
    EXPECT_FALSE(window->Command3.Enabled());
}

TEST_F(RenameWindow, ExistingTargetStopsWith58AndKeepsEveryFile) {
    MakeFiles({L"a.jpg", L"b.jpg", L"c.jpg", L"Trip0002.jpg"});
    Open();
    Browse();
    Mark({L"a.jpg", L"b.jpg", L"c.jpg"});
    Select();
    window->Text3.SetText(L"Trip");
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
    window->Command3.Click();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, LoadText(275));
    EXPECT_FALSE(window->Timer2.Enabled());

    Browse();
    Mark({L"a.jpg"});
    Select();
    window->Text3.SetText(L"   ");
    Rename();
    EXPECT_EQ(prompts.seen.back().text, LoadText(197));
    EXPECT_EQ(window->Text3.Text(), L"");
    window->Text3.SetText(L"*");
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
    window->Text3.SetText(L"Trip");
    window->Option6.SetValue(true);
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
    window->Dir1.SetPath((folder / "One").wstring());
    Mark({L"a.txt", L"b.txt"});
    Select();
    Select();
    window->Dir1.SetPath((folder / "Two").wstring());
    Mark({L"a.txt"});
    Select();
    EXPECT_EQ(RenameList(), (std::vector<std::wstring>{L"a.txt", L"b.txt"}));
    EXPECT_EQ(window->List1, (std::vector<std::wstring>{(folder / "One").wstring(),
                                                        (folder / "One").wstring()}));
}

TEST_F(RenameWindow, RemoveKeepsTheFoldersOfTheRemainingEntries) {
    fs::create_directories(folder / "One");
    fs::create_directories(folder / "Two");
    std::ofstream(folder / "One" / "a.txt") << "1";
    std::ofstream(folder / "Two" / "b.txt") << "2";
    std::ofstream(folder / "Two" / "c.txt") << "2";
    Open();
    window->Dir1.SetPath((folder / "One").wstring());
    Mark({L"a.txt"});
    Select();
    window->Dir1.SetPath((folder / "Two").wstring());
    Mark({L"b.txt", L"c.txt"});
    Select();
    window->List2.SetSelected(0, true);
    window->Command2.Click();
    EXPECT_EQ(RenameList(), (std::vector<std::wstring>{L"b.txt", L"c.txt"}));
    EXPECT_EQ(window->List1, (std::vector<std::wstring>{(folder / "Two").wstring(),
                                                        (folder / "Two").wstring()}));
    EXPECT_TRUE(window->Command3.Enabled());

    window->List2.SelectAll();
    window->Command2.Click();
    EXPECT_TRUE(RenameList().empty());
    EXPECT_FALSE(window->Command3.Enabled());
    EXPECT_FALSE(window->Command4.Enabled());
    EXPECT_FALSE(window->clear.Enabled());
}

TEST_F(RenameWindow, SelectWithNothingMarkedOnlyEnablesClearing) {
    MakeFiles({L"a.txt"});
    Open();
    Browse();
    EXPECT_FALSE(window->Command4.Enabled());
    Select();
    EXPECT_TRUE(RenameList().empty());
    EXPECT_TRUE(window->Command4.Enabled());
    EXPECT_TRUE(window->clear.Enabled());
}

TEST_F(RenameWindow, TypeFilterSelectsEveryMatchingFileWhateverTheCase) {
    MakeFiles({L"a.EXE", L"b.exe", L"c.txt"});
    Open();
    Browse();
    window->Filter_Click(L"*.EXE");
    EXPECT_EQ(window->Text1.Text(), L"*.EXE");
    ASSERT_EQ(window->File1.ListCount(), 2);
    EXPECT_EQ(window->File1.SelCount(), 2);
    window->cf_Click();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, L"2 file(s) marked in filelist right now!");
    window->File1.ClearSelection();
    window->cf_Click();
    EXPECT_EQ(prompts.seen.size(), 1u);
}

TEST_F(RenameWindow, OptionReactions) {
    Open();
    auto& w = *window;
    EXPECT_TRUE(w.Option1.Value());
    EXPECT_TRUE(w.Option3.Value());
    EXPECT_FALSE(w.Text2.Enabled());
    EXPECT_FALSE(w.Text4.Enabled());
    w.Option2.SetValue(true);
    EXPECT_TRUE(w.Text2.Enabled());
    EXPECT_TRUE(w.Label2.Enabled());
    w.Text2.SetText(L"png");
    w.Option1.SetValue(true);
    EXPECT_EQ(w.Text2.Text(), L"");
    EXPECT_FALSE(w.Text2.Enabled());

    w.Option6.SetValue(true);
    EXPECT_TRUE(w.Text4.Enabled());
    w.Text4.SetText(L"0048");
    w.Option4.SetValue(true);
    EXPECT_EQ(w.Text4.Text(), L"");
    EXPECT_TRUE(w.Text4.Enabled());

    w.Text3.SetText(L"*");
    for (ui::Control* c : {static_cast<ui::Control*>(&w.Option3), static_cast<ui::Control*>(&w.Option6),
                           static_cast<ui::Control*>(&w.Text4)})
        EXPECT_FALSE(c->Enabled());
    w.Text3.SetText(L"");
    EXPECT_TRUE(w.Option3.Enabled());
    EXPECT_TRUE(w.Text4.Enabled());

    w.Check1.SetValue(true);
    EXPECT_FALSE(w.Option1.Enabled());
    EXPECT_FALSE(w.Option5.Enabled());
    EXPECT_FALSE(w.Text2.Enabled());
    w.Check1.SetValue(false);
    EXPECT_TRUE(w.Option1.Enabled());
    EXPECT_TRUE(w.Option5.Enabled());
    EXPECT_TRUE(w.Text2.Enabled());  // enabled even with the kept extension
}

TEST_F(RenameWindow, StartNumberValidation) {
    Open();
    auto& w = *window;
    w.Option6.SetValue(true);
    w.Text4.SetText(L"-12");
    EXPECT_TRUE(prompts.seen.empty());
    w.Text4.SetText(L"9999");
    EXPECT_TRUE(prompts.seen.empty());
    w.Text4.SetText(L"12a");
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, L"Only numbers in this field");
    EXPECT_EQ(w.Text4.Text(), L"0000");
    // A fifth character cannot be typed.
    w.Text4.SetText(L"1234");
    w.Text4.SetFocus();
    SendMessageW(w.Text4.hwnd(), EM_SETSEL, 4, 4);
    SendMessageW(w.Text4.hwnd(), WM_CHAR, L'5', 1);
    EXPECT_EQ(w.Text4.Text(), L"1234");
}

TEST_F(RenameWindow, SettingsAreWrittenAtCloseEvenOnCancelAndRestored) {
    fs::create_directories(folder / "Pics");
    Open();
    window->Dir1.SetPath((folder / "Pics").wstring());
    window->Text1.SetText(L"*.jpg");
    window->Option2.SetValue(true);
    window->Text2.SetText(L"png");
    window->Option5.SetValue(true);
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
    EXPECT_EQ(window->Dir1.Path(), (folder / "Pics").wstring());
    EXPECT_EQ(window->File1.Pattern(), L"*.jpg");
    EXPECT_TRUE(window->Option2.Value());
    EXPECT_EQ(window->Text2.Text(), L"png");
    EXPECT_TRUE(window->Option5.Value());
}

TEST_F(RenameWindow, StartNumberIsRestoredHalfASecondLater) {
    Open();
    window->Option6.SetValue(true);
    window->Text4.SetText(L"0048");
    prompts.answers.assign({IDOK});
    window->Unload();
    EXPECT_EQ(base::ReadIniValue(L"rename", L"ext"), L"True");
    EXPECT_EQ(base::ReadIniValue(L"rename", L"index"), L"4");
    EXPECT_EQ(base::ReadIniValue(L"rename", L"indextxt"), L"0048");

    window = std::make_unique<renamer::frmMain>();
    window->Show();
    window->Timer5.FireNow();
    EXPECT_TRUE(window->Timer4.Enabled());
    EXPECT_FALSE(window->Option6.Value());
    EXPECT_TRUE(window->Timer4.FireNow());
    EXPECT_TRUE(window->Option6.Value());
    EXPECT_EQ(window->Text4.Text(), L"0048");
    EXPECT_TRUE(window->Text4.Enabled());
}

TEST_F(RenameWindow, DeletedFolderFallsBackToDriveC) {
    base::WriteIniValue(L"rename", L"lastcat", (folder / "gone").wstring());
    base::WriteIniValue(L"rename", L"format", L"*.jpg");
    base::WriteIniValue(L"rename", L"ext", L"False");
    base::WriteIniValue(L"rename", L"index", L"2");
    Open();
    EXPECT_EQ(window->Drive1.Drive(), L"c:");
    EXPECT_EQ(window->Text1.Text(), L"*.*");
    EXPECT_TRUE(window->Option1.Value());
    EXPECT_TRUE(window->Option3.Value());
    EXPECT_TRUE(prompts.seen.empty());
}

TEST_F(RenameWindow, EscapeAsksTheExitQuestion) {
    Open();
    prompts.answers.assign({IDCANCEL});
    PostMessageW(window->Text3.hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    ui::DoEvents();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, LoadText(211));
    EXPECT_TRUE(window->IsLoaded());
}

TEST_F(RenameWindow, NotReadyDriveIsReportedAndTheDriveGoesBack) {
    Open();
    Browse();
    const std::wstring before = window->Drive1.Drive();
    // The user chooses drive z:, which has no disk.
    ui::SetDriveReadyProbe([](const std::wstring& root) { return towlower(root[0]) != L'z'; });
    int z = -1;
    for (int i = 0; i < window->Drive1.ListCount(); ++i) {
        const std::wstring text = window->Drive1.List(i);
        if (text.size() >= 2 && text[0] == L'z' && text[1] == L':') z = i;
    }
    ASSERT_GE(z, 0);
    SendMessageW(window->Drive1.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(z), 0);
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(window->Drive1.id(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window->Drive1.hwnd()));
    ui::SetDriveReadyProbe(nullptr);
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, L"Device (Z:) not ready" + std::wstring(23, L' '));
    EXPECT_EQ(prompts.seen[0].title, L"Not ready");
    EXPECT_EQ(window->Drive1.Drive(), before);
    EXPECT_EQ(window->Dir1.Path(), folder.wstring());
    EXPECT_TRUE(window->Dir1.Enabled());
}

TEST_F(RenameWindow, RightClickInTheRenameListMarksEveryEntry) {
    MakeFiles({L"a.txt", L"b.txt", L"c.txt"});
    Open();
    Browse();
    Mark({L"a.txt", L"b.txt", L"c.txt"});
    Select();
    EXPECT_EQ(window->List2.SelCount(), 0);
    SendMessageW(window->List2.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window->List2.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(window->List2.SelCount(), 3);
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
    window->GotoPrint.Click();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, LoadText(259) + L"\r" + LoadText(260));
    EXPECT_EQ(prompts.seen[0].title, LoadText(261));
    EXPECT_TRUE(window->IsLoaded());

    prompts.answers.assign({IDYES});
    window->GotoPrint.Click();
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
    window->Text3.SetText(L"Trip");
    window->Option6.SetValue(true);
    // The box takes four typed characters; a hand-edited settings file can bring a longer start.
    window->Text4.SetText(L"32767");
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
    window->File1.SelectAll();
    Select();
    ASSERT_EQ(window->List2.ListCount(), 1000);
    window->Text3.SetText(L"Trip");
    window->Check1.SetValue(true);
    Rename();
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, LoadText(282));
    EXPECT_EQ(prompts.seen[0].title, L"Stop");
    EXPECT_EQ(prompts.seen[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_FALSE(window->Timer3.Enabled());
    EXPECT_TRUE(RenameList().empty());
    EXPECT_EQ(FilesOnDisk().size(), 1000u);
    EXPECT_EQ(FilesOnDisk().count(L"f999.txt"), 1u);
}
