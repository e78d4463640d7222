// Run-time failures with the classic numbers and texts. Every event handler
// catches its own RunError and reports it the way its window requires.
#pragma once
#include <exception>
#include <string>

namespace base {

// The classic run-time error numbers, by name: throw RunError(err::Overflow).
namespace err {
enum : int {
    InvalidCall = 5,           // Invalid procedure call or argument
    Overflow = 6,
    OutOfMemory = 7,
    DivisionByZero = 11,
    TypeMismatch = 13,
    InternalError = 51,
    BadFileName = 52,          // Bad file name or number
    FileNotFound = 53,
    FileExists = 58,           // File already exists
    DeviceUnavailable = 68,
    PermissionDenied = 70,
    PathFileAccess = 75,       // Path/File access error
    PathNotFound = 76,
    InvalidUseOfNull = 94,
    InvalidFileFormat = 321,
    ObjectUnloaded = 364,      // Object was unloaded
    InvalidPropertyValue = 380,
    InvalidArrayIndex = 381,   // Invalid property array index
    InvalidPicture = 481,
};
}  // namespace err

struct RunError : std::exception {
    int number;
    std::wstring description;

    explicit RunError(int number);  // description from the classic table
    RunError(int number, std::wstring description);
    const char* what() const noexcept override { return "base::RunError"; }
};

// The classic description of a run-time error number ("Overflow" for 6);
// "Application-defined or object-defined error" for numbers outside the table.
std::wstring RunErrorText(int number);

// The failure `error` holds, as a run-time error: a RunError as it is, a
// failed allocation as 7 (Out of memory), and anything else, or no failure
// at all, as `fallback`. Lets the last line of defence of a window procedure
// or a COM method report whatever escaped in the numbers a person knows.
RunError RunErrorOf(const std::exception_ptr& error, int fallback);

}  // namespace base
