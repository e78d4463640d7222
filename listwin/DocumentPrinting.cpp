#include "listwin/DocumentPrinting.h"

#include <richedit.h>

#include <string>
#include <utility>

#include "base/Scoped.h"
#include "base/Texts.h"
#include "base/Version.h"

namespace listwin {

using base::LoadText;
using base::Text;

namespace {

std::wstring TimeNow() {
    wchar_t text[100] = L"";
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, 100);
    return text;
}

std::wstring DateNow() {
    wchar_t text[100] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 100);
    return text;
}

std::wstring Labelled(Text word, const std::wstring& value) { return LoadText(word) + L": " + value; }

// Three blank lines, the header at the width of 50 blanks, a rule under it.
void PrintHeader(ui::Printer& printer, const std::wstring& header) {
    for (int line = 0; line < 3; ++line) printer.PrintLine(L" ");
    printer.SetCurrentX(printer.TextWidth(std::wstring(50, L' ')));
    printer.PrintLine(header);
    printer.Line(0, printer.CurrentY(), printer.PageWidth(), printer.CurrentY());
}

void StartFollowingPage(ui::Printer& printer, int& pageNumber) {
    printer.NewPage();
    ++pageNumber;
    PrintHeader(printer, L"NOMARO " NOMARO_SHORT_VERSION " " + Labelled(Text::Date, DateNow()) +
                             Labelled(Text::Page, std::to_wstring(pageNumber)));
    printer.PrintLine(L" ");
}

// The fonts of the document's formats on the printer, made once each. Each
// measurement selects its font only for itself, so the printer's own font is
// back in the device context between calls.
class PrinterFonts : public TextMeasure {
public:
    explicit PrinterFonts(ui::Printer& printer) : printer_(printer) {}

    int Width(const std::wstring& text, const CharFormat& format) const override {
        HDC dc = printer_.hDC();
        const base::SelectedObject font(dc, Font(format));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return printer_.PixelsToTwipsX(size.cx);
    }
    int LineHeight(const CharFormat& format) const override {
        const TEXTMETRICW metrics = Metrics(format);
        return printer_.PixelsToTwipsY(metrics.tmHeight + metrics.tmExternalLeading);
    }
    int Ascent(const CharFormat& format) const override { return printer_.PixelsToTwipsY(Metrics(format).tmAscent); }

    HFONT Font(const CharFormat& format) const {
        for (const auto& [known, font] : fonts_)
            if (known == format) return font.get();
        base::GdiObject<HFONT> font(CreateFontW(-printer_.TwipsToPixelsY(format.sizeTwips), 0, 0, 0,
                                                format.bold ? FW_BOLD : FW_NORMAL, format.italic, format.underline,
                                                format.strikeout, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                                format.face.c_str()));
        return fonts_.emplace_back(format, std::move(font)).second.get();
    }

private:
    TEXTMETRICW Metrics(const CharFormat& format) const {
        HDC dc = printer_.hDC();
        const base::SelectedObject font(dc, Font(format));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        return metrics;
    }

    ui::Printer& printer_;
    mutable std::vector<std::pair<CharFormat, base::GdiObject<HFONT>>> fonts_;
};

void DrawPage(ui::Printer& printer, const PrinterFonts& fonts, const PageBody& page) {
    HDC dc = printer.hDC();
    SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    for (const PagePiece& piece : page.pieces) {
        const base::SelectedObject font(dc, fonts.Font(piece.format));
        SetTextColor(dc, piece.format.color);
        TextOutW(dc, printer.TwipsToPixelsX(piece.x), printer.TwipsToPixelsY(piece.baseline), piece.text.c_str(),
                 static_cast<int>(piece.text.size()));
    }
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetTextColor(dc, RGB(0, 0, 0));
}

// Lays out and draws the document from `start`: the first page on the page
// begun, each further one on a new page with its header.
void RenderRest(const ui::RichText& box, ui::Printer& printer, int& pageNumber, const RECT& rect, long start) {
    const PrinterFonts fonts(printer);
    const std::vector<PageBody> pages =
        LayoutPages(DocumentRuns(box), start, {rect.left, rect.top, rect.right, rect.bottom}, fonts);
    for (size_t page = 0; page < pages.size(); ++page) {
        if (page > 0) StartFollowingPage(printer, pageNumber);
        DrawPage(printer, fonts, pages[page]);
    }
}

// The control's selection and the notices it sends, put back when this goes.
class KeptSelection {
public:
    explicit KeptSelection(HWND box) : box_(box) {
        SendMessageW(box_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
        events_ = static_cast<LPARAM>(SendMessageW(box_, EM_SETEVENTMASK, 0, 0));
    }
    ~KeptSelection() {
        SendMessageW(box_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
        SendMessageW(box_, EM_SETEVENTMASK, 0, events_);
    }
    KeptSelection(const KeptSelection&) = delete;
    KeptSelection& operator=(const KeptSelection&) = delete;

private:
    HWND box_;
    CHARRANGE selection_{};
    LPARAM events_ = 0;
};

constexpr DWORD kPrintedAttributes =
    CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;

// The format of [start, end); false when it differs within the stretch.
bool UniformFormat(HWND box, long start, long end, CHARFORMAT2W& format) {
    CHARRANGE range{start, end};
    SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    format = CHARFORMAT2W{};
    format.cbSize = sizeof format;
    SendMessageW(box, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & kPrintedAttributes) == kPrintedAttributes;
}

CharFormat ToCharFormat(const CHARFORMAT2W& format) {
    CharFormat result;
    result.face = format.szFaceName;
    result.sizeTwips = static_cast<int>(format.yHeight);
    result.bold = (format.dwEffects & CFE_BOLD) != 0;
    result.italic = (format.dwEffects & CFE_ITALIC) != 0;
    result.underline = (format.dwEffects & CFE_UNDERLINE) != 0;
    result.strikeout = (format.dwEffects & CFE_STRIKEOUT) != 0;
    // The automatic colour of the screen's text is black on paper.
    result.color = (format.dwEffects & CFE_AUTOCOLOR) ? RGB(0, 0, 0) : format.crTextColor;
    return result;
}

}  // namespace

void PrintFirstPageHeader(ui::Printer& printer, int pageNumber) {
    PrintHeader(printer, L"Nomaro " NOMARO_SHORT_VERSION "  " + Labelled(Text::Time, TimeNow()) + Labelled(Text::Date, DateNow()) +
                             Labelled(Text::Page, std::to_wstring(pageNumber)));
}

// Each run is found by halving: the longest stretch from its start that
// the control reports in one format, so a document of one format costs one
// question.
std::vector<TextRun> DocumentRuns(const ui::RichText& box) {
    const std::wstring text = box.Text();
    const long length = static_cast<long>(text.size());
    const KeptSelection kept(box.hwnd());
    std::vector<TextRun> runs;
    CHARFORMAT2W format{};
    for (long start = 0; start < length;) {
        long uniform = length;
        if (!UniformFormat(box.hwnd(), start, length, format)) {
            long mixed = length;
            uniform = start + 1;  // one character has one format
            while (mixed - uniform > 1) {
                const long middle = uniform + (mixed - uniform) / 2;
                (UniformFormat(box.hwnd(), start, middle, format) ? uniform : mixed) = middle;
            }
        }
        UniformFormat(box.hwnd(), start, uniform, format);
        runs.push_back({text.substr(static_cast<size_t>(start), static_cast<size_t>(uniform - start)),
                        ToCharFormat(format)});
        start = uniform;
    }
    return runs;
}

void RenderDocumentPages(ui::RichText& box, ui::Printer& printer, int& pageNumber, long leftMargin, long topMargin,
                         long rightMargin, long bottomMargin) {
    printer.PrintLine(L" ");  // starts the job, so that the device context is valid
    const long leftOffset = printer.PixelsToTwipsX(GetDeviceCaps(printer.hDC(), PHYSICALOFFSETX));
    const long topOffset = printer.PixelsToTwipsY(GetDeviceCaps(printer.hDC(), PHYSICALOFFSETY));
    FORMATRANGE range{};
    range.hdc = range.hdcTarget = printer.hDC();
    range.rc = {leftMargin - leftOffset, topMargin - topOffset, printer.PageWidth() - rightMargin - leftOffset,
                printer.PageHeight() - bottomMargin - topOffset};
    range.rcPage = {0, 0, printer.ScaleWidth(), printer.ScaleHeight()};
    range.chrg = {0, -1};
    const long length = box.TextLength();
    for (;;) {
        const long next = static_cast<long>(
            SendMessageA(box.hwnd(), EM_FORMATRANGE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&range)));
        if (next >= length) break;
        if (next <= range.chrg.cpMin) {
            // The formatter placed nothing on this page (Wine's never does).
            RenderRest(box, printer, pageNumber, range.rc, range.chrg.cpMin);
            break;
        }
        range.chrg.cpMin = next;
        StartFollowingPage(printer, pageNumber);
        range.hdc = range.hdcTarget = printer.hDC();
    }
    SendMessageA(box.hwnd(), EM_FORMATRANGE, 0, 0);  // drops the control's cached formatting
    printer.EndDoc();
}

}  // namespace listwin
