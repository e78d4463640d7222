// Numbered texts through the real resource lookup, in the language Wine
// derives from LANG (the test is run once per language).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/RunError.h"
#include "base/Texts.h"

using base::Language;
using base::LoadText;

namespace {
Language ExpectedLanguage() {
    // The test runs with LC_ALL set to the language the system should show.
    const char* locale = std::getenv("LC_ALL");
    std::string name = locale ? locale : "";
    if (name.rfind("de_", 0) == 0) return Language::German;
    if (name.rfind("sv_", 0) == 0) return Language::Swedish;
    return Language::English;
}

const wchar_t* ByLanguage(const wchar_t* english, const wchar_t* german, const wchar_t* swedish) {
    switch (ExpectedLanguage()) {
    case Language::German: return german;
    case Language::Swedish: return swedish;
    case Language::English: break;
    }
    return english;
}
}  // namespace

TEST(Texts, LanguageFollowsTheSystemsUserInterface) {
    EXPECT_EQ(base::UiLanguage(), ExpectedLanguage());
    // A system in a language the program lacks really is in that language.
    const char* locale = std::getenv("LC_ALL");
    if (locale && std::string(locale).rfind("fr_", 0) == 0) {
        EXPECT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_FRENCH);
    }
}

TEST(Texts, LoadTextPicksTheUserInterfaceLanguage) {
    EXPECT_EQ(LoadText(156), ByLanguage(L"Rename Filenames", L"Dateinamen umbenennen",
                                        L"Byt namn på filer"));
    EXPECT_EQ(LoadText(102), ByLanguage(L"Cancel", L"Abbrechen", L"Avbryt"));
    EXPECT_EQ(LoadText(163), ByLanguage(L"Open", L"Öffnen", L"Öppna"));
    EXPECT_EQ(LoadText(189), ByLanguage(L"Wrong Font", L"Falsche Schriftart", L"Fel Font storlek"));
}

TEST(Texts, EveryLanguageKeepsBlanksAndSpecialCharacters) {
    EXPECT_EQ(LoadText(175, Language::English), L"Paste               Ctrl+V");
    EXPECT_EQ(LoadText(175, Language::German), L"Überschreiben            Ctrl+V");
    EXPECT_EQ(LoadText(227, Language::English), L"Clear the list above this button. ");
    EXPECT_EQ(LoadText(274, Language::Swedish), L"Skickar ");
    EXPECT_EQ(LoadText(140, Language::Swedish), L"< ÅNGRA <");
    EXPECT_EQ(LoadText(237, Language::German),
              L"Wenn Sie die Dateinamen beibehalten wollen, müssen Sie in diesem Feld '*' "
              L"(Stern) eingeben.");
    EXPECT_EQ(LoadText(132, Language::English), L"0001 (Deafult)");
}

TEST(Texts, FirstAndLastOfEachBlockAreFound) {
    // Texts sit in blocks of sixteen; ids at block edges catch an off-by-one in the walk.
    EXPECT_EQ(LoadText(128, Language::German).substr(0, 15), L"Alle Dateinamen");
    EXPECT_EQ(LoadText(127, Language::English), L"Selected catalogues");
    EXPECT_EQ(LoadText(191, Language::Swedish), L"Resolution Fel");
    EXPECT_EQ(LoadText(192, Language::English), L"No files to send");
    EXPECT_EQ(LoadText(282, Language::English),
              L"Max number of files when indexed extension = 999, override detected");
}

TEST(Texts, EveryUsedIdExistsInAllThreeLanguages) {
    for (int id : {102, 103, 106, 155, 156, 188, 189, 211, 247, 250, 252, 256, 271}) {
        for (Language language : {Language::English, Language::German, Language::Swedish})
            EXPECT_FALSE(LoadText(id, language).empty()) << id;
    }
    EXPECT_NE(LoadText(252, Language::English), LoadText(252, Language::Swedish));
}

TEST(Texts, AnIdOutsideTheTableIsAnError) {
    for (int id : {0, 101, 104, 257, 283, 5000}) {
        try {
            LoadText(id);
            ADD_FAILURE() << "no error for id " << id;
        } catch (const base::RunError& error) {
            EXPECT_EQ(error.number, 5) << id;
        }
    }
}

#include "app/StartWindow.h"
#include "tests/win/remove_tree.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace {
// Notes the closing notice as it stands when the window goes.
class ObservedScroll : public app::Scroll {
public:
    std::wstring notice;
    bool noticeShown = false;

protected:
    void Form_Unload() override {
        notice = Label5.Caption();
        noticeShown = Label5.Visible();
    }
};
}  // namespace

TEST(Texts, ClosingNoticeIsSwedishOnlyInSwedish) {
    ObservedScroll start;
    start.Show();
    start.Command2.Click();
    EXPECT_FALSE(start.IsLoaded());
    EXPECT_TRUE(start.noticeShown);
    EXPECT_EQ(start.notice, ExpectedLanguage() == Language::Swedish ? L"Avslutar..." : L"Closing...");
}

namespace {
class HintForm : public ui::Form {
public:
    ui::StatusBar StatusBar1;

protected:
    void CreateControls() override { StatusBar1.Create(*this, 2); }
};
}  // namespace

TEST(Texts, HintGoesIntoTheFirstPanel) {
    HintForm form;
    form.Load();
    form.StatusBar1.SetPanelText(2, L"other");
    form.StatusBar1.ShowHint(base::Text::HintTransfer);
    EXPECT_EQ(form.StatusBar1.PanelText(1), LoadText(224));
    EXPECT_EQ(form.StatusBar1.PanelText(2), L"other");
}

#include <filesystem>

#include "base/Ansi.h"
#include "base/Module.h"

namespace {
std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

bool EndsWithNoCase(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() &&
           CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str() + text.size() - end.size(),
                          -1, end.c_str(), -1) == CSTR_EQUAL;
}
}  // namespace

TEST(Module, PathsOfTheProgramAndOfASystemLibrary) {
    std::wstring program(32768, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(base::ModulePath(nullptr), program);
    EXPECT_EQ(base::ModuleFolder(nullptr), FolderOf(program));
    EXPECT_EQ(base::ProgramFolder(), FolderOf(program));
    EXPECT_NE(base::ModuleFolder(nullptr).back(), L'\\');

    const std::wstring kernel = base::ModulePath(GetModuleHandleW(L"kernel32.dll"));
    EXPECT_TRUE(EndsWithNoCase(kernel, L"\\kernel32.dll")) << testing::PrintToString(kernel);
    EXPECT_NE(base::ModuleFolder(GetModuleHandleW(L"kernel32.dll")), base::ModuleFolder(nullptr));
}

TEST(Module, MemoryOutsideEveryModuleHasNoPath) {
    void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(page, nullptr);
    HMODULE notAModule = static_cast<HMODULE>(page);
    EXPECT_EQ(base::ModulePath(notAModule), L"");
    EXPECT_EQ(base::ModuleFolder(notAModule), L"");
    VirtualFree(page, 0, MEM_RELEASE);
}

// A copy of this program deep enough that its path is longer than MAX_PATH
// (and than twice that), loaded as a library.

TEST(Module, PathLongerThanMaxPathComesBackWhole) {
    namespace fs = std::filesystem;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // Wine reuses process numbers, and a deep folder of an earlier run may be left behind.
    const fs::path top = fs::path(temp) / ("nomaro-module-" + std::to_string(GetCurrentProcessId()) +
                                           "-" + std::to_string(GetTickCount64()));
    fs::path deep = top;
    for (int i = 0; i < 6; ++i) deep /= std::wstring(100, static_cast<wchar_t>(L'a' + i));
    std::error_code ignored;
    const std::wstring folder = L"\\\\?\\" + deep.wstring();
    fs::create_directories(folder, ignored);
    ASSERT_TRUE(fs::is_directory(folder));
    const std::wstring copy = folder + L"\\copy.exe";
    ASSERT_TRUE(CopyFileW(base::ModulePath(nullptr).c_str(), copy.c_str(), FALSE));
    HMODULE loaded = LoadLibraryExW(copy.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(loaded, nullptr) << GetLastError();
    const std::wstring path = base::ModulePath(loaded);
    FreeLibrary(loaded);
    testing_support::RemoveTree(L"\\\\?\\" + top.wstring());
    EXPECT_FALSE(fs::exists(top));
    EXPECT_GT(path.size(), 2u * MAX_PATH);
    EXPECT_TRUE(EndsWithNoCase(path, deep.wstring() + L"\\copy.exe")) << testing::PrintToString(path);
}

TEST(Ansi, ConvertsInTheSystemCodePage) {
    ASSERT_EQ(GetACP(), 1252u);  // Western European in every language the tests run in
    EXPECT_EQ(base::ToAnsi(L""), "");
    EXPECT_EQ(base::ToAnsi(L"html\\file1vvo.htm"), "html\\file1vvo.htm");
    EXPECT_EQ(base::ToAnsi(L"\u00d6ffnen \u00e5\u00e4"), "\xd6" "ffnen \xe5\xe4");
    EXPECT_EQ(base::ToAnsi(L"\u0416"), "?") << "a character the code page lacks";
    const std::wstring many(70000, L'x');
    EXPECT_EQ(base::ToAnsi(many), std::string(70000, 'x'));
    EXPECT_EQ(base::FromAnsi("\xd6" "ffnen \xe5\xe4"), L"\u00d6ffnen \u00e5\u00e4");
    EXPECT_EQ(base::FromAnsi(std::string_view("a\0b", 3)), std::wstring(L"a\0b", 3)) << "embedded NULs are kept";
}
