#include <gtest/gtest.h>

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

TEST(RunError, NumbersCarryTheirClassicDescription) {
    EXPECT_EQ(RunError(err::Overflow).description, L"Overflow");
    EXPECT_EQ(RunError(1234).description, L"Application-defined or object-defined error");
    EXPECT_EQ(RunError(err::FileExists, L"custom").description, L"custom");
}
