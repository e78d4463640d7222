// Entry point of the Windows test programs: GoogleTest with message boxes
// answered by the tests, never by a person.
#include <gtest/gtest.h>

#include "tests/win/prompts.h"

namespace testing_support {

void FailOnEveryPrompt() {
    ui::SetPromptResponder([](const ui::Prompt& prompt) -> int {
        ADD_FAILURE() << "unexpected message box: " << testing::PrintToString(prompt.text);
        return IDOK;
    });
}

ScriptedPrompts::ScriptedPrompts() {
    ui::SetPromptResponder([this](const ui::Prompt& prompt) {
        seen.push_back(prompt);
        if (answers.empty()) return IDOK;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    });
}

ScriptedPrompts::~ScriptedPrompts() { FailOnEveryPrompt(); }

}  // namespace testing_support

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing_support::FailOnEveryPrompt();
    return RUN_ALL_TESTS();
}
