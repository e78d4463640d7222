// Texts through the real resource lookup in each language Wine takes from LC_ALL; module paths
// and ANSI conversion under each.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>

#include "app/StartWindow.h"
#include "base/Ansi.h"
#include "base/Module.h"
#include "base/RunError.h"
#include "base/TextEncoding.h"
#include "base/Texts.h"
#include "tests/error_number.h"
#include "tests/string_table.h"
#include "tests/win/remove_tree.h"

using base::Language;
using base::LoadText;
using testing_support::ErrorNumberOf;

namespace {
bool LocaleIs(const char* prefix) {
    const char* locale = std::getenv("LC_ALL");
    return locale && std::string(locale).rfind(prefix, 0) == 0;
}

Language ExpectedLanguage() {
    return LocaleIs("de_") ? Language::German : LocaleIs("sv_") ? Language::Swedish : Language::English;
}

bool EndsWithNoCase(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() &&
           CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str() + text.size() - end.size(), -1,
                          end.c_str(), -1) == CSTR_EQUAL;
}
}  // namespace

// The language follows the system's user interface; every text comes back exactly as the
// source writes it, blanks and letters beyond ASCII included, in each language and in the user's.
TEST(Texts, EveryIdLoadsAsWrittenInEveryLanguage) {
    EXPECT_EQ(base::UiLanguage(), ExpectedLanguage());
    const testing_support::StringTableSource source = testing_support::ReadStringTable(NOMARO_STRINGS_RC);
    ASSERT_TRUE(source.faults.empty()) << source.faults.front();
    const std::pair<Language, const char*> blocks[] = {
        {Language::English, "LANG_ENGLISH"}, {Language::German, "LANG_GERMAN"}, {Language::Swedish, "LANG_SWEDISH"}};
    for (const auto& [language, block] : blocks) {
        ASSERT_EQ(source.texts.count(block), 1u) << block;
        const auto& texts = source.texts.at(block);
        for (int id : base::kAllTextIds) {
            const auto text = texts.find(id);
            ASSERT_NE(text, texts.end()) << block << " " << id;
            EXPECT_EQ(LoadText(id, language), base::FromUtf8(text->second)) << block << " " << id;
        }
    }
    for (int id : base::kAllTextIds) EXPECT_EQ(LoadText(id), LoadText(id, ExpectedLanguage())) << id;
}

TEST(Texts, AnIdTheTableLacksIsAnInvalidCall) {
    const std::set<int> named(std::begin(base::kAllTextIds), std::end(base::kAllTextIds));
    for (int id = -1; id <= 300; ++id) {
        if (named.count(id)) continue;
        EXPECT_EQ(ErrorNumberOf([id] { LoadText(id); }), base::err::InvalidCall) << id;
    }
    EXPECT_EQ(ErrorNumberOf([] { LoadText(5000, Language::German); }), base::err::InvalidCall);
}

namespace {
// Notes the closing notice as it stands when the window goes.
struct ObservedStartWindow : app::StartWindow {
    std::wstring notice;
    bool noticeShown = false;
    void OnUnload() override { notice = closingLabel.Caption(), noticeShown = closingLabel.Visible(); }
};
}  // namespace

TEST(Texts, ClosingNoticeIsSwedishOnlyInSwedish) {
    ObservedStartWindow start;
    start.Show();
    start.cancelButton.Click();
    EXPECT_TRUE(start.noticeShown);
    EXPECT_EQ(start.notice, ExpectedLanguage() == Language::Swedish ? L"Avslutar..." : L"Closing...");
}

// The program, a system library and memory outside every module.
TEST(Module, PathsOfTheProgramALibraryAndNoModule) {
    std::wstring program(32768, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    ASSERT_FALSE(program.empty());
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    EXPECT_EQ(std::tuple(base::ModulePath(nullptr), base::ModuleFolder(nullptr), base::ProgramFolder()),
              std::tuple(program, folder, folder));

    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    EXPECT_TRUE(EndsWithNoCase(base::ModulePath(kernel), L"\\kernel32.dll")) << testing::PrintToString(base::ModulePath(kernel));

    void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(base::ModulePath(static_cast<HMODULE>(page)), L"");
    EXPECT_EQ(base::ModuleFolder(static_cast<HMODULE>(page)), L"");
    VirtualFree(page, 0, MEM_RELEASE);
}

// A copy of this program loaded as a library from a path longer than twice MAX_PATH.
TEST(Module, PathLongerThanMaxPathComesBackWhole) {
    namespace fs = std::filesystem;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // Wine reuses process numbers, and a deep folder of an earlier run may be left behind.
    const fs::path top = fs::path(temp) / ("nomaro-module-" + std::to_string(GetCurrentProcessId()) + "-" +
                                           std::to_string(GetTickCount64()));
    fs::path deep = top;
    for (int i = 0; i < 6; ++i) deep /= std::wstring(100, static_cast<wchar_t>(L'a' + i));
    const std::wstring folder = L"\\\\?\\" + deep.wstring(), copy = folder + L"\\copy.exe";
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    ASSERT_TRUE(CopyFileW(base::ModulePath(nullptr).c_str(), copy.c_str(), FALSE));
    HMODULE loaded = LoadLibraryExW(copy.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(loaded, nullptr) << GetLastError();
    const std::wstring path = base::ModulePath(loaded);
    FreeLibrary(loaded);
    testing_support::RemoveTree(L"\\\\?\\" + top.wstring());
    EXPECT_GT(path.size(), 2u * MAX_PATH);
    EXPECT_TRUE(EndsWithNoCase(path, deep.wstring() + L"\\copy.exe")) << testing::PrintToString(path);
}

TEST(Ansi, ConvertsInTheSystemCodePage) {
    ASSERT_EQ(GetACP(), 1252u);  // Western European in every language the tests run in
    EXPECT_EQ(std::pair(base::ToAnsi(L""), base::FromAnsi("")), std::pair(std::string(), std::wstring()));
    EXPECT_EQ(base::ToAnsi(L"\u00d6ffnen \u00e5\u00e4"), "\xd6" "ffnen \xe5\xe4");
    EXPECT_EQ(base::ToAnsi(L"\u0416"), "?") << "a character the code page lacks";
    EXPECT_EQ(base::ToAnsi(std::wstring(70000, L'x')), std::string(70000, 'x'));
    EXPECT_EQ(base::FromAnsi("\xd6" "ffnen \xe5\xe4"), L"\u00d6ffnen \u00e5\u00e4");
    EXPECT_EQ(base::FromAnsi(std::string_view("a\0b", 3)), std::wstring(L"a\0b", 3)) << "embedded NULs are kept";
}
