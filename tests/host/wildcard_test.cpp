// File-name masks and patterns as the file boxes apply them.
#include "base/Wildcard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using base::MatchesMask;
using base::MatchesPattern;

TEST(Wildcard, MasksMatchAsTheFileBoxesApplyThem) {
    const struct { const wchar_t *name, *mask; bool matches; } cases[] = {
        // letters compare without regard to case
        {L"a.EXE", L"*.EXE", true}, {L"b.exe", L"*.EXE", true}, {L"B.Exe", L"*.exe", true},
        {L"b.exf", L"*.exe", false}, {L"exe", L"*.exe", false}, {L"Readme.TXT", L"read*.t?t", true},
        // "?" stands for exactly one character, also not for the dot added to a dotless name
        {L"a", L"?", true}, {L"", L"?", false}, {L"ab", L"?", false}, {L"a1.txt", L"a?.txt", true},
        {L"a.txt", L"a?.txt", false}, {L"a12.txt", L"a?.txt", false}, {L"a", L"a?", false},
        // "*" stands for any run, the empty one too; a mismatch after it retries one further
        {L"", L"*", true}, {L"abc", L"a*c", true}, {L"ac", L"a*c", true}, {L"abcbc", L"a*bc", true},
        {L"abcb", L"a*bc", false}, {L"photo.2021.jpg", L"*.jpg", true}, {L"aXbXc", L"*X*X*", true},
        {L"aXb", L"*X*X*", false}, {L"ab", L"ab*", true}, {L"abc", L"ab", false},
        // "*.*" matches every name; a dotless name matches masks ending in "." or ".*"
        {L"Makefile", L"*.*", true}, {L"a.b.c", L"*.*", true}, {L".profile", L"*.*", true},
        {L"Makefile", L"*.", true}, {L"readme.txt", L"*.", false}, {L"readme", L"readme.*", true},
        {L"readme.md", L"readme.*", true}, {L"readmeX", L"readme.*", false},
        {L"Makefile", L"*.txt", false},
        // letters beyond ASCII fold on both sides: Äpfel, łódź, файл; ÷ and × are no pair
        {L"\u00C4pfel.txt", L"\u00E4pfel.*", true}, {L"\u0142\u00F3d\u017A", L"\u0141\u00D3D\u0179", true},
        {L"\u0444\u0430\u0439\u043B", L"\u0424\u0410\u0419\u041B", true}, {L"\u00F7", L"\u00D7", false},
        {L"\u65E5\u672C.txt", L"\u65E5?.txt", true}, {L"\u65E5\u672C", L"\u65E5", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches)
            << testing::PrintToString(std::wstring(c.name)) << " " << testing::PrintToString(std::wstring(c.mask));
}

// A pattern is masks split at semicolons, blanks around them dropped; any mask may match.
TEST(Wildcard, PatternsSplitAtSemicolonsAndAnyMaskCounts) {
    using Masks = std::vector<std::wstring>;
    EXPECT_EQ(base::SplitPattern(L" *.jpg ;\t*.gif;; ;*.bmp"), (Masks{L"*.jpg", L"*.gif", L"*.bmp"}));
    EXPECT_EQ(base::SplitPattern(L"*.a b"), (Masks{L"*.a b"}));
    EXPECT_TRUE(base::SplitPattern(L"").empty() && base::SplitPattern(L" ; ;").empty());
    const struct { const wchar_t *name, *pattern; bool matches; } cases[] = {
        {L"setup.exe", L"*.exe;*.bat;*.com", true}, {L"RUN.BAT", L"*.exe;*.bat;*.com", true},
        {L"command.com", L"*.exe;*.bat;*.com", true}, {L"readme.txt", L"*.exe;*.bat;*.com", false},
        {L"exe.bat.txt", L"*.exe;*.bat;*.com", false}, {L"x.gif", L"*.jpg ; *.gif ", true},
        {L"x.a b", L" *.a b ", true}, {L"a.txt", L"", false}, {L"a.txt", L" ; ", false}, {L"", L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << testing::PrintToString(std::wstring(c.name));
}

// Both ends of every range the fold table covers, and the code units just
// outside them, which must stay as they are.
TEST(Wildcard, FoldTableRangesEndWhereTheAlphabetsEnd) {
    const struct { wchar_t in, folded; } cases[] = {
        // ASCII
        {L'a', L'A'}, {L'z', L'Z'}, {L'`', L'`'}, {L'{', L'{'}, {L'A', L'A'}, {L'Z', L'Z'},
        // Latin-1: a small letter is its capital + 0x20, except ÷ (no pair), ß (none) and ÿ (Ÿ)
        {0xE0, 0xC0}, {0xFE, 0xDE}, {0xF6, 0xD6}, {0xF8, 0xD8}, {0xF7, 0xF7}, {0xD7, 0xD7},
        {0xDF, 0xDF}, {0xFF, 0x178}, {0xB5, 0xB5}, {0xC0, 0xC0}, {0xDE, 0xDE},
        // Latin Extended-A: capital on the even code, in 0x139-0x148 and 0x179-0x17E on the odd one
        {0x100, 0x100}, {0x101, 0x100}, {0x12F, 0x12E}, {0x130, 0x130}, {0x131, 0x131},
        {0x132, 0x132}, {0x133, 0x132}, {0x137, 0x136}, {0x138, 0x138}, {0x139, 0x139},
        {0x13A, 0x139}, {0x147, 0x147}, {0x148, 0x147}, {0x149, 0x149}, {0x14A, 0x14A},
        {0x14B, 0x14A}, {0x177, 0x176}, {0x178, 0x178}, {0x179, 0x179}, {0x17A, 0x179},
        {0x17E, 0x17D}, {0x17F, 0x17F}, {0x180, 0x180},
        // Greek: final sigma and the accented vowels have capitals of their own
        {0x3B1, 0x391}, {0x3C1, 0x3A1}, {0x3C2, 0x3A3}, {0x3C3, 0x3A3}, {0x3CB, 0x3AB},
        {0x3B0, 0x3B0}, {0x3CF, 0x3CF}, {0x3AC, 0x386}, {0x3AD, 0x388}, {0x3AF, 0x38A},
        {0x3CC, 0x38C}, {0x3CD, 0x38E}, {0x3CE, 0x38F}, {0x391, 0x391}, {0x3AB, 0x3AB},
        {0x36F, 0x36F},
        // Cyrillic: а-я onto А-Я, ѐ-џ onto Ѐ-Џ; the historic letters from 0x460 stay
        {0x430, 0x410}, {0x44F, 0x42F}, {0x450, 0x400}, {0x45F, 0x40F}, {0x400, 0x400},
        {0x40F, 0x40F}, {0x410, 0x410}, {0x42F, 0x42F}, {0x460, 0x460}, {0x461, 0x461},
        // beyond the table
        {0x65E5, 0x65E5}, {0xFF41, 0xFF41},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(base::FoldFileNameChar(c.in)), static_cast<int>(c.folded))
            << std::hex << "U+" << static_cast<int>(c.in);
}

TEST(Wildcard, FileNamesSortWithoutRegardToCase) {
    std::vector<std::wstring> names{L"b.txt", L"A.txt", L"\u00E4.txt", L"a.txt", L"C.txt",
                                    L"\u00C4.txt", L"ab.txt"};
    std::sort(names.begin(), names.end(), [](const std::wstring& x, const std::wstring& y) {
        return base::CompareFileNames(x, y) < 0;
    });
    EXPECT_EQ(names, (std::vector<std::wstring>{L"A.txt", L"a.txt", L"ab.txt", L"b.txt", L"C.txt",
                                                L"\u00C4.txt", L"\u00E4.txt"}));
    // Both orders of each pair: letters first, then length, then the code units.
    const struct { const wchar_t *a, *b; int order; } pairs[] = {
        {L"abc", L"abc", 0}, {L"b", L"A", 1}, {L"ab", L"ABC", -1}, {L"a", L"A", 1}, {L"\u0430", L"\u0411", -1}};
    for (const auto& p : pairs) {
        EXPECT_EQ(base::CompareFileNames(p.a, p.b), p.order) << testing::PrintToString(std::wstring(p.a));
        EXPECT_EQ(base::CompareFileNames(p.b, p.a), -p.order) << testing::PrintToString(std::wstring(p.a));
    }
}
