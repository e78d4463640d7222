// The rename window driven as a person drives it. The naming rules are the host tests';
// these check that each event reaches its reaction.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/Settings.h"
#include "base/Texts.h"
#include "rename/RenameFiles.h"
#include "rename/RenameWindow.h"
#include "tests/win/prompts.h"
#include "tests/win/temp_folder.h"
#include "ui/App.h"
#include "ui/BrowserBoxes.h"
#include "ui/MainWindows.h"
#include "ui/Screen.h"

namespace fs = std::filesystem;
using base::LoadText;
using base::Text;
using Names = std::vector<std::wstring>;
using Window = renamer::RenameWindow;

namespace {
// A message text of the table with %1 and %2 filled in.
std::wstring Filled(Text id, const std::wstring& first, const std::wstring& second = {}) {
    std::wstring text = LoadText(id);
    text.replace(text.find(L"%1"), 2, first);
    if (const size_t at = text.find(L"%2"); at != std::wstring::npos) text.replace(at, 2, second);
    return text;
}

class RenameWindow : public testing::Test {
protected:
    void SetUp() override {
        DeleteFileW(base::SettingsFilePath().c_str());
    }
    void TearDown() override {
        ui::SetDriveReadyProbe(nullptr);
        if (window && window->IsLoaded()) {
            prompts.answers.assign({IDOK});
            window->Unload();
        }
        window.reset();
        DeleteFileW(base::SettingsFilePath().c_str());
    }

    void Save(std::initializer_list<std::pair<const wchar_t*, std::wstring>> settings) {
        for (const auto& [key, value] : settings) base::WriteIniValue(L"rename", key, value);
    }
    void MakeFiles(const Names& names, const fs::path& in) {
        fs::create_directories(in);
        for (const auto& name : names) std::ofstream(in / name) << fs::path(name).string();
    }
    std::set<std::wstring> FilesOn(const fs::path& in) const {
        std::set<std::wstring> names;
        for (const auto& entry : fs::directory_iterator(in)) names.insert(entry.path().filename().wstring());
        return names;
    }

    // As the program does: the settings come back on timers.
    void Open(bool startNumberToo = true) {
        window = std::make_unique<Window>();
        window->Show();
        window->Show();
        window->restoreSettingsTimer.FireNow();
        if (startNumberToo) window->restoreStartNumberTimer.FireNow();
    }

    void Mark(const Names& names) {
        for (const auto& name : names) {
            int i = 0;
            while (i < window->fileBox.ListCount() && window->fileBox.List(i) != name) ++i;
            ASSERT_LT(i, window->fileBox.ListCount()) << testing::PrintToString(name);
            window->fileBox.SetSelected(i, true);
        }
    }
    void Select() {
        window->selectButton.Click();
        ASSERT_TRUE(window->transferTimer.FireNow());
        EXPECT_FALSE(window->transferTimer.Enabled());
    }
    void Collect(const Names& names, const fs::path& in) {
        MakeFiles(names, in);
        window->folderBox.SetPath(in.wstring());
        Mark(names);
        Select();
    }
    void Rename(int answer = IDOK) {
        prompts.answers.assign({answer, IDOK});
        window->renameButton.Click();
        window->planTimer.FireNow();
        window->performTimer.FireNow();
        EXPECT_FALSE(window->planTimer.Enabled() || window->performTimer.Enabled());
    }

    Names EntryFolders() const {
        Names folders;
        for (const auto& entry : window->Entries()) folders.push_back(entry.folder);
        return folders;
    }
    Names RenameList() const {
        Names names;
        for (int i = 0; i < window->renameList.ListCount(); ++i) names.push_back(window->renameList.List(i));
        return names;
    }
    void Unselect(std::initializer_list<int> entries) {
        for (int i : entries) window->renameList.SetSelected(i, true);
        window->unselectButton.Click();
    }
    void ExpectEmptyList() const {
        EXPECT_TRUE(RenameList().empty());
        EXPECT_FALSE(window->renameButton.Enabled() || window->clearListButton.Enabled() ||
                     window->clearListItem.Enabled());
    }

    testing_support::ScriptedPrompts prompts;
    testing_support::TempFolder temp;
    const fs::path folder{temp.Path()};
    std::unique_ptr<Window> window;
};
}  // namespace

// Each option choice reaches the naming rules and the disk; the write protection goes only
// when its item is checked. A cancel or a failure empties the list too.
TEST_F(RenameWindow, RenamesTheCollectedFilesAsTheOptionsSay) {
    struct Row {
        const wchar_t *newName, *newExtension;  // nullptr: keep the extension
        ui::OptionButton Window::*index;
        const wchar_t* startNumber;
        bool indexedExtension;
        Names after;  // a.jpg and b.JPG afterwards, then any other file
        int answer = IDOK, error = 0;
    };
    const Row table[] = {
        {L"  Trip ", nullptr, &Window::fourDigitOption, L"", false, {L"Trip0001.jpg", L"Trip0002.JPG"}},
        {L"Trip", nullptr, &Window::threeDigitOption, L"", false, {L"Trip001.jpg", L"Trip002.JPG"}},
        {L"Trip", L"png", &Window::twoDigitOption, L"", false, {L"Trip01.png", L"Trip02.png"}},
        {L"Trip", nullptr, &Window::startNumberOption, L"098", false, {L"Trip098.jpg", L"Trip099.JPG"}},
        {L"Trip", L"png", &Window::threeDigitOption, L"", true, {L"Trip.001", L"Trip.002"}},
        {L"Trip", nullptr, &Window::fourDigitOption, L"", false, {L"a.jpg", L"b.JPG"}, IDCANCEL},
        // Trip0002.jpg is in the way of the second file.
        {L"Trip", nullptr, &Window::fourDigitOption, L"", false, {L"Trip0001.jpg", L"b.JPG", L"Trip0002.jpg"}, 1, 58},
        // A bad new name (CON.001 is a device) is found before the question, and nothing moves.
        {L"CON", L"png", &Window::fourDigitOption, L"", true, {L"a.jpg", L"b.JPG"}, IDOK, 52},
    };
    Open();
    int round = 0;
    for (const auto& row : table) {
        const fs::path in = folder / std::to_string(++round);
        SCOPED_TRACE(in.string());
        MakeFiles({L"other.txt"}, in);
        if (row.error == 58) MakeFiles({L"Trip0002.jpg"}, in);
        Collect({L"a.jpg", L"b.JPG"}, in);
        SetFileAttributesW((in / "b.JPG").c_str(), FILE_ATTRIBUTE_READONLY);
        const bool clearProtection = round == 2;
        if (clearProtection) window->clearWriteProtectionItem.Click();
        window->indexedExtensionBox.SetValue(false);
        window->newNameBox.SetText(row.newName);
        (row.newExtension ? window->newExtensionOption : window->keepExtensionOption).SetValue(true);
        if (row.newExtension) window->newExtensionBox.SetText(row.newExtension);
        (window.get()->*row.index).SetValue(true);
        window->startNumberBox.SetText(row.startNumber);
        window->indexedExtensionBox.SetValue(row.indexedExtension);
        prompts.seen.clear();
        Rename(row.answer);
        const bool failsBeforeTheQuestion = row.error == 52;
        EXPECT_TRUE(failsBeforeTheQuestion ? prompts.SaidError(0, row.error)
                                    : prompts.Said(0, LoadText(Text::RenameSelectedFiles), LoadText(Text::RenameTitle),
                                                   MB_OKCANCEL | MB_ICONQUESTION));
        EXPECT_TRUE(row.error != 58 || prompts.Said(1, L"Error 58\r" + LoadText(Text::FileExistsStopped), L"Error 58",
                                                    MB_OK | MB_ICONSTOP));
        EXPECT_TRUE(row.error != 0 || row.answer != IDOK ||
                    prompts.Said(1, L"Renaiming Complete", L"Stop", MB_OK | MB_ICONINFORMATION));
        EXPECT_EQ(prompts.seen.size(), row.answer == IDCANCEL || failsBeforeTheQuestion ? 1u : 2u);
        std::set<std::wstring> after(row.after.begin(), row.after.end());
        after.insert(L"other.txt");
        EXPECT_EQ(FilesOn(in), after);
        EXPECT_EQ((GetFileAttributesW((in / row.after[1]).c_str()) & FILE_ATTRIBUTE_READONLY) != 0, !clearProtection);
        EXPECT_EQ(window->fileBox.ListCount(), static_cast<int>(after.size()));
        ExpectEmptyList();
        if (clearProtection) window->clearWriteProtectionItem.Click();
    }
}

TEST_F(RenameWindow, EarlyChecksKeepTheList) {
    Open();
    window->renameButton.Click();
    EXPECT_TRUE(prompts.Said(0, LoadText(Text::NothingToRename), LoadText(Text::RenameTitle)));
    EXPECT_FALSE(window->planTimer.Enabled());

    Collect({L"a.jpg"}, folder);
    window->newNameBox.SetText(L"   ");
    Rename();
    EXPECT_TRUE(prompts.Said(1, LoadText(Text::EnterNewNamePrompt), L"rename_window_test"));
    EXPECT_EQ(window->newNameBox.Text(), L"");
    window->newNameBox.SetText(L"*");
    Rename();
    EXPECT_TRUE(prompts.Said(2, LoadText(Text::NothingWouldChange), L"?"));
    EXPECT_EQ(std::tuple(prompts.seen.size(), RenameList(), window->renameButton.Enabled()),
              std::tuple(3u, Names{L"a.jpg"}, true));

    // A thousand files with the indexed extension are refused and the list goes.
    Names names;
    for (int i = 1; i < 1000; ++i) names.push_back(L"f" + std::to_wstring(i) + L".txt");
    MakeFiles(names, folder);
    window->refreshItem.Click();
    window->fileBox.SelectAll();
    Select();
    ASSERT_EQ(window->renameList.ListCount(), 1000);
    window->newNameBox.SetText(L"Trip");
    window->indexedExtensionBox.SetValue(true);
    Rename();
    EXPECT_TRUE(prompts.Said(3, LoadText(Text::TooManyForIndexedExtension), L"Stop", MB_OK | MB_ICONSTOP));
    EXPECT_EQ(prompts.seen.size(), 4u);
    ExpectEmptyList();
    EXPECT_EQ(FilesOn(folder).count(L"a.jpg"), 1u);
}

// Names are refused when the list holds them exactly; each entry keeps its folder, also when
// entries before it go. UNSELECT, a right click, clearing and a double click edit the list.
TEST_F(RenameWindow, EditingTheRenameListAndBrowsingTheFiles) {
    const fs::path one = folder / "One", two = folder / "Two";
    Open();
    Collect({L"a.txt", L"b.txt"}, one);
    Select();
    Collect({L"a.txt", L"B.TXT", L"c.txt"}, two);
    EXPECT_EQ(RenameList(), (Names{L"a.txt", L"b.txt", L"B.TXT", L"c.txt"}));
    EXPECT_EQ(EntryFolders(), (Names{one.wstring(), one.wstring(), two.wstring(), two.wstring()}));

    Unselect({0, 2});
    EXPECT_EQ(RenameList(), (Names{L"b.txt", L"c.txt"}));
    EXPECT_EQ(EntryFolders(), (Names{one.wstring(), two.wstring()}));
    EXPECT_TRUE(window->renameButton.Enabled());
    window->fileBox.ClearSelection();
    Mark({L"a.txt"});  // removed, so it can come back
    Select();
    EXPECT_EQ(RenameList(), (Names{L"b.txt", L"c.txt", L"a.txt"}));
    Unselect({0, 1});
    EXPECT_EQ(RenameList(), Names{L"a.txt"});
    EXPECT_TRUE(window->renameButton.Enabled() && window->clearListButton.Enabled());
    // A right click marks every entry, so the last one goes too.
    SendMessageW(window->renameList.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window->renameList.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(window->renameList.SelCount(), 1);
    window->unselectButton.Click();
    ExpectEmptyList();

    Select();
    window->clearListItem.Click();
    ExpectEmptyList();
    // SELECT with nothing marked opens only the clearing.
    window->fileBox.ClearSelection();
    Select();
    EXPECT_TRUE(RenameList().empty() && !window->renameButton.Enabled());
    EXPECT_TRUE(window->clearListButton.Enabled() && window->clearListItem.Enabled());
    Mark({L"c.txt"});
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(window->fileBox.id(), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(window->fileBox.hwnd()));
    ASSERT_TRUE(window->transferTimer.FireNow());
    EXPECT_EQ(RenameList(), Names{L"c.txt"});
    window->clearListButton.Click();
    ExpectEmptyList();

    // The type filters and counting.
    MakeFiles({L"a.EXE", L"b.exe", L"c.txt"}, folder);
    window->folderBox.SetPath(folder.wstring());
    window->filterItems[1].Click();  // *.EXE
    EXPECT_TRUE(window->fileBox.ListCount() == 2 && window->fileBox.SelCount() == 2);
    window->countMarkedItem.Click();
    EXPECT_TRUE(prompts.Said(0, L"2 file(s) marked in filelist right now!"));
    window->fileBox.ClearSelection();
    window->countMarkedItem.Click();
    EXPECT_EQ(prompts.seen.size(), 1u);
}

// The option controls open and close each other; hints, picture and status bar.
TEST_F(RenameWindow, ControlReactions) {
    Open();
    auto& w = *window;
    w.newExtensionOption.SetValue(true);
    EXPECT_TRUE(w.newExtensionBox.Enabled() && w.newExtensionLabel.Enabled());
    w.newExtensionBox.SetText(L"png");
    w.keepExtensionOption.SetValue(true);
    EXPECT_EQ(w.newExtensionBox.Text(), L"");
    EXPECT_FALSE(w.newExtensionBox.Enabled() || w.newExtensionLabel.Enabled());

    w.startNumberOption.SetValue(true);
    EXPECT_TRUE(w.startNumberBox.Enabled());
    // A negative number is accepted as it is typed, its lone sign included.
    for (wchar_t c : std::wstring(L"-12")) SendMessageW(w.startNumberBox.hwnd(), WM_CHAR, c, 1);
    EXPECT_TRUE(w.startNumberBox.Text() == L"-12" && prompts.seen.empty());
    w.threeDigitOption.SetValue(true);
    EXPECT_EQ(w.startNumberBox.Text(), L"");
    w.startNumberBox.SetText(L"12a");
    EXPECT_TRUE(prompts.Said(0, L"Only numbers in this field", ui::AppTitle()) && w.startNumberBox.Text() == L"0000");

    const std::vector<ui::Control*> indexControls = {
        &w.fourDigitOption, &w.threeDigitOption, &w.twoDigitOption, &w.startNumberOption, &w.startNumberBox};
    for (const wchar_t* name : {L"*", L""}) {
        w.newNameBox.SetText(name);
        for (ui::Control* control : indexControls) EXPECT_EQ(control->Enabled(), *name == L'\0');
    }
    // The indexed extension closes the other choices; unchecked it opens them all again.
    for (bool indexed : {true, false}) {
        w.indexedExtensionBox.SetValue(indexed);
        for (ui::Control* control : indexControls) EXPECT_EQ(control->Enabled(), !indexed);
        for (ui::Control* control : std::initializer_list<ui::Control*>{&w.keepExtensionOption, &w.newExtensionOption, &w.newExtensionBox})
            EXPECT_EQ(control->Enabled(), !indexed);
    }

    // The picture lights up under the mouse; elsewhere the panel names the program.
    const ui::Image& image = window->plainImage;
    EXPECT_TRUE(image.Visible() && !window->hoverImage.Visible());
    for (long x : {image.Left() + image.Width() / 2, image.Left() - 60}) {
        const bool over = x > image.Left();
        window->statusBar.SetPanelText(1, L"");
        SendMessageW(window->hwnd(), WM_MOUSEMOVE, 0,
                     MAKELPARAM(ui::TwipsToPixelsX(x), ui::TwipsToPixelsY(image.Top() + image.Height() / 2)));
        EXPECT_EQ(window->hoverImage.Visible(), over);
        EXPECT_EQ(image.Visible(), !over);
        EXPECT_EQ(window->statusBar.PanelText(1), over ? L"" : L"Nomaro 3.1");
    }
    SendMessageW(window->newNameBox.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(window->statusBar.PanelText(1), LoadText(Text::HintNewName));
    for (bool shown : {false, true}) {
        window->statusBarItem.Click();
        EXPECT_EQ(window->statusBarItem.Checked(), shown);
        EXPECT_EQ(IsWindowVisible(window->statusBar.hwnd()) != FALSE, shown);
    }
}

// Every menu item but the lines has a caption, and Exit, Help and About, and only they, carry
// their pictures.
TEST_F(RenameWindow, EveryMenuItemHasACaptionAndThePicturesSitBesideTheirItems) {
    Open();
    auto pictured = [](HMENU menu, UINT item, BOOL byPosition) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_CHECKMARKS;
        return GetMenuItemInfoW(menu, item, byPosition, &info) && info.hbmpChecked && info.hbmpUnchecked;
    };
    const HMENU bar = GetMenu(window->hwnd());
    int pictures = 0;
    for (int m = 0; m < GetMenuItemCount(bar); ++m) {
        const HMENU menu = GetSubMenu(bar, m);
        for (UINT i = 0; i < static_cast<UINT>(GetMenuItemCount(menu)); ++i) {
            wchar_t caption[256] = {};
            GetMenuStringW(menu, i, caption, 256, MF_BYPOSITION);
            EXPECT_TRUE(*caption || (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)) << m << "," << i;
            pictures += pictured(menu, i, TRUE);
        }
    }
    EXPECT_EQ(pictures, 3);
    for (const ui::MenuItem& filter : window->filterItems)
        EXPECT_TRUE(filter.id() && GetMenuState(bar, filter.id(), MF_BYCOMMAND) != static_cast<UINT>(-1))
            << "a type filter is missing";
    for (const ui::MenuItem* item : {&window->exitItem, &window->helpItem, &window->aboutItem})
        EXPECT_TRUE(pictured(bar, item->id(), FALSE)) << item->id();
}

// A saved folder that is gone or on a drive not ready leaves drive C: and all else as at first.
// Escape asks the exit question; the settings are saved even on cancel and come back, with a
// folder whose name the ANSI code page cannot hold. The switch to the list window saves them
// too.
TEST_F(RenameWindow, SettingsAreSavedAndRestored) {
    const std::wstring lastFolders[] = {(folder / "gone").wstring(), L"z:\\Pics"};
    for (const std::wstring& lastFolder : lastFolders) {
        SCOPED_TRACE(testing::PrintToString(lastFolder));
        Save({{L"lastcat", lastFolder}, {L"format", L"*.jpg"}, {L"ext", L"False"}, {L"index", L"2"}});
        window = std::make_unique<Window>();
        window->Show();
        ui::SetDriveReadyProbe([](const std::wstring& root) { return towlower(root[0]) != L'z'; });
        window->restoreSettingsTimer.FireNow();
        ui::SetDriveReadyProbe(nullptr);
        EXPECT_TRUE(window->driveBox.Drive() == L"c:" && window->patternBox.Text() == L"*.*");
        EXPECT_TRUE(window->keepExtensionOption.Value() && window->fourDigitOption.Value() && prompts.seen.empty());
        window->Unload();
        prompts.seen.clear();
    }
    const std::wstring pics = (folder / L"\u0424\u043e\u0442\u043e").wstring();
    MakeFiles({L"a.jpg", L"b.txt"}, pics);
    Open();
    window->folderBox.SetPath(pics);
    window->patternBox.SetText(L"*.jpg");
    window->newExtensionOption.SetValue(true);
    window->newExtensionBox.SetText(L"png");
    window->startNumberOption.SetValue(true);
    window->startNumberBox.SetText(L"0048");
    prompts.answers.assign({IDCANCEL});
    PostMessageW(window->newNameBox.hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    ui::DoEvents();
    EXPECT_TRUE(prompts.Said(0, LoadText(Text::ExitNow), LoadText(Text::ExitTitle)) && window->IsLoaded());
    const std::pair<const wchar_t*, std::wstring> saved[] = {
        {L"ext", L"False"}, {L"exttxt", L"png"}, {L"index", L"4"}, {L"indextxt", L"0048"},
        {L"lastcat", pics}, {L"format", L"*.jpg"}};
    for (const auto& [key, value] : saved) EXPECT_EQ(base::ReadIniValue(L"rename", key), value) << key;
    EXPECT_TRUE(window->Unload());

    Open(false);
    EXPECT_FALSE(window->restoreSettingsTimer.Enabled());
    EXPECT_TRUE(window->folderBox.Path() == pics && window->fileBox.ListCount() == 1 && window->fileBox.List(0) == L"a.jpg");
    EXPECT_TRUE(window->newExtensionOption.Value() && window->newExtensionBox.Text() == L"png");
    // The start number follows half a second later.
    EXPECT_FALSE(window->startNumberOption.Value());
    EXPECT_TRUE(window->restoreStartNumberTimer.FireNow());
    EXPECT_TRUE(window->startNumberOption.Value() && window->startNumberBox.Enabled());
    EXPECT_EQ(window->startNumberBox.Text(), L"0048");

    const std::pair<ui::OptionButton Window::*, const wchar_t*> fixedStyles[] = {
        {&Window::threeDigitOption, L"2"}, {&Window::twoDigitOption, L"3"}, {&Window::fourDigitOption, L"1"}};
    for (const auto& [option, index] : fixedStyles) {
        window->keepExtensionOption.SetValue(true);
        (window.get()->*option).SetValue(true);
        window->Unload();
        EXPECT_TRUE(base::ReadIniValue(L"rename", L"index") == index && base::ReadIniValue(L"rename", L"ext") == L"True");
        Open();
        EXPECT_TRUE((window.get()->*option).Value() && window->keepExtensionOption.Value()) << index;
    }

    ui::RegisterMainWindow(ui::MainWindow::List, [] { return std::make_unique<ui::Form>(); });  // a stand-in
    window->twoDigitOption.SetValue(true);
    prompts.seen.clear();
    prompts.answers.assign({IDNO});
    window->gotoListWindowItem.Click();
    EXPECT_TRUE(prompts.Said(0, LoadText(Text::SwitchWindowQuestion) + L"\r" + LoadText(Text::SwitchWindowQuestion2),
                             LoadText(Text::SwitchWindowTitle)));
    EXPECT_TRUE(window->IsLoaded());

    prompts.answers.assign({IDYES});
    window->gotoListWindowItem.Click();
    EXPECT_FALSE(window->IsLoaded());
    EXPECT_EQ(base::ReadIniValue(L"rename", L"index"), L"3");  // saved
    ASSERT_NE(ui::CurrentMainWindow(), nullptr);
    ui::CurrentMainWindow()->Unload();
}

// Saved values that do not convert end the program: a type mismatch with this window's own
// English text, which has no full stop, any other failure with its description.
TEST_F(RenameWindow, SettingsThatCannotBeUsedEndTheProgram) {
    const struct {
        const wchar_t* ext;
        const wchar_t* index;
        std::wstring text, title;
        UINT flags;
    } table[] = {
        {L"", L"1",
         L"Some of the files required for Nomaro could be missing, read the helpfile for more info",
         L"Error", MB_OK | MB_ICONEXCLAMATION},
        {L"True", L"70000", L"Nomaro Error Description: Overflow", L"Error 6", MB_OK | MB_ICONSTOP},
    };
    for (const auto& row : table) {
        Save({{L"lastcat", folder.wstring()}, {L"format", L"*.*"}, {L"ext", row.ext}, {L"index", row.index}});
        testing_support::ExpectToldThenEnded(row.text, row.title, row.flags, [this] { Open(); });
    }
}

// Undo Last Rename asks first, gives back every old name it can, never over another file, and
// names the one it cannot; it is grayed when there is nothing (more) to undo.
TEST_F(RenameWindow, UndoLastRenameTakesTheLastBatchBack) {
    Open();
    EXPECT_FALSE(window->undoLastRenameItem.Enabled());
    const fs::path in = folder / "undo";
    Collect({L"a.jpg", L"b.JPG"}, in);
    window->newNameBox.SetText(L"Trip");
    window->fourDigitOption.SetValue(true);
    Rename();
    ASSERT_EQ(FilesOn(in), (std::set<std::wstring>{L"Trip0001.jpg", L"Trip0002.JPG"}));
    EXPECT_TRUE(window->undoLastRenameItem.Enabled());

    MakeFiles({L"a.jpg"}, in);  // another file took the first old name meanwhile
    prompts.seen.clear();
    prompts.answers.assign({IDNO});
    window->undoLastRenameItem.Click();
    EXPECT_TRUE(prompts.Said(0, Filled(Text::UndoQuestion, L"2"), LoadText(Text::UndoLastRename),
                             MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(FilesOn(in), (std::set<std::wstring>{L"a.jpg", L"Trip0001.jpg", L"Trip0002.JPG"}));

    prompts.answers.assign({IDYES, IDOK});
    window->undoLastRenameItem.Click();
    EXPECT_EQ(FilesOn(in), (std::set<std::wstring>{L"a.jpg", L"Trip0001.jpg", L"b.JPG"}));
    EXPECT_TRUE(prompts.Said(2, Filled(Text::RenamedBack, L"1", L"2") + L"\r\r" + LoadText(Text::NotRenamedBack) +
                                    L"\r" + (in / L"Trip0001.jpg").wstring() + L" (a.jpg): " +
                                    LoadText(Text::OldNameTaken),
                             LoadText(Text::UndoLastRename), MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(std::tuple(prompts.seen.size(), window->undoLastRenameItem.Enabled(), window->fileBox.ListCount()),
              std::tuple(3u, false, 3));
}

// A journal that says running and that no process holds is a batch that was cut off: the window
// offers it when it opens. Yes takes it back at once, No leaves it to Undo Last Rename. A journal
// that cannot be read is named and set aside.
TEST_F(RenameWindow, AnInterruptedBatchIsOfferedWhenTheWindowOpens) {
    const fs::path journals = naming::JournalFolder();
    const fs::path journal = journals / L"batch-0000000000000001-1.journal";
    const fs::path in = folder / L"cut \u03a9ff";
    const std::wstring temporary = L"~nomaro-1-2.tmp";
    const naming::Journal cutOff{naming::BatchState::Running, 0,
                                 {{in.wstring(), L"c.jpg", L"Trip0001.jpg", L""},
                                  {in.wstring(), L"d.jpg", L"Trip0002.jpg", L""},
                                  {in.wstring(), L"e.jpg", L"E.jpg", temporary},
                                  {in.wstring(), L"f.jpg", L"Trip0004.jpg", L""}}};
    const std::set<std::wstring> before{L"c.jpg", L"d.jpg", L"e.jpg", L"f.jpg"};
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "yes" : "no");
        // Cut off between the two steps of the third entry.
        MakeFiles({L"Trip0001.jpg", L"Trip0002.jpg", temporary, L"f.jpg"}, in);
        fs::create_directories(journals);
        std::ofstream(journal, std::ios::binary) << naming::EncodeJournal(cutOff);
        Open();
        prompts.seen.clear();
        prompts.answers.assign({answer, IDOK});
        window->recoveryTimer.FireNow();
        EXPECT_TRUE(prompts.Said(0, Filled(Text::InterruptedRenameQuestion, L"3", L"4"),
                                 LoadText(Text::UndoLastRename), MB_YESNO | MB_ICONQUESTION));
        if (answer == IDNO) {
            EXPECT_TRUE(prompts.seen.size() == 1 && window->undoLastRenameItem.Enabled());
            prompts.answers.assign({IDYES, IDOK});
            window->undoLastRenameItem.Click();
            EXPECT_TRUE(prompts.Said(1, Filled(Text::UndoQuestion, L"3")));
        }
        EXPECT_TRUE(prompts.Said(prompts.seen.size() - 1, Filled(Text::RenamedBack, L"3", L"3"),
                                 LoadText(Text::UndoLastRename), MB_OK | MB_ICONINFORMATION));
        EXPECT_EQ(FilesOn(in), before);
        EXPECT_FALSE(window->undoLastRenameItem.Enabled());
        prompts.answers.assign({IDOK});
        window->Unload();
        fs::remove_all(in);
    }

    std::ofstream(journal, std::ios::binary) << "\xff\xfe" "garbage";
    Open();
    prompts.seen.clear();
    window->recoveryTimer.FireNow();
    EXPECT_TRUE(prompts.Said(0, Filled(Text::JournalUnreadable, journal.wstring(), LoadText(Text::JournalNotAJournal)),
                             L"", MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(FilesOn(journals), (std::set<std::wstring>{journal.filename().wstring() + L".damaged"}));
    fs::remove_all(journals);
}
