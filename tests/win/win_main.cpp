// Entry point of the Windows test programs: GoogleTest with message boxes
// answered by the tests, never by a person.
#include <gtest/gtest.h>

#include <optional>

#include "base/RunError.h"
#include "tests/win/dialogs.h"
#include "tests/win/prompts.h"
#include "tests/win/remove_tree.h"

namespace testing_support {

namespace {
// The next answer of a script, none when it has run out.
template <class Answer>
std::optional<Answer> Next(std::deque<Answer>& answers) {
    if (answers.empty()) return std::nullopt;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}
}  // namespace

void FailOnEveryPrompt() {
    ui::SetPromptResponder([](const ui::Prompt& prompt) -> int {
        ADD_FAILURE() << "unexpected message box: " << testing::PrintToString(prompt.text);
        return IDOK;
    });
}

ScriptedPrompts::ScriptedPrompts() {
    ui::SetPromptResponder([this](const ui::Prompt& prompt) {
        seen.push_back(prompt);
        return Next(answers).value_or(IDOK);
    });
}

ScriptedPrompts::~ScriptedPrompts() { FailOnEveryPrompt(); }

testing::AssertionResult ScriptedPrompts::Said(size_t index, const std::wstring& text,
                                               const std::wstring& title, UINT flags) const {
    if (index >= seen.size())
        return testing::AssertionFailure() << "only " << seen.size() << " message box(es) shown";
    const ui::Prompt& prompt = seen[index];
    if (prompt.text != text)
        return testing::AssertionFailure() << "text " << testing::PrintToString(prompt.text);
    if (!title.empty() && prompt.title != title)
        return testing::AssertionFailure() << "title " << testing::PrintToString(prompt.title);
    if (flags != 0 && prompt.flags != flags)
        return testing::AssertionFailure() << "flags 0x" << std::hex << prompt.flags;
    return testing::AssertionSuccess();
}

testing::AssertionResult ScriptedPrompts::SaidError(size_t index, int number) const {
    const std::wstring n = std::to_wstring(number);
    return Said(index, L"Error Number = " + n + L"\rError description = " + base::RunErrorText(number),
                L"Error " + n, MB_OK | MB_ICONSTOP);
}

void FailOnEveryDialog() {
    ui::DialogResponder failing;
    failing.open = failing.save = [](const ui::FileDialogSettings& settings) {
        ADD_FAILURE() << "unexpected file dialog: " << testing::PrintToString(settings.filter);
        return ui::FileChoice{};
    };
    failing.font = [](ui::FontChoice&) {
        ADD_FAILURE() << "unexpected font dialog";
        return false;
    };
    failing.print = [](DWORD) -> std::unique_ptr<ui::PrintDevice> {
        ADD_FAILURE() << "unexpected print dialog";
        return nullptr;
    };
    failing.printerSetup = []() -> std::optional<ui::Orientation> {
        ADD_FAILURE() << "unexpected printer-setup dialog";
        return std::nullopt;
    };
    ui::SetDialogResponder(failing);
}

ScriptedDialogs::ScriptedDialogs() {
    ui::DialogResponder scripted;
    scripted.open = [this](const ui::FileDialogSettings&) {
        return Next(openAnswers).value_or(ui::FileChoice{});
    };
    scripted.save = [this](const ui::FileDialogSettings& settings) {
        saveSeen.push_back(settings);
        return Next(saveAnswers).value_or(ui::FileChoice{});
    };
    scripted.font = [this](ui::FontChoice& font) {
        fontPresets.push_back(font);
        const std::optional<ui::FontChoice> answer = Next(fontAnswers);
        if (answer) font = *answer;
        return answer.has_value();
    };
    ui::SetDialogResponder(scripted);
}

ScriptedDialogs::~ScriptedDialogs() { FailOnEveryDialog(); }

}  // namespace testing_support

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Per-user program data (the rename journals) of this test program alone,
    // so that test programs running side by side never see each other's.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring appData = temp + (L"nomaro-appdata-" + std::to_wstring(GetCurrentProcessId()));
    testing_support::RemoveTree(appData);
    CreateDirectoryW(appData.c_str(), nullptr);
    SetEnvironmentVariableW(L"LOCALAPPDATA", appData.c_str());
    testing_support::FailOnEveryPrompt();
    testing_support::FailOnEveryDialog();
    const int result = RUN_ALL_TESTS();
    testing_support::RemoveTree(appData);
    return result;
}
