#include <gtest/gtest.h>

#include <exception>
#include <new>
#include <stdexcept>

#include "base/Int16.h"
#include "base/RunError.h"
#include "tests/error_number.h"

using namespace base;
using testing_support::ErrorNumberOf;

TEST(Int16, ResultsAtTheEdgesOfTheRangeAreExact) {
    EXPECT_EQ(Add16(32766, 1), 32767);
    EXPECT_EQ(Sub16(-32767, 1), -32768);
    EXPECT_EQ(Mul16(-181, 181), -32761);
    EXPECT_EQ(Div16(-7, 2), -3);
    EXPECT_EQ(ToInt16(-32768), -32768);
    EXPECT_EQ(ToInt16(32767), 32767);
}

TEST(Int16, ResultsOutsideTheRangeRaiseOverflow) {
    EXPECT_EQ(ErrorNumberOf([] { Add16(32767, 1); }), err::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { Sub16(-32768, 1); }), err::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { Mul16(182, 182); }), err::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { Div16(-32768, -1); }), err::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { ToInt16(32768); }), err::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { ToInt16(-32769); }), err::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { Div16(1, 0); }), err::DivisionByZero);
}

// Whatever escaped becomes the run-time error a person is shown, with its classic description:
// its own, 7 for a failed allocation, the caller's fallback for anything else or nothing at all.
TEST(RunError, AnEscapedFailureBecomesARunError) {
    const struct {
        const char* what;
        std::exception_ptr escaped;
        int number;
        std::wstring description;
    } table[] = {
        {"run-time error", std::make_exception_ptr(RunError(err::FileExists, L"custom")), err::FileExists,
         L"custom"},
        {"allocation", std::make_exception_ptr(std::bad_alloc()), err::OutOfMemory, L"Out of memory"},
        {"other exception", std::make_exception_ptr(std::runtime_error("x")), err::InternalError,
         L"Internal error"},
        {"not an exception", std::make_exception_ptr(42), err::InternalError, L"Internal error"},
        {"nothing", nullptr, err::InternalError, L"Internal error"},
        {"unknown number", std::make_exception_ptr(RunError(1234)), 1234, L"Application-defined or object-defined error"},
    };
    for (const auto& row : table) {
        const RunError failure = RunErrorOf(row.escaped, err::InternalError);
        EXPECT_EQ(failure.number, row.number) << row.what;
        EXPECT_EQ(failure.description, row.description) << row.what;
    }
    EXPECT_EQ(RunErrorOf(nullptr, err::InvalidCall).number, err::InvalidCall);
    EXPECT_EQ(RunErrorOf(std::make_exception_ptr(std::logic_error("x")), err::InvalidCall).description,
              L"Invalid procedure call or argument");
}
