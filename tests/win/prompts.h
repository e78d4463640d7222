// Stand-ins for the person who answers the program's message boxes.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "ui/MsgBox.h"

namespace testing_support {

// Every message box fails the running test: installed for every test program.
void FailOnEveryPrompt();

// Answers message boxes from a script (OK when the script has run out) and
// keeps what they said; puts FailOnEveryPrompt back when it goes.
class ScriptedPrompts {
public:
    ScriptedPrompts();
    ~ScriptedPrompts();
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    std::vector<ui::Prompt> seen;
    std::deque<int> answers;

    // Whether message box `index` (from 0) said `text` under `title` with
    // these buttons and icon; an empty title or zero flags are not checked.
    testing::AssertionResult Said(size_t index, const std::wstring& text,
                                  const std::wstring& title = std::wstring(), UINT flags = 0) const;
    // Whether message box `index` was the error box of run-time error `number`:
    // "Error Number = n\rError description = ..." under "Error n", with the stop icon.
    testing::AssertionResult SaidError(size_t index, int number) const;
};

// Runs `open` in a child process that answers every message box with OK and
// expects it to show exactly this box (text, title, icon and buttons) and
// then end the program.
template <class Open>
void ExpectToldThenEnded(const std::wstring& text, const std::wstring& title, UINT flags, Open open) {
    EXPECT_EXIT(
        {
            ui::SetPromptResponder([&](const ui::Prompt& prompt) {
                if (prompt.text == text && prompt.title == title && prompt.flags == flags)
                    std::fputs("told the person\n", stderr);
                return IDOK;
            });
            open();
        },
        testing::ExitedWithCode(0), "told the person")
        << testing::PrintToString(text);
}

}  // namespace testing_support
