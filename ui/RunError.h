// Run-time failures with the classic numbers and texts. Every event handler
// catches its own RunError and reports it the way its window requires.
#pragma once
#include <exception>
#include <string>

namespace ui {

struct RunError : std::exception {
    int number;
    std::wstring description;

    explicit RunError(int number);  // description from the classic table
    RunError(int number, std::wstring description);
    const char* what() const noexcept override { return "ui::RunError"; }
};

// The classic description of a run-time error number ("Overflow" for 6);
// "Application-defined or object-defined error" for numbers outside the table.
std::wstring RunErrorText(int number);

}  // namespace ui
