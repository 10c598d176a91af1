// The checks that follow a tolerance grade and the duty's frequency: the load band of
// a compression and an extension spring, no band where the grade has none, the coil
// diameter in the bore and on the rod, and the natural frequency against the duty's.
#include "spring_check_list_support.h"

#include "core/strength/listed_verdicts.h"

#include <gtest/gtest.h>

using namespace checklist_test;
using namespace spring_checks;

namespace {

// Spring A's geometry (d 1, D 9, SWP-B) with the rate that gives n active coils.
Record compression_with(double n) {
    Record r = record_a();
    r.k = 78500.0 / (8 * 729 * n);
    r.turn = n + 2;
    return r;
}

CheckConditions grade(int g) {
    CheckConditions c;
    c.jis_grade = g;
    return c;
}

} // namespace

TEST(GradedChecks, TheLoadBandOfACompressionSpringFollowsItsActiveCoils) {
    Duty d = duty_a();
    d.range.reset();
    struct Case {
        int grade;
        double n, fraction;
    };
    for (const Case& c :
         {Case{1, 8, 0.05}, Case{1, 12, 0.04}, Case{2, 8, 0.10}, Case{3, 12, 0.12}}) {
        SCOPED_TRACE(testing::Message() << "grade " << c.grade << ", n " << c.n);
        const Record r = compression_with(c.n);
        const SpringVerdict v = check(r, d, grade(c.grade));
        const Check& band = get(v, Kind::LoadBand, Site::Length1);
        const double load = r.fo + r.k * (r.lo - *d.length1);
        EXPECT_NEAR(band.value, load * (1 - c.fraction), 1e-9);
        EXPECT_NEAR(band.limit, load * (1 + c.fraction), 1e-9);
        EXPECT_NEAR(band.margin, c.fraction, 1e-12);
        ASSERT_TRUE(v.assumed.load_tolerance);
        EXPECT_EQ(v.assumed.load_tolerance->grade(), c.grade);
    }
    // At the free length the load is nothing; its band is nothing wide, but it is there.
    Duty free = d;
    free.length1 = 50.0;
    const SpringVerdict at_free = check(record_a(), free, grade(2));
    const Check& none = get(at_free, Kind::LoadBand, Site::Length1);
    EXPECT_EQ(none.value, 0);
    EXPECT_EQ(none.limit, 0);
    EXPECT_NEAR(none.margin, 0.08, 1e-15) << "13.46 active coils, grade 2";
    // Without a grade, the stated fraction holds whatever the coils.
    CheckConditions stated;
    stated.load_tolerance = 0.07;
    EXPECT_NEAR(get(check(compression_with(12), d, stated), Kind::LoadBand, Site::Length1).margin,
                0.07, 1e-15);
}

TEST(GradedChecks, TheLoadBandOfAnExtensionSpringRestsOnItsInitialTension) {
    // Spring E: fo 4 N at 30 mm, 1 N/mm, 13.46 active coils; 14 N at 40 mm.
    const SpringVerdict v = check(record_e(), duty_e(), grade(2));
    const Check& band = get(v, Kind::LoadBand, Site::Length1);
    // +/-(4 x 0.15 + 10 x 0.08) = 1.4 N.
    EXPECT_NEAR(band.value, 12.6, 1e-9);
    EXPECT_NEAR(band.limit, 15.4, 1e-9);
    EXPECT_NEAR(band.margin, 0.1, 1e-12);
    // 24 N at 50 mm: +/-(0.6 + 20 x 0.08) = 2.2 N, a smaller share of the load.
    const Check& longer = get(v, Kind::LoadBand, Site::Length2);
    EXPECT_NEAR(longer.limit - 24, 2.2, 1e-9);
}

TEST(GradedChecks, WhereTheGradeHasNoToleranceTheBandIsAbsentNeverGuessed) {
    Duty d = duty_a();
    d.range.reset();
    // 2.5 active coils: below the grade's tables.
    const SpringVerdict few = check(compression_with(2.5), d, grade(2));
    EXPECT_EQ(find(few, Kind::LoadBand, Site::Length1), nullptr);
    EXPECT_TRUE(absent_of(few).count(
        {Kind::LoadBand, Site::Length1, "有効巻数が 3 未満: JIS の等級に公差がない"}));
    EXPECT_FALSE(few.assumed.load_tolerance);
    EXPECT_NE(summarise(few).verdict, Verdict::Ok) << "a missing band is no pass";

    // Index 2.5: a 1 mm wire on a 2.5 mm mean diameter.
    Record stubby = record_a();
    stubby.coil_dia = 3.5;
    stubby.k = 78500.0 / (8 * 2.5 * 2.5 * 2.5 * 8);
    stubby.turn = 10;
    const SpringVerdict wide = check(stubby, d, grade(1));
    EXPECT_TRUE(absent_of(wide).count(
        {Kind::LoadBand, Site::Length1, "ばね指数が 3～22 の外: JIS の等級に公差がない"}));
    // The missing band raises the verdict to a caution at most.
    const Verdict without = summarise(check(stubby, d)).verdict;
    EXPECT_EQ(summarise(wide).verdict, std::max(without, Verdict::Caution));
}

TEST(GradedChecks, TheCoilDiameterWithItsToleranceInTheBoreAndOnTheRod) {
    // Index 9, 10 mm outer: grade 2 gives +/-2.0 % (at least 0.3 mm) = 0.3 mm outside,
    // and on the 8 mm inner diameter 0.3 mm as well.
    Duty d = duty_a();
    d.range.reset();
    d.bore = 10.2;
    d.rod = 7.7;
    SpringVerdict v = check(record_a(), d, grade(2));
    const Check& bore = get(v, Kind::Fit, Site::Bore);
    EXPECT_EQ(bore.verdict, Verdict::Caution);
    EXPECT_NEAR(bore.value, 10.3, 1e-12);
    EXPECT_EQ(bore.limit, 10.2);
    EXPECT_EQ(bore.reason, "外径 (公差込み) が上限を超える");
    const Check& rod = get(v, Kind::Fit, Site::Rod);
    EXPECT_EQ(rod.verdict, Verdict::Ok);
    EXPECT_NEAR(rod.value, 7.7, 1e-12);
    EXPECT_EQ(v.overall, Verdict::Caution);

    d.rod = 7.75;
    EXPECT_EQ(get(check(record_a(), d, grade(2)), Kind::Fit, Site::Rod).verdict, Verdict::Caution);
    // Grade 1 holds 1.5 %, at least 0.2 mm: inside both.
    v = check(record_a(), d, grade(1));
    EXPECT_EQ(get(v, Kind::Fit, Site::Bore).verdict, Verdict::Ok);
    EXPECT_EQ(get(v, Kind::Fit, Site::Rod).verdict, Verdict::Ok);
    // Without a grade there is no such check.
    EXPECT_EQ(find(check(record_a(), d), Kind::Fit, Site::Bore), nullptr);
}

TEST(GradedChecks, ANaturalFrequencyBelowThirteenTimesTheDutysSurges) {
    Duty d = duty_a();
    // 326.4 Hz against 13 x 25 Hz = 325 Hz: clear; against 13 x 26 Hz = 338 Hz: it surges.
    d.excitation_frequency = 25;
    const SpringVerdict clear = check(record_a(), d);
    const Check& f = get(clear, Kind::NaturalFrequency, Site::Spring);
    EXPECT_EQ(f.verdict, Verdict::Ok);
    EXPECT_EQ(f.limit, 325);
    EXPECT_EQ(clear.assumed.excitation_frequency, 25);
    d.excitation_frequency = 26;
    const SpringVerdict surges = check(record_a(), d);
    EXPECT_EQ(get(surges, Kind::NaturalFrequency, Site::Spring).verdict, Verdict::Caution);
    EXPECT_EQ(get(surges, Kind::NaturalFrequency, Site::Spring).reason, "共振のおそれ");
    // Without the duty's frequency the check informs only.
    EXPECT_EQ(get(check(record_a(), duty_a()), Kind::NaturalFrequency, Site::Spring).limit, 0);

    Duty bad = duty_a();
    bad.excitation_frequency = 0;
    EXPECT_THROW(SpringChecker(bad, {}), EspringCheckException);
    EXPECT_THROW(SpringChecker(duty_a(), grade(4)), EspringCheckException);
}
