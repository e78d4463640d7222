#include "base/Texts.h"

#include <windows.h>

#include "base/Ansi.h"
#include "base/Module.h"
#include "base/Paths.h"
#include "base/RunError.h"

namespace base {

namespace {
LANGID LangIdOf(Language language) {
    switch (language) {
    case Language::German: return MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    case Language::Swedish: return MAKELANGID(LANG_SWEDISH, SUBLANG_SWEDISH);
    case Language::English: break;
    }
    return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

std::wstring HelpFileIn(const std::wstring& folder) { return JoinPath(folder, L"Nomaro.chm"); }
}  // namespace

Language UiLanguage() {
    static const Language language = [] {
        switch (PRIMARYLANGID(GetUserDefaultUILanguage())) {
        case LANG_GERMAN: return Language::German;
        case LANG_SWEDISH: return Language::Swedish;
        default: return Language::English;
        }
    }();
    return language;
}

std::wstring LoadText(int id) { return LoadText(id, UiLanguage()); }

// A string resource block holds 16 texts, each a length followed by UTF-16 characters.
std::wstring LoadText(int id, Language language) {
    // The texts are in the resources of the module this code is linked into.
    HMODULE module = base::CodeModule();
    HRSRC found = id > 0 ? FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1),
                                           LangIdOf(language))
                         : nullptr;
    const auto* cursor = found ? static_cast<const WCHAR*>(LockResource(LoadResource(module, found)))
                               : nullptr;
    if (!cursor) throw base::RunError(err::InvalidCall);
    for (int i = 0; i < id % 16; ++i) cursor += 1 + *cursor;
    if (*cursor == 0) throw base::RunError(err::InvalidCall);
    return std::wstring(cursor + 1, *cursor);
}

std::wstring HelpFilePath() { return HelpFileIn(ProgramFolder()); }

void ShowHelpTopic(const std::wstring& topic) { ShowHelpTopic(ProgramFolder(), topic); }

// The help viewer is loaded on first use and kept for the life of the process.
void ShowHelpTopic(const std::wstring& folder, const std::wstring& topic) {
    using HtmlHelpAProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    static HMODULE viewer = LoadLibraryW(L"hhctrl.ocx");
    if (!viewer) return;
    auto htmlHelp = reinterpret_cast<HtmlHelpAProc>(
        reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpA")));
    if (!htmlHelp) return;
    const std::string file = base::ToAnsi(HelpFileIn(folder));
    const std::string page = base::ToAnsi(topic);
    const UINT kDisplayTopic = 0;
    htmlHelp(nullptr, file.c_str(), kDisplayTopic, reinterpret_cast<DWORD_PTR>(page.c_str()));
}

}  // namespace base
