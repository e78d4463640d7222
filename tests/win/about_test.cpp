// The About box with the real registry of the test prefix and a small tool of
// our own as the system-information program, and the tip of the day with tip
// files beside the test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "about/AboutBox.h"
#include "about/SystemInfo.h"
#include "about/TipWindow.h"
#include "base/Module.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "tests/win/prompts.h"
#include "tests/win/temp_folder.h"
#include "ui/App.h"

namespace {

const wchar_t* const kToolKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const wchar_t* const kToolFolderKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";

void SetValue(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, size_t size) {
    HKEY opened;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr), 0);
    RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
    RegCloseKey(opened);
}

void SetText(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    SetValue(key, name, REG_SZ, value.c_str(), (value.size() + 1) * sizeof(wchar_t));
}

// Waits up to five seconds for the file a started tool leaves.
bool Appears(const std::wstring& path) {
    for (int i = 0; i < 100; ++i, Sleep(50))
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    return false;
}

class AboutBox : public testing::Test {
protected:
    void SetUp() override { RemoveKeys(); }
    void TearDown() override { RemoveKeys(); }
    static void RemoveKeys() {
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kToolKey);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kToolFolderKey);
    }
    testing_support::ScriptedPrompts prompts;
};

// Presses a key in the modal About box once it shows; closes it the hard way
// after five seconds, so a box that ignores the key cannot hang the test.
struct KeyPress {
    UINT key;
    DWORD deadline;
    bool pressed = false, forced = false;
} * gPress = nullptr;

void CALLBACK PressKeyInAboutBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowW(nullptr, (L"About " + ui::AppTitle()).c_str());
    if (!box) return;
    if (GetTickCount() > gPress->deadline) {
        gPress->forced = true;
        DestroyWindow(box);
    } else if (!gPress->pressed) {
        gPress->pressed = true;
        HWND focus = GetFocus();
        PostMessageW(focus ? focus : box, WM_KEYDOWN, gPress->key, 1);
        PostMessageW(focus ? focus : box, WM_KEYUP, gPress->key, 0xC0000001);
    }
}
}  // namespace

TEST_F(AboutBox, NamesTheProgramAndItsVersionAndClosesWithEnterOrEsc) {
    about::AboutBox box;
    box.Load();
    EXPECT_EQ(box.versionLabel.Caption(), L"Version 3.1.0");
    box.Unload();
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
        KeyPress press{key, GetTickCount() + 5000};
        gPress = &press;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, PressKeyInAboutBox);
        about::ShowAboutBox(nullptr);
        KillTimer(nullptr, timer);
        EXPECT_TRUE(press.pressed && !press.forced) << key;
        EXPECT_FALSE(FindWindowW(nullptr, (L"About " + ui::AppTitle()).c_str()));
    }
    gPress = nullptr;
}

// The first location is run as it stands; the second only when MSINFO32.EXE is in its
// folder; otherwise the message, and no process.
TEST_F(AboutBox, StartsTheSystemInformationToolFromEitherLocation) {
    const testing_support::TempFolder temp;
    const std::wstring folder = temp.Path();
    const std::wstring tool = folder + L"\\info tool.exe", standard = folder + L"\\MSINFO32.EXE";
    const std::wstring ourTool = base::ModuleFolder(nullptr) + L"\\marker_tool.exe";
    const struct {
        const char* what;
        std::wstring path, folder;  // empty: the location is missing
        bool standardThere, starts;
        std::wstring marker;
    } table[] = {
        {"first location", tool, L"", false, true, tool + L".ran"},
        {"first location, not there", folder + L"\\gone.exe", folder, true, false, standard + L".ran"},
        {"second location with the tool", L"", folder, true, true, standard + L".ran"},
        {"second location without it", L"", folder, false, false, standard + L".ran"},
        {"neither", L"", L"", true, false, standard + L".ran"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        RemoveKeys();
        ASSERT_TRUE(CopyFileW(ourTool.c_str(), tool.c_str(), FALSE));
        ASSERT_TRUE(!row.standardThere || CopyFileW(ourTool.c_str(), standard.c_str(), FALSE));
        if (!row.path.empty()) SetText(kToolKey, L"PATH", row.path);
        if (!row.folder.empty()) SetText(kToolFolderKey, L"MSINFO", row.folder);
        prompts.seen.clear();
        about::AboutBox box;
        box.Load();
        box.systemInfoButton.Click();
        EXPECT_EQ(Appears(row.marker), row.starts);
        EXPECT_EQ(prompts.seen.size(), row.starts ? 0u : 1u);
        EXPECT_TRUE(row.starts ||
                    prompts.Said(0, L"System Information Is Unavailable At This Time", ui::AppTitle(), MB_OK));
        EXPECT_TRUE(box.IsLoaded());
        box.Unload();
        Sleep(200);  // the tool has ended before its file goes
        for (const std::wstring& file : {tool, standard, tool + L".ran", standard + L".ran"}) DeleteFileW(file.c_str());
    }
}

TEST_F(AboutBox, KeyValuesAsTextOrNumber) {
    const DWORD number = 0x0102;
    SetValue(kToolKey, L"number", REG_DWORD, &number, sizeof number);
    SetValue(kToolKey, L"binary", REG_BINARY, &number, sizeof number);
    for (const auto& [name, read, expected] : {std::tuple(L"number", true, L"258"),
                                               std::tuple(L"binary", true, L"as before"),
                                               std::tuple(L"missing", false, L"")}) {
        std::wstring value = L"as before";
        EXPECT_EQ(std::pair(about::GetKeyValue(HKEY_LOCAL_MACHINE, kToolKey, name, value), value),
                  std::pair(read, std::wstring(expected))) << std::wstring(name);
    }
}

namespace {

class TipOfTheDay : public testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }
    static void Clear() {
        for (const wchar_t* name : {L"TIPOFDAY.TXT", L"TIPOFDAY2.TXT", L"TIPOFDAY3.TXT"})
            DeleteFileW((base::ProgramFolder() + L"\\" + name).c_str());
        DeleteFileW(base::SettingsFilePath().c_str());
    }
    static void WriteTips(const wchar_t* name, const std::string& bytes) {
        testing_support::PutBytes(base::ProgramFolder() + L"\\" + name, bytes);
    }
};

}  // namespace

// The tip file of the language: missing gives no tip; every line of it shows, the last one
// without its line end too; the switch is written on closing.
TEST_F(TipOfTheDay, ShowsATipOfTheLanguagesFileAndWritesTheSwitch) {
    const wchar_t* const file = base::UiLanguage() == base::Language::Swedish ? L"TIPOFDAY2.TXT" : L"TIPOFDAY.TXT";
    EXPECT_EQ(about::TipFilePath(), base::ProgramFolder() + L"\\" + file);
    if (base::UiLanguage() == base::Language::Swedish) WriteTips(L"TIPOFDAY.TXT", "English tip\r\n");
    const struct {
        const char* bytes;  // nullptr: no file
        std::set<std::wstring> shown;
    } table[] = {
        {nullptr, {L""}},
        {"First\r\nSecond \xC4rger", {L"First", L"Second \u00c4rger"}},
    };
    bool check = true;
    for (const auto& row : table) {
        if (row.bytes) WriteTips(file, row.bytes);
        about::TipWindow tip;
        tip.Load();
        EXPECT_TRUE(tip.showAtStartBox.Value());
        std::set<std::wstring> seen{tip.tipLabel.Caption()};
        for (int i = 0; i < 40; ++i) {
            tip.nextTipButton.Click();
            seen.insert(tip.tipLabel.Caption());
        }
        EXPECT_EQ(seen, row.shown) << (row.bytes ? row.bytes : "no file");
        check = !check;
        tip.showAtStartBox.SetValue(check);
        tip.Unload();
        EXPECT_EQ(base::ReadIniValue(L"common", L"tipofday"), check ? L"true" : L"false");
    }
}
