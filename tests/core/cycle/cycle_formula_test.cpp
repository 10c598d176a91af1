#include "core/cycle/cycle_formula.h"
#include "core/strength/float_error.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>

using cycle::cycle_count;
using cycle::format_cycle_result;
using float_error::EFloatError;

TEST(CycleCount, DefaultDutyAndItsVariants) {
    // 480 min/day at 80 %, one operation per 0.2 s, 20 days a month, 5 years.
    EXPECT_DOUBLE_EQ(cycle_count(0.2, 1, 80, 480, 20, 5), 138240000.0);
    EXPECT_DOUBLE_EQ(cycle_count(0.1, 1, 80, 480, 20, 5), 276480000.0);
    EXPECT_DOUBLE_EQ(cycle_count(0.2, 1, 80, 480, 30, 5), 207360000.0);
    EXPECT_DOUBLE_EQ(cycle_count(0.2, 3, 80, 480, 25, 5), 3 * 172800000.0);
    EXPECT_DOUBLE_EQ(cycle_count(2, 1, 100, 60, 20, 1), 60 * 60 / 2.0 * 20 * 12);
}

TEST(CycleCount, NoRangeChecksBesidesTheCycleTime) {
    EXPECT_EQ(cycle_count(0.2, 1, 0, 480, 20, 5), 0.0);
    EXPECT_EQ(cycle_count(0.2, 1, 80, 480, 20, 0), 0.0);
    EXPECT_DOUBLE_EQ(cycle_count(-0.2, 1, 80, 480, 20, 5), -138240000.0);
    EXPECT_DOUBLE_EQ(cycle_count(0.2, 1, 80, 480, 20, -5), -138240000.0);
}

TEST(CycleCount, ZeroCycleTimeRaises) {
    EXPECT_THROW(cycle_count(0, 1, 80, 480, 20, 5), float_error::EZeroDivide);
    EXPECT_THROW(cycle_count(-0.0, 1, 80, 480, 20, 5), EFloatError);
    // Even where the numerator is zero too: 0 / 0 is no result either.
    EXPECT_THROW(cycle_count(0, 1, 0, 480, 20, 5), EFloatError);
}

TEST(CycleCount, OverflowAndNonFiniteRaise) {
    EXPECT_THROW(cycle_count(1e-300, 1e300, 80, 480, 20, 5), EFloatError);
    EXPECT_THROW(cycle_count(0.2, DBL_MAX, 100, DBL_MAX, 30, DBL_MAX), EFloatError);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(cycle_count(0.2, inf, 80, 480, 20, 5), EFloatError);
    EXPECT_THROW(cycle_count(0.2, 1, 80, nan, 20, 5), EFloatError);
    // inf * 0 has no value at all.
    EXPECT_THROW(cycle_count(0.2, inf, 0, 480, 20, 5), EFloatError);
    // An error is a std::exception for the handlers that catch broadly.
    try {
        cycle_count(0, 1, 1, 1, 20, 1);
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_STRNE(e.what(), "");
    }
}

TEST(FormatCycleResult, ThreeSignificantDigitsAndTwoExponentDigits) {
    EXPECT_EQ(format_cycle_result(138240000.0), "1.38E+08");
    EXPECT_EQ(format_cycle_result(276480000.0), "2.76E+08");
    EXPECT_EQ(format_cycle_result(207360000.0), "2.07E+08");
    EXPECT_EQ(format_cycle_result(1e7), "1.00E+07");
    EXPECT_EQ(format_cycle_result(5), "5.00E+00");
    EXPECT_EQ(format_cycle_result(0.00123), "1.23E-03");
    EXPECT_EQ(format_cycle_result(-138240000.0), "-1.38E+08");
    EXPECT_EQ(format_cycle_result(1.5e123), "1.50E+123");
}

TEST(FormatCycleResult, RoundingAndZero) {
    EXPECT_EQ(format_cycle_result(9.996e8), "1.00E+09");
    EXPECT_EQ(format_cycle_result(1.234e5), "1.23E+05");
    EXPECT_EQ(format_cycle_result(1.236e5), "1.24E+05");
    EXPECT_EQ(format_cycle_result(0.0), "0.00E+00");
    EXPECT_EQ(format_cycle_result(-0.0), "0.00E+00");
}

TEST(FormatCycleResult, IgnoresTheCLocale) {
    // A GUI program runs with the user's locale, which may use a decimal comma.
    const char* set = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    if (!set)
        set = std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    if (!set)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const std::string text = format_cycle_result(138240000.0);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, "1.38E+08");
}
