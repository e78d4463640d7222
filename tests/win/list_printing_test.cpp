// Printing the list document from the real window onto a recording device:
// each page is an enhanced metafile whose texts and lines are read back.
#include <windows.h>

#include <richedit.h>

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "base/Texts.h"
#include "listwin/DocumentPrinting.h"
#include "tests/win/dialogs.h"
#include "tests/win/list_window_fixture.h"
#include "ui/RichTextFormat.h"

namespace {

using ui::Orientation;

struct RecordedPage {
    std::vector<std::pair<std::wstring, POINTL>> texts;  // text and reference point, device pixels
    int lines = 0;
};
struct RecordedJob {
    Orientation orientation{};
    std::vector<RecordedPage> pages;
    bool ended = false;
};

class RecordingDevice : public ui::PrintDevice {
public:
    explicit RecordingDevice(RecordedJob& job) : job_(job) {}
    ~RecordingDevice() override {
        if (dc_) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
    }
    HDC StartDocument(Orientation orientation) override {
        job_.orientation = orientation;
        return BeginPage();
    }
    HDC NextPage() override {
        EndPage();
        return BeginPage();
    }
    void EndDocument() override {
        EndPage();
        job_.ended = true;
    }

private:
    HDC BeginPage() {
        HDC screen = GetDC(nullptr);
        dc_ = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
        ReleaseDC(nullptr, screen);
        return dc_;
    }
    void EndPage() {
        HENHMETAFILE page = CloseEnhMetaFile(dc_);
        dc_ = nullptr;
        EnumEnhMetaFile(nullptr, page, Record, &job_.pages.emplace_back(), nullptr);
        DeleteEnhMetaFile(page);
    }
    static int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
        auto& page = *reinterpret_cast<RecordedPage*>(data);
        if (record->iType == EMR_LINETO) ++page.lines;
        if (record->iType != EMR_EXTTEXTOUTW) return 1;
        const EMRTEXT& text = reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext;
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text.offString);
        page.texts.emplace_back(std::wstring(chars, text.nChars), text.ptlReference);
        return 1;
    }

    RecordedJob& job_;
    HDC dc_ = nullptr;
};

// Stands in for the document control's page formatter: for the first
// `pagesWithProgress` pages it formats `charsPerPage` characters, drawn as
// the mark "formatted <from> <to>"; after them it places nothing.
struct FormatterStandIn {
    static inline int pagesWithProgress = 0, pagesFormatted = 0, releases = 0;
    static inline long charsPerPage = 0;
    static inline RECT drawingRect{};
    static inline WNDPROC original = nullptr;

    static LRESULT CALLBACK Proc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != EM_FORMATRANGE) return CallWindowProcW(original, box, message, wParam, lParam);
        if (!wParam) return ++releases, 0;
        auto& range = *reinterpret_cast<FORMATRANGE*>(lParam);
        drawingRect = range.rc;
        if (pagesFormatted == pagesWithProgress) return range.chrg.cpMin;
        ++pagesFormatted;
        const long end = range.chrg.cpMin + charsPerPage;
        const std::wstring mark = L"formatted " + std::to_wstring(range.chrg.cpMin) + L" " + std::to_wstring(end);
        TextOutW(range.hdc, 0, 0, mark.c_str(), static_cast<int>(mark.size()));
        return end;
    }
};

class ListPrinting : public testing_support::ListWindowFixture {
protected:
    void SetUp() override {
        ListWindowFixture::SetUp();
        ui::DialogResponder responder;
        responder.print = [this](DWORD flags) -> std::unique_ptr<ui::PrintDevice> {
            printDialogFlags.push_back(flags);
            if (cancelPrint) return nullptr;
            return std::make_unique<RecordingDevice>(*jobs.emplace_back(std::make_unique<RecordedJob>()));
        };
        responder.printerSetup = [this] { return setupAnswer; };
        ui::SetDialogResponder(responder);
    }
    void TearDown() override {
        testing_support::FailOnEveryDialog();
        ListWindowFixture::TearDown();
    }
    std::vector<std::unique_ptr<RecordedJob>> jobs;
    std::vector<DWORD> printDialogFlags;
    bool cancelPrint = false;
    std::optional<Orientation> setupAnswer;
};

TEST_F(ListPrinting, NothingToPrintGivesNoJobAndSetupTurnsLaterJobs) {
    const struct {
        const char* what;
        std::wstring text;
        bool pictureView, cancel;
        size_t messages, dialogs;
    } cases[] = {
        {"empty list", L"", false, false, 1, 0},
        {"print dialog cancelled", L"a\r", false, true, 0, 1},
        {"picture view", L"a\r", true, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        window->document.SetText(c.text);
        window->viewPicturesBox.SetValue(c.pictureView);
        cancelPrint = c.cancel;
        prompts.seen.clear();
        printDialogFlags.clear();
        window->PrintMessage();
        EXPECT_TRUE(jobs.empty());
        EXPECT_EQ(printDialogFlags.size(), c.dialogs);
        ASSERT_EQ(prompts.seen.size(), c.messages);
        EXPECT_TRUE(!c.messages || prompts.Said(0, base::LoadText(base::Text::NothingTo),
                                                base::LoadText(base::Text::EmptyList), MB_OK | MB_ICONINFORMATION));
        window->viewPicturesBox.SetValue(false);
    }
    // Printer Setup chooses the orientation of the jobs after it; Cancel keeps it.
    cancelPrint = false;
    const std::pair<std::optional<Orientation>, Orientation> steps[] = {
        {Orientation::Landscape, Orientation::Landscape},
        {std::nullopt, Orientation::Landscape},  // Cancel
        {Orientation::Portrait, Orientation::Portrait},
    };
    window->document.SetText(L"one line\r");
    for (const auto& [answer, printed] : steps) {
        setupAnswer = answer;
        window->printerSetupItem.Click();
        window->printItem.Click();
        ASSERT_FALSE(jobs.empty());
        EXPECT_EQ(jobs.back()->orientation, printed);
        EXPECT_EQ(jobs.back()->pages.size(), 1u);
    }
    window->toolbar.ClickButton(listwin::kPrintToolButton);
    EXPECT_EQ(jobs.size(), 4u);
}

// Headers, rules, margins and every line once, whether the control's
// formatter places nothing (Wine's own), fills every page, or stops after one.
TEST_F(ListPrinting, PagesCarryHeadersAndEveryLineOnce) {
    HDC screen = GetDC(nullptr);
    const long inchX = GetDeviceCaps(screen, LOGPIXELSX), inchY = GetDeviceCaps(screen, LOGPIXELSY);
    const long pageWidth = MulDiv(GetDeviceCaps(screen, HORZRES), 1440, inchX);
    const long pageHeight = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    for (int pagesWithProgress : {-1, 99, 1}) {
        SCOPED_TRACE(pagesWithProgress);
        jobs.clear();
        window->document.SetText(testing_support::NumberedLines(130));
        const std::wstring document = window->document.Text();
        FormatterStandIn::pagesWithProgress = pagesWithProgress;
        FormatterStandIn::charsPerPage = 30 * 21;  // 30 lines
        FormatterStandIn::pagesFormatted = FormatterStandIn::releases = 0;
        HWND box = window->document.hwnd();
        if (pagesWithProgress >= 0)
            FormatterStandIn::original = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormatterStandIn::Proc)));
        window->printButton.Click();
        if (pagesWithProgress >= 0)
            SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormatterStandIn::original));

        ASSERT_EQ(jobs.size(), 1u);
        const RecordedJob& job = *jobs[0];
        EXPECT_TRUE(job.ended);
        EXPECT_EQ(printDialogFlags.back(), DWORD(PD_NOSELECTION | PD_NOPAGENUMS | PD_DISABLEPRINTTOFILE));
        ASSERT_GE(job.pages.size(), 3u);
        std::wstring printed;
        for (size_t p = 0; p < job.pages.size(); ++p) {
            SCOPED_TRACE(p + 1);
            int headers = 0, blankLines = 0;
            for (const auto& [text, at] : job.pages[p].texts) {
                long from, to;
                if (text.find_first_not_of(L' ') == std::wstring::npos) {
                    ++blankLines;
                    continue;
                }
                if (text.starts_with(p == 0 ? L"Nomaro 3.1  Time: " : L"NOMARO 3.1 Date: ")) {
                    ++headers;
                    EXPECT_NE(text.find(L"Date: "), std::wstring::npos);
                    EXPECT_TRUE(text.ends_with(L"Page: " + std::to_wstring(p + 1))) << testing::PrintToString(text);
                    EXPECT_LT(at.y, inchY);  // in the top margin
                } else if (swscanf(text.c_str(), L"formatted %ld %ld", &from, &to) == 2) {
                    printed += document.substr(from, to - from);
                } else {
                    printed += text + L"\r";
                    EXPECT_EQ(at.x, inchX) << testing::PrintToString(text);
                    EXPECT_GT(at.y, inchY);
                    EXPECT_LT(at.y, pageHeight - inchY);
                }
            }
            EXPECT_EQ(headers, 1);
            EXPECT_EQ(blankLines, 4);  // three above the header, one under the rule
            EXPECT_EQ(job.pages[p].lines, 1);  // the rule under the header
        }
        EXPECT_EQ(printed, document);
        if (pagesWithProgress >= 0) {
            EXPECT_EQ(FormatterStandIn::releases, 1);
            const RECT inside{1440, 1440, pageWidth - 1440, MulDiv(pageHeight, 1440, inchY) - 1440};
            EXPECT_TRUE(EqualRect(&FormatterStandIn::drawingRect, &inside));
        }
    }
}

// The runs our own renderer prints: one per stretch of equal format, read
// without moving the user's selection.
TEST_F(ListPrinting, DocumentRunsFollowTheFormats) {
    window->document.SetText(L"plain bold plain\rred\r");
    auto format = [&](int start, int length, DWORD mask, COLORREF color) {
        Select(start, length);
        CHARFORMAT2W change{};
        change.cbSize = sizeof change;
        change.dwMask = mask;
        change.dwEffects = mask & ~CFM_COLOR;  // the styles of the mask switched on
        change.crTextColor = color;
        SendMessageW(window->document.hwnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&change));
    };
    const DWORD styles = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    format(0, 20, CFM_COLOR, RGB(0, 0, 0));
    format(6, 4, styles, 0);
    format(17, 1, CFM_COLOR, RGB(255, 0, 0));
    Select(2, 1);

    using Run = std::tuple<std::wstring, bool, COLORREF>;  // text, every style, colour
    const Run expected[] = {{L"plain ", false, 0}, {L"bold", true, 0}, {L" plain\r", false, 0},
                            {L"r", false, RGB(255, 0, 0)}, {L"ed\r", false, 0}};
    const ui::SelectionFormat caret = ui::SelectionFormatOf(window->document);  // the document's font
    const LRESULT events = SendMessageW(window->document.hwnd(), EM_GETEVENTMASK, 0, 0);
    std::vector<Run> runs;
    for (const listwin::TextRun& run : listwin::DocumentRuns(window->document)) {
        const listwin::CharFormat& f = run.format;
        EXPECT_EQ(std::tie(f.italic, f.underline, f.strikeout), std::tie(f.bold, f.bold, f.bold));
        EXPECT_EQ(f.face, caret.face.value_or(L"?"));
        EXPECT_NEAR(f.sizeTwips, caret.pointTenths.value_or(0) * 2, 1);  // tenths of a point are rounded
        runs.emplace_back(run.text, f.bold, f.color);
    }
    EXPECT_EQ(runs, std::vector<Run>(std::begin(expected), std::end(expected)));
    EXPECT_EQ(std::pair(window->document.SelStart(), window->document.SelLength()), std::pair(2, 1));
    EXPECT_EQ(SendMessageW(window->document.hwnd(), EM_GETEVENTMASK, 0, 0), events) << "notices are on again";
}

}  // namespace
