// The list window driven as a person drives it, from loading to closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/Wiring.h"
#include "base/Display.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "rename/RenameWindow.h"
#include "tests/win/list_window_fixture.h"
#include "ui/App.h"
#include "ui/BrowserBoxes.h"
#include "ui/MainWindows.h"
#include "ui/Screen.h"

namespace fs = std::filesystem;
using base::LoadText;
using base::Text;
using Names = std::vector<std::wstring>;
using Window = listwin::ListWindow;

namespace {
class ListWindow : public testing_support::ListWindowFixture {
protected:
    void SetUp() override { DeleteFileW(base::SettingsFilePath().c_str()); }  // each test opens itself
    void TearDown() override {
        ui::SetDriveReadyProbe(nullptr);
        base::ScreenResolution.clear();
        ListWindowFixture::TearDown();
    }
    void MakeFiles(const Names& names) {
        for (const auto& name : names) std::ofstream(folder / name) << "x";
    }
    Names Marked() const {
        Names names;
        for (int i : window->fileBox.SelectedIndices()) names.push_back(window->fileBox.List(i));
        return names;
    }
    void SetPictureMode(bool on) { window->viewPicturesBox.SetValue(on); }
};

// Whether every command that needs a document, in every form it takes, is `enabled`.
bool AllDocumentCommands(const Window& w, bool enabled) {
    const bool states[] = {w.saveButton.Enabled(), w.printButton.Enabled(), w.clearButton.Enabled(),
                           w.saveItem.Enabled(), w.printItem.Enabled(), w.closeItem.Enabled(),
                           w.cutItem.Enabled(), w.copyItem.Enabled(), w.deleteItem.Enabled(),
                           w.clearListItem.Enabled(), w.fontItem.Enabled(),
                           w.toolbar.ButtonEnabled(listwin::kPrintToolButton),
                           w.toolbar.ButtonEnabled(listwin::kSaveToolButton),
                           w.toolbar.ButtonEnabled(listwin::kClearToolButton)};
    return std::all_of(std::begin(states), std::end(states), [enabled](bool state) { return state == enabled; });
}

}  // namespace

// The pattern and the states the commands start in.
TEST_F(ListWindow, LoadsWithItsStartStates) {
    MakeFiles({L"a.txt"});
    SetCurrentDirectoryW(folder.c_str());
    Open(false);
    Window& w = *window;
    EXPECT_EQ(std::tuple(w.patternBox.Text(), w.fileBox.Pattern()), std::tuple(L"*.*", L"*.*"));
    EXPECT_TRUE(w.addToListButton.Enabled());
    EXPECT_TRUE(AllDocumentCommands(w, false));
    for (int button : {listwin::kExitToolButton, listwin::kAboutToolButton, listwin::kHelpToolButton})
        EXPECT_TRUE(w.toolbar.ButtonEnabled(button)) << button;
    EXPECT_TRUE(w.openItem.Enabled() && w.statusBarItem.Checked() && !w.includePathItem.Checked());
    EXPECT_TRUE(w.ListMode() && !w.viewPicturesItem.Checked());
    EXPECT_TRUE(w.clipboardTimer.Enabled() && !w.transferTimer.Enabled());
}

// Each of the three screen layouts is chosen by its resolution; any other
// resolution keeps the design, which has the drive box of the smallest one.
TEST_F(ListWindow, LaysOutForTheScreen) {
    const struct {
        const wchar_t* resolution;
        long driveTop, documentWidth, thumbnailTop;
    } table[] = {
        {L"1024", 1170, 9735, 6925}, {L"800", 1170, 6285, 6200}, {L"640", 600, 4215, 5300}, {L"", 600, 6285, 6200},
    };
    for (const auto& row : table) {
        base::ScreenResolution = row.resolution;
        Open();
        EXPECT_TRUE(window->driveBox.Top() == row.driveTop && window->document.Width() == row.documentWidth &&
                    window->PreviewLayout().thumbnailTop == row.thumbnailTop)
            << testing::PrintToString(row.resolution);
        prompts.answers.assign({IDOK});
        window->Unload();
    }
}

// `checker2`: typing enables every command of the document and resets the
// pattern; deleting everything disables them again. Picture view leaves all as it is.
TEST_F(ListWindow, CommandStatesFollowTheDocumentAndHintsThePointer) {
    MakeFiles({L"a.txt", L"b.jpg"});
    Open();
    Window& w = *window;
    w.folderBox.SetPath(folder.wstring());
    w.patternBox.SetText(L"*.txt");
    Type(L"abc");
    EXPECT_EQ(w.DocumentText(), L"abc");
    Select(1, 1);
    w.document.ReplaceSelection(L"\rB\r");
    EXPECT_EQ(w.DocumentText(), L"a\rB\rc");
    EXPECT_TRUE(AllDocumentCommands(w, true));
    EXPECT_EQ(std::tuple(w.fileBox.Pattern(), w.fileBox.ListCount()), std::tuple(L"*.*", 2));

    w.patternBox.SetText(L"*.txt");
    w.document.SelectAll();
    w.document.ReplaceSelection(L"");
    EXPECT_TRUE(w.DocumentEmpty());
    EXPECT_TRUE(AllDocumentCommands(w, false));
    EXPECT_EQ(w.patternBox.Text(), L"*.*");

    SetPictureMode(true);
    w.patternBox.SetText(L"*.txt");
    Type(L"x");
    EXPECT_EQ(w.patternBox.Text(), L"*.txt");
    EXPECT_TRUE(AllDocumentCommands(w, false));
    w.viewPicturesItem.Click();
    EXPECT_TRUE(w.ListMode() && !w.viewPicturesBox.Value());
    EXPECT_TRUE(AllDocumentCommands(w, true));

    // An empty folder leaves nothing to add.
    fs::create_directories(folder / "empty");
    w.folderBox.SetPath((folder / "empty").wstring());
    EXPECT_FALSE(w.addToListButton.Enabled());

    // The toolbar's hint follows the pointer in list mode only; the idle text
    // returns over the bare window; far right the panel keeps its text.
    auto moveTo = [&](long twips, HWND over = nullptr) {
        const int pixel = ui::TwipsToPixelsX(twips);
        SendMessageW(over ? over : w.toolbar.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(pixel, 5));
        return w.statusBar.PanelText(1);
    };
    EXPECT_EQ(moveTo(0), LoadText(Text::ExitProgram));
    EXPECT_EQ(moveTo(3200), L"Noma Ro 3");
    EXPECT_EQ(moveTo(690), LoadText(Text::SaveAs));
    EXPECT_EQ(moveTo(3500), LoadText(Text::SaveAs));
    SetPictureMode(true);
    EXPECT_EQ(moveTo(2500), LoadText(Text::SaveAs));
    EXPECT_EQ(moveTo(45, w.printButton.hwnd()), LoadText(Text::SaveAs));
    SetPictureMode(false);
    EXPECT_EQ(moveTo(45, w.printButton.hwnd()), LoadText(Text::HintPrint));

    // Over the decoration its highlighted picture shows, and a click on it
    // leaves the marks of the file box; off it, the idle text.
    const int x = ui::TwipsToPixelsX(w.plainImage.Left()) + 5, y = ui::TwipsToPixelsY(w.plainImage.Top()) + 5;
    SendMessageW(w.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    EXPECT_TRUE(w.hoverImage.Visible() && !w.plainImage.Visible());
    w.folderBox.SetPath(folder.wstring());
    w.fileBox.SelectAll();
    SendMessageW(w.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(w.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_EQ(w.fileBox.SelCount(), w.fileBox.ListCount());
    EXPECT_GT(w.fileBox.SelCount(), 0);
    SendMessageW(w.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 300));
    EXPECT_TRUE(!w.hoverImage.Visible() && w.plainImage.Visible());
    EXPECT_EQ(w.statusBar.PanelText(1), L"Noma Ro 3");

    w.statusBarItem.Click();
    EXPECT_TRUE(!w.statusBar.Visible() && !w.statusBarItem.Checked());
    w.statusBarItem.Click();
    EXPECT_TRUE(w.statusBar.Visible() && w.statusBarItem.Checked());
}

// Each way a type filter marks, in list mode and in picture view.
TEST_F(ListWindow, TypeFiltersSetThePatternAndMark) {
    const Names all = {L"a.exe", L"b.BAT", L"c.doc", L"d.txt", L"e.rtf", L"f.pdf", L"g.jpg", L"h.JPG", L"i.gif",
                       L"j.gif", L"k.bmp", L"l.wmf", L"m.ico", L"n.cur", L"o.htm", L"p.html", L"q.css", L"r.zip"};
    MakeFiles(all);
    Open();
    Window& w = *window;
    w.folderBox.SetPath(folder.wstring());
    const struct {
        Text caption;
        bool pictureMode;
        const wchar_t* pattern;  // afterwards
        Names marked;            // and, when it is all files, nothing else
        int listed;
    } table[] = {
        {Text::SelectExeFiles, false, L"*.exe", {L"a.exe"}, 1},
        {Text::SelectProgramFiles, false, L"*.exe;*.bat;*.com", {L"a.exe", L"b.BAT"}, 2},
        {Text::SelectJpgFiles, false, L"*.jpg", {L"g.jpg"}, 2},
        {Text::SelectGifFiles, false, L"*.*", {}, 18},
        {Text::SelectPictureFiles, false, L"*.jpg;*.gif;*.bmp;*.wmf;*.ico;*.cur",
         {L"g.jpg", L"h.JPG", L"i.gif", L"j.gif", L"k.bmp", L"l.wmf", L"m.ico", L"n.cur"}, 8},
        {Text::SelectInternetFiles, false, nullptr, {L"d.txt", L"o.htm", L"p.html", L"q.css"}, 4},
        {Text::SelectGifFiles, true, L"*.gif", {L"i.gif"}, 2},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::PrintToString(LoadText(row.caption)) + (row.pictureMode ? " in picture view" : ""));
        SetPictureMode(row.pictureMode);
        // "Change File search to *.*" is for list mode only.
        if (row.pictureMode) w.patternBox.SetText(L"*.*");
        else w.showAllFilesItem.Click();
        ASSERT_EQ(w.fileBox.ListCount(), 18);
        EXPECT_EQ(w.fileBox.SelCount(), 0);
        const auto item = std::ranges::find(w.filterItems, LoadText(row.caption), &ui::MenuItem::Caption);
        ASSERT_NE(item, w.filterItems.end());
        item->Click();
        if (row.pattern) {
            EXPECT_EQ(w.patternBox.Text(), row.pattern);
        }
        EXPECT_EQ(w.fileBox.Pattern(), w.patternBox.Text());
        EXPECT_EQ(w.fileBox.ListCount(), row.listed);
        EXPECT_EQ(Marked(), row.marked);
        EXPECT_TRUE(w.addToListButton.Enabled());
    }
    SetPictureMode(false);

    // Marking every file is for list mode only; counting tells how many are marked.
    w.selectAllFilesItem.Click();
    EXPECT_EQ(Marked(), all);
    w.countMarkedItem.Click();
    EXPECT_TRUE(prompts.Said(0, L"18 file(s) marked in filelist right now!", ui::AppTitle(), MB_OK));
    SendMessageW(w.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 300));
    SendMessageW(w.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 300));
    EXPECT_EQ(w.fileBox.SelCount(), 0);
    w.countMarkedItem.Click();
    SetPictureMode(true);
    w.selectAllFilesItem.Click();
    EXPECT_EQ(w.fileBox.SelCount(), 0);
    EXPECT_EQ(prompts.seen.size(), 1u);

    // A filter that finds nothing leaves nothing to add.
    SetPictureMode(false);
    fs::create_directories(folder / "empty");
    w.folderBox.SetPath((folder / "empty").wstring());
    w.filterItems[0].Click();
    EXPECT_FALSE(w.addToListButton.Enabled());
}

// Paste follows the clipboard at each tick of the watch; F4 reaches its item
// through the keyboard; F5 reads the folder again.
TEST_F(ListWindow, ClipboardWatchKeysRefreshAndADriveNotReady) {
    MakeFiles({L"a.txt"});
    Open();
    Window& w = *window;
    w.folderBox.SetPath(folder.wstring());
    for (bool filled : {true, false, true}) {
        testing_support::PutOnClipboard(w.hwnd(), filled ? "ab" : nullptr);
        EXPECT_TRUE(w.clipboardTimer.FireNow());
        EXPECT_EQ(w.pasteItem.Enabled(), filled);
        EXPECT_TRUE(w.clipboardTimer.Enabled());
    }

    w.fileBox.SelectAll();
    PostMessageW(w.fileBox.hwnd(), WM_KEYDOWN, VK_F4, 1);
    ui::DoEvents();
    EXPECT_TRUE(prompts.Said(0, L"1 file(s) marked in filelist right now!"));

    // Del is the shortcut of Delete, which is disabled while the document is empty:
    // the key reaches the pattern box.
    w.patternBox.SetFocus();
    w.patternBox.SetSelStart(0);
    PostMessageW(w.patternBox.hwnd(), WM_KEYDOWN, VK_DELETE, 1);
    ui::DoEvents();
    EXPECT_EQ(w.patternBox.Text(), L".*");
    w.patternBox.SetText(L"*.*");

    MakeFiles({L"b.txt"});
    EXPECT_EQ(w.fileBox.ListCount(), 1);
    PostMessageW(w.fileBox.hwnd(), WM_KEYDOWN, VK_F5, 1);
    ui::DoEvents();
    EXPECT_EQ(w.fileBox.ListCount(), 2);

    // A drive without a disk is reported, and the drive box goes back to the drive it showed.
    SendMessageW(w.hwnd(), WM_COMMAND, MAKEWPARAM(w.driveBox.id(), CBN_SETFOCUS),
                 reinterpret_cast<LPARAM>(w.driveBox.hwnd()));
    const std::wstring before = w.driveBox.Drive();
    ui::SetDriveReadyProbe([](const std::wstring& root) { return towlower(root[0]) != L'z'; });
    int z = -1;
    for (int i = 0; i < w.driveBox.ListCount(); ++i)
        if (w.driveBox.List(i).starts_with(L"z:")) z = i;
    ASSERT_GE(z, 0);
    SendMessageW(w.driveBox.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(z), 0);
    SendMessageW(w.hwnd(), WM_COMMAND, MAKEWPARAM(w.driveBox.id(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(w.driveBox.hwnd()));
    EXPECT_TRUE(prompts.Said(1, L"Device (Z:) not ready" + std::wstring(23, L' '), L"Not ready",
                             MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(w.driveBox.Drive() == before && w.folderBox.Path() == folder.wstring());
    EXPECT_TRUE(w.folderBox.Enabled() && w.fileBox.Enabled());
}

// Every way of closing asks the exit question; Cancel keeps the window.
TEST_F(ListWindow, ClosingAsksFirst) {
    const std::function<void(Window&)> ways[] = {
        [](Window& w) { SendMessageW(w.hwnd(), WM_CLOSE, 0, 0); },
        [](Window& w) { w.exitButton.Click(); },
        [](Window& w) { w.exitItem.Click(); },
        [](Window& w) { w.toolbar.ClickButton(listwin::kExitToolButton); },
    };
    for (const auto& close : ways) {
        Open();
        window->SetBusyCursor();
        prompts.seen.clear();
        prompts.answers.assign({IDCANCEL, IDOK});
        close(*window);
        EXPECT_TRUE(prompts.Said(0, LoadText(Text::ExitNow), LoadText(Text::ExitTitle), MB_OKCANCEL | MB_ICONQUESTION));
        EXPECT_TRUE(window->IsLoaded() && !window->BusyCursorOn());
        close(*window);
        EXPECT_EQ(std::tuple(prompts.seen.size(), window->IsLoaded()), std::tuple(2u, false));
    }
}

// The two main windows switch to each other, each asking first and neither asking to exit.
TEST_F(ListWindow, SwitchesToTheRenameWindowAndBack) {
    app::InstallWindows();
    ui::OpenMainWindow(ui::MainWindow::List);
    auto* list = dynamic_cast<Window*>(ui::CurrentMainWindow());
    ASSERT_NE(list, nullptr);
    const std::wstring question = LoadText(Text::SwitchWindowQuestion) + L"\r" + LoadText(Text::SwitchWindowQuestion2);
    prompts.answers.assign({IDNO});
    list->gotoRenameItem.Click();
    EXPECT_TRUE(prompts.Said(0, question, LoadText(Text::SwitchWindowTitle), MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(list->IsLoaded() && ui::CurrentMainWindow() == list);

    prompts.answers.assign({IDYES});
    list->gotoRenameItem.Click();
    EXPECT_EQ(std::tuple(prompts.seen.size(), list->IsLoaded()), std::tuple(2u, false));
    auto* rename = dynamic_cast<renamer::RenameWindow*>(ui::CurrentMainWindow());
    ASSERT_NE(rename, nullptr);
    EXPECT_TRUE(rename->IsLoaded());

    prompts.answers.assign({IDYES});
    rename->gotoListWindowItem.Click();
    EXPECT_EQ(prompts.seen.size(), 3u);
    auto* back = dynamic_cast<Window*>(ui::CurrentMainWindow());
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->IsLoaded());
    prompts.answers.assign({IDOK});
    back->Unload();
    EXPECT_EQ(ui::Form::LoadedCount(), 0);
}

// Folder, pattern and mode are written at every closing, a cancelled one too, and come back a
// quarter of a second after the next opening; a folder that is gone leaves drive C and the
// pattern as they are.
TEST_F(ListWindow, SettingsAreWrittenOnClosingAndComeBack) {
    fs::create_directories(folder / "lists");
    MakeFiles({L"a.txt"});
    Open();
    window->folderBox.SetPath((folder / "lists").wstring());
    window->patternBox.SetText(L"*.txt");
    prompts.answers.assign({IDCANCEL});
    window->exitButton.Click();
    ASSERT_TRUE(window->IsLoaded());
    EXPECT_EQ(base::ReadIniValue(L"printsave", L"lastcat"), (folder / "lists").wstring());
    EXPECT_EQ(base::ReadIniValue(L"printsave", L"format"), L"*.txt");
    EXPECT_EQ(base::ReadIniValue(L"printsave", L"pictures"), L"0");
    prompts.answers.assign({IDOK});
    window->Unload();

    Open(false);
    EXPECT_NE(window->folderBox.Path(), (folder / "lists").wstring());
    window->restoreSettingsTimer.FireNow();
    EXPECT_FALSE(window->restoreSettingsTimer.Enabled());
    EXPECT_EQ(std::tuple(window->folderBox.Path(), window->patternBox.Text(), window->fileBox.Pattern()),
              std::tuple((folder / "lists").wstring(), L"*.txt", L"*.txt"));
    prompts.answers.assign({IDOK});
    window->Unload();

    fs::remove_all(folder / "lists");
    const size_t messages = prompts.seen.size();
    Open();
    EXPECT_EQ(std::tuple(towlower(window->driveBox.Drive()[0]), window->patternBox.Text()), std::tuple(L'c', L"*.*"));
    EXPECT_EQ(prompts.seen.size(), messages) << "no message for a folder that is gone";
}

// A grayed picture box (pictures=2) is list mode: the window opens as in list
// mode with the box grayed and keeps the value at closing; the menu item
// unchecks the box.
TEST_F(ListWindow, GrayedPictureBoxOpensInListMode) {
    MakeFiles({L"a.txt"});
    testing_support::WriteListSettings(folder.wstring(), L"2");
    Open();
    Window& w = *window;
    EXPECT_EQ(SendMessageW(w.viewPicturesBox.hwnd(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_TRUE(w.ListMode() && !w.viewPicturesItem.Checked());
    EXPECT_TRUE(w.document.Visible() && w.undoButton.Visible() && !w.previewBox.Visible() && !w.sizeLabel.Visible());
    EXPECT_TRUE(w.radicalSelectItem.Enabled() && w.selectAllFilesItem.Enabled() && w.addToListButton.Enabled());
    EXPECT_EQ(w.folderBox.Path(), folder.wstring()) << "the folder comes back after the mode";
    Type(L"names");
    EXPECT_TRUE(AllDocumentCommands(w, true));
    prompts.answers.assign({IDCANCEL});
    w.exitButton.Click();
    EXPECT_EQ(base::ReadIniValue(L"printsave", L"pictures"), L"2");
    w.viewPicturesItem.Click();
    EXPECT_EQ(w.viewPicturesBox.State(), ui::CheckValue::Unchecked);
    EXPECT_TRUE(w.ListMode() && w.document.Visible());
    EXPECT_EQ(prompts.seen.size(), 1u);
}

// A mode the picture box refuses is reported with its error, a missing one with the files
// message; either way the program ends.
TEST_F(ListWindow, AModeThatCannotBeTrustedEndsTheProgram) {
    const std::wstring refused = L"Nomaro Error Description: Invalid property value";
    const struct {
        const wchar_t* mode;
        std::wstring text, title;
        UINT flags;
    } table[] = {
        {L"3", refused, L"Error 380", MB_OK | MB_ICONSTOP},
        {L"-1", refused, L"Error 380", MB_OK | MB_ICONSTOP},
        {L"", LoadText(Text::FilesMissing), L"Error", MB_OK | MB_ICONEXCLAMATION},
    };
    for (const auto& row : table) {
        testing_support::WriteListSettings(folder.wstring(), row.mode);
        testing_support::ExpectToldThenEnded(row.text, row.title, row.flags, [this] { Open(); });
    }
}

namespace {
// The help viewer's window of this process; under Wine it shows the help
// file's contents beside a blank page.
HWND HelpWindow() {
    HWND help = FindWindowW(L"HH Parent", nullptr);
    DWORD process = 0;
    if (help) GetWindowThreadProcessId(help, &process);
    return process == GetCurrentProcessId() ? help : nullptr;
}

void CloseHelpWindow(HWND help) {
    PostMessageW(help, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && IsWindow(help); ++i, Sleep(10)) ui::DoEvents();
}
}  // namespace

// The right button released over Print or Save to file opens the help; over
// another button it does not.
TEST_F(ListWindow, RightClickOnPrintOrSaveOpensTheHelp) {
    Open();
    Type(L"names");  // Print and Save take the mouse once there is a list
    const struct {
        ui::Button* button;
        bool opensHelp;
    } table[] = {
        {&window->printButton, true}, {&window->saveButton, true},
        {&window->clearButton, false}, {&window->exitButton, false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::PrintToString(row.button->Caption()));
        ASSERT_TRUE(row.button->Enabled());
        SendMessageW(row.button->hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
        SendMessageW(row.button->hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
        HWND help = HelpWindow();
        EXPECT_EQ(help != nullptr, row.opensHelp);
        if (help) CloseHelpWindow(help);
        EXPECT_TRUE(window->IsLoaded() && window->DocumentText() == L"names");
    }
    EXPECT_TRUE(prompts.seen.empty());
}
