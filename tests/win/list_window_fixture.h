// A list window loaded over a fresh temporary folder, as the tests of its
// document use it: keys typed into the document, selections, message boxes
// answered by the test.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "base/Settings.h"
#include "listwin/ListWindow.h"
#include "tests/win/prompts.h"
#include "tests/win/temp_folder.h"

namespace testing_support {

// The list window's three settings as a settings file holds them after a run
// (the program ends at start without them).
inline void WriteListSettings(const std::wstring& folder, const wchar_t* pictures = L"0") {
    base::WriteIniValue(L"printsave", L"lastcat", folder);
    base::WriteIniValue(L"printsave", L"format", L"*.*");
    base::WriteIniValue(L"printsave", L"pictures", pictures);
}

// The clipboard as another program fills it: ANSI text (format 1), or nothing.
inline void PutOnClipboard(HWND owner, const char* text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    if (text) {
        const size_t size = strlen(text) + 1;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        memcpy(GlobalLock(block), text, size);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

// The clipboard holding a picture and no text.
inline void PutBitmapOnClipboard(HWND owner) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const DWORD black[4] = {};
    SetClipboardData(CF_BITMAP, CreateBitmap(2, 2, 1, 32, black));  // the clipboard owns it now
    CloseClipboard();
}

// Numbered lines of equal length: "Line 001 of the list\r" and so on.
inline std::wstring NumberedLines(int count) {
    std::wstring text;
    for (int n = 1; n <= count; ++n) text += L"Line " + std::to_wstring(1000 + n).substr(1) + L" of the list\r";
    return text;
}

// Whether every character of [start, start + length) of the box is bold,
// after making it so when asked.
inline bool Bold(HWND box, int start, int length, bool makeBold = false) {
    CHARRANGE range{start, start + length};
    SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD;
    format.dwEffects = CFE_BOLD;
    SendMessageW(box, makeBold ? EM_SETCHARFORMAT : EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
}

class ListWindowFixture : public testing::Test {
protected:
    using Window = listwin::ListWindow;

    void SetUp() override {
        DeleteFileW(base::SettingsFilePath().c_str());
        Open();
    }
    void TearDown() override {
        if (window && window->IsLoaded()) {
            prompts.answers.assign({IDOK});
            window->Unload();
        }
        window.reset();
        DeleteFileW(base::SettingsFilePath().c_str());
    }

    // As the program does: the settings (over the test folder's parent when
    // there are none) come back on a timer; not yet with restore false, to
    // see the state loading leaves.
    void Open(bool restore = true) {
        if (GetFileAttributesW(base::SettingsFilePath().c_str()) == INVALID_FILE_ATTRIBUTES)
            WriteListSettings(folder.parent_path().wstring());
        window = std::make_unique<Window>();
        window->Show();
        if (restore) window->restoreSettingsTimer.FireNow();
    }

    void Type(const std::wstring& text) {
        for (wchar_t c : text) SendMessageW(window->document.hwnd(), WM_CHAR, c, 1);
    }
    void Select(int start, int length) {
        window->document.SetSelStart(start);
        window->document.SetSelLength(length);
    }
    size_t Elements() const { return window->History().UndoList().size(); }

    ScriptedPrompts prompts;
    TempFolder temp;
    const std::filesystem::path folder{temp.Path()};
    std::unique_ptr<Window> window;
};

}  // namespace testing_support
