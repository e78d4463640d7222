// Stand-ins for the person who answers the program's message boxes.
#pragma once
#include <windows.h>

#include <deque>
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
};

}  // namespace testing_support
