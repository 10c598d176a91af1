#include "core/strength/static_curves.h"

#include "core/strength/float_error.h"
#include "core/strength/spr_mat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <random>
#include <string>

namespace {

using strength::stcurve_points;

class StaticCurves : public ::testing::Test {
protected:
    void SetUp() override { spr_mat::reset_current_material(); }
    void TearDown() override { spr_mat::reset_current_material(); }
};

struct Curve {
    const char* designation;
    double start, end;
    // x at g = 1, 15 and 29, from tests/core/strength/reference_values.py (curves block)
    double x1, x15, x29;
};

void PrintTo(const Curve& c, std::ostream* os) {
    *os << c.designation;
}

class ChartCurve : public StaticCurves, public ::testing::WithParamInterface<Curve> {};

TEST_P(ChartCurve, ThirtyOnePointsFromStartToExactlyEnd) {
    const Curve& c = GetParam();
    const auto points = stcurve_points(c.designation, 30, c.start, c.end);
    ASSERT_EQ(points.size(), 31u);
    EXPECT_EQ(points.front().x, c.start);
    EXPECT_EQ(points.back().x, c.end);
    EXPECT_NEAR(points[1].x, c.x1, 1e-15 * c.x1);
    EXPECT_NEAR(points[15].x, c.x15, 1e-15 * c.x15);
    EXPECT_NEAR(points[29].x, c.x29, 1e-15 * c.x29);
    for (std::size_t g = 0; g < points.size(); ++g) {
        SCOPED_TRACE(g);
        if (g > 0) {
            // Evenly spaced on the logarithmic axis.
            EXPECT_GT(points[g].x, points[g - 1].x);
            EXPECT_NEAR(std::log10(points[g].x) - std::log10(points[g - 1].x),
                        (std::log10(c.end) - std::log10(c.start)) / 30, 1e-14);
        }
        EXPECT_EQ(points[g].y, spr_mat::allowable_stress(c.designation, points[g].x));
    }
}

INSTANTIATE_TEST_SUITE_P(Chart, ChartCurve,
                         ::testing::Values(Curve{"SWP-B", 0.1, 6.0, 0.11462298347576709,
                                                 0.7745966692414834, 5.234552284419019},
                                           Curve{"SUS304WPB", 0.1, 5.8, 0.114493526736032,
                                                 0.7615773105863909, 5.065788578049536},
                                           Curve{"SWO-B", 2.1, 12.0, 2.225621765089263,
                                                 5.019960159204453, 11.322678630881068}));

TEST_F(StaticCurves, CurveValuesAtTheEnds) {
    const auto swpb = stcurve_points("SWP-B", 30, 0.1, 6.0);
    EXPECT_NEAR(swpb.back().y, 788.62, 0.005);
    const auto swob = stcurve_points("SWO-B", 30, 2.1, 12.0);
    EXPECT_NEAR(swob.back().y, 692.1845342823797, 1e-9);
}

TEST_F(StaticCurves, LastPointNeverPassesTheEndOfAnySpan) {
    // Any span ending at the upper limit of a grade must be drawable.
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> diameter(0.08, 6.0);
    std::uniform_int_distribution<int> intervals(1, 100);
    for (int i = 0; i < 3000; ++i) {
        const double start = diameter(rng);
        const double end = i % 2 ? 6.0 : diameter(rng);
        const int n = intervals(rng);
        const auto points = stcurve_points("SWP-B", n, start, end);
        ASSERT_EQ(points.size(), static_cast<std::size_t>(n) + 1);
        ASSERT_EQ(points.back().x, end) << start << " .. " << end << " in " << n;
    }
}

TEST_F(StaticCurves, Failures) {
    EXPECT_THROW(stcurve_points("SWP-B", 0, 0.1, 6.0), float_error::EFloatError);
    EXPECT_THROW(stcurve_points("SWP-B", 30, 0.0, 6.0), float_error::EFloatError);
    EXPECT_THROW(stcurve_points("SWP-B", 30, 0.1, -6.0), float_error::EFloatError);
    EXPECT_THROW(stcurve_points("SWP-B", 30, 0.05, 6.0), spr_mat::EspringMaterialException);
    EXPECT_THROW(stcurve_points("SWP-B", 30, 0.1, 6.5), spr_mat::EspringMaterialException);
    EXPECT_THROW(stcurve_points("SWP-Z", 30, 0.1, 6.0), spr_mat::EspringMaterialException);
}

struct Label {
    const char* designation;
    double y;
    const char* unit;
    const char* text;
};

void PrintTo(const Label& l, std::ostream* os) {
    *os << l.text;
}

class TaupointLabel : public ::testing::TestWithParam<Label> {};

TEST_P(TaupointLabel, Composes) {
    const Label& l = GetParam();
    EXPECT_EQ(strength::taupoint_label(l.designation, l.y, l.unit), l.text);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, TaupointLabel,
    ::testing::Values(Label{"SWP-B", 229.1831180523293, "MPa", "SWP-B 229MPa"},
                      Label{"SWP-B", 23.370, "kgf/mm^2", "SWP-B 23kgf/mm^2"},
                      Label{"SWO-B", 1120.5, "MPa", "SWO-B 1121MPa"},
                      Label{"SWO-B", 9999.4, "gf/mm^2", "SWO-B 9999gf/mm^2"},
                      Label{"SWO-B", 9999.5, "gf/mm^2", "SWO-B 1E4gf/mm^2"},
                      Label{"SUS304WPB", 23370, "gf/mm^2", "SUS304WPB 2.337E4gf/mm^2"},
                      Label{"SUS304WPB", 23000, "gf/mm^2", "SUS304WPB 2.3E4gf/mm^2"},
                      Label{"SUS304WPB", 23374.9, "gf/mm^2", "SUS304WPB 2.337E4gf/mm^2"},
                      Label{"SUS304WPB", 123456, "gf/mm^2", "SUS304WPB 1.235E5gf/mm^2"},
                      Label{"SWP", 0.4, "MPa", "SWP 0MPa"}, Label{"", 12, "MPa", " 12MPa"}));

TEST(TaupointColour, ByCurve) {
    EXPECT_EQ(strength::taupoint_colour_index("SWP-B"), 0);
    EXPECT_EQ(strength::taupoint_colour_index("SWP"), 0);
    EXPECT_EQ(strength::taupoint_colour_index("SUS304WPB"), 1);
    for (const char* other : {"SWO-B", "SUS-WPB", "SUS", "SWP-A", "swp-b", "SWP ", ""})
        EXPECT_EQ(strength::taupoint_colour_index(other), 2) << '"' << other << '"';
}

} // namespace
