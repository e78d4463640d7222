// The list document's editing history, against a document held in a string.
#include "listwin/UndoHistory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using listwin::ChangedStretch;
using listwin::UndoHistory;
using listwin::UndoableDocument;

namespace {

struct Selection {
    int32_t start;
    int32_t length;
    bool operator==(const Selection&) const = default;
};

void PrintTo(const Selection& s, std::ostream* out) { *out << "(" << s.start << ", " << s.length << ")"; }

// Characters both texts keep when the smallest stretch between them is replaced.
size_t KeptCharacters(const std::wstring& a, const std::wstring& b) {
    const size_t shorter = std::min(a.size(), b.size());
    const size_t prefix = std::mismatch(a.begin(), a.begin() + shorter, b.begin()).first - a.begin();
    const size_t suffix = std::mismatch(a.rbegin(), a.rbegin() + shorter, b.rbegin()).first - a.rbegin();
    return std::min(prefix + suffix, shorter);
}

// The rich-edit control as the history sees it. Like the control, every
// replacement raises the change event, which the window hands to the history.
class FakeDocument : public UndoableDocument {
public:
    std::wstring text;
    Selection selection{0, 0};
    UndoHistory* history = nullptr;

    std::wstring Text() const override { return text; }
    int32_t SelectionStart() const override { return selection.start; }

    void Replace(int32_t start, int32_t length, const std::wstring& inserted) override {
        ASSERT_TRUE(start >= 0 && length >= 0 && size_t(start + length) <= text.size());
        // The history's own replacements (recording off) change something and
        // only the stretch that differs, so formatting elsewhere survives.
        const bool byHistory = history && !history->RecordEdits();
        EXPECT_TRUE(!byHistory || length > 0 || !inserted.empty()) << "a change event for nothing";
        const bool checkSmallest = byHistory && text.size() < 4096;
        const std::wstring before = checkSmallest ? text : std::wstring();
        text.replace(start, length, inserted);
        if (checkSmallest) {
            EXPECT_EQ(size_t(length), before.size() - KeptCharacters(before, text))
                << "replaced more than the stretch that differs";
        }
        selection = {start + int32_t(inserted.size()), 0};
        if (history) history->RecordEdit();
    }

    void Select(int32_t start, int32_t length) override {
        ASSERT_TRUE(start >= 0 && length >= 0 && size_t(start + length) <= text.size());
        selection = {start, length};
    }

    // Typing, pasting, deleting: the selection gives way to `typed`.
    void UserEdit(int32_t start, int32_t length, const std::wstring& typed) {
        Select(start, length);
        Replace(start, length, typed);
    }
    void Type(const std::wstring& typed) { UserEdit(selection.start, selection.length, typed); }
};

// A window that has just loaded its document: recording on, base recorded.
struct LoadedWindow {
    explicit LoadedWindow(const std::wstring& text, int32_t caret = 0) {
        document.text = text;
        document.selection = {caret, 0};
        document.history = &history;
        history.SetRecordEdits(true);
        history.RecordEdit();
    }
    FakeDocument document;
    UndoHistory history{document};
};

}  // namespace

// One user edit of a loaded document, undone and redone: Undo gives back
// the text before exactly, Redo the text after, and the caret rule of both
// (re-inserted text longer than one character other than CR LF is selected).
TEST(UndoHistory, UndoAndRedoRestoreTheTextExactlyAndPlaceTheCaret) {
    const struct {
        const char* what;
        const wchar_t* text;
        Selection edited;
        const wchar_t* typed;
        Selection afterUndo, afterRedo;
    } cases[] = {
        {"typing one character", L"abc", {1, 0}, L"X", {1, 0}, {2, 0}},
        {"typing a character that repeats its neighbour", L"aa", {1, 0}, L"a", {1, 0}, {2, 0}},
        {"typing at the end", L"ab", {2, 0}, L"b", {2, 0}, {3, 0}},
        {"pasting five characters", L"one two", {4, 0}, L"ABCDE", {4, 0}, {4, 5}},
        {"pasting into an empty document", L"", {0, 0}, L"a\rb\r", {0, 0}, {0, 4}},
        {"deleting a selection of four", L"abcdefgh", {2, 4}, L"", {2, 4}, {2, 0}},
        {"deleting one character", L"abc", {1, 1}, L"", {2, 0}, {1, 0}},
        {"deleting one of repeated characters", L"xaaay", {2, 1}, L"", {3, 0}, {2, 0}},
        {"deleting a paragraph end", L"ab\rcd", {2, 1}, L"", {3, 0}, {2, 0}},
        {"deleting a CR LF", L"ab\r\ncd", {2, 2}, L"", {4, 0}, {2, 0}},
        {"deleting everything", L"a.txt\rb.txt\r", {0, 12}, L"", {0, 12}, {0, 0}},
        {"replacing four characters by one", L"a cats b", {2, 4}, L"X", {2, 4}, {3, 0}},
        {"replacing a selection by its own first character", L"a cats b", {2, 4}, L"c", {3, 3}, {3, 0}},
        {"replacing by a longer text", L"a cat b", {2, 3}, L"horse", {2, 3}, {2, 5}},
        {"overtyping one character", L"abc", {1, 1}, L"Z", {2, 0}, {2, 0}},
        {"overtyping two characters", L"abcd", {1, 2}, L"YZ", {1, 2}, {1, 2}},
        {"overtyping a character by itself", L"abc", {1, 1}, L"b", {2, 0}, {2, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoadedWindow window(c.text);
        window.document.UserEdit(c.edited.start, c.edited.length, c.typed);
        const std::wstring edited = window.document.text;
        window.history.Undo();
        EXPECT_EQ(window.document.text, c.text);
        EXPECT_EQ(window.document.selection, c.afterUndo);
        EXPECT_TRUE(window.history.UpdateUndoState().redoEnabled);
        window.history.Redo();
        EXPECT_EQ(window.document.text, edited);
        EXPECT_EQ(window.document.selection, c.afterRedo);
        EXPECT_TRUE(window.history.UpdateUndoState().undoEnabled);
    }
}

TEST(UndoHistory, NothingIsRecordedOrUndoneWhileRecordingIsOff) {
    LoadedWindow window(L"abc", 3);
    window.document.Type(L"d");
    window.history.SetRecordEdits(false);
    window.document.Type(L"e");
    EXPECT_EQ(window.history.UndoList().size(), 2u) << "edits while off are not recorded";
    window.history.Undo();
    EXPECT_EQ(window.document.text, L"abcde");
    EXPECT_TRUE(window.history.RecordEdits()) << "Undo always leaves recording on";
    window.history.Undo();
    window.history.SetRecordEdits(false);
    window.history.Redo();
    EXPECT_EQ(window.document.text, L"abc");
    EXPECT_TRUE(window.history.RecordEdits()) << "Redo always leaves recording on";
}

// Opening a document drops the element its loading recorded; Undo then
// still brings back exactly the text before the newest recorded edit.
TEST(UndoHistory, UndoAfterOpeningADocumentRestoresTheRecordedText) {
    LoadedWindow window(L"abc", 3);
    window.document.Type(L"d");
    window.document.UserEdit(0, 4, L"opened file\r");
    window.history.DropNewestElement();
    EXPECT_EQ(window.history.UndoList().size(), 2u);
    window.document.Type(L"x");
    window.history.Undo();
    EXPECT_EQ(window.document.text, L"abcd");
    window.history.Undo();
    EXPECT_EQ(window.document.text, L"abc");
    window.history.Redo();
    window.history.Redo();
    EXPECT_EQ(window.document.text, L"opened file\rx");
}

TEST(UndoHistory, DroppingTheOnlyElementStartsAFreshBaseAndReleaseEmptiesAll) {
    LoadedWindow window(L"abc");
    window.history.DropNewestElement();
    window.history.DropNewestElement();
    EXPECT_TRUE(window.history.UndoList().empty());
    window.document.UserEdit(0, 3, L"new");
    window.document.Type(L"!");
    window.history.Undo();
    EXPECT_EQ(window.document.text, L"new");
    EXPECT_FALSE(window.history.UpdateUndoState().undoEnabled);
    window.history.Release();
    EXPECT_TRUE(window.history.UndoList().empty());
    EXPECT_TRUE(window.history.RedoList().empty());
    EXPECT_EQ(window.history.StoredCharacters(), 0u);
}

// Memory grows with the edits, not with the document: a list of 32,767
// names (about 393,000 characters) and one thousand typed characters.
TEST(UndoHistory, StoredTextGrowsWithTheEditsNotTheDocument) {
    std::wstring names;
    for (int i = 0; i < 32767; ++i) names += L"file" + std::to_wstring(100000 + i) + L"\r";
    LoadedWindow window(names, 0);
    const int32_t length = int32_t(names.size());
    std::mt19937 random(7);
    for (int i = 0; i < 1000; ++i) {
        const int32_t at = std::uniform_int_distribution<int32_t>(0, length + i)(random);
        window.document.UserEdit(at, 0, L"x");
    }
    EXPECT_EQ(window.history.UndoList().size(), 1001u);
    EXPECT_EQ(window.history.StoredCharacters(), 1000u);
    for (int i = 0; i < 1000; ++i) window.history.Undo();
    EXPECT_TRUE(window.document.text == names) << "undoing every keystroke gives the list back";
    EXPECT_EQ(window.history.StoredCharacters(), 1000u) << "the undone edits wait for Redo";
    window.document.Type(L"y");
    EXPECT_EQ(window.history.StoredCharacters(), 1u) << "a new edit drops the undone ones";

    const std::wstring typed = window.document.text;
    window.document.UserEdit(0, int32_t(typed.size()), L"");
    EXPECT_EQ(window.history.StoredCharacters(), 1u + typed.size());
    window.history.Undo();
    EXPECT_TRUE(window.document.text == typed);
}

// After any sequence of edits, undos, redos and new edits the document shows
// exactly the text of the newest element of UndoList; undoing all gives the
// first text back and redoing all the last.
TEST(UndoHistory, RandomEditSequencesUndoAndRedoExactly) {
    const unsigned seed = 20261207;
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::wstring alphabet = L"aab\r\n";
    auto below = [&](size_t n) { return size_t(std::uniform_int_distribution<size_t>(0, n)(random)); };
    auto someText = [&](size_t most) {
        std::wstring text;
        for (size_t n = below(most); n > 0; --n) text += alphabet[below(alphabet.size() - 1)];
        return text;
    };
    for (int sequence = 0; sequence < 300; ++sequence) {
        LoadedWindow window(someText(8), 0);
        FakeDocument& document = window.document;
        std::vector<std::wstring> undoTexts = {document.text};
        std::vector<std::wstring> redoTexts;
        for (int step = 0; step < 40; ++step) {
            const size_t length = document.text.size();
            const int32_t start = int32_t(below(length));
            const int32_t selected = int32_t(below(std::min<size_t>(length - start, 4)));
            const size_t action = below(6);
            if (action < 4) {
                const bool atEnd = start == int32_t(length);
                if (action == 0)  // typing a character, a line end, over the selection
                    document.UserEdit(start, selected, std::wstring(1, alphabet[below(alphabet.size() - 1)]));
                else if (action == 1)  // Backspace, Delete, Cut: the selection or one character goes
                    document.UserEdit(start, std::max(selected, int32_t(!atEnd)), L"");
                else if (action == 2)  // pasting over the selection
                    document.UserEdit(start, selected, someText(6));
                else  // overtyping one character
                    document.UserEdit(start, int32_t(!atEnd), std::wstring(1, alphabet[below(2)]));
                undoTexts.push_back(document.text);
                redoTexts.clear();
            } else {  // Undo moves the newest text from one list to the other, Redo back
                const bool undo = action == 4;
                undo ? window.history.Undo() : window.history.Redo();
                auto& from = undo ? undoTexts : redoTexts;
                auto& to = undo ? redoTexts : undoTexts;
                if (from.size() > (undo ? 1u : 0u)) {
                    to.push_back(from.back());
                    from.pop_back();
                }
            }
            ASSERT_EQ(document.text, undoTexts.back()) << "sequence " << sequence << " step " << step;
            ASSERT_EQ(window.history.UndoList().size(), undoTexts.size());
            ASSERT_EQ(window.history.RedoList().size(), redoTexts.size());
            ASSERT_EQ(window.history.UndoList().back().TextLen, int32_t(document.text.size()));
        }
        const std::wstring last = undoTexts.back();
        while (window.history.UpdateUndoState().undoEnabled) window.history.Undo();
        ASSERT_EQ(document.text, undoTexts.front()) << "sequence " << sequence;
        while (window.history.UpdateUndoState().redoEnabled) window.history.Redo();
        ASSERT_EQ(document.text, redoTexts.empty() ? last : redoTexts.front()) << "sequence " << sequence;
    }
}

TEST(UndoHistory, ChangedStretchIsTheSmallestEndingNearestTheCaret) {
    const std::wstring many(200, L'a');
    const std::wstring names = L"a.txt\rb.txt\r";
    const struct {
        std::wstring before, after;
        size_t preferredEnd;
        listwin::Stretch expected;
    } cases[] = {
        {L"abc", L"aXbc", 0, {1, 0, 1}},
        {L"aa", L"aaa", 2, {1, 0, 1}},
        {L"aa", L"aaa", 0, {0, 0, 1}},
        {L"aa", L"aaa", 3, {2, 0, 1}},
        {L"xaaay", L"xaay", 2, {2, 1, 0}},
        {L"xaaay", L"xaay", 0, {1, 1, 0}},
        {L"xaaay", L"xaay", 4, {3, 1, 0}},
        {L"abab", L"ab", 0, {0, 2, 0}},
        {L"abc", L"abc", 1, {1, 0, 0}},
        {L"", L"xyz", 0, {0, 0, 3}},
        {L"xyz", L"", 0, {0, 3, 0}},
        {L"abcd", L"wxyz", 4, {0, 4, 4}},
        {many + names + many, many + names + L"c" + many, 213, {212, 0, 1}},
        {many + names + many, many + L"c" + names + many, 0, {200, 0, 1}},
        {many + names + many, many + many, 200, {200, 12, 0}},
        {many + L"x", many + L"y", 0, {200, 1, 1}},
        {L"x" + many, L"y" + many, 0, {0, 1, 1}},
        {many, many + many, 0, {0, 0, 200}},
        {many, many + many, 300, {100, 0, 200}},
    };
    for (const auto& c : cases) {
        const listwin::Stretch f = ChangedStretch(c.before, c.after, c.preferredEnd);
        EXPECT_EQ(std::tie(f.start, f.beforeLength, f.afterLength),
                  std::tie(c.expected.start, c.expected.beforeLength, c.expected.afterLength))
            << testing::PrintToString(c.before) << " -> " << testing::PrintToString(c.after) << " at " << c.preferredEnd;
    }
}

TEST(UndoHistory, EditMenuFollowsSelectionClipboardAndText) {
    const struct { int32_t selected; bool clipboard; int32_t length; bool cut, paste, selectAll; } cases[] = {
        {0, false, 0, false, false, false},
        {1, false, 1, true, false, true},
        {0, true, 5, false, true, true},
        {3, true, 5, true, true, true},
    };
    for (const auto& c : cases) {
        const listwin::EditMenuState state = listwin::EditMenuStateFor(c.selected, c.clipboard, c.length);
        EXPECT_EQ((std::vector<bool>{state.cut, state.copy, state.del, state.paste, state.selectAll}),
                  (std::vector<bool>{c.cut, c.cut, c.cut, c.paste, c.selectAll}));
    }
}
