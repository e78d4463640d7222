// Our own page layout of the list document for printing, used from the
// position where the rich-edit control's own page formatter stops making
// progress: the document's text runs are laid out line by line inside the
// page's drawing rectangle, long lines wrapped, pages broken, and every
// character placed exactly once.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace listwin {

struct CharFormat {
    std::wstring face;
    int sizeTwips = 200;  // character height; 20 twips to the point
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    uint32_t color = 0;  // 0x00bbggrr
    bool operator==(const CharFormat&) const = default;
};

// A stretch of the document's text in one character format. Paragraphs end
// at "\r" (also "\r\n" or "\n"); "\v" ends a line inside a paragraph.
struct TextRun {
    std::wstring text;
    CharFormat format;
};

// Measures text as the printer draws it, in twips.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual int Width(const std::wstring& text, const CharFormat& format) const = 0;
    virtual int LineHeight(const CharFormat& format) const = 0;
    // Distance from the top of a line of this format to its base line.
    virtual int Ascent(const CharFormat& format) const = 0;
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Text in one format on one line, to be drawn with its base line at
// `baseline` and its left edge at `x` (twips, page coordinates).
struct PagePiece {
    int x = 0;
    int y = 0;         // top of its line
    int baseline = 0;  // the line's common base line
    long cp = 0;       // document position of the first character
    std::wstring text;
    CharFormat format;
};

// One printed page: its pieces in reading order and the characters
// [cpMin, cpMax) it accounts for, paragraph ends and wrap blanks included.
struct PageBody {
    long cpMin = 0;
    long cpMax = 0;
    std::vector<PagePiece> pieces;
};

// Lays out the document from character position `start` (clamped to the
// text) into pages of the drawing rectangle `rect`. Lines wrap at the last
// blank that fits, which is not drawn, or inside a word wider than the line;
// every line holds at least one character, and every page at least one line,
// so the layout always ends. Nothing left to print gives no page.
std::vector<PageBody> LayoutPages(const std::vector<TextRun>& document, long start, const TwipsRect& rect,
                                  const TextMeasure& measure);

}  // namespace listwin
