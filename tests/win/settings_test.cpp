// The settings store on the real profile functions, with filename.ini beside
// this test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "base/Module.h"
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
    static std::string Utf16File(const std::wstring& text) {
        return "\xff\xfe" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    }
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
// program that the first write creates; long values come back whole.
TEST_F(Settings, ValuesBySectionAndKeyInAFileBesideTheProgram) {
    EXPECT_EQ(SettingsFilePath(), base::ModuleFolder(nullptr) + L"\\filename.ini");
    EXPECT_EQ(ReadIniValue(L"common", L"tipofday"), L"");
    EXPECT_EQ(GetFileAttributesW(SettingsFilePath().c_str()), INVALID_FILE_ATTRIBUTES);

    WriteIniValue(L"printsave", L"lastcat", L"C:\\List");
    WriteIniValue(L"rename", L"lastcat", L"D:\\Bilder \u00c4rger");
    EXPECT_NE(FileBytes().find("[rename]\r\nlastcat=D:\\Bilder \xc4rger"), std::string::npos);
    EXPECT_EQ(ReadIniValue(L"printsave", L"lastcat"), L"C:\\List");
    EXPECT_EQ(ReadIniValue(L"rename", L"lastcat"), L"D:\\Bilder \u00c4rger");
    EXPECT_EQ(ReadIniValue(L"common", L"lastcat"), L"");
    for (size_t length : {79u, 80u, 81u, 159u, 160u, 1000u}) {  // long values come back whole
        std::wstring folder = L"C:\\";
        while (folder.size() < length) folder += L"deep\\";
        folder.resize(length);
        WriteIniValue(L"rename", L"lastcat", folder);
        EXPECT_EQ(ReadIniValue(L"rename", L"lastcat"), folder) << length;
    }
}

// A value that needs the file turned into UTF-16 is not written, with question marks or
// otherwise, while another program holds the file (with any sharing); nothing is left behind.
TEST_F(Settings, WriteToAFileHeldByAnotherProgramIsSilentAndKeepsTheOldValue) {
    for (const DWORD sharing : {0, FILE_SHARE_READ, FILE_SHARE_READ | FILE_SHARE_WRITE}) {
        SCOPED_TRACE(sharing);
        WriteIniValue(L"common", L"tipofday", L"true");
        const std::string before = FileBytes();
        const auto listing = FolderListing();
        HANDLE held = CreateFileW(SettingsFilePath().c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        WriteIniValue(L"common", L"tipofday", L"C:\\\u0424\u043e\u0442\u043e");
        CloseHandle(held);
        EXPECT_EQ(FileBytes(), before);
        EXPECT_EQ(ReadIniValue(L"common", L"tipofday"), L"true");
        EXPECT_EQ(FolderListing(), listing);
    }
}

// A section, key or value the ANSI code page cannot hold (a look-alike does not count) turns
// the file into UTF-16 with its mark, earlier values kept.
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
    EXPECT_EQ(FolderListing(), listing);
}
