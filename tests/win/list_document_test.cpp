// The list document of the list window driven through its real controls:
// the transfer of marked names, the undo history over typing, transfers and
// overtyping, and the fresh window a large removal gives the document.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/Settings.h"
#include "listwin/ListWindow.h"
#include "tests/win/list_window_fixture.h"
#include "tests/win/prompts.h"
#include "tests/win/remove_tree.h"
#include "ui/App.h"

namespace fs = std::filesystem;
using Names = std::vector<std::wstring>;
using Window = listwin::ListWindow;

namespace {
class ListDocument : public testing_support::ListWindowFixture {
protected:
    void ShowFolder(const fs::path& path, const Names& files) {
        for (const auto& name : files) std::ofstream(path / name) << "x";
        window->folderBox.SetPath(path.wstring());
    }
    void Mark(const Names& names) {
        for (int i = 0; i < window->fileBox.ListCount(); ++i)
            for (const auto& name : names)
                if (window->fileBox.List(i) == name) window->fileBox.SetSelected(i, true);
    }
    // Click, then the timer's tick a second later.
    void Transfer() {
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
        const bool undos[] = {w.undoButton.Enabled(), w.undoItem.Enabled(),
                              w.toolbar.ButtonEnabled(listwin::kUndoToolButton)};
        const bool redos[] = {w.redoButton.Enabled(), w.redoItem.Enabled(),
                              w.toolbar.ButtonEnabled(listwin::kRedoToolButton)};
        for (int i = 0; i < 3; ++i)
            if (undos[i] != undo || redos[i] != redo)
                return testing::AssertionFailure() << "form " << i << ": undo " << undos[i] << ", redo " << redos[i];
        return testing::AssertionSuccess();
    }
    size_t Elements() const { return window->History().UndoList().size(); }

};
}  // namespace

// The window starts its history with the empty document; a first keystroke
// gives it something to take back, through any of its three forms.
TEST_F(ListDocument, HistoryStartsWithTheLoadedDocument) {
    EXPECT_EQ(Elements(), 1u);
    EXPECT_TRUE(UndoRedo(false, false));
    const std::function<void(Window&)> undos[] = {
        [](Window& w) { w.undoButton.Click(); },
        [](Window& w) { w.undoItem.Click(); },
        [](Window& w) { w.toolbar.ClickButton(listwin::kUndoToolButton); },
    };
    const std::function<void(Window&)> redos[] = {
        [](Window& w) { w.redoButton.Click(); },
        [](Window& w) { w.redoItem.Click(); },
        [](Window& w) { w.toolbar.ClickButton(listwin::kRedoToolButton); },
    };
    for (size_t form = 0; form < 3; ++form) {
        SCOPED_TRACE(form);
        Type(L"q");
        EXPECT_TRUE(UndoRedo(true, false));
        undos[form](*window);
        EXPECT_TRUE(Shows(L"", 0));
        EXPECT_TRUE(UndoRedo(false, true));
        EXPECT_TRUE(window->document.HasFocus());
        redos[form](*window);
        EXPECT_TRUE(Shows(L"q", 1));
        EXPECT_TRUE(UndoRedo(true, false));
        window->undoButton.Click();
    }
    window->Unload();
    EXPECT_EQ(Elements(), 0u);
}

// Marked names go in one block at the caret, replacing the selection; the
// marks stay; the history gains one element; in picture view nothing is written.
TEST_F(ListDocument, TransfersTheMarkedNames) {
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
        if (row.byDoubleClick) {
            SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(window->fileBox.id(), LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(window->fileBox.hwnd()));
            EXPECT_TRUE(window->BusyCursorOn() && window->transferTimer.Enabled());
            window->transferTimer.FireNow();
        } else {
            Transfer();
        }
        EXPECT_TRUE(Shows(row.expected, row.caret, row.pictures ? row.selLength : 0));
        EXPECT_EQ(Elements(), before + (row.pictures ? 0 : 1));
        EXPECT_EQ(window->fileBox.SelCount(), static_cast<int>(row.marked.size()));
        EXPECT_FALSE(window->openItem.Enabled());
        EXPECT_TRUE(row.pictures || window->document.HasFocus());
        window->viewPicturesBox.SetValue(false);
        window->openItem.SetEnabled(true);
    }
}

// A transfer from a drive root writes one backslash between drive and name;
// after any transfer the states are those of a document with an undo step.
TEST_F(ListDocument, TransferFromADriveRootAndTheStatesAfter) {
    const fs::path root = L"C:\\";
    const std::wstring name = L"nomaro-root-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    ShowFolder(root, {name});
    Mark({name});
    window->includePathItem.Click();
    Transfer();
    fs::remove(root / name);
    EXPECT_TRUE(Shows(L"C:\\" + name + L"\r", static_cast<int>(name.size() + 4)));
    const Window& w = *window;
    EXPECT_TRUE(w.saveItem.Enabled() && w.printItem.Enabled() && w.closeItem.Enabled() && !w.openItem.Enabled());
    EXPECT_TRUE(w.saveButton.Enabled() && w.printButton.Enabled() && w.clearButton.Enabled() && w.fontItem.Enabled());
    for (int button : {listwin::kPrintToolButton, listwin::kSaveToolButton, listwin::kClearToolButton})
        EXPECT_TRUE(w.toolbar.ButtonEnabled(button)) << button;
    EXPECT_TRUE(UndoRedo(true, false));
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

    // In picture view Undo and Redo do nothing.
    window->viewPicturesBox.SetValue(true);
    const std::wstring text = window->DocumentText();
    window->undoButton.Click();
    EXPECT_EQ(window->DocumentText(), text);
}

namespace {
bool Bold(const ui::RichText& box, int start, int length) {
    CHARRANGE range{start, start + length};
    SendMessageW(box.hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(box.hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
}
void MakeBold(const ui::RichText& box, int start, int length) {
    CHARRANGE range{start, start + length};
    SendMessageW(box.hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD;
    format.dwEffects = CFE_BOLD;
    SendMessageW(box.hwnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}
}  // namespace

// A large removal gives the document a fresh window: the window still sees
// the same control (id, place, focus, read-only state, events), the text and
// the formatting outside the stretch are kept, and the result is that of the
// plain deletion, also for Clear and for Undo of a whole transfer.
TEST_F(ListDocument, LargeRemovalKeepsTheControl) {
    std::wstring lines;
    for (int i = 0; i < 2000; ++i) lines += L"name" + std::to_wstring(10000 + i) + L"\r";
    ui::RichText& d = window->document;
    d.ReplaceSelection(L"Head " + lines + L"Tail");
    MakeBold(d, 0, 4);
    MakeBold(d, d.TextLength() - 4, 4);
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
    EXPECT_TRUE(Bold(d, 0, 4) && Bold(d, 6, 4) && !Bold(d, 4, 2));
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
    EXPECT_TRUE(Bold(d, 0, 4) && Bold(d, 6, 4));

    // Clear: select all and replace by nothing.
    d.SelectAll();
    d.ReplaceSelection(L"");
    EXPECT_TRUE(Shows(L"", 0));
    EXPECT_TRUE(UndoRedo(true, false));
    EXPECT_FALSE(window->saveButton.Enabled() || window->clearButton.Enabled());
    window->undoButton.Click();
    EXPECT_TRUE(Shows(L"Head -Tail", 0, 10));

    // Undo of a transfer into the empty document.
    d.SelectAll();
    d.ReplaceSelection(L"");
    std::vector<std::wstring> many;
    for (int i = 0; i < 600; ++i) many.push_back(L"file" + std::to_wstring(1000 + i) + L".txt");
    for (const auto& name : many) std::ofstream(folder / name) << "x";
    window->folderBox.SetPath(folder.wstring());
    window->fileBox.SelectAll();
    Transfer();
    EXPECT_EQ(d.TextLength(), 600 * 13);
    window->undoButton.Click();
    EXPECT_TRUE(Shows(L"", 0));
    EXPECT_TRUE(d.HasFocus());
    EXPECT_TRUE(UndoRedo(true, true));
}
