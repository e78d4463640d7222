// The copy of the document's text that follows each change by reading only
// around it.
#include "listwin/TextMirror.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using listwin::TextMirror;

namespace {
std::wstring Lines(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i) text += L"photo" + std::to_wstring(10000 + i) + L".jpg\r";
    return text;
}

struct Follower {
    TextMirror mirror;
    std::wstring document;
    size_t charactersRead = 0;
    // The document changes to `changed` with its selection ending at `end`.
    // `extra` characters more than it has are reported, as by a document
    // whose text was cut short.
    bool Follow(const std::wstring& changed, size_t end, size_t extra = 0) {
        document = changed;
        return mirror.Follow(static_cast<int32_t>(changed.size() + extra), static_cast<int32_t>(end),
                             [this](int32_t start, int32_t length) {
                                 const size_t from = std::min(static_cast<size_t>(start), document.size());
                                 const std::wstring part = document.substr(from, static_cast<size_t>(length));
                                 charactersRead += part.size();
                                 return part;
                             });
    }
};
}  // namespace

// Edits that end where the selection ends are followed exactly.
TEST(TextMirror, FollowsEditsThatEndAtTheSelection) {
    const std::wstring lines = Lines(300);
    const size_t middle = lines.size() / 2;
    const struct {
        const char* what;
        std::wstring before, after;
        size_t selectionEnd;
    } cases[] = {
        {"typed at the end", L"ab", L"abc", 3},
        {"typed at the start", L"abc", L"xabc", 1},
        {"typed twice the same", L"aab", L"aaab", 2},
        {"typed in the middle", lines, lines.substr(0, middle) + L"x" + lines.substr(middle), middle + 1},
        {"backspace in the middle", lines, lines.substr(0, middle - 1) + lines.substr(middle), middle - 1},
        {"overtyped selection", L"hello", L"hao", 2},
        {"selection re-inserted, selected", L"hao", L"hello", 4},
        {"paste of many lines", L"ab", L"a" + lines + L"b", 1 + lines.size()},
        {"everything removed", lines, L"", 0},
        {"everything replaced", L"abc", L"xyz", 3},
        {"into the empty text", L"", lines, lines.size()},
        {"lines shifted by a removal far ahead", lines, lines.substr(0, 30) + lines.substr(45), lines.size() - 15},
        {"unchanged", L"abc", L"abc", 1},
    };
    for (const auto& c : cases) {
        Follower follower;
        follower.mirror.Reset(c.before);
        EXPECT_TRUE(follower.Follow(c.after, c.selectionEnd)) << c.what;
        EXPECT_EQ(follower.mirror.Text(), c.after) << c.what;
    }
}

// A change the characters around the selection's end do not explain is left
// to a reading of the whole text.
TEST(TextMirror, RefusesChangesAwayFromTheSelection) {
    const std::wstring lines = Lines(20);
    const struct {
        const char* what;
        std::wstring after;
        size_t selectionEnd;
        size_t extra = 0;
    } cases[] = {
        {"new text, caret at the start", L"X" + lines.substr(1), 0},
        {"behind the caret", lines.substr(0, 100) + L"X" + lines.substr(101), 50},
        {"longer behind the caret than the old text", lines + lines, 0},
        {"caret beyond the end", lines, lines.size() + 1},
        {"fewer characters than reported", lines + L"x", lines.size() + 2, 1},
    };
    for (const auto& c : cases) {
        Follower follower;
        follower.mirror.Reset(lines);
        EXPECT_FALSE(follower.Follow(c.after, c.selectionEnd, c.extra)) << c.what;
        EXPECT_EQ(follower.mirror.Text(), lines) << c.what;
    }
}

// A keystroke in a long document reads a few hundred characters, not the text.
TEST(TextMirror, ReadsLittleForAKeystroke) {
    const std::wstring lines = Lines(30000);
    Follower follower;
    follower.mirror.Reset(lines);
    const size_t at = 200000;
    ASSERT_TRUE(follower.Follow(lines.substr(0, at) + L"k" + lines.substr(at), at + 1));
    EXPECT_LT(follower.charactersRead, 300u);
    EXPECT_EQ(follower.mirror.Text(), follower.document);
}
