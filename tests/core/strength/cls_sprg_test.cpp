#include "core/strength/cls_sprg.h"

#include "core/strength/float_error.h"
#include "core/strength/spr_mat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace cls_sprg;
using float_error::EFloatError;

TEST(ClsSprg, SelectedSpringExample) {
    // Wire 1.0 mm, coil 10.0 mm outside (mean 9.0 mm), load 10 N.
    const double d = 1.0, D = 9.0, F = 10.0;
    EXPECT_NEAR(wahl_factor(d, D), 1.16208, 5e-6);
    EXPECT_NEAR(shear_stress(d, D, F), 229.18, 0.005);
    EXPECT_NEAR(corrected_stress(d, D, F), 266.33, 0.005);
    spr_mat::reset_current_material();
    EXPECT_NEAR(corrected_stress(d, D, F) / spr_mat::tensile_strength("SWP-B", d), 0.1475, 5e-5);
    spr_mat::reset_current_material();
}

struct SpringCase {
    double d, D, F, wahl, tau0, tau;
};

class ClsSprgReference : public ::testing::TestWithParam<SpringCase> {};

TEST_P(ClsSprgReference, MatchesIndependentEvaluation) {
    const SpringCase& c = GetParam();
    EXPECT_NEAR(wahl_factor(c.d, c.D), c.wahl, 1e-15 * std::fabs(c.wahl));
    EXPECT_NEAR(shear_stress(c.d, c.D, c.F), c.tau0, 1e-15 * std::fabs(c.tau0));
    EXPECT_NEAR(corrected_stress(c.d, c.D, c.F), c.tau, 1e-15 * std::fabs(c.tau));
}

// Output of tests/core/strength/reference_values.py (spring formulas block).
INSTANTIATE_TEST_SUITE_P(
    Springs, ClsSprgReference,
    ::testing::Values(
        SpringCase{1.0, 9.0, 10.0, 1.1620833333333334, 229.1831180523293, 266.32988176997765},
        SpringCase{0.5, 4.5, 3.7, 1.1620833333333334, 339.19101471744733, 394.16822501956693},
        SpringCase{2.6, 17.4, 123.4, 1.2236533084808947, 311.0888735632171, 380.66492936722534},
        SpringCase{3.0, 4.5, -50.0, 2.91, -21.22065907891938, -61.7521179196554}));

TEST(ClsSprg, DegenerateGeometryThrowsInsteadOfInfinity) {
    EXPECT_THROW(wahl_factor(0.0, 9.0), float_error::EZeroDivide); // c = D/0
    EXPECT_THROW(wahl_factor(2.0, 2.0), float_error::EZeroDivide); // c = 1: 4c - 4 = 0
    EXPECT_THROW(wahl_factor(1.0, 0.0), float_error::EZeroDivide); // 0.615 / 0
    EXPECT_THROW(shear_stress(0.0, 9.0, 10.0), float_error::EZeroDivide);
    EXPECT_THROW(shear_stress(0.0, 9.0, 0.0), float_error::EInvalidOp); // 0 / 0
    EXPECT_THROW(corrected_stress(1.0, 1.0, 10.0), EFloatError);
    // Finite in long double but beyond the double range.
    EXPECT_THROW(shear_stress(1e-110, 1e300, 1e300), float_error::EOverflow);
    EXPECT_THROW(shear_stress(1.0, 9.0, std::nan("")), float_error::EInvalidOp);
}

TEST(ClsSprg, FloatErrorMessages) {
    const auto message = [](auto f) -> std::string {
        try {
            f();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "<no exception>";
    };
    EXPECT_EQ(message([] { shear_stress(0.0, 9.0, 10.0); }), "Floating point division by zero");
    EXPECT_EQ(message([] { fatigue_limit_ratio(500); }), "Invalid floating point operation");
    EXPECT_EQ(message([] { shear_stress(1e-110, 1e300, 1e300); }), "Floating point overflow");
}

struct FatigueCase {
    double n, ratio;
};

class FatigueLimitRatio : public ::testing::TestWithParam<FatigueCase> {};

TEST_P(FatigueLimitRatio, SixDecimals) {
    EXPECT_NEAR(fatigue_limit_ratio(GetParam().n), GetParam().ratio, 5e-7);
}

INSTANTIATE_TEST_SUITE_P(Cycles, FatigueLimitRatio,
                         ::testing::Values(FatigueCase{1e4, 0.450013}, FatigueCase{2e4, 0.419062},
                                           FatigueCase{1e5, 0.370508}, FatigueCase{1e6, 0.327960},
                                           FatigueCase{1e7, 0.300000}));

class FatigueLimitReference : public ::testing::TestWithParam<FatigueCase> {};

TEST_P(FatigueLimitReference, MatchesIndependentEvaluation) {
    const FatigueCase& c = GetParam();
    EXPECT_NEAR(fatigue_limit_ratio(c.n), c.ratio, 2e-16 * c.ratio);
}

// Output of tests/core/strength/reference_values.py (fatigue block). 1e7 shows that the
// coefficients carry their trailing digits: 8.688 and -23.779 would give 0.3 exactly.
INSTANTIATE_TEST_SUITE_P(Cycles, FatigueLimitReference,
                         ::testing::Values(FatigueCase{10000.0, 0.4500128069789377},
                                           FatigueCase{20000.0, 0.4190615098106945},
                                           FatigueCase{100000.0, 0.3705084628863124},
                                           FatigueCase{1000000.0, 0.3279599050642787},
                                           FatigueCase{10000000.0, 0.30000010000006655},
                                           FatigueCase{138000000.0, 0.27721590278852726},
                                           FatigueCase{1000.0, 0.759226337285284},
                                           FatigueCase{546.0, 8.330634756170593},
                                           FatigueCase{1000000000000.0, 0.23162000882958728}));

TEST(FatigueLimitRatioDomain, NoRealValueAtOrBelowAbout545) {
    EXPECT_THROW(fatigue_limit_ratio(500), float_error::EInvalidOp);
    EXPECT_THROW(fatigue_limit_ratio(545.7), EFloatError);
    EXPECT_THROW(fatigue_limit_ratio(1.0), EFloatError);
    EXPECT_THROW(fatigue_limit_ratio(0.0), EFloatError);
    EXPECT_THROW(fatigue_limit_ratio(-1e7), EFloatError);
    EXPECT_THROW(fatigue_limit_ratio(std::nan("")), EFloatError);
    EXPECT_TRUE(std::isfinite(fatigue_limit_ratio(545.8)));
}

TEST(LoadAtLength, CompressionSpring) {
    // lo 30, lmax 20, 0 N at lo, 2 N/mm.
    EXPECT_DOUBLE_EQ(load_at_length(25, 30, 20, 2.0, 0.0), 10.0);
    EXPECT_DOUBLE_EQ(load_at_length(30, 30, 20, 2.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(load_at_length(20, 30, 20, 2.0, 0.0), 20.0);
    EXPECT_DOUBLE_EQ(load_at_length(22.5, 30, 20, 2.0, 1.5), 16.5);
}

TEST(LoadAtLength, ExtensionSpring) {
    // lo 20, lmax 30: the force grows with the length.
    EXPECT_DOUBLE_EQ(load_at_length(20, 20, 30, 0.5, 4.0), 4.0);
    EXPECT_DOUBLE_EQ(load_at_length(26, 20, 30, 0.5, 4.0), 7.0);
    EXPECT_DOUBLE_EQ(load_at_length(30, 20, 30, 0.5, 4.0), 9.0);
}

TEST(LoadAtLength, OutsideTheClosedRangeIsOutOfRange) {
    struct Case {
        double L, lo, lmax;
    };
    for (const Case c : {Case{30.001, 30, 20}, Case{19.999, 30, 20}, Case{19.99, 20, 30},
                         Case{31, 20, 30}, Case{-1e300, 20, 30}, Case{10, 5, 5}}) {
        SCOPED_TRACE(c.L);
        try {
            load_at_length(c.L, c.lo, c.lmax, 1.0, 0.0);
            ADD_FAILURE() << "no exception";
        } catch (const EStdspringException& e) {
            EXPECT_STREQ(e.what(), "Out of Range");
        }
    }
    // A spring without travel still answers at its one length.
    EXPECT_DOUBLE_EQ(load_at_length(5, 5, 5, 1.0, 3.0), 3.0);
}

TEST(LoadAtLength, NonFiniteResultThrows) {
    EXPECT_THROW(load_at_length(std::nan(""), 30, 20, 2.0, 0.0), EFloatError);
    EXPECT_THROW(load_at_length(1e308, -1e308, 1e308, 1e308, 0.0), float_error::EOverflow);
}

} // namespace
