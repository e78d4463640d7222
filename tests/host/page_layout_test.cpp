// Our own page layout of the list document, with a stand-in for the
// printer's text measurement.
#include "listwin/PageLayout.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

using listwin::CharFormat;
using listwin::LayoutPages;
using listwin::PageBody;
using listwin::TextRun;
using listwin::TwipsRect;

namespace {

// Every character is 100 twips wide at 10 points ("W" 200), bold adds 20 to
// each; lines are the character height plus 40 tall.
struct FixedMeasure : listwin::TextMeasure {
    int Width(const std::wstring& text, const CharFormat& format) const override {
        int width = 0;
        for (wchar_t c : text) width += (c == L'W' ? 200 : 100) * format.sizeTwips / 200 + (format.bold ? 20 : 0);
        return width;
    }
    int LineHeight(const CharFormat& format) const override { return format.sizeTwips + 40; }
    int Ascent(const CharFormat& format) const override { return format.sizeTwips; }
};

const CharFormat plain{L"Arial", 200};
const CharFormat bold{L"Arial", 200, true};
const CharFormat big{L"Times New Roman", 400, false, true, true, true, 0x0000ff};

// The pages as text: "cpMin-cpMax:" then the lines, "/" before each line
// but the first and "|" between pieces of one line; pages separated by " ".
// Lines are taken to be 240 twips tall.
std::wstring Show(const std::vector<PageBody>& pages, int top = 0) {
    std::wstring shown;
    for (const auto& page : pages) {
        if (!shown.empty()) shown += L' ';
        shown += std::to_wstring(page.cpMin) + L'-' + std::to_wstring(page.cpMax) + L':';
        for (std::size_t i = 0; i < page.pieces.size(); ++i) {
            const int lines = (page.pieces[i].y - (i > 0 ? page.pieces[i - 1].y : top)) / 240;
            shown += lines == 0 && i > 0 ? std::wstring(L"|") : std::wstring(lines, L'/');
            shown += page.pieces[i].text;
        }
    }
    return shown;
}

}  // namespace

// A page of 5 plain characters by 3 plain lines.
TEST(PageLayout, SmallDocuments) {
    const TwipsRect rect{1000, 2000, 1500, 2720};
    const struct {
        const char* what;
        std::vector<TextRun> runs;
        long start;
        const wchar_t* pages;
    } cases[] = {
        {"one line", {{L"abc", plain}}, 0, L"0-3:abc"},
        {"wrapped at blanks", {{L"abc def ghi", plain}}, 0, L"0-11:abc/def/ghi"},
        {"blank just after what fits", {{L"abcde fgh", plain}}, 0, L"0-9:abcde/fgh"},
        {"a word wider than the line", {{L"abcdefghijkl", plain}}, 0, L"0-12:abcde/fghij/kl"},
        {"a blank only at the line's start", {{L" abcdefg", plain}}, 0, L"0-8: abcd/efg"},
        {"several blanks: one is left out", {{L"ab   cd ef", plain}}, 0, L"0-10:ab  /cd ef"},
        {"wrap blank before the paragraph end", {{L"abcde \rfg", plain}}, 0, L"0-9:abcde/fg"},
        {"empty paragraphs are empty lines", {{L"a\r\rb", plain}}, 0, L"0-4:a//b"},
        {"CR LF and LF end paragraphs", {{L"ab\r\ncd\nef", plain}}, 0, L"0-9:ab/cd/ef"},
        {"a line break inside a paragraph", {{L"ab\vcd", plain}}, 0, L"0-5:ab/cd"},
        {"page full at the end", {{L"aaa\rbbb\rccc", plain}}, 0, L"0-11:aaa/bbb/ccc"},
        {"page full before the last paragraph end", {{L"aaa\rbbb\rccc\r", plain}}, 0, L"0-12:aaa/bbb/ccc"},
        {"one line more than a page", {{L"aaa\rbbb\rccc\rddd", plain}}, 0, L"0-12:aaa/bbb/ccc 12-15:ddd"},
        {"empty line starts the next page", {{L"a\rb\rc\r\rd", plain}}, 0, L"0-6:a/b/c 6-8:/d"},
        {"wrapped lines across pages", {{L"aaaa bbbb cccc dddd eeee", plain}}, 0,
         L"0-15:aaaa/bbbb/cccc 15-24:dddd/eeee"},
        {"from a start position", {{L"abc\rdef\rghi", plain}}, 4, L"4-11:def/ghi"},
        {"start inside a line", {{L"abc def", plain}}, 2, L"2-7:c def"},
        {"start before the document", {{L"ab", plain}}, -5, L"0-2:ab"},
        {"start at the end", {{L"ab", plain}}, 2, L""},
        {"start past the end", {{L"ab", plain}}, 9, L""},
        {"empty document", {}, 0, L""},
        {"only a paragraph end", {{L"\r", plain}}, 0, L"0-1:"},
        {"format changes mid-line", {{L"ab", plain}, {L"c", bold}, {L"d", plain}}, 0, L"0-4:ab|c|d"},
        {"equal formats are one piece", {{L"ab", plain}, {L"cd", plain}}, 0, L"0-4:abcd"},
        {"bold is wider: wraps earlier", {{L"abcde", bold}}, 0, L"0-5:abcd/e"},
        {"a word in another format wraps as one", {{L"ab c", plain}, {L"dd", bold}}, 0, L"0-6:ab/c|dd"},
    };
    const FixedMeasure measure;
    for (const auto& c : cases)
        EXPECT_EQ(Show(LayoutPages(c.runs, c.start, rect, measure), rect.top), c.pages) << c.what;
}

TEST(PageLayout, PiecesArePlacedOnTheLineAndItsBaseLine) {
    const TwipsRect rect{1000, 2000, 1800, 9000};
    const FixedMeasure measure;
    const auto pages = LayoutPages({{L"ab", plain}, {L"c", bold}, {L"d\r", big}, {L"e", plain}}, 0, rect, measure);
    ASSERT_EQ(pages.size(), 1u);
    const auto& p = pages[0].pieces;
    ASSERT_EQ(p.size(), 4u);
    const struct {
        int x, y, baseline;
        long cp;
        const CharFormat& format;
    } expected[] = {
        {1000, 2000, 2400, 0, plain},
        {1200, 2000, 2400, 2, bold},
        {1320, 2000, 2400, 3, big},
        {1000, 2440, 2640, 5, plain},  // under the tall line
    };
    for (std::size_t i = 0; i < p.size(); ++i) {
        const auto& e = expected[i];
        EXPECT_EQ(std::make_tuple(p[i].x, p[i].y, p[i].baseline, p[i].cp), std::make_tuple(e.x, e.y, e.baseline, e.cp)) << i;
        EXPECT_TRUE(p[i].format == e.format) << i;
    }
}

TEST(PageLayout, ALineTallerThanThePageStillGetsOne) {
    const TwipsRect rect{0, 0, 1000, 300};
    const FixedMeasure measure;
    EXPECT_EQ(Show(LayoutPages({{L"a\r", plain}, {L"b\r", big}, {L"c", plain}}, 0, rect, measure)),
              L"0-2:a 2-4:b 4-5:c");
    EXPECT_EQ(Show(LayoutPages({{L"b\r", big}, {L"c", plain}}, 0, rect, measure)), L"0-2:b 2-3:c");
    // An empty line in a tall format counts with the height of its format.
    EXPECT_EQ(Show(LayoutPages({{L"a\r", plain}, {L"\r", big}, {L"c", plain}}, 0, rect, measure)),
              L"0-2:a 2-3: 3-4:c");
}

TEST(PageLayout, CharactersWiderThanTheLineStandAlone) {
    const TwipsRect rect{0, 0, 150, 5000};
    const FixedMeasure measure;
    // A surrogate pair is one character: never split between lines.
    EXPECT_EQ(Show(LayoutPages({{L"aWb \xD83D\xDE00" L"c", plain}}, 0, rect, measure)), L"0-7:a/W/b/\xD83D\xDE00/c");
    EXPECT_EQ(Show(LayoutPages({{L"a\xD83D\xDE00", plain}}, 0, {0, 0, 250, 5000}, measure)), L"0-3:a/\xD83D\xDE00");
    // Only a high half followed by a low half is a pair.
    const struct {
        wchar_t first, second;
        bool pair;
    } halves[] = {
        {0xD800, 0xDC00, true},   {0xDBFF, 0xDFFF, true},  {0xD7FF, 0xDC00, false}, {0xDC00, 0xDC00, false},
        {0xD800, 0xDBFF, false}, {0xD800, 0xE000, false}, {L'a', 0xDC00, false},   {0xD800, L'b', false},
    };
    for (const auto& h : halves) {
        const std::wstring text{h.first, h.second};
        EXPECT_EQ(Show(LayoutPages({{text, plain}}, 0, rect, measure)),
                  L"0-2:" + std::wstring(1, h.first) + (h.pair ? L"" : L"/") + std::wstring(1, h.second))
            << std::hex << int(h.first) << " " << int(h.second);
    }
}

// Random documents: every character from the start is either drawn once, in
// order, or is a paragraph end or the one blank a wrap leaves out; no line is
// wider than the rectangle unless it is a single character; lines stay on
// their page; the pages cover the text without gap or overlap.
TEST(PageLayout, RandomDocumentsLoseAndRepeatNothing) {
    const FixedMeasure measure;
    const CharFormat formats[] = {plain, bold, big};
    const wchar_t alphabet[] = L"abW   \r\r\n\v";
    std::mt19937 random(20261207);
    for (int round = 0; round < 3000; ++round) {
        std::vector<TextRun> runs;
        std::wstring text;
        const int runCount = static_cast<int>(random() % 6);
        for (int r = 0; r < runCount; ++r) {
            TextRun run{L"", formats[random() % 3]};
            const int length = static_cast<int>(random() % 30);
            for (int i = 0; i < length; ++i) run.text += alphabet[random() % (sizeof alphabet / sizeof *alphabet - 1)];
            if (random() % 8 == 0) run.text += L"\xD83D\xDE00";
            text += run.text;
            runs.push_back(run);
        }
        const int left = static_cast<int>(random() % 500), top = static_cast<int>(random() % 500);
        const TwipsRect rect{left, top, left + 50 + static_cast<int>(random() % 1200),
                             top + 100 + static_cast<int>(random() % 2000)};
        const long start = static_cast<long>(random() % (text.size() + 3)) - 1;
        const auto pages = LayoutPages(runs, start, rect, measure);
        const std::size_t from = static_cast<std::size_t>(std::clamp<long>(start, 0, static_cast<long>(text.size())));
        SCOPED_TRACE(testing::Message() << "round " << round);

        ASSERT_EQ(pages.empty(), from == text.size());
        std::size_t pos = from;
        int lastY = 0, lineWidth = 0, lineChars = 0;
        auto endLine = [&] {
            EXPECT_TRUE(lineWidth <= rect.right - rect.left || lineChars == 1) << lineWidth;
        };
        for (std::size_t p = 0; p < pages.size(); ++p) {
            EXPECT_EQ(pages[p].cpMin, p == 0 ? static_cast<long>(from) : pages[p - 1].cpMax);
            bool firstOnPage = true;
            for (const auto& piece : pages[p].pieces) {
                const bool newLine = firstOnPage || piece.y != lastY;
                ASSERT_GE(piece.cp, static_cast<long>(pos));
                // What lies between the last piece and this one.
                const std::wstring gap = text.substr(pos, static_cast<std::size_t>(piece.cp) - pos);
                const std::size_t blanks = std::count(gap.begin(), gap.end(), L' ');
                EXPECT_TRUE(blanks == 0 || (blanks == 1 && gap[0] == L' ' && newLine && pos != from))
                    << testing::PrintToString(gap);
                EXPECT_EQ(gap.find_first_not_of(L" \r\n\v"), std::wstring::npos) << testing::PrintToString(gap);
                EXPECT_EQ(text.substr(static_cast<std::size_t>(piece.cp), piece.text.size()), piece.text);
                EXPECT_FALSE(piece.text.empty());
                EXPECT_LT(piece.cp, pages[p].cpMax);
                pos = static_cast<std::size_t>(piece.cp) + piece.text.size();

                if (newLine) {
                    if (!firstOnPage) endLine();
                    EXPECT_EQ(piece.x, rect.left);
                    lineWidth = lineChars = 0;
                }
                EXPECT_EQ(piece.x, rect.left + lineWidth);
                lineWidth += measure.Width(piece.text, piece.format);
                for (std::size_t i = 0; i < piece.text.size(); ++i)
                    if (!(piece.text[i] >= 0xDC00 && piece.text[i] <= 0xDFFF)) ++lineChars;
                EXPECT_GE(piece.y, rect.top);
                EXPECT_TRUE(piece.y == rect.top || piece.y + measure.LineHeight(piece.format) <= rect.bottom);
                lastY = piece.y;
                firstOnPage = false;
            }
            if (!firstOnPage) endLine();
        }
        const std::wstring rest = text.substr(pos);
        EXPECT_EQ(rest.find_first_not_of(L"\r\n\v", rest.empty() || rest[0] != L' ' || pos == from ? 0 : 1),
                  std::wstring::npos)
            << testing::PrintToString(rest);
        if (!pages.empty()) {
            EXPECT_EQ(pages.back().cpMax, static_cast<long>(text.size()));
        }
    }
}
