// Stand-ins for the person who fills in the common dialogs.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "ui/CommonDialogs.h"

namespace testing_support {

// Every common dialog fails the running test: installed for every test program.
void FailOnEveryDialog();

// Answers file and font dialogs from scripts (a cancel when a script has run
// out) and keeps the settings each save dialog was shown with; puts
// FailOnEveryDialog back when it goes.
class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    std::deque<ui::FileChoice> openAnswers, saveAnswers;
    std::deque<ui::FontChoice> fontAnswers;
    std::vector<ui::FileDialogSettings> saveSeen;
    std::vector<ui::FontChoice> fontPresets;
};

}  // namespace testing_support
