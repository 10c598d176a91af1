// The evaluation of the selected spring: loads on the load line, tau0 at the
// searched lengths, the red rule, and the working point of the operating range.
#include "core/strength/spr_mat.h"
#include "core/strength/spring_evaluation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using strength::ConditionEvaluation;
using strength::evaluate_spring;
using State = ConditionEvaluation::State;

// SWP-B, d = 1, D = 9: 0 N at 30 mm, rising 1 N/mm towards 20 mm.
strength::SpringValues swp_b() {
    strength::SpringValues s;
    s.material = "SWP-B";
    s.wire_dia = 1;
    s.coil_dia = 10;
    s.lo = 30;
    s.lmax = 20;
    s.fo = 0;
    s.k = 1;
    return s;
}

const std::array<std::optional<double>, 2> kNoLengths{};

constexpr double kPi = 3.14159265358979323846;

TEST(SpringEvaluation, LoadsAndStressesAtTheSearchedLengths) {
    const auto e = evaluate_spring(swp_b(), {25.0, 35.0}, 0.8, 1.0, std::nullopt);
    ASSERT_TRUE(e.graded());
    EXPECT_DOUBLE_EQ(e.allowable_stress, spr_mat::allowable_stress("SWP-B", 1));
    EXPECT_DOUBLE_EQ(e.tensile_strength, spr_mat::tensile_strength("SWP-B", 1));
    EXPECT_EQ(e.conditions[0].state, State::Evaluated);
    EXPECT_DOUBLE_EQ(e.conditions[0].load, 5);
    // tau0 = 8 D F / (pi d^3), without the Wahl factor.
    EXPECT_NEAR(e.conditions[0].stress, 8 * 9 * 5 / kPi, 1e-9);
    EXPECT_FALSE(e.conditions[0].over_limit);
    EXPECT_EQ(e.conditions[1].state, State::OutOfRange); // beyond the free length
    EXPECT_FALSE(e.working_point);

    const auto none = evaluate_spring(swp_b(), {std::nullopt, 20.0}, 0.8, 1.0, std::nullopt);
    EXPECT_EQ(none.conditions[0].state, State::NotSearched);
    EXPECT_EQ(none.conditions[1].state, State::Evaluated); // lmax itself is in range
}

TEST(SpringEvaluation, TheStressTurnsRedAtTheLimitRatio) {
    const double tau_a = spr_mat::allowable_stress("SWP-B", 1);
    const double tau = 8 * 9 * 5 / kPi;
    EXPECT_TRUE(evaluate_spring(swp_b(), {25.0, {}}, tau / tau_a * (1 - 1e-12), 1.0, {})
                    .conditions[0]
                    .over_limit);
    EXPECT_FALSE(evaluate_spring(swp_b(), {25.0, {}}, tau / tau_a * (1 + 1e-12), 1.0, {})
                     .conditions[0]
                     .over_limit);
}

TEST(SpringEvaluation, StressesFollowTheUnitFactor) {
    const auto si = evaluate_spring(swp_b(), {25.0, {}}, 0.8, 1.0, {});
    const auto kgf = evaluate_spring(swp_b(), {25.0, {}}, 0.8, 0.1, {});
    EXPECT_DOUBLE_EQ(kgf.allowable_stress, si.allowable_stress * 0.1);
    EXPECT_DOUBLE_EQ(kgf.tensile_strength, si.tensile_strength * 0.1);
}

// The loads and tau0 need no grade data, so they are the spring's own even
// when its grade gives no allowable stress; only the red rule and the working
// point need the grade.
TEST(SpringEvaluation, WithoutGradeDataTheLoadsAndStressesAreStillTheSpringsOwn) {
    strength::SpringValues unknown = swp_b();
    unknown.material = "SWPB";
    const auto e =
        evaluate_spring(unknown, {25.0, 35.0}, 0.0, 1.0, strength::OperatingRange{25, 22, true});
    EXPECT_EQ(e.grade, strength::GradeData::UnknownDesignation);
    EXPECT_EQ(e.conditions[0].state, State::Evaluated);
    EXPECT_DOUBLE_EQ(e.conditions[0].load, 5);
    EXPECT_NEAR(e.conditions[0].stress, 8 * 9 * 5 / kPi, 1e-9);
    EXPECT_FALSE(e.conditions[0].over_limit); // even at a limit ratio of 0
    EXPECT_EQ(e.conditions[1].state, State::OutOfRange);
    EXPECT_FALSE(e.working_point);

    strength::SpringValues thin = swp_b();
    thin.wire_dia = 0.01; // outside the grade's wire range
    thin.coil_dia = 9.01;
    const auto t = evaluate_spring(thin, {25.0, {}}, 0.8, 1.0, {});
    EXPECT_EQ(t.grade, strength::GradeData::WireOutOfRange);
    // The grade's range is told, for the hint, and the wire lies outside it.
    EXPECT_GT(t.wire_max, t.wire_min);
    EXPECT_LT(0.01, t.wire_min);
    EXPECT_EQ(t.conditions[0].state, State::Evaluated);
    EXPECT_NEAR(t.conditions[0].stress, 8 * 9 * 5 / (kPi * 1e-6), 1e-3);
}

// A wire of no diameter has no tau0: the load stands, the stress is unknown.
TEST(SpringEvaluation, AWireOfNoDiameterShowsItsLoadOnly) {
    strength::SpringValues none = swp_b();
    none.wire_dia = 0;
    const auto e = evaluate_spring(none, {25.0, {}}, 0.8, 1.0, {});
    EXPECT_EQ(e.conditions[0].state, State::Evaluated);
    EXPECT_DOUBLE_EQ(e.conditions[0].load, 5);
    EXPECT_FALSE(e.conditions[0].stress_known);
}

// Stresses are proportional to loads, so the working point's coordinates
// stand in the ratio of the two loads, the smaller first.
TEST(SpringEvaluation, TheWorkingPointComesFromTheRangesLoads) {
    const auto by_length =
        evaluate_spring(swp_b(), kNoLengths, 0.8, 1.0, strength::OperatingRange{22, 25, true});
    ASSERT_TRUE(by_length.working_point);
    EXPECT_NEAR(by_length.working_point->x / by_length.working_point->y, 5.0 / 8.0, 1e-12);

    const auto by_load =
        evaluate_spring(swp_b(), kNoLengths, 0.8, 1.0, strength::OperatingRange{6, 3, false});
    ASSERT_TRUE(by_load.working_point);
    EXPECT_NEAR(by_load.working_point->x / by_load.working_point->y, 0.5, 1e-12);

    // A range length beyond the spring's lengths places no point.
    EXPECT_FALSE(
        evaluate_spring(swp_b(), kNoLengths, 0.8, 1.0, strength::OperatingRange{25, 40, true})
            .working_point);
}

} // namespace
