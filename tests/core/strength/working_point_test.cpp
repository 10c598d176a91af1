#include "core/strength/working_point.h"

#include "core/strength/cls_sprg.h"
#include "core/strength/float_error.h"

#include <gtest/gtest.h>

namespace {

using strength::working_point;

// Wire 1.0 mm, mean coil diameter 9.0 mm, SWP-B: sigmaB = 1805.61 MPa at d = 1.
constexpr double kSigmaB = 184.120830224092 * 9.80665;

TEST(WorkingPoint, SmallerLoadGivesX) {
    const auto p = working_point(1.0, 9.0, 10.0, 20.0, kSigmaB);
    EXPECT_NEAR(p.x, 0.1475, 5e-5); // 266.33 / 1805.61
    EXPECT_NEAR(p.y, 0.2950, 5e-5);
    EXPECT_DOUBLE_EQ(p.x, cls_sprg::corrected_stress(1.0, 9.0, 10.0) / kSigmaB);
    // The same point whichever edit holds the larger load.
    const auto q = working_point(1.0, 9.0, 20.0, 10.0, kSigmaB);
    EXPECT_EQ(q.x, p.x);
    EXPECT_EQ(q.y, p.y);
}

TEST(WorkingPoint, EqualLoadsLieOnTheDiagonal) {
    const auto p = working_point(2.6, 17.4, 55.5, 55.5, 1379.4);
    EXPECT_EQ(p.x, p.y);
}

TEST(WorkingPoint, RatiosDoNotDependOnTheUnitSystem) {
    // Loads and sigmaB in kgf instead of N.
    const double kgf = 1 / 9.80665;
    const auto si = working_point(1.0, 9.0, 10.0, 20.0, kSigmaB);
    const auto eng = working_point(1.0, 9.0, 10.0 * kgf, 20.0 * kgf, kSigmaB * kgf);
    EXPECT_NEAR(eng.x, si.x, 1e-15);
    EXPECT_NEAR(eng.y, si.y, 1e-15);
}

TEST(WorkingPoint, NoTensileStrengthThrows) {
    EXPECT_THROW(working_point(1.0, 9.0, 10.0, 20.0, 0.0), float_error::EFloatError);
    EXPECT_THROW(working_point(1.0, 9.0, 0.0, 0.0, 0.0), float_error::EFloatError);
    EXPECT_THROW(working_point(0.0, 9.0, 10.0, 20.0, kSigmaB), float_error::EFloatError);
}

} // namespace
