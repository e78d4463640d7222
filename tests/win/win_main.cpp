// Entry point of the Windows test programs: GoogleTest with message boxes
// answered by the tests, never by a person.
#include <gtest/gtest.h>

#include "ui/MsgBox.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    ui::SetPromptResponder([](const ui::Prompt& prompt) -> int {
        ADD_FAILURE() << "unexpected message box: " << testing::PrintToString(prompt.text);
        return IDOK;
    });
    return RUN_ALL_TESTS();
}
