#include "core/strength/fatigue_lines.h"

#include "core/strength/cls_sprg.h"
#include "core/strength/float_error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using strength::FatigueSegment;

constexpr double kTwoThirds = 0.6666666666666666;

void expect_segment(const FatigueSegment& s, double x0, double y0, double x1, double y1,
                    const std::string& label, double tolerance = 0) {
    EXPECT_NEAR(s.x0, x0, tolerance);
    EXPECT_NEAR(s.y0, y0, tolerance);
    EXPECT_NEAR(s.x1, x1, tolerance);
    EXPECT_NEAR(s.y1, y1, tolerance);
    EXPECT_EQ(s.label, label);
}

TEST(DhoyoLines, EighteenFixedLinesInOrder) {
    const auto lines = strength::dhoyo_lines();
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(2.0 / 3.0, kTwoThirds);
    expect_segment(lines[0], 0, 0, 0.7, 0.7, " ");
    expect_segment(lines[1], 0, kTwoThirds, kTwoThirds, kTwoThirds, " ");
    expect_segment(lines[2], kTwoThirds, kTwoThirds, kTwoThirds, 0, " ");
    for (int i = 1; i <= 9; ++i) {
        SCOPED_TRACE(i);
        // Ends at x = 0.0667, 0.1333, ... 0.6: tau_min/tau_max = i/10 along the line.
        expect_segment(lines[static_cast<std::size_t>(2 + i)], 0, 0, i / 15.0, kTwoThirds, " ",
                       1e-16);
        EXPECT_NEAR(lines[static_cast<std::size_t>(2 + i)].x1 / kTwoThirds, i / 10.0, 1e-15);
    }
    // Fatigue-limit lines, all meeting at (2/3, 2/3).
    const struct {
        const char* label;
        double r;
    } limits[] = {{"1e4", 0.450013},
                  {"1e5", 0.370508},
                  {"1e6", 0.327960},
                  {"1e7", 0.300000},
                  {"2e4", 0.419062}};
    for (std::size_t k = 0; k < 5; ++k) {
        SCOPED_TRACE(limits[k].label);
        expect_segment(lines[12 + k], 0, limits[k].r, kTwoThirds, kTwoThirds, limits[k].label,
                       5e-7);
        EXPECT_EQ(lines[12 + k].x1, kTwoThirds);
        EXPECT_EQ(lines[12 + k].y1, kTwoThirds);
    }
    expect_segment(lines[17], 0, 0.45, 0.45, 0.45, " ");
}

struct Outline {
    double n, r, xe; // from tests/core/strength/reference_values.py (outline block)
};

class DynareaOutline : public ::testing::TestWithParam<Outline> {};

TEST_P(DynareaOutline, ClosesTheRegion) {
    const Outline& o = GetParam();
    const auto s = strength::dynarea_outline(o.n);
    ASSERT_EQ(s.size(), 4u);
    expect_segment(s[0], 0, 0, 0, o.r, "", 1e-16);
    expect_segment(s[1], 0, o.r, o.xe, 0.45, "", 1e-16);
    expect_segment(s[2], o.xe, 0.45, 0.45, 0.45, "", 1e-16);
    expect_segment(s[3], 0, 0, 0.45, 0.45, "");
    // The fatigue edge lies on the grey line of the same cycle count.
    EXPECT_EQ(s[0].y1, cls_sprg::fatigue_limit_ratio(o.n));
}

INSTANTIATE_TEST_SUITE_P(Cycles, DynareaOutline,
                         ::testing::Values(Outline{1e7, 0.30000010000006655, 0.2727271652891554},
                                           Outline{2e4, 0.4190615098106945, 0.0833006080652887},
                                           Outline{1e4, 0.4500128069789377, -3.940841843649949e-05},
                                           Outline{1.38e8, 0.27721590278852726,
                                                   0.29577396894521185}));

TEST(DynareaOutlineCorners, RoundedValues) {
    // Corners (0, 0), (0, 0.3), (0.272727, 0.45), (0.45, 0.45) for 1e7 cycles.
    const auto s = strength::dynarea_outline(1e7);
    EXPECT_NEAR(s[1].x1, 0.272727, 5e-7);
    EXPECT_NEAR(strength::dynarea_outline(2e4)[1].x1, 0.083301, 5e-7);
    EXPECT_NEAR(strength::dynarea_outline(1e4)[1].x1, -0.000039, 5e-7);
    EXPECT_NEAR(strength::dynarea_outline(1.38e8)[0].y1, 0.277216, 5e-7);
    EXPECT_NEAR(strength::dynarea_outline(1.38e8)[1].x1, 0.295774, 5e-7);
}

TEST(DynareaOutlineFailures, NoRealFatigueLimit) {
    EXPECT_THROW(strength::dynarea_outline(500), float_error::EFloatError);
    EXPECT_THROW(strength::dynarea_outline(0), float_error::EFloatError);
    // Below 1e4 (and above about 545.75) the outline is still computed, partly left of 0.
    const auto low = strength::dynarea_outline(5000);
    EXPECT_GT(low[0].y1, 0.45);
    EXPECT_LT(low[1].x1, 0);
}

TEST(FatigueEdgeX, ZeroSlopeThrows) {
    EXPECT_THROW(strength::fatigue_edge_x(2.0 / 3.0), float_error::EZeroDivide);
    EXPECT_NEAR(strength::fatigue_edge_x(0.3), 0.15 / 0.55, 1e-16);
    EXPECT_EQ(strength::fatigue_edge_x(0.45), 0.0);
}

} // namespace
