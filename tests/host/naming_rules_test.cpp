#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rename/NamingRules.h"
#include "tests/error_number.h"

using testing_support::ErrorNumberOf;
using namespace naming;
using Names = std::vector<std::wstring>;

namespace {

std::vector<RenameEntry> InFolder(const std::wstring& folder, const Names& names) {
    std::vector<RenameEntry> entries;
    for (const auto& name : names) entries.push_back({folder, name});
    return entries;
}

const Names kPics = {L"a.jpg", L"b.JPG", L"c.tar.gz", L"README"};

using Options = NamingOptions;
constexpr IndexStyle kStart = IndexStyle::StartNumber;

Names NewNames(const std::vector<RenameEntry>& entries, const NamingOptions& options) {
    Names names;
    for (const auto& planned : BuildPlan(entries, options).entries)
        names.push_back(NewName(planned, options));
    return names;
}

std::vector<RenameEntry> ManyFiles(int count) {  // x0.dat, x1.dat, ...
    std::vector<RenameEntry> entries(count);
    for (int i = 0; i < count; ++i) entries[i] = {L"D:\\", L"x" + std::to_wstring(i) + L".dat"};
    return entries;
}

}  // namespace

TEST(NamingRules, NewNames) {
    const struct {
        Names files;
        NamingOptions options;
        Names expected;
    } table[] = {
        {kPics, Options{L"Trip", true},
         {L"Trip0001.jpg", L"Trip0002.JPG", L"Trip0003.tar.gz", L"Trip0004.README"}},
        {kPics, Options{L"Trip", false, L"png", IndexStyle::Two},
         {L"Trip01.png", L"Trip02.png", L"Trip03.png", L"Trip04.png"}},
        {kPics, Options{L"Trip", true, L"", kStart, L"098"},
         {L"Trip098.jpg", L"Trip099.JPG", L"Trip100.tar.gz", L"Trip101.README"}},
        // The indexed extension names every file by its index, whatever else is chosen.
        {kPics, Options{L"Trip", true, L"", IndexStyle::Four, L"", true}, {L"Trip.001", L"Trip.002", L"Trip.003", L"Trip.004"}},
        {kPics, Options{L"Trip", false, L"png", IndexStyle::Two, L"", true},
         {L"Trip.001", L"Trip.002", L"Trip.003", L"Trip.004"}},
        // "*" keeps the names up to their first dot and ignores the index.
        {kPics, Options{L"*", false, L"bak"}, {L"a.bak", L"b.bak", L"c.bak", L"README.bak"}},
        {kPics, Options{L"*", false, L"png", IndexStyle::Two, L"", true}, {L"a.png", L"b.png", L"c.png", L"README.png"}},
        {{L".profile", L"end."}, Options{L"*", false, L"bak"}, {L".bak", L"end.bak"}},
        {{L".profile", L"end."}, Options{L"Trip", true}, {L"Trip0001.profile", L"Trip0002."}},
        // A new extension left over while keeping the extension is not used.
        {{L"README"}, Options{L"Trip", true, L"png"}, {L"Trip0001.README"}},
        // A new extension left empty: the name ends with the index and a dot.
        {{L"a.jpg", L"README"}, Options{L"Trip", false}, {L"Trip0001.", L"Trip0002."}},
        // "*" keeping the extension (refused before planning) leaves the names.
        {{L"a.jpg"}, Options{L"*", true}, {L"a.jpg"}},
    };
    for (const auto& row : table)
        EXPECT_EQ(NewNames(InFolder(L"C:\\Pics", row.files), row.options), row.expected)
            << testing::PrintToString(row.options.newName + L"|" + row.options.newExtension +
                                      L"|" + row.options.startNumber);
}

TEST(NamingRules, IndexTexts) {
    const struct {
        IndexStyle style;
        const wchar_t* start;
        std::vector<int16_t> ms;  // running numbers from 1
        Names expected;
    } table[] = {
        {IndexStyle::Four, L"", {1, 9, 10, 999, 1000, 10000},
         {L"0001", L"0009", L"0010", L"0999", L"1000", L"10000"}},
        {IndexStyle::Three, L"", {1, 10, 100, 1000}, {L"001", L"010", L"100", L"1000"}},
        {IndexStyle::Two, L"", {1, 9, 10, 100}, {L"01", L"09", L"10", L"100"}},
        {kStart, L"0048", {1, 2}, {L"0048", L"0049"}}, {kStart, L"0009", {1, 2, 3}, {L"0009", L"0010", L"0011"}},
        {kStart, L"99", {1, 2}, {L"99", L"100"}}, {kStart, L"0", {1, 11}, {L"0", L"10"}},
        // Only widths 2 to 4 pad: a longer text writes the number plainly.
        {kStart, L"00005", {1, 2}, {L"5", L"6"}},
        // A minus sign stands before the zeros; a plus sign counts in the width.
        {kStart, L"-12", {1, 2, 12, 13, 14}, {L"-012", L"-011", L"-001", L"000", L"001"}},
        {kStart, L"-1", {1, 2, 3}, {L"-01", L"00", L"01"}}, {kStart, L"-999", {1}, {L"-0999"}},
        {kStart, L"+5", {1, 2}, {L"05", L"06"}},
    };
    for (const auto& row : table) {
        Names texts;
        for (int16_t m : row.ms) texts.push_back(IndexText(m, row.style, row.start));
        EXPECT_EQ(texts, row.expected) << static_cast<int>(row.style) << " " << row.start;
    }
    EXPECT_EQ((Names{ThreeDigitIndex(1), ThreeDigitIndex(42), ThreeDigitIndex(999), ThreeDigitIndex(1000)}),
              (Names{L"001", L"042", L"999", L"1000"}));
}

TEST(NamingRules, StartNumbers) {
    const struct {
        const wchar_t* text;
        int value;  // when error is 0
        int error;
    } table[] = {
        {L"0", 0, 0}, {L"0048", 48, 0}, {L"9999", 9999, 0}, {L"-999", -999, 0}, {L"+5", 5, 0},
        {L"-0", 0, 0}, {L"32767", 32767, 0}, {L"-32768", -32768, 0}, {L"32768", 0, 6},
        {L"-32769", 0, 6}, {L"99999999999999999999999", 0, 6}, {L"", 0, 13}, {L"12a", 0, 13},
        {L"1.5", 0, 13}, {L" ", 0, 13}, {L" 5", 0, 13}, {L"5 ", 0, 13}, {L"-", 0, 13}, {L"+", 0, 13},
        {L"--1", 0, 13}, {L"1-", 0, 13}, {L"0x10", 0, 13}, {L"\x0661", 0, 13}, {L"/", 0, 13}, {L":", 0, 13},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)));
        int value = 0;
        EXPECT_EQ(ErrorNumberOf([&] { value = ParseStartNumber(row.text); }), row.error);
        EXPECT_EQ(value, row.value);
        // The box accepts while typing what converts, the empty text and a lone sign.
        const std::wstring text = row.text;
        EXPECT_EQ(IsValidStartNumber(text), row.error == 0 || text.empty() || text == L"-" || text == L"+");
    }
}

TEST(NamingRules, Limits) {
    auto start = Options{L"T", true, L"", kStart, L"32767"};
    EXPECT_EQ(NewNames(ManyFiles(1), start), (Names{L"T32767.dat"}));
    EXPECT_EQ(ErrorNumberOf([&] { BuildPlan(ManyFiles(2), start); }), 6);
    // s - 1 is computed first, as the running number is.
    EXPECT_EQ(ErrorNumberOf([] { IndexText(1, kStart, L"-32768"); }), 6);
    EXPECT_EQ(BuildPlan(ManyFiles(32767), Options{L"T"}).entries.back().indexText, L"32767");
    EXPECT_EQ(ErrorNumberOf([] { BuildPlan(ManyFiles(32768), Options{L"T"}); }), 6);

    // An empty start number fails only where index texts are built, so not for
    // the indexed extension, which stops after 999 files.
    auto options = Options{L"T", true, L"", kStart, L""};
    EXPECT_EQ(ErrorNumberOf([&] { BuildPlan(ManyFiles(1), options); }), 13);
    options.indexedExtension = true;
    auto plan = BuildPlan(ManyFiles(999), options);
    EXPECT_FALSE(plan.tooManyForIndexedExtension);
    ASSERT_EQ(plan.entries.size(), 999u);
    EXPECT_EQ(plan.entries[0].extensionPart, L"001");
    EXPECT_EQ(plan.entries[998].indexText, L"");
    EXPECT_EQ(NewName(plan.entries[998], options), L"T.999");
    plan = BuildPlan(ManyFiles(1000), options);
    EXPECT_TRUE(plan.tooManyForIndexedExtension && plan.entries.empty());
}

TEST(NamingRules, OptionChecksAndTrimming) {
    const struct {
        NamingOptions options;
        PlanCheck expected;
    } checks[] = {
        {Options{L"", true}, PlanCheck::EmptyName}, {Options{L"", false, L"bak"}, PlanCheck::EmptyName},
        {Options{L"*", true}, PlanCheck::NothingWouldChange},
        {Options{L"*", true, L"", IndexStyle::Four, L"", true}, PlanCheck::NothingWouldChange},
        {Options{L"*", false, L"bak"}, PlanCheck::Ready}, {Options{L"**"}, PlanCheck::Ready},
    };
    for (const auto& row : checks)
        EXPECT_EQ(CheckOptions(row.options), row.expected) << testing::PrintToString(row.options.newName);

    const std::pair<const wchar_t*, const wchar_t*> trims[] = {
        {L"  Trip  ", L"Trip"}, {L"   ", L""}, {L"", L""}, {L" My Trip ", L"My Trip"}, {L"\tTrip ", L"\tTrip"}};
    for (const auto& [text, trimmed] : trims) EXPECT_EQ(TrimBlanks(text), trimmed);
}

TEST(NamingRules, NewNamesThatNameExactlyOneFile) {
    const std::wstring longest(255, L'n');
    const std::pair<std::wstring, bool> names[] = {
        {L"Trip0001.jpg", true}, {L"a", true}, {longest, true}, {longest + L"n", false},
        {L"", false}, {L".profile", true}, {L"a.", false}, {L"a ", false}, {L"a. ", false},
        {L" a", true}, {L"a b.c d", true}, {L"\u0424\u043e\u0442\u043e.jpg", true},
        {L"CONSOLE.txt", true}, {L"COM10", true}, {L"COM0", true}, {L"LPT", true}, {L"xCON", true}, {L"NULL.txt", true},
        {L"CON", false}, {L"con.txt", false}, {L"Prn.a.b", false}, {L"aux", false}, {L"NUL.", false},
        {L"COM1", false}, {L"com9.log", false}, {L"LPT1", false}, {L"lpt9.x", false},
        {std::wstring(L"a\x1f"), false}, {std::wstring(1, L'\0') + L"a", false}, {L"a\tb", false},
    };
    for (const auto& [name, usable] : names) EXPECT_EQ(IsUsableFileName(name), usable) << testing::PrintToString(name);
    for (wchar_t c : std::wstring(L"\\/:*?\"<>|")) {
        EXPECT_FALSE(IsUsableFileName(std::wstring(L"a") + c + L"b")) << static_cast<char>(c);
        EXPECT_TRUE(IsUsableFileName(std::wstring(L"a") + static_cast<wchar_t>(c + 0x100) + L"b"));
    }

    // One bad name anywhere in the plan stops it; every name is looked at.
    const auto plan = BuildPlan(InFolder(L"C:\\Pics", {L"a.jpg", L"README"}), Options{L"*", false, L""});
    EXPECT_EQ(ErrorNumberOf([&] { CheckNewNames(plan.entries, Options{L"*", false, L""}); }), 52);
    EXPECT_EQ(ErrorNumberOf([&] { CheckNewNames(plan.entries, Options{L"*", false, L"bak"}); }), 0);
    const auto con = BuildPlan(InFolder(L"C:\\", {L"a.jpg", L"b.jpg", L"c.jpg"}), Options{L"CON", true, L"", IndexStyle::Four, L"", true});
    EXPECT_EQ(ErrorNumberOf([&] { CheckNewNames({con.entries[0]}, Options{L"CON0", true}); }), 0);
    EXPECT_EQ(ErrorNumberOf([&] { CheckNewNames(con.entries, Options{L"CON", true, L"", IndexStyle::Four, L"", true}); }), 52);
}
