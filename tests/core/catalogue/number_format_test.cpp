#include "core/catalogue/number_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <random>
#include <string>

namespace {

struct Case {
    double value;
    int decimals;
    const char* text;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.text;
}

class DisplayFormat : public ::testing::TestWithParam<Case> {};

TEST_P(DisplayFormat, Writes) {
    EXPECT_EQ(numfmt::display_format(GetParam().value, GetParam().decimals), GetParam().text);
}

// Ties are decided on the exact binary value: 0.125 and 2.5 are exact and round away
// from zero; 2.675, 1.005 and 9.995 are stored just below the tie and round down,
// 2.0005 and 99.995 just above it.
INSTANTIATE_TEST_SUITE_P(
    Values, DisplayFormat,
    ::testing::Values(Case{0.0, 2, "0.00"}, Case{12.5, 2, "12.50"}, Case{0.125, 2, "0.13"},
                      Case{-0.125, 2, "-0.13"}, Case{2.675, 2, "2.67"}, Case{1.005, 2, "1.00"},
                      Case{2.5, 0, "3"}, Case{3.5, 0, "4"}, Case{-2.5, 0, "-3"},
                      Case{0.4999999999999999, 0, "0"}, Case{0.5, 0, "1"}, Case{0.0005, 3, "0.001"},
                      Case{2.0005, 3, "2.001"}, Case{0.9999999999999999, 3, "1.000"},
                      Case{1.0, 3, "1.000"}, Case{101.97162129779282, 0, "102"},
                      Case{0.995, 2, "0.99"}, Case{9.995, 2, "9.99"}, Case{99.995, 2, "100.00"},
                      Case{-1234567.891, 2, "-1234567.89"},
                      // A result of zero has no sign.
                      Case{-0.0, 2, "0.00"}, Case{-0.001, 2, "0.00"}, Case{-0.4, 0, "0"},
                      Case{-0.005, 2, "-0.01"}, // -0.005000000000000000104...
                      // Beyond 18 significant digits the digits are zeros.
                      Case{1e20, 2, "100000000000000000000.00"},
                      Case{1152921504606846976.0, 0, "1152921504606846980"}, // 2^60
                      Case{1e23, 0, "99999999999999991600000"}, Case{1e-20, 2, "0.00"},
                      Case{5e-324, 3, "0.000"}));

TEST(DisplayFormatExtremes, LargestDoubleAndNonFinite) {
    const std::string max = numfmt::display_format(std::numeric_limits<double>::max(), 2);
    EXPECT_EQ(max, "179769313486231571" + std::string(291, '0') + ".00");
    EXPECT_EQ(numfmt::display_format(std::nan(""), 2), "NAN");
    EXPECT_EQ(numfmt::display_format(HUGE_VAL, 0), "INF");
    EXPECT_EQ(numfmt::display_format(-HUGE_VAL, 3), "-INF");
}

class Fixed15 : public ::testing::TestWithParam<Case> {};

TEST_P(Fixed15, Writes) {
    EXPECT_EQ(numfmt::fixed15(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Fixed15,
    ::testing::Values(Case{10.0, 2, "10.00"}, Case{229.1831180523293, 0, "229"},
                      Case{24.0, 2, "24.00"}, Case{1120.9428326999879, 0, "1121"},
                      Case{0.5, 0, "1"}, Case{-0.4, 0, "0"}, Case{-2.5, 0, "-3"},
                      Case{9.80665 * 0.10197162129779283, 3, "1.000"}, Case{2.675, 2, "2.67"},
                      Case{0.125, 2, "0.13"},
                      // Never more than 15 significant digits.
                      Case{0.30000000000000004, 17, "0.30000000000000000"},
                      Case{123456789.123456789, 8, "123456789.12345700"},
                      Case{0.00012345678901234567, 20, "0.00012345678901234600"},
                      Case{999999999999999.0, 0, "999999999999999"},
                      // More than 15 integer digits: exponent form.
                      Case{1e15, 0, "1E15"}, Case{9999999999999999.0, 2, "1E16"},
                      Case{-123456789012345678.0, 0, "-1.23456789012346E17"}));

struct LabelCase {
    double value;
    const char* text;
};

void PrintTo(const LabelCase& c, std::ostream* os) {
    *os << c.text;
}

class FixedPrecision4 : public ::testing::TestWithParam<LabelCase> {};

TEST_P(FixedPrecision4, Writes) {
    EXPECT_EQ(numfmt::fixed(GetParam().value, 4, 0), GetParam().text);
}

// Rounded once: 229.45 (stored below the tie) gives 229, not 229.5 and then 230.
INSTANTIATE_TEST_SUITE_P(
    Values, FixedPrecision4,
    ::testing::Values(LabelCase{229.18, "229"}, LabelCase{229.5, "230"}, LabelCase{229.45, "229"},
                      LabelCase{1234.5, "1235"}, LabelCase{9999.4, "9999"}, LabelCase{0.4, "0"},
                      LabelCase{-17.5, "-18"}, LabelCase{9999.5, "1E4"},
                      LabelCase{23370.0, "2.337E4"}, LabelCase{23000.0, "2.3E4"},
                      LabelCase{23375.0, "2.338E4"}, LabelCase{123456.0, "1.235E5"},
                      LabelCase{99999.0, "1E5"}, LabelCase{-23370.0, "-2.337E4"}));

class General15 : public ::testing::TestWithParam<LabelCase> {};

TEST_P(General15, Writes) {
    EXPECT_EQ(numfmt::general15(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, General15,
    ::testing::Values(LabelCase{0.0, "0"}, LabelCase{-0.0, "0"}, LabelCase{25.0, "25"},
                      LabelCase{100.0, "100"}, LabelCase{0.1, "0.1"}, LabelCase{-2.5, "-2.5"},
                      LabelCase{0.1 + 0.2, "0.3"}, LabelCase{1.0 / 3, "0.333333333333333"},
                      LabelCase{2.0 / 3, "0.666666666666667"},
                      LabelCase{123456789012345.0, "123456789012345"},
                      LabelCase{999999999999999.9, "1E15"}, LabelCase{1e15, "1E15"},
                      LabelCase{1e20, "1E20"}, LabelCase{-1.5e20, "-1.5E20"},
                      LabelCase{0.0001, "0.0001"}, LabelCase{0.00012345, "0.00012345"},
                      LabelCase{0.00001, "1E-5"}, LabelCase{1.5e-7, "1.5E-7"},
                      LabelCase{1.7976931348623157e308, "1.79769313486232E308"},
                      LabelCase{5e-324, "4.94065645841247E-324"}, LabelCase{std::nan(""), "NAN"}));

class Exponent3 : public ::testing::TestWithParam<LabelCase> {};

TEST_P(Exponent3, Writes) {
    EXPECT_EQ(numfmt::exponent3(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Exponent3,
    ::testing::Values(LabelCase{1.38e8, "1.38E+08"}, LabelCase{138000000.0, "1.38E+08"},
                      LabelCase{137999999.0, "1.38E+08"}, LabelCase{1e7, "1.00E+07"},
                      LabelCase{0.0025, "2.50E-03"}, LabelCase{-0.0025, "-2.50E-03"},
                      LabelCase{0.0, "0.00E+00"}, LabelCase{-0.0, "0.00E+00"},
                      LabelCase{999500000.0, "1.00E+09"}, LabelCase{1.125, "1.13E+00"},
                      LabelCase{1.005, "1.00E+00"}, LabelCase{1e100, "1.00E+100"},
                      LabelCase{1.5e-300, "1.50E-300"}, LabelCase{-HUGE_VAL, "-INF"}));

} // namespace

namespace {

// Away from ties, rounding the 18-digit expansion half away from zero agrees with the C
// library's correctly rounded conversion; compare on random values of many sizes. A tie
// here is a value whose 18 significant digits end in 5 followed by zeros at the place of
// rounding (exact, or made so by the 18-digit step, which the C library does not take).
// Significant digits of |v| printed by the C library, and the decimal exponent of the first.
std::string c_digits(double v, int count, int& exponent) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*e", count - 1, std::fabs(v));
    const std::string s = buf;
    const auto e = s.find('e');
    exponent = std::atoi(buf + e + 1);
    std::string digits;
    for (std::size_t i = 0; i < e; ++i)
        if (s[i] != '.')
            digits += s[i];
    return digits;
}

bool tie_in(const std::string& digits, int keep) {
    if (keep < 0 || keep >= static_cast<int>(digits.size()))
        return false;
    const std::string tail = digits.substr(static_cast<std::size_t>(keep));
    return tail[0] == '5' && tail.find_first_not_of('0', 1) == std::string::npos;
}

bool tie_at(double v, int keep_after_point) {
    int exponent = 0;
    const std::string exact = c_digits(v, 80, exponent); // every digit of these values
    const std::string digits18 = c_digits(v, 18, exponent);
    const int keep = exponent + 1 + keep_after_point;
    return tie_in(exact, std::min(keep, 18)) || tie_in(digits18, keep);
}

std::string c_fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-')
        s.erase(0, 1); // "-0.00": a zero result has no sign
    return s;
}

// %.15g spelled as general15 does: "E", no "+", no leading zeros in the exponent.
std::string c_general15(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    std::string s = buf;
    const auto e = s.find('E');
    if (e == std::string::npos)
        return s;
    std::string exponent = s.substr(e + 1);
    const bool negative = exponent[0] == '-';
    exponent.erase(0, exponent.find_first_not_of("+-0"));
    return s.substr(0, e + 1) + (negative ? "-" : "") + exponent;
}

TEST(NumberFormatProperty, AgreesWithTheCLibraryAwayFromTies) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> scale(-8, 16);
    int skipped = 0;
    for (int i = 0; i < 30000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, scale(rng));
        for (const int decimals : {0, 2, 3}) {
            if (tie_at(v, decimals))
                ++skipped;
            else
                ASSERT_EQ(numfmt::display_format(v, decimals), c_fixed(v, decimals)) << v;
        }
        // 15 significant digits: the place of rounding counted from the leading digit.
        int leading_exponent = 0;
        c_digits(v, 80, leading_exponent);
        if (tie_at(v, 14 - leading_exponent))
            ++skipped;
        else
            ASSERT_EQ(numfmt::general15(v), c_general15(v)) << v;
    }
    EXPECT_LT(skipped, 3000); // of 120000: the comparison really ran
}

} // namespace
