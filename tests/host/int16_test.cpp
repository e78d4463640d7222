#include <gtest/gtest.h>

#include "tests/error_number.h"

#include "base/Int16.h"
#include "base/RunError.h"

using testing_support::ErrorNumberOf;

using namespace base;

namespace {
}  // namespace

TEST(Int16, ResultsInsideTheRangeAreExact) {
    EXPECT_EQ(Add16(32766, 1), 32767);
    EXPECT_EQ(Sub16(-32767, 1), -32768);
    EXPECT_EQ(Mul16(-181, 181), -32761);
    EXPECT_EQ(Div16(-7, 2), -3);
    EXPECT_EQ(ToInt16(-32768), -32768);
}

TEST(Int16, ResultsOutsideTheRangeRaiseOverflow) {
    EXPECT_EQ(ErrorNumberOf([] { Add16(32767, 1); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { Sub16(-32768, 1); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { Mul16(182, 182); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { Div16(-32768, -1); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { ToInt16(32768); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { ToInt16(-32769); }), 6);
}

TEST(Int16, DivisionByZeroIsItsOwnError) {
    EXPECT_EQ(ErrorNumberOf([] { Div16(1, 0); }), 11);
}

TEST(RunError, CarriesTheClassicDescriptions) {
    EXPECT_EQ(RunError(6).description, L"Overflow");
    EXPECT_EQ(RunError(58).description, L"File already exists");
    EXPECT_EQ(RunError(75).description, L"Path/File access error");
    EXPECT_EQ(RunError(58, L"custom").description, L"custom");
}
