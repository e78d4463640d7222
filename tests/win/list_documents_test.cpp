// The list document's files, font and editing commands driven as a person
// drives them: scripted dialogs and message boxes, real files on disk and
// the real clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "base/Settings.h"
#include "base/Texts.h"
#include "listwin/ListWindow.h"
#include "tests/win/dialogs.h"
#include "tests/win/list_window_fixture.h"
#include "tests/win/prompts.h"
#include "ui/MainWindows.h"
#include "tests/win/remove_tree.h"
#include "ui/App.h"
#include "ui/RichTextFormat.h"

namespace fs = std::filesystem;
using base::LoadText;
using base::Text;
using Window = listwin::ListWindow;

namespace {
const wchar_t kOpenQuestion[] = L"Do you want to open the file anyway?";
const wchar_t kOpenQuestionTitle[] = L"This May Not Be A Rich Text File";

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The clipboard as another program fills and reads it: ANSI text (format 1).
void PutOnClipboard(HWND owner, const char* text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    if (text) {
        const size_t size = strlen(text) + 1;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        memcpy(GlobalLock(block), text, size);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}
std::string ClipboardAnsiText(HWND owner) {
    if (!OpenClipboard(owner)) return "<not open>";
    std::string text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
}

// Notes which menu pops up and closes it before it waits for a person.
HMENU poppedUp;
LRESULT CALLBACK ClosePopupAtOnce(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITMENUPOPUP) {
        poppedUp = reinterpret_cast<HMENU>(message->wParam);
        EndMenu();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class ListDocument : public testing_support::ListWindowFixture {
protected:
    std::wstring Path(const wchar_t* name) const { return (folder / name).wstring(); }
    void SaveAs(const std::wstring& path) {
        dialogs.saveAnswers.push_back({true, path});
        window->saveButton.Click();
    }
    void OpenFile(const std::wstring& path, bool readOnly = false) {
        dialogs.openAnswers.push_back({true, path, readOnly});
        window->openItem.Click();
    }

    testing_support::ScriptedDialogs dialogs;
};
}  // namespace

// The name's last three characters decide the format; others write nothing
// and say so. What was written opens again with the same text.
TEST_F(ListDocument, SavesByTheEndingAndOpensAgain) {
    // More lines than one insertion takes: a text file goes in by pieces.
    std::wstring names = L"alpha.txt\rbeta \u00e9t\u00e9.jpg";
    for (int i = 0; i < 450; ++i) names += L"\rname" + std::to_wstring(i);
    const struct {
        const wchar_t* name;
        const char* starts;  // the file's first bytes; null: no file written
        bool asks;           // opening it asks whether to open it anyway
    } table[] = {
        {L"list.txt", "alpha.txt\r\nbeta \xe9t\xe9.jpg", true},
        {L"LIST2.TXT", "alpha.txt\r\n", true},
        {L"list.rtf", "{\\rtf", false},
        {L"list3.RTF", "{\\rtf", false},
        {L"none.Txt", nullptr, false},
        {L"list", nullptr, false},
        {L"list.doc", nullptr, false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)));
        Window& w = *window;
        w.document.SetText(names);
        prompts.seen.clear();
        SaveAs(Path(row.name));
        const ui::FileDialogSettings& shown = dialogs.saveSeen.back();
        EXPECT_TRUE(shown.filter == L"All Files (*.*)|*.*|RTF Files (*.rtf)|*.rtf|TXT Files (*.txt)|*.txt" &&
                    shown.filterIndex == 2 && shown.overwritePrompt && shown.hideReadOnly && shown.fileName.empty());
        if (!row.starts) {
            EXPECT_FALSE(fs::exists(folder / row.name));
            EXPECT_TRUE(prompts.Said(0, LoadText(Text::NothingSavedNeedsTxtOrRtf), ui::AppTitle(),
                                     MB_OK | MB_ICONINFORMATION));
            continue;
        }
        EXPECT_TRUE(prompts.seen.empty());
        EXPECT_TRUE(FileBytes(folder / row.name).starts_with(row.starts)) << FileBytes(folder / row.name);

        w.document.SetText(L"other");
        const size_t undoElements = w.History().UndoList().size();
        prompts.answers.assign({IDYES});
        OpenFile(Path(row.name));
        EXPECT_EQ(w.DocumentText(), names);
        EXPECT_EQ(w.History().UndoList().size(), undoElements) << "the loading reports one change";
        EXPECT_EQ(prompts.seen.size(), row.asks ? 1u : 0u);
        if (row.asks) {
            EXPECT_TRUE(prompts.Said(0, kOpenQuestion, kOpenQuestionTitle, MB_YESNO | MB_ICONQUESTION));
        }
        EXPECT_FALSE(w.document.Locked());
    }
    // Cancel writes nothing and says nothing.
    prompts.seen.clear();
    window->saveItem.Click();
    EXPECT_TRUE(prompts.seen.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 4);
}

// Open asks for names that do not end in .rtf; No keeps the document; the
// read-only box locks it; Clear empties and unlocks it and enables Open again.
TEST_F(ListDocument, OpenAsksLocksAndClears) {
    Window& w = *window;
    std::ofstream(folder / "names.txt") << "one\r\ntwo";
    std::ofstream(folder / "Report.RtF") << "{\\rtf1\\ansi report\\par}";
    w.document.SetText(L"mine");

    prompts.answers.assign({IDNO});
    OpenFile(Path(L"names.txt"));
    EXPECT_TRUE(prompts.Said(0, kOpenQuestion, kOpenQuestionTitle, MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(w.DocumentText(), L"mine");
    const ui::FileDialogSettings& shown = dialogs.openSeen.back();
    EXPECT_TRUE(shown.filter == L"Rich Text File (*.rtf)|*.rtf|TXT Files (*.txt)|*.txt|All Files (*.*)|*.*" &&
                shown.filterIndex == 1 && shown.fileName.empty() && !shown.hideReadOnly);

    OpenFile(Path(L"Report.RtF"), true);
    EXPECT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(w.DocumentText(), L"report");
    EXPECT_TRUE(w.document.Locked());
    w.document.SetSelStart(0);
    Type(L"xy");
    w.document.SelectAll();
    w.deleteItem.Click();
    EXPECT_EQ(w.DocumentText(), L"report");

    // Clear, from every button, item and toolbar key that clears.
    const std::function<void()> clears[] = {
        [&] { w.clearButton.Click(); },
        [&] { w.closeItem.Click(); },
        [&] { w.clearListItem.Click(); },
        [&] { w.toolbar.ClickButton(listwin::kClearToolButton); },
    };
    for (const auto& clear : clears) {
        w.document.SetText(L"a\rb");
        w.openItem.SetEnabled(false);
        w.document.SetLocked(true);
        clear();
        EXPECT_TRUE(w.DocumentEmpty());
        EXPECT_TRUE(w.openItem.Enabled() && !w.document.Locked());
        EXPECT_FALSE(w.clearButton.Enabled() || w.saveItem.Enabled());
    }
    // Opening into the empty list enables the commands of the document.
    OpenFile(Path(L"Report.RtF"));
    EXPECT_TRUE(w.clearButton.Enabled() && w.saveItem.Enabled());
}

// Save with an empty document says so; every way to save reaches the dialog.
TEST_F(ListDocument, EmptyListIsNotSaved) {
    Window& w = *window;
    w.saveItem.SetEnabled(true);
    w.saveItem.Click();
    EXPECT_TRUE(prompts.Said(0, LoadText(Text::EmptyList), L"?", MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(w.driveBox.HasFocus());
    EXPECT_TRUE(dialogs.saveSeen.empty());

    Type(L"x");
    w.saveButton.Click();
    w.saveItem.Click();
    w.toolbar.ClickButton(listwin::kSaveToolButton);
    EXPECT_EQ(dialogs.saveSeen.size(), 3u);
    EXPECT_EQ(prompts.seen.size(), 1u);
}

// Files that cannot be read or written end the command with the error box
// and leave the document and the file on disk as they were.
TEST_F(ListDocument, BadFilesKeepTheDocument) {
    Window& w = *window;
    w.document.SetText(L"keep\rme");
    const std::string old = "old content";
    std::ofstream(folder / "readonly.txt") << old;
    SetFileAttributesW(Path(L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    std::ofstream(folder / "locked.rtf") << "{\\rtf1 locked}";
    HANDLE lock = CreateFileW(Path(L"locked.rtf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    SaveAs(Path(L"readonly.txt"));
    SaveAs(Path(L"no such folder\\list.rtf"));
    OpenFile(Path(L"locked.rtf"));
    OpenFile(Path(L"missing.rtf"));
    CloseHandle(lock);
    ASSERT_EQ(prompts.seen.size(), 4u);
    for (size_t i = 0; i < prompts.seen.size(); ++i) {
        EXPECT_TRUE(prompts.seen[i].text.starts_with(L"Error Number = ")) << i;
        EXPECT_EQ(prompts.seen[i].flags, UINT(MB_OK | MB_ICONSTOP)) << i;
    }
    EXPECT_TRUE(prompts.SaidError(3, 53));
    EXPECT_EQ(FileBytes(folder / "readonly.txt"), old);
    EXPECT_EQ(w.DocumentText(), L"keep\rme");

    // A damaged rich-text file is refused before the document is touched;
    // a binary file opened anyway shows its bytes as text.
    std::ofstream(folder / "damaged.rtf") << "{\\rtf1\\ansi {\\fonttbl{\\f0 Arial;}\\f0 half";
    std::ofstream(folder / "binary.exe", std::ios::binary) << std::string("MZ\0\x90\0\xff\xfe\0\0text", 13);
    prompts.seen.clear();
    OpenFile(Path(L"damaged.rtf"));
    EXPECT_TRUE(prompts.SaidError(0, 321));
    EXPECT_EQ(w.DocumentText(), L"keep\rme");
    prompts.answers.assign({IDYES});
    OpenFile(Path(L"binary.exe"));
    EXPECT_TRUE(w.DocumentText().starts_with(std::wstring(L"MZ\0", 3)));
    w.document.SetSelStart(w.document.TextLength());
    Type(L"!");
    EXPECT_TRUE(w.DocumentText().ends_with(L"text!"));
}

// The font dialog starts from the selection and its choice is applied to the
// selection only; a style is switched on, never off. A selection that mixes
// faces keeps the dialog's earlier face and size.
TEST_F(ListDocument, FontOfTheSelection) {
    Window& w = *window;
    w.document.SetText(L"plain bold");
    Select(6, 4);
    dialogs.fontAnswers.push_back({L"Courier New", 140, true, false, false, false});
    w.fontItem.Click();
    ASSERT_EQ(dialogs.fontPresets.size(), 1u);
    const ui::FontChoice first = dialogs.fontPresets[0];
    EXPECT_FALSE(first.face.empty());
    EXPECT_GT(first.pointTenths, 0);
    EXPECT_FALSE(first.bold || first.italic);
    ui::SelectionFormat format = ui::SelectionFormatOf(w.document);
    EXPECT_TRUE(format.face == L"Courier New" && format.pointTenths == 140 && format.bold == true);
    EXPECT_TRUE(w.folderBox.HasFocus());
    Select(0, 5);
    format = ui::SelectionFormatOf(w.document);
    EXPECT_TRUE(format.face == first.face && format.pointTenths == first.pointTenths && format.bold == false);

    // The bold selection presets bold; choosing italic without bold keeps it bold.
    Select(6, 4);
    dialogs.fontAnswers.push_back({L"Courier New", 140, false, true, false, false});
    w.fontItem.Click();
    EXPECT_TRUE(dialogs.fontPresets[1].bold && dialogs.fontPresets[1].face == L"Courier New" &&
                dialogs.fontPresets[1].pointTenths == 140);
    format = ui::SelectionFormatOf(w.document);
    EXPECT_TRUE(format.bold == true && format.italic == true);

    // Across both faces: the presets stop at the face, the dialog keeps the last choice.
    Select(0, 10);
    dialogs.fontAnswers.push_back({L"Arial", 100, false, false, true, false});
    w.fontItem.Click();
    EXPECT_EQ(dialogs.fontPresets[2].face, L"Courier New");
    EXPECT_EQ(dialogs.fontPresets[2].pointTenths, 140);
    format = ui::SelectionFormatOf(w.document);
    EXPECT_TRUE(format.face == L"Arial" && format.pointTenths == 100 && format.underline == true);
    EXPECT_FALSE(format.bold.has_value());

    // Cancel applies the presets again: the document stays as it is.
    Select(0, 5);
    w.fontItem.Click();
    EXPECT_EQ(dialogs.fontPresets.size(), 4u);
    format = ui::SelectionFormatOf(w.document);
    EXPECT_TRUE(format.face == L"Arial" && format.pointTenths == 100);
    EXPECT_EQ(w.DocumentText(), L"plain bold");
}

// Cut, copy, paste, delete and select all through the real clipboard, and
// the states of Paste and Select All that follow the selection.
TEST_F(ListDocument, EditCommandsThroughTheClipboard) {
    Window& w = *window;
    HWND owner = w.hwnd();
    w.document.SetText(L"one\rtwo three");
    Select(2, 5);
    w.copyItem.Click();
    EXPECT_EQ(ClipboardAnsiText(owner), "e\r\ntwo");
    Select(7, 6);
    w.cutItem.Click();
    EXPECT_EQ(ClipboardAnsiText(owner), " three");
    EXPECT_EQ(w.DocumentText(), L"one\rtwo");
    Select(0, 3);
    w.pasteItem.SetEnabled(true);
    w.pasteItem.Click();
    EXPECT_EQ(w.DocumentText(), L" three\rtwo");
    EXPECT_EQ(w.document.SelStart(), 6);
    Select(0, 1);
    w.deleteItem.Click();
    EXPECT_EQ(w.DocumentText(), L"three\rtwo");
    w.selectAllTextItem.Click();
    EXPECT_EQ(w.document.SelLength(), 9);

    // Nothing selected: copy and cut leave the clipboard, delete the text.
    Select(3, 0);
    for (ui::MenuItem* item : {&w.copyItem, &w.cutItem, &w.deleteItem}) item->Click();
    EXPECT_EQ(ClipboardAnsiText(owner), " three");
    EXPECT_EQ(w.DocumentText(), L"three\rtwo");

    // A clipboard without text: Paste is disabled by the next selection
    // change and, run all the same, changes nothing.
    PutOnClipboard(owner, nullptr);
    Select(0, 2);
    EXPECT_FALSE(w.pasteItem.Enabled());
    EXPECT_TRUE(w.selectAllTextItem.Enabled());
    w.pasteItem.SetEnabled(true);
    w.pasteItem.Click();
    EXPECT_EQ(w.DocumentText(), L"three\rtwo");
    PutOnClipboard(owner, "new");
    Select(0, 0);
    EXPECT_TRUE(w.pasteItem.Enabled());
    w.selectAllTextItem.Click();
    w.deleteItem.Click();
    EXPECT_TRUE(w.DocumentEmpty());
    EXPECT_FALSE(w.selectAllTextItem.Enabled());
}

// A right-click on the document pops up the Edit menu, in list mode only.
TEST_F(ListDocument, RightClickPopsUpTheEditMenu) {
    poppedUp = nullptr;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, ClosePopupAtOnce, nullptr, GetCurrentThreadId());
    Window& w = *window;
    for (bool pictures : {true, false}) {
        w.viewPicturesBox.SetValue(pictures);
        SendMessageW(w.document.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(poppedUp, pictures ? nullptr : w.editMenu.handle()) << pictures;
    }
    UnhookWindowsHookEx(hook);
}

// In picture view no command of the document does anything: no dialog, no
// message, no change of the document or the clipboard.
TEST_F(ListDocument, PictureViewIgnoresEveryCommand) {
    Window& w = *window;
    w.document.SetText(L"names");
    PutOnClipboard(w.hwnd(), "clip");
    Select(1, 2);
    w.viewPicturesBox.SetValue(true);
    testing_support::FailOnEveryDialog();
    const std::function<void()> commands[] = {
        [&] { w.saveButton.Click(); },   [&] { w.saveItem.Click(); },
        [&] { w.toolbar.ClickButton(listwin::kSaveToolButton); },
        [&] { w.openItem.Click(); },     [&] { w.closeItem.Click(); },
        [&] { w.clearListItem.Click(); }, [&] { w.clearButton.Click(); },
        [&] { w.toolbar.ClickButton(listwin::kClearToolButton); },
        [&] { w.fontItem.Click(); },     [&] { w.cutItem.Click(); },
        [&] { w.copyItem.Click(); },     [&] { w.deleteItem.Click(); },
        [&] { w.pasteItem.SetEnabled(true); w.pasteItem.Click(); },
        [&] { w.selectAllTextItem.Click(); },
    };
    for (size_t i = 0; i < std::size(commands); ++i) {
        commands[i]();
        EXPECT_TRUE(w.DocumentText() == L"names" && w.document.SelStart() == 1 && w.document.SelLength() == 2) << i;
    }
    EXPECT_EQ(ClipboardAnsiText(w.hwnd()), "clip");
    EXPECT_TRUE(prompts.seen.empty());
}

// The recursive search starts at the window's folder, puts its lines at the caret in place of
// the selection, and leaves the window at the folder it ended at; the About box opens over the
// window from its menu item and its toolbar button. Both only through their registrations.
TEST_F(ListDocument, SearchAndAboutBoxOpenOverTheWindow) {
    fs::create_directories(folder / "found");
    window->folderBox.SetPath(folder.wstring());
    Type(L"keep [old] keep");
    Select(5, 5);
    std::vector<std::wstring> startedAt;
    ui::RegisterSearchWindow([&](HWND owner, std::wstring& at, std::function<void(const std::wstring&)> insert) {
        EXPECT_EQ(owner, window->hwnd());
        startedAt.push_back(at);
        insert(L"C:\\f\\a.txt;\nC:\\f\\sub\\b.txt;\n");
        at = (folder / "found").wstring();
    });
    window->radicalSelectItem.Click();
    EXPECT_EQ(startedAt, std::vector<std::wstring>{folder.wstring()});
    EXPECT_EQ(window->document.Text(), L"keep C:\\f\\a.txt;\rC:\\f\\sub\\b.txt;\r keep");
    EXPECT_EQ(window->folderBox.Path(), (folder / "found").wstring());
    EXPECT_EQ(window->fileBox.Path(), (folder / "found").wstring());
    window->viewPicturesBox.SetValue(true);
    window->radicalSelectItem.Click();
    EXPECT_EQ(startedAt.size(), 1u) << "not in picture view";
    window->viewPicturesBox.SetValue(false);

    std::vector<HWND> aboutOwners;
    ui::RegisterAboutBox([&](HWND owner) { aboutOwners.push_back(owner); });
    window->aboutItem.Click();
    window->toolbar.OnButtonClick(L"gxxk");
    EXPECT_EQ(aboutOwners, (std::vector<HWND>{window->hwnd(), window->hwnd()}));
    ui::RegisterSearchWindow(nullptr);
    ui::RegisterAboutBox(nullptr);
}
