// File-name masks and patterns as the file boxes apply them.
#include "base/Wildcard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using base::MatchesMask;
using base::MatchesPattern;

TEST(Wildcard, MasksIgnoreLetterCase) {
    EXPECT_TRUE(MatchesPattern(L"a.EXE", L"*.EXE"));
    EXPECT_TRUE(MatchesPattern(L"b.exe", L"*.EXE"));
    EXPECT_TRUE(MatchesPattern(L"B.Exe", L"*.exe"));
    EXPECT_FALSE(MatchesPattern(L"b.exf", L"*.exe"));
    EXPECT_FALSE(MatchesPattern(L"exe", L"*.exe"));
    EXPECT_TRUE(MatchesMask(L"Readme.TXT", L"read*.t?t"));
}

TEST(Wildcard, EveryMaskOfAPatternCounts) {
    const std::wstring programs = L"*.exe;*.bat;*.com";
    EXPECT_TRUE(MatchesPattern(L"setup.exe", programs));
    EXPECT_TRUE(MatchesPattern(L"RUN.BAT", programs));
    EXPECT_TRUE(MatchesPattern(L"command.com", programs));
    EXPECT_FALSE(MatchesPattern(L"readme.txt", programs));
    EXPECT_FALSE(MatchesPattern(L"exe.bat.txt", programs));

    const std::wstring pages = L"*.htm;*.html";
    EXPECT_TRUE(MatchesPattern(L"index.htm", pages));
    EXPECT_TRUE(MatchesPattern(L"index.HTML", pages));
    EXPECT_FALSE(MatchesPattern(L"x.htmlx", pages));
    EXPECT_FALSE(MatchesPattern(L"x.ht", pages));
}

TEST(Wildcard, QuestionMarkNeedsExactlyOneCharacter) {
    EXPECT_TRUE(MatchesMask(L"a", L"?"));
    EXPECT_FALSE(MatchesMask(L"", L"?"));
    EXPECT_FALSE(MatchesMask(L"ab", L"?"));
    EXPECT_TRUE(MatchesMask(L"a1.txt", L"a?.txt"));
    EXPECT_FALSE(MatchesMask(L"a.txt", L"a?.txt"));
    EXPECT_FALSE(MatchesMask(L"a12.txt", L"a?.txt"));
    // The dot rule for dotless names must not let "?" stand for the added dot.
    EXPECT_FALSE(MatchesMask(L"a", L"a?"));
}

TEST(Wildcard, StarMatchesAnyRunIncludingNone) {
    EXPECT_TRUE(MatchesMask(L"", L"*"));
    EXPECT_TRUE(MatchesMask(L"abc", L"*"));
    EXPECT_TRUE(MatchesMask(L"abc", L"a*c"));
    EXPECT_TRUE(MatchesMask(L"ac", L"a*c"));
    EXPECT_TRUE(MatchesMask(L"abcbc", L"a*bc"));
    EXPECT_FALSE(MatchesMask(L"abcb", L"a*bc"));
    EXPECT_TRUE(MatchesMask(L"photo.2021.jpg", L"*.jpg"));
    EXPECT_TRUE(MatchesMask(L"aXbXc", L"*X*X*"));
    EXPECT_FALSE(MatchesMask(L"aXb", L"*X*X*"));
}

TEST(Wildcard, DotRulesForNamesWithoutExtension) {
    EXPECT_TRUE(MatchesMask(L"Makefile", L"*.*"));
    EXPECT_TRUE(MatchesMask(L"a.b.c", L"*.*"));
    EXPECT_TRUE(MatchesMask(L".profile", L"*.*"));

    EXPECT_TRUE(MatchesMask(L"Makefile", L"*."));
    EXPECT_FALSE(MatchesMask(L"readme.txt", L"*."));
    EXPECT_TRUE(MatchesMask(L"readme", L"readme.*"));
    EXPECT_TRUE(MatchesMask(L"readme.md", L"readme.*"));
    EXPECT_FALSE(MatchesMask(L"readmeX", L"readme.*"));
    EXPECT_FALSE(MatchesMask(L"Makefile", L"*.txt"));
}

TEST(Wildcard, PatternSplitsAtSemicolonsAndDropsBlanks) {
    EXPECT_EQ(base::SplitPattern(L" *.jpg ;\t*.gif;; ;*.bmp"),
              (std::vector<std::wstring>{L"*.jpg", L"*.gif", L"*.bmp"}));
    EXPECT_EQ(base::SplitPattern(L"*.a b"), (std::vector<std::wstring>{L"*.a b"}));
    EXPECT_TRUE(MatchesPattern(L"x.gif", L"*.jpg ; *.gif "));
    EXPECT_TRUE(MatchesPattern(L"x.a b", L" *.a b "));
}

TEST(Wildcard, PatternWithoutMasksMatchesNothing) {
    EXPECT_TRUE(base::SplitPattern(L"").empty());
    EXPECT_TRUE(base::SplitPattern(L" ; ;").empty());
    EXPECT_FALSE(MatchesPattern(L"a.txt", L""));
    EXPECT_FALSE(MatchesPattern(L"a.txt", L" ; "));
    EXPECT_FALSE(MatchesPattern(L"", L""));
}

TEST(Wildcard, CaseFoldingBeyondAscii) {
    EXPECT_TRUE(MatchesMask(L"\u00C4pfel.txt", L"\u00E4pfel.*"));      // Äpfel / äpfel
    EXPECT_TRUE(MatchesMask(L"stra\u00DFe", L"STRA\u00DFE"));           // ß stays ß
    EXPECT_TRUE(MatchesMask(L"\u00F6\u00FC\u00E5", L"\u00D6\u00DC\u00C5"));
    EXPECT_FALSE(MatchesMask(L"\u00F7", L"\u00D7"));                    // ÷ and × are no pair
    EXPECT_TRUE(MatchesMask(L"\u00FF", L"\u0178"));                     // ÿ / Ÿ
    EXPECT_TRUE(MatchesMask(L"\u0142\u00F3d\u017A", L"\u0141\u00D3D\u0179"));  // łódź
    EXPECT_TRUE(MatchesMask(L"\u03B1\u03C2.txt", L"\u0391\u03A3.TXT"));       // ας
    EXPECT_TRUE(MatchesMask(L"\u0444\u0430\u0439\u043B", L"\u0424\u0410\u0419\u041B"));  // файл
    EXPECT_FALSE(MatchesMask(L"\u65E5\u672C", L"\u65E5"));
    EXPECT_TRUE(MatchesMask(L"\u65E5\u672C.txt", L"\u65E5?.txt"));
}

TEST(Wildcard, FileNamesSortWithoutRegardToCase) {
    std::vector<std::wstring> names{L"b.txt", L"A.txt", L"\u00E4.txt", L"a.txt", L"C.txt",
                                    L"\u00C4.txt", L"ab.txt"};
    std::sort(names.begin(), names.end(), [](const std::wstring& x, const std::wstring& y) {
        return base::CompareFileNames(x, y) < 0;
    });
    EXPECT_EQ(names, (std::vector<std::wstring>{L"A.txt", L"a.txt", L"ab.txt", L"b.txt", L"C.txt",
                                                L"\u00C4.txt", L"\u00E4.txt"}));
    EXPECT_EQ(base::CompareFileNames(L"abc", L"abc"), 0);
    EXPECT_LT(base::CompareFileNames(L"ab", L"ABC"), 0);
    EXPECT_GT(base::CompareFileNames(L"a", L"A"), 0);
}
