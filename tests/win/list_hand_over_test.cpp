// The list window's hand-over of the recursive search's lines into its
// document, as the search window calls it: the lines replace the selection
// in one change that Undo takes back whole, the caret ends behind them, the
// document's formatting outside them stays, a locked document takes them
// too, and the commands follow.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <tuple>

#include "tests/win/list_window_fixture.h"
#include "ui/MainWindows.h"

namespace {

// `count` lines "C:\tree\file00001.txt" and so on, each ended by `lineEnd`.
std::wstring Paths(int count, const std::wstring& lineEnd) {
    std::wstring text;
    for (int n = 1; n <= count; ++n) text += L"C:\\tree\\file" + std::to_wstring(100000 + n).substr(1) + L".txt" + lineEnd;
    return text;
}

using testing_support::Bold;

struct HandOverCase {
    const char* name;
    std::wstring before;   // the document before, its first boldPrefix characters bold
    int boldPrefix;
    int selStart, selLength;
    std::wstring sent;     // what the search hands over
    std::wstring after;    // the document's text afterwards
    bool insertedBold;     // whether the inserted lines come out bold
    bool locked;
};
void PrintTo(const HandOverCase& c, std::ostream* out) { *out << c.name; }

class HandOver : public testing_support::ListWindowFixture, public testing::WithParamInterface<HandOverCase> {
protected:
    void TearDown() override {
        ui::RegisterSearchWindow(nullptr);
        ListWindowFixture::TearDown();
    }
    // The search, opened from the menu, hands `text` over.
    void Search(const std::wstring& text) {
        ui::RegisterSearchWindow([text](HWND, std::wstring&, std::function<void(const std::wstring&)> insert) {
            insert(text);
        });
        window->radicalSelectItem.Click();
    }
};

const std::wstring kThousand = Paths(1000, L"\n");
const std::wstring kThousandAsShown = Paths(1000, L"\r");
const std::wstring kLarge = Paths(4000, L"\n");  // enough for the document's fresh window
const std::wstring kLargeAsShown = Paths(4000, L"\r");

const HandOverCase kHandOvers[] = {
    {"IntoEmpty", L"", 0, 0, 0, L"C:\\a.txt\nC:\\b\\c.txt\n", L"C:\\a.txt\rC:\\b\\c.txt\r", false, false},
    {"ReplacesSelection", L"keep [old] keep", 4, 5, 5, L"x\r\ny\r\n", L"keep x\ry\r keep", false, false},
    {"AtStartNoLineEnd", L"tail", 4, 0, 0, L"p\rq", L"p\rqtail", true, false},
    {"BehindPlainText", L"Bold plain", 4, 10, 0, L"\x00c4\tb\x20ac.txt\n", L"Bold plain\x00c4\tb\x20ac.txt\r", false, false},
    {"LockedDocument", L"ab", 1, 1, 0, L"x\n", L"ax\rb", true, true},
    {"ThousandLines", L"Head Tail", 4, 5, 0, kThousand, L"Head " + kThousandAsShown + L"Tail", false, false},
    {"LargeIntoEmpty", L"", 0, 0, 0, kLarge, kLargeAsShown, false, false},
    {"LargeReplacesBlank", L"Head Tail", 4, 4, 1, kLarge, L"Head" + kLargeAsShown + L"Tail", false, false},
    // A large insertion is built in a fresh window, where the lines take the document's
    // default format rather than the bold before the caret.
    {"LargeBehindBold", L"Head Tail", 4, 4, 0, kLarge, L"Head" + kLargeAsShown + L" Tail", false, false},
};

TEST_P(HandOver, OneChangeCaretBehindFormattingKept) {
    const HandOverCase& c = GetParam();
    ui::RichText& d = window->document;
    Type(c.before);
    if (c.boldPrefix > 0) Bold(d.hwnd(), 0, c.boldPrefix, true);
    Select(c.selStart, c.selLength);
    d.SetLocked(c.locked);
    const size_t elements = Elements();

    Search(c.sent);
    const int insertedLength = static_cast<int>(c.after.size() - c.before.size()) + c.selLength;
    const int caret = c.selStart + insertedLength;
    EXPECT_EQ(std::tuple(d.Text(), d.SelStart(), d.SelLength(), d.Locked(), Elements()),
              std::tuple(c.after, caret, 0, c.locked, elements + 1));
    const Window& w = *window;
    EXPECT_TRUE(w.undoButton.Enabled() && !w.redoButton.Enabled() && w.saveButton.Enabled() &&
                w.clearButton.Enabled() && w.copyItem.Enabled() && w.selectAllTextItem.Enabled());
    // The kept text keeps its formatting; the lines take the caret's.
    const int keptBold = std::min(c.boldPrefix, c.selStart), after = static_cast<int>(c.after.size());
    EXPECT_TRUE(keptBold == 0 || Bold(d.hwnd(), 0, keptBold));
    const bool wholeBold = c.boldPrefix == static_cast<int>(c.before.size());
    EXPECT_TRUE(caret == after || Bold(d.hwnd(), caret, after - caret) == wholeBold);
    EXPECT_EQ(Bold(d.hwnd(), c.selStart, insertedLength), c.insertedBold);

    // One Undo takes the lines out; Redo puts them in again.
    window->undoButton.Click();
    EXPECT_EQ(std::pair(d.Text(), Elements()), std::pair(c.before, elements));
    window->redoButton.Click();
    EXPECT_EQ(std::pair(d.Text(), Elements()), std::pair(c.after, elements + 1));
}

INSTANTIATE_TEST_SUITE_P(Search, HandOver, testing::ValuesIn(kHandOvers),
                         [](const testing::TestParamInfo<HandOverCase>& info) { return info.param.name; });

}  // namespace
