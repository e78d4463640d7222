#include <gtest/gtest.h>

#include "tests/error_number.h"

#include <functional>
#include <string>
#include <vector>

#include "base/RunError.h"
#include "rename/NamingRules.h"

using testing_support::ErrorNumberOf;

using namespace naming;
using Names = std::vector<std::wstring>;

namespace {

std::vector<RenameEntry> InFolder(const std::wstring& folder, const Names& names) {
    std::vector<RenameEntry> entries;
    for (const auto& name : names) entries.push_back({folder, name});
    return entries;
}

const std::vector<RenameEntry> kPics = InFolder(L"C:\\Pics", {L"a.jpg", L"b.JPG", L"c.tar.gz", L"README"});

NamingOptions Options(std::wstring newName, bool keep, std::wstring newExtension = L"",
                      IndexStyle style = IndexStyle::Four, std::wstring start = L"",
                      bool indexed = false) {
    return {std::move(newName), keep, std::move(newExtension), style, std::move(start), indexed};
}

Names NewNames(const std::vector<RenameEntry>& entries, const NamingOptions& options) {
    Names names;
    for (const auto& planned : BuildPlan(entries, options).entries) names.push_back(NewName(planned, options));
    return names;
}

Names Indexes(IndexStyle style, const std::wstring& start, const std::vector<int16_t>& ms) {
    Names texts;
    for (int16_t m : ms) texts.push_back(IndexText(m, style, start));
    return texts;
}

// Entries x000.dat, x001.dat, ... in one folder.
std::vector<RenameEntry> ManyFiles(int count) {
    std::vector<RenameEntry> entries(count);
    for (int i = 0; i < count; ++i) entries[i] = {L"D:\\", L"x" + std::to_wstring(i) + L".dat"};
    return entries;
}
}  // namespace

TEST(NamingRules, WorkedExamples) {
    EXPECT_EQ(NewNames(kPics, Options(L"Trip", true)),
              (Names{L"Trip0001.jpg", L"Trip0002.JPG", L"Trip0003.tar.gz", L"Trip0004.README"}));
    EXPECT_EQ(NewNames(kPics, Options(L"Trip", true, L"", IndexStyle::Three)),
              (Names{L"Trip001.jpg", L"Trip002.JPG", L"Trip003.tar.gz", L"Trip004.README"}));
    EXPECT_EQ(NewNames(kPics, Options(L"Trip", false, L"png", IndexStyle::Two)),
              (Names{L"Trip01.png", L"Trip02.png", L"Trip03.png", L"Trip04.png"}));
    EXPECT_EQ(NewNames(kPics, Options(L"Trip", true, L"", IndexStyle::StartNumber, L"098")),
              (Names{L"Trip098.jpg", L"Trip099.JPG", L"Trip100.tar.gz", L"Trip101.README"}));
    EXPECT_EQ(NewNames(kPics, Options(L"Trip", true, L"", IndexStyle::StartNumber, L"7")),
              (Names{L"Trip7.jpg", L"Trip8.JPG", L"Trip9.tar.gz", L"Trip10.README"}));
    EXPECT_EQ(NewNames(kPics, Options(L"Trip", true, L"", IndexStyle::Four, L"", true)),
              (Names{L"Trip.001", L"Trip.002", L"Trip.003", L"Trip.004"}));
    EXPECT_EQ(NewNames(kPics, Options(L"*", false, L"bak")),
              (Names{L"a.bak", L"b.bak", L"c.bak", L"README.bak"}));
}

TEST(NamingRules, IndexTable) {
    EXPECT_EQ(Indexes(IndexStyle::Four, L"", {1, 9, 10, 999, 1000, 10000}),
              (Names{L"0001", L"0009", L"0010", L"0999", L"1000", L"10000"}));
    EXPECT_EQ(Indexes(IndexStyle::Three, L"", {1, 10, 100, 1000}), (Names{L"001", L"010", L"100", L"1000"}));
    EXPECT_EQ(Indexes(IndexStyle::Two, L"", {1, 9, 10, 100}), (Names{L"01", L"09", L"10", L"100"}));
    EXPECT_EQ(Indexes(IndexStyle::StartNumber, L"0048", {1, 2}), (Names{L"0048", L"0049"}));
    EXPECT_EQ(Indexes(IndexStyle::StartNumber, L"0009", {1, 2, 3}), (Names{L"0009", L"0010", L"0011"}));
    EXPECT_EQ(Indexes(IndexStyle::StartNumber, L"99", {1, 2}), (Names{L"99", L"100"}));
    // Only widths 2 to 4 pad: a longer text writes the number plainly.
    EXPECT_EQ(Indexes(IndexStyle::StartNumber, L"00005", {1, 2}), (Names{L"5", L"6"}));
    EXPECT_EQ(ThreeDigitIndex(1), L"001");
    EXPECT_EQ(ThreeDigitIndex(42), L"042");
    EXPECT_EQ(ThreeDigitIndex(999), L"999");
}

TEST(NamingRules, NegativeStartNumbersPutTheSignBeforeTheZeros) {
    EXPECT_EQ(Indexes(IndexStyle::StartNumber, L"-12", {1, 2, 12, 13, 14}),
              (Names{L"-012", L"-011", L"-001", L"000", L"001"}));
    EXPECT_EQ(Indexes(IndexStyle::StartNumber, L"-1", {1, 2, 3}), (Names{L"-01", L"00", L"01"}));
    EXPECT_EQ(Indexes(IndexStyle::StartNumber, L"-999", {1}), (Names{L"-0999"}));
    EXPECT_EQ(Indexes(IndexStyle::StartNumber, L"+5", {1, 2}), (Names{L"05", L"06"}));
    EXPECT_EQ(NewNames(InFolder(L"C:\\", {L"a.jpg", L"b.jpg"}),
                       Options(L"T", true, L"", IndexStyle::StartNumber, L"-1")),
              (Names{L"T-01.jpg", L"T00.jpg"}));
}

TEST(NamingRules, SplitAtTheFirstDot) {
    auto plan = BuildPlan(InFolder(L"C:\\Pics", {L"x.tar.gz", L"README", L".profile", L"end."}),
                          Options(L"Trip", true));
    ASSERT_EQ(plan.entries.size(), 4u);
    EXPECT_EQ(plan.entries[0].base, L"x.");
    EXPECT_EQ(plan.entries[0].extensionPart, L"tar.gz");
    EXPECT_EQ(plan.entries[1].base, L"");
    EXPECT_EQ(plan.entries[1].extensionPart, L"README");
    EXPECT_EQ(plan.entries[2].base, L".");
    EXPECT_EQ(plan.entries[2].extensionPart, L"profile");
    EXPECT_EQ(plan.entries[3].base, L"end.");
    EXPECT_EQ(plan.entries[3].extensionPart, L"");
    EXPECT_EQ(plan.entries[1].indexText, L"0002");
    EXPECT_EQ(NewName(plan.entries[2], Options(L"Trip", true)), L"Trip0003.profile");
    EXPECT_EQ(NewName(plan.entries[3], Options(L"Trip", true)), L"Trip0004.");

    // A name without a dot takes the dot into its base when a new extension is set.
    auto newExtension = Options(L"*", false, L"bak");
    auto readme = BuildPlan(InFolder(L"C:\\Pics", {L"README", L".profile"}), newExtension).entries;
    EXPECT_EQ(readme[0].base, L"README.");
    EXPECT_EQ(readme[0].extensionPart, L"");
    EXPECT_EQ(NewName(readme[1], newExtension), L".bak");
}

TEST(NamingRules, OldPathGetsExactlyOneBackslash) {
    auto plan = BuildPlan(InFolder(L"C:\\", {L"a.jpg"}), Options(L"T", true)).entries;
    plan.push_back(BuildPlan(InFolder(L"C:\\Pics", {L"a.jpg"}), Options(L"T", true)).entries[0]);
    plan.push_back(BuildPlan(InFolder(L"C:\\Pics\\", {L"a.jpg"}), Options(L"T", true)).entries[0]);
    EXPECT_EQ(plan[0].oldPath, L"C:\\a.jpg");
    EXPECT_EQ(plan[1].oldPath, L"C:\\Pics\\a.jpg");
    EXPECT_EQ(plan[2].oldPath, L"C:\\Pics\\a.jpg");
}

TEST(NamingRules, ExtensionChoiceEdges) {
    // A new extension left over while keeping the extension is not used.
    EXPECT_EQ(NewNames(InFolder(L"C:\\", {L"README"}), Options(L"Trip", true, L"png")),
              (Names{L"Trip0001.README"}));
    // A new extension left empty: the name ends with the index and a dot.
    EXPECT_EQ(NewNames(InFolder(L"C:\\", {L"a.jpg", L"README"}), Options(L"Trip", false)),
              (Names{L"Trip0001.", L"Trip0002."}));
}

TEST(NamingRules, StartNumberParsing) {
    EXPECT_EQ(ParseStartNumber(L"0"), 0);
    EXPECT_EQ(ParseStartNumber(L"0048"), 48);
    EXPECT_EQ(ParseStartNumber(L"9999"), 9999);
    EXPECT_EQ(ParseStartNumber(L"-999"), -999);
    EXPECT_EQ(ParseStartNumber(L"+5"), 5);
    EXPECT_EQ(ParseStartNumber(L"-0"), 0);
    EXPECT_EQ(ParseStartNumber(L"32767"), 32767);
    EXPECT_EQ(ParseStartNumber(L"-32768"), -32768);
    for (const wchar_t* text : {L"", L"12a", L"1.5", L" ", L" 5", L"5 ", L"-", L"+", L"--1", L"1-",
                                L"0x10", L"\x0661"})
        EXPECT_EQ(ErrorNumberOf([&] { ParseStartNumber(text); }), 13) << testing::PrintToString(text);
    for (const wchar_t* text : {L"32768", L"-32769", L"99999999999999999999999"})
        EXPECT_EQ(ErrorNumberOf([&] { ParseStartNumber(text); }), 6) << testing::PrintToString(text);

    EXPECT_TRUE(IsValidStartNumber(L""));
    EXPECT_TRUE(IsValidStartNumber(L"-12"));
    EXPECT_TRUE(IsValidStartNumber(L"9999"));
    EXPECT_FALSE(IsValidStartNumber(L"12a"));
    EXPECT_FALSE(IsValidStartNumber(L"40000"));
}

TEST(NamingRules, IndexesBeyond32767Overflow) {
    auto start = Options(L"T", true, L"", IndexStyle::StartNumber, L"32767");
    EXPECT_EQ(NewNames(ManyFiles(1), start), (Names{L"T32767.dat"}));
    EXPECT_EQ(ErrorNumberOf([&] { BuildPlan(ManyFiles(2), start); }), 6);
    // s - 1 is computed first, as the running number is.
    EXPECT_EQ(ErrorNumberOf([] { IndexText(1, IndexStyle::StartNumber, L"-32768"); }), 6);

    auto plan = BuildPlan(ManyFiles(32767), Options(L"T", true));
    EXPECT_EQ(plan.entries.back().indexText, L"32767");
    EXPECT_EQ(ErrorNumberOf([] { BuildPlan(ManyFiles(32768), Options(L"T", true)); }), 6);
}

TEST(NamingRules, EmptyStartNumberIsATypeMismatch) {
    auto options = Options(L"T", true, L"", IndexStyle::StartNumber, L"");
    EXPECT_EQ(ErrorNumberOf([&] { BuildPlan(kPics, options); }), 13);
    // The indexed extension builds no index texts, so nothing converts.
    options.indexedExtension = true;
    EXPECT_EQ(ErrorNumberOf([&] { BuildPlan(kPics, options); }), 0);
}

TEST(NamingRules, IndexedExtensionStopsAfter999Files) {
    auto options = Options(L"T", true, L"", IndexStyle::Four, L"", true);
    auto plan = BuildPlan(ManyFiles(999), options);
    EXPECT_FALSE(plan.tooManyForIndexedExtension);
    ASSERT_EQ(plan.entries.size(), 999u);
    EXPECT_EQ(plan.entries[0].extensionPart, L"001");
    EXPECT_EQ(plan.entries[998].extensionPart, L"999");
    EXPECT_EQ(plan.entries[998].indexText, L"");
    EXPECT_EQ(NewName(plan.entries[998], options), L"T.999");

    plan = BuildPlan(ManyFiles(1000), options);
    EXPECT_TRUE(plan.tooManyForIndexedExtension);
    EXPECT_TRUE(plan.entries.empty());
}

TEST(NamingRules, IndexedExtensionGivesDistinctNamesWithANewExtensionToo) {
    auto options = Options(L"Trip", false, L"png", IndexStyle::Two, L"", true);
    EXPECT_EQ(NewNames(kPics, options), (Names{L"Trip.001", L"Trip.002", L"Trip.003", L"Trip.004"}));
    // Keeping the names, the new extension replaces the old one; the index is not used.
    options.newName = L"*";
    EXPECT_EQ(NewNames(kPics, options), (Names{L"a.png", L"b.png", L"c.png", L"README.png"}));
}

TEST(NamingRules, OptionChecksAndTrimming) {
    EXPECT_EQ(CheckOptions(Options(L"", true)), PlanCheck::EmptyName);
    EXPECT_EQ(CheckOptions(Options(L"", false, L"bak")), PlanCheck::EmptyName);
    EXPECT_EQ(CheckOptions(Options(L"*", true)), PlanCheck::NothingWouldChange);
    EXPECT_EQ(CheckOptions(Options(L"*", true, L"", IndexStyle::Four, L"", true)),
              PlanCheck::NothingWouldChange);
    EXPECT_EQ(CheckOptions(Options(L"*", false, L"bak")), PlanCheck::Ready);
    EXPECT_EQ(CheckOptions(Options(L"**", true)), PlanCheck::Ready);
    EXPECT_EQ(CheckOptions(Options(L"Trip", true)), PlanCheck::Ready);

    EXPECT_EQ(TrimBlanks(L"  Trip  "), L"Trip");
    EXPECT_EQ(TrimBlanks(L"   "), L"");
    EXPECT_EQ(TrimBlanks(L" My Trip "), L"My Trip");
    EXPECT_EQ(TrimBlanks(L"\tTrip "), L"\tTrip");
}
