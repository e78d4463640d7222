// Run by the read-only folder script, which puts this program into a folder
// that cannot be written, beside a settings file holding lastcat=C:\\Old.
#include <gtest/gtest.h>

#include "base/Settings.h"

using base::ReadIniValue;
using base::WriteIniValue;

TEST(SettingsInReadOnlyFolder, WritesAreSilentAndKeepTheOldValues) {
    ASSERT_EQ(ReadIniValue(L"rename", L"lastcat"), L"C:\\Old");
    WriteIniValue(L"rename", L"lastcat", L"C:\\New");
    WriteIniValue(L"printsave", L"format", L"*.txt");
    EXPECT_EQ(ReadIniValue(L"rename", L"lastcat"), L"C:\\Old");
    EXPECT_EQ(ReadIniValue(L"printsave", L"format"), L"");
}
