// The catalogue's rate against its total coils, and what a verdict says it assumed.
#include "spring_check_list_support.h"

#include "core/strength/coil_consistency.h"
#include "core/strength/listed_verdicts.h"

#include <gtest/gtest.h>

using namespace checklist_test;
using namespace spring_checks;

namespace {

// The rate that gives n active coils to spring A's geometry (d 1, D 9, SWP-B).
double rate_for(double n) {
    return 78500.0 / (8 * 729 * n);
}

} // namespace

TEST(CoilConsistency, ActiveCoilsMustFitTheTotalCoils) {
    struct Case {
        SpringKind kind;
        double active, total;
        Verdict verdict;
    };
    const Case cases[] = {
        // A compression spring: between total - 3 and total active coils.
        {SpringKind::Compression, 22.0, 22, Verdict::Ok},
        {SpringKind::Compression, 19.0, 22, Verdict::Ok},
        {SpringKind::Compression, 22.5, 22, Verdict::Caution},
        {SpringKind::Compression, 18.5, 22, Verdict::Caution},
        {SpringKind::Compression, 29.35, 22, Verdict::Caution}, // coil_dia taken as the mean
        // An extension spring: total - 1 .. total + 1.
        {SpringKind::Extension, 15.0, 14, Verdict::Ok},
        {SpringKind::Extension, 13.0, 14, Verdict::Ok},
        {SpringKind::Extension, 15.5, 14, Verdict::Caution},
        {SpringKind::Extension, 12.5, 14, Verdict::Caution},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.active << " of " << c.total);
        Record r = c.kind == SpringKind::Compression ? record_a() : record_e();
        r.k = rate_for(c.active);
        r.turn = c.total;
        const Duty d = c.kind == SpringKind::Compression ? duty_a() : duty_e();
        const SpringVerdict v = check(r, d);
        const Check& coils = get(v, Kind::Coils, Site::Spring);
        EXPECT_EQ(coils.verdict, c.verdict);
        EXPECT_NEAR(coils.value, c.active, 1e-9);
        EXPECT_EQ(coils.at, c.total);
        EXPECT_EQ(coils.reason,
                  c.verdict == Verdict::Ok ? "有効巻数は総巻数と整合" : "カタログ値の不整合");
        if (c.verdict != Verdict::Ok) {
            // The limit is the end of the plausible range that the count missed.
            const CoilRange range =
                plausible_active_coils(c.kind == SpringKind::Compression, c.total);
            EXPECT_EQ(coils.limit, c.active > range.high ? range.high : range.low);
            EXPECT_LT(coils.margin, 0);
        }
    }
}

TEST(CoilConsistency, AnInconsistentSpringReadsCautionAndOneWithoutTotalCoilsHasNoSuchCheck) {
    Record r = record_a();
    Duty d = duty_a();
    d.range.reset();
    r.turn = 11; // n = 13.46 from the rate: more than the coils there are
    SpringVerdict v = check(r, d);
    EXPECT_EQ(v.overall, Verdict::Caution);
    EXPECT_EQ(summarise(v).reason, "カタログ値の不整合");

    r.turn = 0;
    v = check(r, d);
    EXPECT_EQ(find(v, Kind::Coils, Site::Spring), nullptr);
    for (const Absent& a : v.absent)
        EXPECT_NE(a.kind, Kind::Coils) << "a missing coil count is no failed consistency";
}

TEST(CheckAssumptions, NameTheQuantitiesTheChecksTook) {
    const SpringVerdict a = check(record_a(), duty_a());
    ASSERT_TRUE(a.assumed.mean_diameter && a.assumed.active_coils && a.assumed.shear_modulus);
    EXPECT_EQ(*a.assumed.mean_diameter, 9.0);
    EXPECT_EQ(*a.assumed.spring_index, 9.0);
    EXPECT_NEAR(*a.assumed.active_coils, 13.460219478737997, 1e-12);
    EXPECT_EQ(*a.assumed.total_coils, 15.5);
    EXPECT_EQ(*a.assumed.shear_modulus, 78500);
    EXPECT_EQ(*a.assumed.youngs_modulus, 206000);
    // The allowable stress is the solid-stress check's limit; Wahl's factor at index 9.
    EXPECT_EQ(*a.assumed.allowable_stress, get(a, Kind::SolidStress, Site::Spring).limit);
    EXPECT_NEAR(*a.assumed.stress_correction, 35.0 / 32 + 0.615 / 9, 1e-12);
    ASSERT_TRUE(a.assumed.tensile_strength);
    EXPECT_GT(*a.assumed.tensile_strength, *a.assumed.allowable_stress);
    EXPECT_FALSE(a.assumed.initial_stress) << "a compression spring has no initial stress";

    const SpringVerdict e = check(record_e(), duty_e());
    ASSERT_TRUE(e.assumed.initial_stress);
    EXPECT_NEAR(e.assumed.initial_stress->high, get(e, Kind::InitialStress, Site::Spring).limit,
                1e-9);

    // An unknown grade: the geometry is still stated, the grade's values are not.
    Record unknown = record_a();
    unknown.material = "SWP-X";
    const SpringVerdict u = check(unknown, duty_a());
    EXPECT_TRUE(u.assumed.mean_diameter);
    EXPECT_FALSE(u.assumed.shear_modulus || u.assumed.active_coils || u.assumed.allowable_stress);
}
