// The texts the search window shows while it works and when it ends.
#include "search/SearchTexts.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(SearchTexts, ShowSearchPathKeepsTheLast40Characters) {
    const std::wstring forty = L"C:\\0123456789\\0123456789\\0123456789\\abcd";
    ASSERT_EQ(forty.size(), 40u);
    EXPECT_EQ(search::ShowSearchPathText(forty), forty);
    EXPECT_EQ(search::ShowSearchPathText(L"D" + forty), L"\\...\\.." + forty);
    EXPECT_EQ(search::ShowSearchPathText(L"D:\\ab" + forty), L"\\...\\.." + forty);
    EXPECT_EQ(search::ShowSearchPathText(L""), L"");
}

TEST(SearchTexts, PercentAndSendProgress) {
    const struct {
        int16_t done, total;
        const wchar_t* percent;
        const wchar_t* progress;
    } cases[] = {
        {0, 2, L"0", L"1% (1)"},          {1, 2, L"50", L"51% (2)"},
        {2, 3, L"66", L"67% (3)"},        {9, 10, L"90", L"91% (10)"},
        {1, 32767, L"0", L"1% (2)"},      {32766, 32767, L"99", L"100% (32767)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(search::PercentText(c.done, c.total), c.percent) << c.done << '/' << c.total;
        EXPECT_EQ(search::SendProgressText(c.done, c.total), c.progress) << c.done << '/' << c.total;
    }
    EXPECT_THROW(search::PercentText(0, 0), base::RunError);
}

TEST(SearchTexts, RotateTextMovesTheFirstCharacterToTheEnd) {
    EXPECT_EQ(search::RotateText(L"Nomaro "), L"omaro N");
    EXPECT_EQ(search::RotateText(L"x"), L"x");
    EXPECT_EQ(search::RotateText(L""), L"");
}

TEST(SearchTexts, StatusTimeAndSummary) {
    EXPECT_EQ(search::CountStatusText(L"Sending", 2, L"files, please wait"),
              L"Sending 2 files, please wait");
    EXPECT_EQ(search::TransferredText(L"File Transference", 3), L"File Transference: 3 files");
    const struct {
        float seconds;
        wchar_t point;
        const wchar_t* text;
    } times[] = {
        {0.0f, L'.', L"Time Taken: 0 seconds"},
        {2.5f, L',', L"Time Taken: 2,5 seconds"},
        {0.5390625f, L'.', L"Time Taken: 0.5390625 seconds"},
        {1234.5678f, L'.', L"Time Taken: 1234.568 seconds"},
        {0.00001f, L'.', L"Time Taken: 1E-05 seconds"},
    };
    for (const auto& t : times)
        EXPECT_EQ(search::TimeTakenText(L"Time Taken", t.seconds, t.point), t.text) << t.seconds;
    EXPECT_FLOAT_EQ(search::ElapsedSeconds(100.25f, 102.75f), 2.5f);
    EXPECT_FLOAT_EQ(search::ElapsedSeconds(86399.0f, 1.0f), 2.0f);
    EXPECT_FLOAT_EQ(search::ElapsedSeconds(5.0f, 5.0f), 0.0f);
}

TEST(SearchTexts, FailureReports) {
    auto shown = [](const search::FailureReport& f) { return std::tuple(f.message, f.title, f.information); };
    EXPECT_EQ(shown(search::FailureFor(base::RunError(base::err::InvalidPropertyValue), L"No files to send",
                                       L"Radical Select")),
              std::tuple(L"No files to send. Radical Select exit.", L"380", true));
    EXPECT_EQ(shown(search::FailureFor(base::RunError(base::err::Overflow), L"-", L"-")),
              std::tuple(L"Nomaro Error Description: Overflow", L"Error: 6", false));
}
