#include "app/Texts.h"

#include <windows.h>

#include "app/ProgramFolder.h"
#include "ui/Controls.h"
#include "ui/RunError.h"

namespace app {

namespace {
LANGID LangIdOf(Language language) {
    switch (language) {
    case Language::German: return MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    case Language::Swedish: return MAKELANGID(LANG_SWEDISH, SUBLANG_SWEDISH);
    case Language::English: break;
    }
    return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

// The module whose resources hold the texts: the one this code is linked into.
HMODULE TextModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&TextModule), &module);
    return module;
}

using HtmlHelpAProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

std::string ToAnsi(const std::wstring& text) {
    int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), length, nullptr, nullptr);
    ansi.resize(ansi.size() - 1);
    return ansi;
}
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
    HMODULE module = TextModule();
    HRSRC found = id > 0 ? FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1),
                                           LangIdOf(language))
                         : nullptr;
    const auto* cursor = found ? static_cast<const WCHAR*>(LockResource(LoadResource(module, found)))
                               : nullptr;
    if (!cursor) throw ui::RunError(5);
    for (int i = 0; i < id % 16; ++i) cursor += 1 + *cursor;
    if (*cursor == 0) throw ui::RunError(5);
    return std::wstring(cursor + 1, *cursor);
}

void ShowHint(ui::StatusBar& bar, int id) { bar.SetPanelText(1, LoadText(id)); }

std::wstring HelpFilePath() { return JoinPath(ProgramFolder(), L"Nomaro.chm"); }

void ShowHelpTopic(const std::wstring& topic) {
    static HMODULE library = LoadLibraryW(L"hhctrl.ocx");
    if (!library) return;
    auto htmlHelp = reinterpret_cast<HtmlHelpAProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpA")));
    if (!htmlHelp) return;
    std::string path = ToAnsi(HelpFilePath());
    std::string page = ToAnsi(topic);
    const UINT kDisplayTopic = 0;
    htmlHelp(nullptr, path.c_str(), kDisplayTopic, reinterpret_cast<DWORD_PTR>(page.c_str()));
}

}  // namespace app
