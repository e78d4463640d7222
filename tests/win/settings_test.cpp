// The settings store on the real profile functions, with filename.ini beside
// this test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/Settings.h"

using base::ReadIniValue;
using base::SettingsFilePath;
using base::WriteIniValue;

namespace {
class Settings : public testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }
    static void Remove() {
        SetFileAttributesW(SettingsFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(SettingsFilePath().c_str());
    }
    static std::string FileBytes() {
        std::ifstream in(std::filesystem::path(SettingsFilePath()), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};
}  // namespace

// One value per section and key, in the ANSI code page, in a file beside the
// program that the first write creates.
TEST_F(Settings, ValuesBySectionAndKeyInAFileBesideTheProgram) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring path = program;
    EXPECT_EQ(SettingsFilePath(), path.substr(0, path.rfind(L'\\')) + L"\\filename.ini");
    EXPECT_EQ(ReadIniValue(L"common", L"tipofday"), L"");
    EXPECT_EQ(GetFileAttributesW(SettingsFilePath().c_str()), INVALID_FILE_ATTRIBUTES);

    WriteIniValue(L"printsave", L"lastcat", L"C:\\List");
    WriteIniValue(L"rename", L"lastcat", L"D:\\Rename");
    WriteIniValue(L"rename", L"lastcat", L"D:\\Bilder \u00c4rger");
    EXPECT_NE(FileBytes().find("[rename]\r\nlastcat=D:\\Bilder \xc4rger"), std::string::npos);
    EXPECT_EQ(ReadIniValue(L"printsave", L"lastcat"), L"C:\\List");
    EXPECT_EQ(ReadIniValue(L"rename", L"lastcat"), L"D:\\Bilder \u00c4rger");
    EXPECT_EQ(ReadIniValue(L"rename", L"format"), L"");
    EXPECT_EQ(ReadIniValue(L"common", L"lastcat"), L"");
}

TEST_F(Settings, LongValuesComeBackWhole) {
    for (size_t length : {79u, 80u, 81u, 159u, 160u, 1000u}) {
        std::wstring folder = L"C:\\";
        while (folder.size() < length) folder += L"deep\\";
        folder.resize(length);
        WriteIniValue(L"rename", L"lastcat", folder);
        EXPECT_EQ(ReadIniValue(L"rename", L"lastcat"), folder) << length;
    }
}

TEST_F(Settings, WriteToAFileHeldByAnotherProgramIsSilentAndKeepsTheOldValue) {
    WriteIniValue(L"common", L"tipofday", L"true");
    HANDLE held = CreateFileW(SettingsFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    WriteIniValue(L"common", L"tipofday", L"false");
    CloseHandle(held);
    EXPECT_EQ(ReadIniValue(L"common", L"tipofday"), L"true");
}

TEST_F(Settings, ShippedFileHoldsTheFirstValues) {
    ASSERT_TRUE(CopyFileA(NOMARO_SHIPPED_INI, std::filesystem::path(SettingsFilePath()).string().c_str(), FALSE));
    const struct { const wchar_t *section, *key, *value; } firstValues[] = {
        {L"printsave", L"lastcat", L"C:\\"}, {L"printsave", L"format", L"*.*"},
        {L"printsave", L"pictures", L"0"},   {L"rename", L"lastcat", L"C:\\"},
        {L"rename", L"format", L"*.*"},      {L"rename", L"ext", L"True"},
        {L"rename", L"index", L"1"},         {L"common", L"tipofday", L"true"},
    };
    for (const auto& [section, key, value] : firstValues) EXPECT_EQ(ReadIniValue(section, key), value) << key;
}
