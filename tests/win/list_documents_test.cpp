// The list document of the list window driven as a person drives it: the
// transfer of marked names, the undo history, the fresh control a large
// removal gives it, its files, font and editing commands, with scripted
// dialogs and message boxes, real files on disk and the real clipboard.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "base/Texts.h"
#include "tests/win/dialogs.h"
#include "tests/win/list_window_fixture.h"
#include "ui/App.h"
#include "ui/MainWindows.h"
#include "ui/RichTextFormat.h"

namespace fs = std::filesystem;
using base::LoadText;
using base::Text;
using Names = std::vector<std::wstring>;
using testing_support::Bold;
using testing_support::FileBytes;
using testing_support::PutOnClipboard;
using Window = listwin::ListWindow;

namespace {
const wchar_t kOpenQuestion[] = L"Do you want to open the file anyway?";
const wchar_t kOpenQuestionTitle[] = L"This May Not Be A Rich Text File";

// The clipboard as another program reads it.
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

    void ShowFolder(const fs::path& path, const Names& files) {
        for (const auto& name : files) std::ofstream(path / name) << "x";
        window->folderBox.SetPath(path.wstring());
    }
    void Mark(const Names& names) {
        for (int i = 0; i < window->fileBox.ListCount(); ++i)
            for (const auto& name : names)
                if (window->fileBox.List(i) == name) window->fileBox.SetSelected(i, true);
    }
    // Click (or double-click on the file list), then the timer's tick a second later.
    void Transfer(bool byDoubleClick = false) {
        if (byDoubleClick)
            SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(window->fileBox.id(), LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(window->fileBox.hwnd()));
        else
            window->addToListButton.Click();
        EXPECT_TRUE(window->BusyCursorOn() && window->transferTimer.Enabled());
        window->transferTimer.FireNow();
        EXPECT_TRUE(!window->BusyCursorOn() && !window->transferTimer.Enabled());
    }
    // Text, selection start and length of the document.
    testing::AssertionResult Shows(const std::wstring& text, int start, int length = 0) {
        const ui::RichText& d = window->document;
        if (d.Text() == text && d.SelStart() == start && d.SelLength() == length)
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << testing::PrintToString(d.Text()) << " at " << d.SelStart() << "+"
                                           << d.SelLength();
    }
    // Undo and Redo as the buttons, menu items and toolbar buttons show them.
    testing::AssertionResult UndoRedo(bool undo, bool redo) {
        const Window& w = *window;
        const std::vector<bool> states = {w.undoButton.Enabled(), w.undoItem.Enabled(),
                                          w.toolbar.ButtonEnabled(listwin::kUndoToolButton), w.redoButton.Enabled(),
                                          w.redoItem.Enabled(), w.toolbar.ButtonEnabled(listwin::kRedoToolButton)};
        if (states == std::vector{undo, undo, undo, redo, redo, redo}) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "undo: button, item, tool; redo: " << testing::PrintToString(states);
    }

    testing_support::ScriptedDialogs dialogs;
};
}  // namespace

// The window starts its history with the empty document; a first keystroke
// gives it something to take back, through any of its three forms.
TEST_F(ListDocument, HistoryStartsWithTheLoadedDocument) {
    EXPECT_EQ(Elements(), 1u);
    EXPECT_TRUE(UndoRedo(false, false));
    using Command = std::function<void(Window&)>;
    const std::pair<Command, Command> forms[] = {
        {[](Window& w) { w.undoButton.Click(); }, [](Window& w) { w.redoButton.Click(); }},
        {[](Window& w) { w.undoItem.Click(); }, [](Window& w) { w.redoItem.Click(); }},
        {[](Window& w) { w.toolbar.ClickButton(listwin::kUndoToolButton); },
         [](Window& w) { w.toolbar.ClickButton(listwin::kRedoToolButton); }},
    };
    for (size_t form = 0; form < 3; ++form) {
        SCOPED_TRACE(form);
        Type(L"q");
        EXPECT_TRUE(UndoRedo(true, false));
        forms[form].first(*window);
        EXPECT_TRUE(Shows(L"", 0));
        EXPECT_TRUE(UndoRedo(false, true));
        EXPECT_TRUE(window->document.HasFocus());
        forms[form].second(*window);
        EXPECT_TRUE(Shows(L"q", 1));
        EXPECT_TRUE(UndoRedo(true, false));
        window->undoButton.Click();
    }
    window->Unload();
    EXPECT_EQ(Elements(), 0u);
}

// Marked names go in one block at the caret, replacing the selection; the
// marks stay; the history gains one element; in picture view nothing is written.
TEST_F(ListDocument, TransfersTheMarkedNamesAtTheCaret) {
    ShowFolder(folder, {L"a.txt", L"b.txt", L"c.txt", L"d.txt"});
    const std::wstring dir = folder.wstring() + L"\\";
    const struct {
        const char* what;
        bool includePath, pictures, byDoubleClick;
        Names marked;
        int selStart, selLength;  // in the document "xy|z" before the transfer
        std::wstring expected;
        int caret;
    } table[] = {
        {"names", false, false, false, {L"a.txt", L"b.txt", L"c.txt"}, 2, 0, L"xya.txt\rb.txt\rc.txt\rz", 20},
        {"with path", true, false, false, {L"b.txt", L"d.txt"}, 3, 0,
         L"xyz" + dir + L"b.txt\r" + dir + L"d.txt\r", static_cast<int>(3 + 2 * (dir.size() + 6))},
        {"over a selection", false, false, true, {L"d.txt"}, 1, 1, L"xd.txt\rz", 7},
        {"no marks over a selection", false, false, false, {}, 0, 2, L"z", 0},
        // The picture pattern lists no text file, and Add to List is disabled.
        {"in picture view", false, true, true, {}, 0, 2, L"xyz", 0},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        window->document.SelectAll();
        window->document.ReplaceSelection(L"xyz");
        window->fileBox.ClearSelection();
        Mark(row.marked);
        if (window->includePathItem.Checked() != row.includePath) window->includePathItem.Click();
        window->viewPicturesBox.SetValue(row.pictures);
        Select(row.selStart, row.selLength);
        const size_t before = Elements();
        Transfer(row.byDoubleClick);
        EXPECT_TRUE(Shows(row.expected, row.caret, row.pictures ? row.selLength : 0));
        EXPECT_EQ(Elements(), before + (row.pictures ? 0 : 1));
        EXPECT_EQ(window->fileBox.SelCount(), static_cast<int>(row.marked.size()));
        EXPECT_FALSE(window->openItem.Enabled());
        EXPECT_TRUE(row.pictures || window->document.HasFocus());
        window->viewPicturesBox.SetValue(false);
        window->openItem.SetEnabled(true);
    }
}

// Undo and Redo bring back the exact text through the real control, one
// recorded change at a time, with the caret (or the selection of more than
// one character put back) where the change was.
TEST_F(ListDocument, UndoAndRedoRestoreTextAndCaret) {
    ShowFolder(folder, {L"a.txt", L"b.txt"});
    Type(L"abc");
    EXPECT_EQ(Elements(), 4u);
    struct Step {
        bool undo;
        std::wstring text;
        int start, length;
    };
    const std::vector<Step> typed = {{true, L"ab", 2, 0}, {true, L"a", 1, 0},  {false, L"ab", 2, 0},
                                     {true, L"a", 1, 0},  {true, L"", 0, 0},   {false, L"a", 1, 0},
                                     {false, L"ab", 2, 0}, {false, L"abc", 3, 0}};
    auto run = [&](const std::vector<Step>& steps) {
        for (size_t i = 0; i < steps.size(); ++i) {
            SCOPED_TRACE(i);
            (steps[i].undo ? window->undoButton : window->redoButton).Click();
            EXPECT_TRUE(Shows(steps[i].text, steps[i].start, steps[i].length));
        }
    };
    run(typed);
    EXPECT_TRUE(UndoRedo(true, false));

    // A transfer at the caret, taken back and put in again.
    Select(1, 0);
    Mark({L"a.txt", L"b.txt"});
    Transfer();
    run({{true, L"abc", 1, 0}, {false, L"aa.txt\rb.txt\rbc", 1, 12}});

    // Overtyping a selection: the old characters come back selected.
    Select(2, 5);
    Type(L"Z");
    EXPECT_TRUE(Shows(L"aaZb.txt\rbc", 3));
    run({{true, L"aa.txt\rb.txt\rbc", 2, 5}, {false, L"aaZb.txt\rbc", 3, 0}, {true, L"aa.txt\rb.txt\rbc", 2, 5}});
    // A new edit after Undo leaves nothing to redo.
    Type(L"!");
    EXPECT_TRUE(UndoRedo(true, false));
    EXPECT_TRUE(window->History().RedoList().empty());
}

// A large removal gives the document a fresh window: the window still sees
// the same control (id, place, focus, read-only state, events), the text and
// the formatting outside the stretch are kept, and the result is that of the
// plain deletion.
TEST_F(ListDocument, LargeRemovalKeepsTheControl) {
    std::wstring lines;
    for (int i = 0; i < 2000; ++i) lines += L"name" + std::to_wstring(10000 + i) + L"\r";
    ui::RichText& d = window->document;
    d.ReplaceSelection(L"Head " + lines + L"Tail");
    Bold(d.hwnd(), 0, 4, true);
    Bold(d.hwnd(), d.TextLength() - 4, 4, true);
    d.SetFocus();
    const HWND before = d.hwnd();
    RECT placeBefore{};
    GetWindowRect(before, &placeBefore);
    const int id = GetDlgCtrlID(before);
    const LONG style = GetWindowLongW(before, GWL_STYLE);
    const size_t elements = Elements();

    Select(5, static_cast<int>(lines.size()));
    d.SetLocked(true);
    d.ReplaceSelection(L"-");
    EXPECT_TRUE(Shows(L"Head -Tail", 6));
    EXPECT_EQ(Elements(), elements + 1);
    EXPECT_TRUE(IsWindow(d.hwnd()) && d.HasFocus() && d.Locked() && d.Visible());
    EXPECT_EQ(GetDlgCtrlID(d.hwnd()), id);
    // The scroll bar comes and goes with the length of the text.
    EXPECT_EQ(GetWindowLongW(d.hwnd(), GWL_STYLE) & ~WS_VSCROLL, (style | ES_READONLY) & ~WS_VSCROLL);
    RECT place{};
    GetWindowRect(d.hwnd(), &place);
    EXPECT_TRUE(EqualRect(&place, &placeBefore));
    EXPECT_TRUE(Bold(d.hwnd(), 0, 4) && Bold(d.hwnd(), 6, 4) && !Bold(d.hwnd(), 4, 2));
    ui::DoEvents();
    EXPECT_FALSE(IsWindow(before));
    // Its events still reach the window.
    d.SetLocked(false);
    Select(6, 0);
    Type(L"x");
    EXPECT_TRUE(Shows(L"Head -xTail", 7));
    EXPECT_EQ(Elements(), elements + 2);

    // Undo puts the large text back; Redo takes it out again.
    window->undoButton.Click();
    window->undoButton.Click();
    EXPECT_TRUE(Shows(L"Head " + lines + L"Tail", 5, static_cast<int>(lines.size())));
    window->redoButton.Click();
    EXPECT_TRUE(Shows(L"Head -Tail", 6));
    EXPECT_TRUE(Bold(d.hwnd(), 0, 4) && Bold(d.hwnd(), 6, 4));
}

// An empty document is not saved, and says so. The name's last three characters decide the
// format (their letter case is the host test's); others write nothing and say so. What was written opens again with the same text.
TEST_F(ListDocument, SavesByTheEndingAndOpensAgain) {
    window->saveItem.SetEnabled(true);
    window->saveItem.Click();
    EXPECT_TRUE(prompts.Said(0, LoadText(Text::EmptyList), L"?", MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(window->driveBox.HasFocus() && dialogs.saveSeen.empty());
    // More lines than one insertion takes: a text file goes in by pieces.
    std::wstring names = L"alpha.txt\rbeta \u00e9t\u00e9.jpg";
    for (int i = 0; i < 450; ++i) names += L"\rname" + std::to_wstring(i);
    const struct {
        const wchar_t* name;
        const char* starts;  // the file's first bytes; null: no file written
        bool asks;           // opening it asks whether to open it anyway
    } table[] = {
        {L"list.txt", "alpha.txt\r\nbeta \xe9t\xe9.jpg", true},
        {L"list.rtf", "{\\rtf", false},
        {L"list.doc", nullptr, false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)));
        Window& w = *window;
        w.document.SetText(names);
        prompts.seen.clear();
        SaveAs(Path(row.name));
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
        EXPECT_TRUE(!row.asks || prompts.Said(0, kOpenQuestion, kOpenQuestionTitle, MB_YESNO | MB_ICONQUESTION));
        EXPECT_FALSE(w.document.Locked());
    }
    // Cancel, from every way to save, writes nothing and says nothing.
    prompts.seen.clear();
    const size_t dialogsShown = dialogs.saveSeen.size();
    window->saveItem.Click();
    window->toolbar.ClickButton(listwin::kSaveToolButton);
    window->saveButton.Click();
    EXPECT_EQ(dialogs.saveSeen.size(), dialogsShown + 3);
    EXPECT_TRUE(prompts.seen.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2);
}

// Open asks for names that do not end in .rtf; No keeps the document; the
// read-only box locks it; Clear empties and unlocks it and enables Open again.
TEST_F(ListDocument, OpenAsksLocksAndClearsAndBadFilesChangeNothing) {
    Window& w = *window;
    std::ofstream(folder / "names.txt") << "one\r\ntwo";
    std::ofstream(folder / "Report.RtF") << "{\\rtf1\\ansi report\\par}";
    w.document.SetText(L"mine");

    prompts.answers.assign({IDNO});
    OpenFile(Path(L"names.txt"));
    EXPECT_TRUE(prompts.Said(0, kOpenQuestion, kOpenQuestionTitle, MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(w.DocumentText(), L"mine");

    OpenFile(Path(L"Report.RtF"), true);
    EXPECT_EQ(std::tuple(prompts.seen.size(), w.DocumentText(), w.document.Locked()), std::tuple(1u, L"report", true));
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
        EXPECT_TRUE(w.DocumentEmpty() && w.openItem.Enabled() && !w.document.Locked());
        EXPECT_FALSE(w.clearButton.Enabled() || w.saveItem.Enabled());
    }
    // Opening into the empty list enables the commands of the document.
    OpenFile(Path(L"Report.RtF"));
    EXPECT_TRUE(w.clearButton.Enabled() && w.saveItem.Enabled());

    // Files that cannot be written or read end the command with the error box
    // and leave the document as it was.
    prompts.seen.clear();
    w.document.SetText(L"keep\rme");
    SaveAs(Path(L"no such folder\\list.rtf"));
    OpenFile(Path(L"missing.rtf"));
    ASSERT_EQ(prompts.seen.size(), 2u);
    EXPECT_TRUE(prompts.seen[0].text.starts_with(L"Error Number = "));
    EXPECT_EQ(prompts.seen[0].flags, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(prompts.SaidError(1, 53));
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

// The longest list a search writes opens whole from both formats, every line
// and its formatting (in pieces, or it would take minutes): the rich text read back writes the same file again.
// Another program's rich text, its groups over many paragraphs, opens whole too.
TEST_F(ListDocument, LongListsOpenWhole) {
    Window& w = *window;
    std::wstring lines;
    // Names in and outside the ANSI code page (the latter written as \u escapes).
    for (int i = 1; i <= 32767; ++i)
        lines += (i > 1 ? L"\r" : L"") + std::to_wstring(100000 + i) + L" \u00e9t\u00e9 \u0424\u043e\u0442\u043e.jpg";
    w.document.ReplaceSelection(lines);
    ASSERT_EQ(w.DocumentText(), lines);
    const int middle = static_cast<int>(lines.size() / 2);
    Bold(w.document.hwnd(), 0, 6, true);
    Select(middle, 30);
    dialogs.fontAnswers.push_back({L"Courier New", 140, false, true, false, false});
    w.fontItem.Click();
    SaveAs(Path(L"long.rtf"));
    SaveAs(Path(L"long.txt"));
    const std::string saved = FileBytes(folder / "long.rtf");

    w.document.SelectAll();
    w.document.ReplaceSelection(L"other");  // a fresh window: deleting the lines would take minutes
    OpenFile(Path(L"long.rtf"));
    EXPECT_TRUE(w.DocumentText() == lines) << "the lines differ";
    EXPECT_TRUE(Bold(w.document.hwnd(), 0, 6) && !Bold(w.document.hwnd(), 6, 6));
    Select(middle, 30);
    const ui::SelectionFormat format = ui::SelectionFormatOf(w.document);
    EXPECT_TRUE(format.face == L"Courier New" && format.pointTenths == 140 && format.italic == true);
    SaveAs(Path(L"again.rtf"));
    EXPECT_TRUE(FileBytes(folder / "again.rtf") == saved) << "the formatting differs";

    w.document.SelectAll();
    w.document.ReplaceSelection(L"other");
    prompts.answers.assign({IDYES});
    OpenFile(Path(L"long.txt"));
    EXPECT_TRUE(w.DocumentText() == lines) << "the lines differ";

    std::string foreign = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\f0\\i ";
    std::wstring foreignLines;
    for (int i = 0; i < 450; ++i) {
        foreign += "line" + std::to_string(i) + "\\par ";
        foreignLines += (i > 0 ? L"\r" : L"") + (L"line" + std::to_wstring(i));
    }
    std::ofstream(folder / "foreign.rtf") << foreign + "}}";
    OpenFile(Path(L"foreign.rtf"));
    EXPECT_TRUE(w.DocumentText() == foreignLines);  // the last paragraph end is the document's own
    Select(0, 5);
    EXPECT_EQ(ui::SelectionFormatOf(w.document).italic, true);
}

// The font dialog starts from the selection and its choice is applied to the
// selection only; a style is switched on, never off. A selection that mixes
// faces keeps the dialog's earlier face and size.
TEST_F(ListDocument, FontAndEditCommandsOfTheSelection) {
    Window& w = *window;
    w.document.SetText(L"plain bold");
    Select(6, 4);
    dialogs.fontAnswers.push_back({L"Courier New", 140, true, false, false, false});
    w.fontItem.Click();
    ASSERT_EQ(dialogs.fontPresets.size(), 1u);
    const ui::FontChoice first = dialogs.fontPresets[0];
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
    EXPECT_TRUE(dialogs.fontPresets[2].face == L"Courier New" && dialogs.fontPresets[2].pointTenths == 140);
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

    // Cut, copy, paste, delete and select all through the real clipboard, and
    // the states of Paste and Select All that follow the selection.
    HWND owner = w.hwnd();
    w.document.SetText(L"one\rtwo three");
    Select(2, 5);
    w.copyItem.Click();
    EXPECT_EQ(ClipboardAnsiText(owner), "e\r\ntwo");
    Select(7, 6);
    w.cutItem.Click();
    EXPECT_EQ(std::tuple(ClipboardAnsiText(owner), w.DocumentText()), std::tuple(" three", L"one\rtwo"));
    Select(0, 3);
    w.pasteItem.SetEnabled(true);
    w.pasteItem.Click();
    EXPECT_TRUE(Shows(L" three\rtwo", 6));
    Select(0, 1);
    w.deleteItem.Click();
    w.selectAllTextItem.Click();
    EXPECT_TRUE(Shows(L"three\rtwo", 0, 9));

    // Nothing selected: copy and cut leave the clipboard, delete the text.
    Select(3, 0);
    for (ui::MenuItem* item : {&w.copyItem, &w.cutItem, &w.deleteItem}) item->Click();
    EXPECT_EQ(std::tuple(ClipboardAnsiText(owner), w.DocumentText()), std::tuple(" three", L"three\rtwo"));

    // A clipboard without text: Paste is disabled by the next selection
    // change and enabled again by the clipboard watch while the clipboard
    // holds something; run then, with a picture there, it takes the
    // selection away, and Undo puts it back.
    PutOnClipboard(owner, nullptr);
    Select(0, 2);
    EXPECT_TRUE(!w.pasteItem.Enabled() && w.selectAllTextItem.Enabled());
    testing_support::PutBitmapOnClipboard(owner);
    Select(1, 2);
    EXPECT_FALSE(w.pasteItem.Enabled());
    ASSERT_TRUE(w.clipboardTimer.FireNow());
    ASSERT_TRUE(w.pasteItem.Enabled());
    w.pasteItem.Click();
    EXPECT_TRUE(Shows(L"tee\rtwo", 1));
    w.undoButton.Click();
    EXPECT_EQ(w.DocumentText(), L"three\rtwo");
    PutOnClipboard(owner, "new");
    Select(0, 0);
    EXPECT_TRUE(w.pasteItem.Enabled());
    w.selectAllTextItem.Click();
    w.deleteItem.Click();
    EXPECT_TRUE(w.DocumentEmpty() && !w.selectAllTextItem.Enabled());
}

// A right-click on the document pops up the Edit menu, in list mode only. In picture view
// no command of the document does anything: no dialog, no message, no change of the
// document or the clipboard.
TEST_F(ListDocument, PictureViewIgnoresEveryCommand) {
    Window& w = *window;
    poppedUp = nullptr;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, ClosePopupAtOnce, nullptr, GetCurrentThreadId());
    for (bool pictures : {true, false}) {
        w.viewPicturesBox.SetValue(pictures);
        SendMessageW(w.document.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(poppedUp, pictures ? nullptr : w.editMenu.handle()) << pictures;
    }
    UnhookWindowsHookEx(hook);
    Type(L"names");  // typed, so that Undo would have something to take back
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
        [&] { w.undoButton.Click(); },   [&] { w.undoItem.Click(); },
        [&] { w.toolbar.ClickButton(listwin::kUndoToolButton); },
    };
    for (size_t i = 0; i < std::size(commands); ++i) {
        commands[i]();
        EXPECT_TRUE(w.DocumentText() == L"names" && w.document.SelStart() == 1 && w.document.SelLength() == 2) << i;
    }
    EXPECT_EQ(ClipboardAnsiText(w.hwnd()), "clip");
    EXPECT_TRUE(prompts.seen.empty());
}

// The recursive search starts at the window's folder, puts its lines into the document, and
// leaves the window at the folder it ended at; the About box opens over the
// window from its menu item and its toolbar button. Both only through their registrations.
TEST_F(ListDocument, SearchAndAboutBoxOpenOverTheWindow) {
    const std::wstring found = (folder / "found").wstring();
    fs::create_directories(found);
    window->folderBox.SetPath(folder.wstring());
    std::vector<std::wstring> startedAt;
    ui::RegisterSearchWindow([&](HWND owner, std::wstring& at, std::function<void(const std::wstring&)> insert) {
        EXPECT_EQ(owner, window->hwnd());
        startedAt.push_back(at);
        insert(L"C:\\f\\a.txt;\nC:\\f\\sub\\b.txt;\n");
        at = found;
    });
    window->radicalSelectItem.Click();
    EXPECT_EQ(startedAt, std::vector<std::wstring>{folder.wstring()});
    EXPECT_EQ(window->document.Text(), L"C:\\f\\a.txt;\rC:\\f\\sub\\b.txt;\r");
    EXPECT_EQ(std::pair(window->folderBox.Path(), window->fileBox.Path()), std::pair(found, found));
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
