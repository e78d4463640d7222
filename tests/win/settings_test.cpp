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
std::string FileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Settings : public testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }
    static void Remove() {
        SetFileAttributesW(SettingsFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(SettingsFilePath().c_str());
    }
};
}  // namespace

TEST_F(Settings, FileLiesBesideTheProgram) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring expected = program;
    expected = expected.substr(0, expected.rfind(L'\\')) + L"\\filename.ini";
    EXPECT_EQ(SettingsFilePath(), expected);
}

TEST_F(Settings, MissingFileSectionOrKeyReadsEmptyAndWriteCreatesThem) {
    EXPECT_EQ(ReadIniValue(L"common", L"tipofday"), L"");
    EXPECT_FALSE(FileExists(SettingsFilePath()));

    WriteIniValue(L"rename", L"lastcat", L"C:\\Pictures");
    EXPECT_NE(FileBytes(SettingsFilePath()).find("[rename]\r\nlastcat=C:\\Pictures"), std::string::npos);
    EXPECT_EQ(ReadIniValue(L"rename", L"lastcat"), L"C:\\Pictures");
    EXPECT_EQ(ReadIniValue(L"printsave", L"lastcat"), L"");
    EXPECT_EQ(ReadIniValue(L"rename", L"format"), L"");
}

TEST_F(Settings, LongValuesComeBackWhole) {
    for (size_t length : {79u, 80u, 81u, 100u, 159u, 160u, 1000u}) {
        std::wstring folder = L"C:\\";
        while (folder.size() < length) folder += L"deep\\";
        folder.resize(length);
        WriteIniValue(L"rename", L"lastcat", folder);
        EXPECT_EQ(ReadIniValue(L"rename", L"lastcat"), folder) << length;
    }
}

TEST_F(Settings, SameKeyInTwoSectionsIsTwoValues) {
    WriteIniValue(L"printsave", L"lastcat", L"C:\\List");
    WriteIniValue(L"rename", L"lastcat", L"D:\\Rename");
    WriteIniValue(L"rename", L"lastcat", L"D:\\Other");
    EXPECT_EQ(ReadIniValue(L"printsave", L"lastcat"), L"C:\\List");
    EXPECT_EQ(ReadIniValue(L"rename", L"lastcat"), L"D:\\Other");
}

TEST_F(Settings, ValuesAreStoredInTheAnsiCodePage) {
    WriteIniValue(L"rename", L"lastcat", L"C:\\Bilder \u00c4rger");
    EXPECT_NE(FileBytes(SettingsFilePath()).find("C:\\Bilder \xc4rger"), std::string::npos);
    EXPECT_EQ(ReadIniValue(L"rename", L"lastcat"), L"C:\\Bilder \u00c4rger");
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
    ASSERT_TRUE(CopyFileA(NOMARO_SHIPPED_INI, std::filesystem::path(SettingsFilePath()).string().c_str(),
                          FALSE));
    const struct { const wchar_t *section, *key, *value; } firstValues[] = {
        {L"printsave", L"lastcat", L"C:\\"}, {L"printsave", L"format", L"*.*"},
        {L"printsave", L"pictures", L"0"},   {L"rename", L"lastcat", L"C:\\"},
        {L"rename", L"format", L"*.*"},      {L"rename", L"ext", L"True"},
        {L"rename", L"index", L"1"},         {L"common", L"tipofday", L"true"},
    };
    for (const auto& [section, key, value] : firstValues) EXPECT_EQ(ReadIniValue(section, key), value) << key;
}
