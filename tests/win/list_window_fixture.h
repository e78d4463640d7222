// A list window loaded over a fresh temporary folder, as the tests of its
// document use it: keys typed into the document, selections, message boxes
// answered by the test.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

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
inline void WriteListSettings(const std::wstring& folder, const std::wstring& pattern = L"*.*",
                              const std::wstring& pictures = L"0") {
    base::WriteIniValue(L"printsave", L"lastcat", folder);
    base::WriteIniValue(L"printsave", L"format", pattern);
    base::WriteIniValue(L"printsave", L"pictures", pictures);
}

class ListWindowFixture : public testing::Test {
protected:
    using Window = listwin::ListWindow;

    void SetUp() override {
        DeleteFileW(base::SettingsFilePath().c_str());
        WriteListSettings(folder.parent_path().wstring());  // the tests move to their folder themselves
        window = std::make_unique<Window>();
        window->Show();
        window->restoreSettingsTimer.FireNow();
    }
    void TearDown() override {
        if (window->IsLoaded()) {
            prompts.answers.assign({IDOK});
            window->Unload();
        }
        window.reset();
        DeleteFileW(base::SettingsFilePath().c_str());
    }

    void Type(const std::wstring& text) {
        for (wchar_t c : text) SendMessageW(window->document.hwnd(), WM_CHAR, c, 1);
    }
    void Select(int start, int length) {
        window->document.SetSelStart(start);
        window->document.SetSelLength(length);
    }

    ScriptedPrompts prompts;
    TempFolder temp;
    const std::filesystem::path folder{temp.Path()};
    std::unique_ptr<Window> window;
};

}  // namespace testing_support
