// Joining and splitting paths as Windows writes them.
#include "base/Paths.h"

#include <gtest/gtest.h>

#include <tuple>

using base::JoinPath;
using base::SplitPath;

TEST(Paths, JoinPutsExactlyOneSeparatorBetween) {
    EXPECT_EQ(JoinPath(L"C:\\x", L"a.txt"), L"C:\\x\\a.txt");
    EXPECT_EQ(JoinPath(L"C:\\", L"a.txt"), L"C:\\a.txt");
    EXPECT_EQ(JoinPath(L"C:/x/", L"a.txt"), L"C:/x/a.txt");
    EXPECT_EQ(JoinPath(L"", L"a.txt"), L"a.txt");
}

TEST(Paths, SplitKeepsTheBackslashOfARootOnly) {
    const struct { const wchar_t *path, *folder, *name; bool roundTrip; } cases[] = {
        {L"C:\\x\\a.txt", L"C:\\x", L"a.txt", true},
        {L"C:\\a", L"C:\\", L"a", true},
        {L"C:\\", L"C:\\", L"", true},
        {L"C:\\x\\", L"C:\\x", L"", true},
        {L"\\a", L"\\", L"a", true},
        {L"\\\\server\\share\\a", L"\\\\server\\share", L"a", true},
        {L"a.txt", L"", L"a.txt", true},
        {L"C:a", L"", L"C:a", true},
        {L"x:\\y\\z", L"x:\\y", L"z", true},
        {L"ab\\c", L"ab", L"c", true},
        // A forward slash separates too; joining again writes a backslash.
        {L"C:/x/a", L"C:/x", L"a", false},
        {L"C:/a", L"C:/", L"a", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        const base::PathParts parts = SplitPath(c.path);
        EXPECT_EQ(std::tie(parts.folder, parts.name), std::tuple(std::wstring(c.folder), std::wstring(c.name)));
        EXPECT_EQ(JoinPath(parts.folder, parts.name) == c.path, c.roundTrip);
    }
}

TEST(Paths, StemDropsOnlyTheLastExtension) {
    EXPECT_EQ(base::StemOf(L"Nomaro.exe"), L"Nomaro");
    EXPECT_EQ(base::StemOf(L"a.b.c"), L"a.b");
    EXPECT_EQ(base::StemOf(L"Makefile"), L"Makefile");
    EXPECT_EQ(base::StemOf(L"name."), L"name");
}
