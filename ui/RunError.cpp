#include "ui/RunError.h"

#include <utility>

namespace ui {

std::wstring RunErrorText(int number) {
    switch (number) {
    case 5: return L"Invalid procedure call or argument";
    case 6: return L"Overflow";
    case 7: return L"Out of memory";
    case 11: return L"Division by zero";
    case 13: return L"Type mismatch";
    case 52: return L"Bad file name or number";
    case 53: return L"File not found";
    case 58: return L"File already exists";
    case 68: return L"Device unavailable";
    case 70: return L"Permission denied";
    case 75: return L"Path/File access error";
    case 76: return L"Path not found";
    case 94: return L"Invalid use of Null";
    case 364: return L"Object was unloaded";
    case 380: return L"Invalid property value";
    case 381: return L"Invalid property array index";
    default: return L"Application-defined or object-defined error";
    }
}

RunError::RunError(int number) : number(number), description(RunErrorText(number)) {}

RunError::RunError(int number, std::wstring description)
    : number(number), description(std::move(description)) {}

}  // namespace ui
