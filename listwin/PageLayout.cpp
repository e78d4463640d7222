#include "listwin/PageLayout.h"

#include <algorithm>

namespace listwin {
namespace {

bool EndsLine(wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\v'; }
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

class Layout {
public:
    Layout(const std::vector<TextRun>& document, const TwipsRect& rect, const TextMeasure& measure)
        : rect_(rect), measure_(measure) {
        // Runs of equal format share one format number, so a line is cut into
        // pieces only where the format really changes.
        for (const auto& run : document) {
            auto same = std::find(formats_.begin(), formats_.end(), run.format);
            const auto number = static_cast<std::size_t>(same - formats_.begin());
            if (same == formats_.end()) formats_.push_back(run.format);
            text_ += run.text;
            formatOf_.insert(formatOf_.end(), run.text.size(), number);
        }
    }

    std::vector<PageBody> Pages(long start) {
        const std::size_t length = text_.size();
        std::size_t pos = static_cast<std::size_t>(std::clamp<long>(start, 0, static_cast<long>(length)));
        if (pos < length) NewPage(pos);
        while (pos < length) {
            std::size_t end = pos;
            while (end < length && !EndsLine(text_[end])) ++end;
            LayParagraph(pos, end);
            // Past the paragraph end: "\r\n" is one end of two characters.
            pos = end + 1;
            if (text_.compare(end, 2, L"\r\n") == 0) ++pos;
        }
        if (!pages_.empty()) pages_.back().cpMax = static_cast<long>(length);
        return std::move(pages_);
    }

private:
    const CharFormat& FormatAt(std::size_t i) const { return formats_[formatOf_[i]]; }

    // Width of text_[from, to) as drawn, piece by piece.
    int Width(std::size_t from, std::size_t to) const {
        int width = 0;
        for (std::size_t piece = from; piece < to;) {
            const std::size_t pieceEnd = PieceEnd(piece, to);
            width += measure_.Width(text_.substr(piece, pieceEnd - piece), FormatAt(piece));
            piece = pieceEnd;
        }
        return width;
    }

    std::size_t PieceEnd(std::size_t from, std::size_t to) const {
        std::size_t end = from;
        while (end < to && formatOf_[end] == formatOf_[from]) ++end;
        return end;
    }

    // Lays out the lines of text_[pos, end), the text of one paragraph.
    void LayParagraph(std::size_t pos, std::size_t end) {
        if (pos == end) {
            // An empty paragraph is an empty line in the format of its end.
            PlaceLine(pos, pos, end);
            return;
        }
        while (pos < end) {
            std::size_t lineEnd = pos + Fitting(pos, end);
            std::size_t next = lineEnd;
            if (lineEnd < end) {
                // Break at the last blank that fits, or that follows what fits,
                // and leave it out; else inside the word.
                std::size_t blank = lineEnd;
                while (blank > pos && text_[blank] != L' ') --blank;
                if (blank > pos) {
                    lineEnd = blank;
                    next = blank + 1;
                } else if (IsLowSurrogate(text_[lineEnd]) && IsHighSurrogate(text_[lineEnd - 1])) {
                    // Keep the two halves of a character together.
                    if (lineEnd - 1 > pos)
                        --lineEnd;
                    else
                        ++lineEnd;
                    next = lineEnd;
                }
            }
            PlaceLine(pos, lineEnd, end);
            pos = next;
        }
    }

    // How many characters from `pos` fit on a line: at least one, at most the
    // rest of the paragraph up to `end`.
    std::size_t Fitting(std::size_t pos, std::size_t end) const {
        const int lineWidth = rect_.right - rect_.left;
        std::size_t low = 1, high = end - pos;
        while (low < high) {
            const std::size_t middle = (low + high + 1) / 2;
            if (Width(pos, pos + middle) <= lineWidth)
                low = middle;
            else
                high = middle - 1;
        }
        return low;
    }

    void NewPage(std::size_t cp) {
        if (!pages_.empty()) pages_.back().cpMax = static_cast<long>(cp);
        pages_.push_back(PageBody{static_cast<long>(cp), static_cast<long>(cp), {}});
        y_ = rect_.top;
        pageEmpty_ = true;
    }

    // Places text_[from, to) as one line; an empty line takes the height of
    // the format at `formatAt`.
    void PlaceLine(std::size_t from, std::size_t to, std::size_t formatAt) {
        int height = 0, ascent = 0;
        for (std::size_t i = from; i < std::max(to, from + 1); ++i) {
            const CharFormat& format = FormatAt(from == to ? formatAt : i);
            height = std::max(height, measure_.LineHeight(format));
            ascent = std::max(ascent, measure_.Ascent(format));
        }
        if (!pageEmpty_ && y_ + height > rect_.bottom) NewPage(from);
        int x = rect_.left;
        for (std::size_t piece = from; piece < to;) {
            const std::size_t pieceEnd = PieceEnd(piece, to);
            PagePiece placed{x, y_, y_ + ascent, static_cast<long>(piece), text_.substr(piece, pieceEnd - piece),
                             FormatAt(piece)};
            x += measure_.Width(placed.text, placed.format);
            pages_.back().pieces.push_back(std::move(placed));
            piece = pieceEnd;
        }
        y_ += height;
        pageEmpty_ = false;
    }

    const TwipsRect rect_;
    const TextMeasure& measure_;
    std::wstring text_;
    std::vector<CharFormat> formats_;
    std::vector<std::size_t> formatOf_;  // format number of each character
    std::vector<PageBody> pages_;
    int y_ = 0;
    bool pageEmpty_ = true;
};

}  // namespace

std::vector<PageBody> LayoutPages(const std::vector<TextRun>& document, long start, const TwipsRect& rect,
                                  const TextMeasure& measure) {
    return Layout(document, rect, measure).Pages(start);
}

}  // namespace listwin
