// The settings store on the real profile functions, with filename.ini beside
// this test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "base/Settings.h"
#include "tests/win/temp_folder.h"

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
    static std::string FileBytes() { return testing_support::FileBytes(SettingsFilePath()); }
    // The bytes of a settings file in UTF-16 with its mark.
    static std::string Utf16File(const std::wstring& text) {
        return "\xff\xfe" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    }
    // The names in the folder of the settings file.
    static std::set<std::filesystem::path> FolderListing() {
        std::set<std::filesystem::path> names;
        const std::filesystem::path folder = std::filesystem::path(SettingsFilePath()).parent_path();
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().filename());
        return names;
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

// Held without sharing, or shared only with readers, the file cannot be written
// nor replaced; shared with writers too, it can be written but not replaced,
// and a value that needs it replaced is not written with question marks.
// Nothing is left behind.
TEST_F(Settings, WriteToAFileHeldByAnotherProgramIsSilentAndKeepsTheOldValue) {
    const std::wstring photos = L"C:\\\u0424\u043e\u0442\u043e";
    const struct { DWORD sharing; std::wstring value; } cases[] = {
        {0, L"false"}, {0, photos}, {FILE_SHARE_READ, L"false"}, {FILE_SHARE_READ, photos},
        {FILE_SHARE_READ | FILE_SHARE_WRITE, photos}};
    for (const auto& [sharing, value] : cases) {
        SCOPED_TRACE(testing::Message() << sharing << testing::PrintToString(value));
        WriteIniValue(L"common", L"tipofday", L"true");
        const std::string before = FileBytes();
        const auto listing = FolderListing();
        HANDLE held = CreateFileW(SettingsFilePath().c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        WriteIniValue(L"common", L"tipofday", value);
        CloseHandle(held);
        EXPECT_EQ(FileBytes(), before);
        EXPECT_EQ(ReadIniValue(L"common", L"tipofday"), L"true");
        EXPECT_EQ(FolderListing(), listing);
    }
}

// A section, key or value that the ANSI code page lacks a character of (a
// look-alike does not count) turns the file into UTF-16 with its mark, the
// values before it kept; the profile functions keep it so, and their ANSI
// reader still reads it.
TEST_F(Settings, AValueOutsideTheAnsiCodePageTurnsTheFileIntoUtf16) {
    const std::wstring photos = L"C:\\\u0424\u043e\u0442\u043e";
    const struct { const wchar_t *section, *key, *value; } needUtf16[] = {
        {L"\u0424\u043e\u0442\u043e", L"lastcat", L"C:\\"},
        {L"rename", L"\u0424\u043e\u0442\u043e", L"1"},
        {L"rename", L"lastcat", L"C:\\Caf\u00e9 \u0101"},
    };
    for (const auto& [section, key, value] : needUtf16) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(section) + L"/" + key + L"=" + value));
        Remove();
        WriteIniValue(section, key, value);
        EXPECT_EQ(FileBytes(), Utf16File(L"[" + std::wstring(section) + L"]\r\n" + key + L"=" + value + L"\r\n"));
        EXPECT_EQ(ReadIniValue(section, key), value);
    }

    Remove();
    WriteIniValue(L"common", L"tipofday", L"true");
    WriteIniValue(L"printsave", L"lastcat", L"D:\\Bilder \u00c4rger \u20ac");
    const auto listing = FolderListing();
    WriteIniValue(L"rename", L"lastcat", photos);
    WriteIniValue(L"rename", L"format", L"*.jpg");
    WriteIniValue(L"rename", L"exttxt", L"\u0444");
    EXPECT_EQ(FileBytes(), Utf16File(L"[common]\r\ntipofday=true\r\n[printsave]\r\nlastcat=D:\\Bilder \u00c4rger \u20ac\r\n"
                                     L"[rename]\r\nlastcat=" + photos + L"\r\nformat=*.jpg\r\nexttxt=\u0444\r\n"));
    EXPECT_EQ(ReadIniValue(L"rename", L"lastcat"), photos);
    char ansi[80];
    const std::string path = std::filesystem::path(SettingsFilePath()).string();
    GetPrivateProfileStringA("printsave", "lastcat", "", ansi, sizeof ansi, path.c_str());
    EXPECT_STREQ(ansi, "D:\\Bilder \xc4rger \x80");
    EXPECT_EQ(FolderListing(), listing);
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
