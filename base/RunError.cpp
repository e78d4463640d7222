#include "base/RunError.h"

#include <new>
#include <utility>

namespace base {

std::wstring RunErrorText(int number) {
    switch (number) {
    case err::InvalidCall: return L"Invalid procedure call or argument";
    case err::Overflow: return L"Overflow";
    case err::OutOfMemory: return L"Out of memory";
    case err::DivisionByZero: return L"Division by zero";
    case err::TypeMismatch: return L"Type mismatch";
    case err::InternalError: return L"Internal error";
    case err::BadFileName: return L"Bad file name or number";
    case err::FileNotFound: return L"File not found";
    case err::FileExists: return L"File already exists";
    case err::DeviceUnavailable: return L"Device unavailable";
    case err::PermissionDenied: return L"Permission denied";
    case err::PathFileAccess: return L"Path/File access error";
    case err::PathNotFound: return L"Path not found";
    case err::InvalidUseOfNull: return L"Invalid use of Null";
    case err::InvalidFileFormat: return L"Invalid file format";
    case err::ObjectUnloaded: return L"Object was unloaded";
    case err::InvalidPropertyValue: return L"Invalid property value";
    case err::InvalidArrayIndex: return L"Invalid property array index";
    case err::InvalidPicture: return L"Invalid picture";
    default: return L"Application-defined or object-defined error";
    }
}

RunError::RunError(int number) : number(number), description(RunErrorText(number)) {}

RunError::RunError(int number, std::wstring description)
    : number(number), description(std::move(description)) {}

RunError RunErrorOf(const std::exception_ptr& error, int fallback) {
    if (!error) return RunError(fallback);
    try {
        std::rethrow_exception(error);
    } catch (const RunError& raised) {
        return raised;
    } catch (const std::bad_alloc&) {
        return RunError(err::OutOfMemory);
    } catch (...) {
        return RunError(fallback);
    }
}

}  // namespace base
