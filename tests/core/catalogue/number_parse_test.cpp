#include "core/catalogue/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {

struct Valid {
    const char* text;
    double value;
};

void PrintTo(const Valid& v, std::ostream* os) {
    *os << '"' << v.text << '"';
}

class ParseDecimalValid : public ::testing::TestWithParam<Valid> {};

TEST_P(ParseDecimalValid, ReadsTheValue) {
    const auto v = parse_decimal(GetParam().text);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, GetParam().value);
    EXPECT_EQ(to_decimal(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDecimalValid,
    ::testing::Values(Valid{"0", 0.0}, Valid{"25", 25.0}, Valid{"-1.5", -1.5}, Valid{"+2", 2.0},
                      Valid{".5", 0.5}, Valid{"5.", 5.0}, Valid{"-.25", -0.25}, Valid{"1E7", 1e7},
                      Valid{"1e7", 1e7}, Valid{"1.38E+08", 1.38e8}, Valid{"2.5e-3", 0.0025},
                      Valid{"  25  ", 25.0}, Valid{"\t-3\t", -3.0}, Valid{" \t 1E7 \t ", 1e7},
                      Valid{"0001.2500", 1.25},
                      Valid{"0.1", 0.1}, // correctly rounded, as the literal
                      Valid{"1.7976931348623157e308", std::numeric_limits<double>::max()},
                      Valid{"4.9e-324", std::numeric_limits<double>::denorm_min()},
                      Valid{"1e-400", 0.0}, // below the double range: zero, not a failure
                      Valid{"0e999999", 0.0}, Valid{"0.001e-330", 0.0}, Valid{"1000e-330", 0.0},
                      Valid{"123456789012345678901234567890", 1.2345678901234568e29}));

class ParseDecimalInvalid : public ::testing::TestWithParam<const char*> {};

TEST_P(ParseDecimalInvalid, IsNotANumber) {
    EXPECT_FALSE(parse_decimal(GetParam()).has_value());
    EXPECT_THROW(to_decimal(GetParam()), EConvertError);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseDecimalInvalid,
                         ::testing::Values("", " ", "\t", "+", "-", ".", "-.", "e5", ".e5", "1e",
                                           "1e+", "1E-", "1e5.5", "1.2.3", "--1", "+-1", "1 2",
                                           "1,5", "1,000", "0x10", "0X1p3", "inf", "-inf",
                                           "infinity", "nan", "NaN", "1e400", "-1e400", "0.001e400",
                                           "1000e306", "1e99999999999999999999", "12a", "a12",
                                           "1d5", "\n1", "1\n", "１２a", "１，５", "1_000"));

// What an input method types with full-width characters on reads as typed in ASCII.
TEST(ParseDecimal, FullWidthFormsReadAsTheirAsciiForms) {
    EXPECT_EQ(parse_decimal("３０"), 30.0);
    EXPECT_EQ(parse_decimal("－１．５Ｅ３"), -1500.0);
    EXPECT_EQ(parse_decimal("＋２ｅ－１"), 0.2);
    EXPECT_EQ(parse_decimal("\u3000２５\u3000"), 25.0);
    EXPECT_EQ(parse_decimal("1２.5"), 12.5); // mixed forms too
    EXPECT_FALSE(parse_decimal("３０ｍｍ").has_value());
    EXPECT_FALSE(parse_decimal("\u3000").has_value());
    EXPECT_EQ(to_decimal("１Ｅ７"), 1e7);
}

TEST(ParseDecimal, SignOfZeroAndUnderflowIsKept) {
    EXPECT_TRUE(std::signbit(*parse_decimal("-0")));
    EXPECT_TRUE(std::signbit(*parse_decimal("-1e-400")));
    EXPECT_FALSE(std::signbit(*parse_decimal("1e-400")));
}

TEST(ParseDecimal, LargestFiniteBoundary) {
    // Just below the halfway point to 2^1024 still rounds to the largest double; at or
    // beyond it the value overflows.
    EXPECT_TRUE(parse_decimal("1.7976931348623158e308").has_value());
    EXPECT_FALSE(parse_decimal("1.7976931348623159e308").has_value());
    EXPECT_FALSE(parse_decimal("0.00018e1000000").has_value());
    EXPECT_EQ(*parse_decimal("0.0000000000000000000000000000001e10"), 1e-21);
}

TEST(ToDecimal, ConversionErrorMessageQuotesTheText) {
    try {
        to_decimal("abc");
        FAIL() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
    try {
        to_decimal("");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid floating point value");
    }
}

} // namespace
