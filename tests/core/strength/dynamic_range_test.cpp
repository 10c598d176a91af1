#include "core/strength/dynamic_range.h"
#include "core/strength/float_error.h"

#include <gtest/gtest.h>

using strength::ConditionTexts;
using strength::dynamic_range;

namespace {

struct RangeCase {
    const char* name;
    ConditionTexts texts;
    int decimals;
    const char* min;
    const char* max;
};

class DynamicRange : public ::testing::TestWithParam<RangeCase> {};

} // namespace

TEST_P(DynamicRange, FallsBackInOrder) {
    const RangeCase& c = GetParam();
    const auto r = dynamic_range(c.texts, c.decimals);
    EXPECT_EQ(r.min, c.min);
    EXPECT_EQ(r.max, c.max);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DynamicRange,
    ::testing::Values(
        RangeCase{"both_lengths_ordered", {"30", "1", "20", "1"}, 2, "20.00", "30.00"},
        RangeCase{"both_lengths_in_order", {"20", "1", "30", "1"}, 2, "20.00", "30.00"},
        RangeCase{"first_with_tolerance", {"25", "1", "", "1"}, 2, "24.00", "26.00"},
        RangeCase{"second_with_tolerance", {"", "1", "40", "2"}, 2, "38.00", "42.00"},
        RangeCase{"nothing_given", {"", "1", "", "1"}, 2, "", ""},
        RangeCase{"first_without_tolerance_falls_to_empty_second", {"25", "", "", "1"}, 2, "", ""},
        RangeCase{
            "first_without_tolerance_uses_second_pair", {"25", "", "40", "2"}, 2, "25.00", "40.00"},
        RangeCase{"negative_tolerance_not_reordered", {"25", "-1", "", "1"}, 2, "26.00", "24.00"},
        RangeCase{"kgf_decimals", {"2.5", "0.1", "", "0.1"}, 3, "2.400", "2.600"},
        RangeCase{"gf_decimals", {"250", "10", "", "10"}, 0, "240", "260"},
        RangeCase{"before_the_first_search", {"25", "1", "", "1"}, 0, "24", "26"},
        RangeCase{"equal_values", {"25", "1", "25", "1"}, 2, "25.00", "25.00"}),
    [](const ::testing::TestParamInfo<RangeCase>& test) { return std::string(test.param.name); });

TEST(DynamicRangeOverflow, ABoundBeyondTheDoubleRangeThrowsInsteadOfWritingInf) {
    EXPECT_THROW(strength::dynamic_range({"1e308", "1e308", "", ""}, 2), float_error::EOverflow);
    EXPECT_THROW(strength::dynamic_range({"-1e308", "1e308", "", ""}, 2), float_error::EOverflow);
    // Two values are only ordered, never summed: the largest doubles stand.
    EXPECT_NO_THROW(strength::dynamic_range({"1e308", "", "-1e308", ""}, 0));
}
