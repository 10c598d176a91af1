// The checks of one spring when data are missing, and the checker itself.
#include "spring_check_list_support.h"

#include <gtest/gtest.h>

using namespace checklist_test;
using namespace spring_checks;

// ---- Missing data ----------------------------------------------------------------

TEST(SpringChecksListAbsent, UnknownMaterialLeavesOnlyTheLoadBand) {
    Record r = record_a();
    r.material = "SWP-X";
    const SpringVerdict v = check(r, duty_a());
    ASSERT_EQ(v.checks.size(), 2u);
    EXPECT_EQ(v.checks[0].kind, Kind::LoadBand);
    EXPECT_EQ(v.checks[1].kind, Kind::LoadBand);
    const std::string why = "材料が材料表にない";
    EXPECT_EQ(absent_of(v), (Missing{{Kind::StaticStress, Site::Length1, why},
                                     {Kind::StaticStress, Site::Length2, why},
                                     {Kind::MinimumLength, Site::Length1, why},
                                     {Kind::MinimumLength, Site::Length2, why},
                                     {Kind::MinimumLength, Site::RangeShorter, why},
                                     {Kind::MinimumLength, Site::RangeLonger, why},
                                     {Kind::MinimumLength, Site::CatalogueLmax, why},
                                     {Kind::Buckling, Site::Length1, why},
                                     {Kind::Buckling, Site::Length2, why},
                                     {Kind::Buckling, Site::RangeShorter, why},
                                     {Kind::SolidStress, Site::Spring, why},
                                     {Kind::Fatigue, Site::Spring, why},
                                     {Kind::NaturalFrequency, Site::Spring, why}}));
    EXPECT_EQ(v.overall, Verdict::Ok);
}

TEST(SpringChecksListAbsent, WireOutsideTheGradeKeepsTheGeometricChecks) {
    Record r = record_a();
    r.material = "SWO-B"; // made from 2 mm
    const SpringVerdict v = check(r, duty_a());
    const std::string why = "線径が材料の適用範囲外";
    EXPECT_EQ(absent_of(v), (Missing{{Kind::StaticStress, Site::Length1, why},
                                     {Kind::StaticStress, Site::Length2, why},
                                     {Kind::SolidStress, Site::Spring, why},
                                     {Kind::Fatigue, Site::Spring, why}}));
    // Steel like SWP-B: the same smallest usable length and buckling deflection.
    EXPECT_NEAR(get(v, Kind::MinimumLength, Site::Length1).limit, 19.981438614540465, 1e-12);
    EXPECT_NEAR(get(v, Kind::Buckling, Site::Length1).limit, 27.526245796555575, 1e-12);
    EXPECT_NE(find(v, Kind::NaturalFrequency, Site::Spring), nullptr);
}

TEST(SpringChecksListAbsent, GradesWithoutTensileStrengthHaveNoFatigueCheck) {
    for (const char* material : {"SUP9", "SWOCV"}) {
        SCOPED_TRACE(material);
        const double d = material[1] == 'U' ? 8 : 3; // inside the grade's diameters
        const Record r{material, 300, 0, 200, 10, 10 * d, d, 20};
        const Duty duty{SpringKind::Compression, 250.0, std::nullopt,
                        OperatingRange{OperatingRange::Given::Lengths, 250, 280}, 1e7};
        const SpringVerdict v = check(r, duty);
        EXPECT_EQ(absent_of(v),
                  (Missing{{Kind::Fatigue, Site::Spring, "材料の引張強さのデータがない"}}));
        EXPECT_NE(find(v, Kind::StaticStress, Site::Length1), nullptr);
    }
}

TEST(SpringChecksListAbsent, LengthOutsideTheCatalogueRange) {
    Duty d = duty_a();
    d.length1 = 55.0; // longer than lo
    const SpringVerdict v = check(record_a(), d);
    const std::string why = "長さがカタログの範囲外";
    EXPECT_EQ(absent_of(v), (Missing{{Kind::StaticStress, Site::Length1, why},
                                     {Kind::LoadBand, Site::Length1, why}}));
    // The geometry still holds there: no deflection, no buckling.
    const Check* buckling = find(v, Kind::Buckling, Site::Length1);
    ASSERT_NE(buckling, nullptr);
    EXPECT_EQ(buckling->value, -5.0);
    EXPECT_EQ(buckling->verdict, Verdict::Ok);
    EXPECT_EQ(v.overall, Verdict::Ok);
}

TEST(SpringChecksListAbsent, OperatingRangeOutsideTheCatalogueRange) {
    Duty d = duty_a();
    d.range = OperatingRange{OperatingRange::Given::Lengths, 20, 35};
    const SpringVerdict v = check(record_a(), d);
    EXPECT_EQ(absent_of(v), (Missing{{Kind::Fatigue, Site::Spring, "動作範囲がカタログの範囲外"}}));
    EXPECT_EQ(get(v, Kind::MinimumLength, Site::RangeShorter).verdict, Verdict::Ok);
}

TEST(SpringChecksListAbsent, NoTotalCoils) {
    Record r = record_a();
    r.turn = 0;
    const SpringVerdict v = check(r, duty_a());
    const std::string why = "総巻数のデータがない";
    EXPECT_EQ(absent_of(v), (Missing{{Kind::MinimumLength, Site::Length1, why},
                                     {Kind::MinimumLength, Site::Length2, why},
                                     {Kind::MinimumLength, Site::RangeShorter, why},
                                     {Kind::MinimumLength, Site::RangeLonger, why},
                                     {Kind::MinimumLength, Site::CatalogueLmax, why},
                                     {Kind::SolidStress, Site::Spring, why}}));
    EXPECT_NE(find(v, Kind::Buckling, Site::Length1), nullptr);
    EXPECT_NE(find(v, Kind::NaturalFrequency, Site::Spring), nullptr);
}

TEST(SpringChecksListAbsent, NoRateLeavesNothingToCheck) {
    for (double k : {0.0, -1.0, std::nan("")}) {
        SCOPED_TRACE(k);
        Record r = record_a();
        r.k = k;
        const SpringVerdict v = check(r, duty_a());
        EXPECT_TRUE(v.checks.empty());
        EXPECT_EQ(v.absent.size(), 15u);
        for (const Absent& a : v.absent)
            EXPECT_EQ(a.reason, "ばね定数のデータがない");
    }
}

TEST(SpringChecksListAbsent, NoMeanCoilDiameter) {
    for (SpringKind kind : {SpringKind::Compression, SpringKind::Extension}) {
        Record r = kind == SpringKind::Compression ? record_a() : record_e();
        r.coil_dia = r.wire_dia;
        Duty d = kind == SpringKind::Compression ? duty_a() : duty_e();
        const SpringVerdict v = check(r, d);
        // Everything but the load band needs the mean diameter.
        for (const Check& c : v.checks)
            EXPECT_EQ(c.kind, Kind::LoadBand);
        for (const Absent& a : v.absent)
            EXPECT_EQ(a.reason, "線径またはコイル径のデータがない");
        EXPECT_EQ(v.checks.size() + v.absent.size(), kind == SpringKind::Compression ? 15u : 7u)
            << "every check but that of the coil counts, which needs the mean diameter";
    }
}

TEST(SpringChecksListAbsent, CycleCount) {
    Duty d = duty_a();
    d.cycles.reset();
    EXPECT_EQ(absent_of(check(record_a(), d)),
              (Missing{{Kind::Fatigue, Site::Spring, "繰返し回数がない"}}));
    d.cycles = 500;
    EXPECT_EQ(absent_of(check(record_a(), d)),
              (Missing{{Kind::Fatigue, Site::Spring, "繰返し回数が疲れ限度線の範囲外"}}));
}

TEST(SpringChecksListAbsent, NothingAskedNothingChecked) {
    // Without a range there is no working point and no absent fatigue check either.
    const Duty d{SpringKind::Compression, std::nullopt, std::nullopt, std::nullopt, 1e7};
    const SpringVerdict v = check(record_a(), d);
    EXPECT_TRUE(v.absent.empty());
    std::vector<Kind> kinds;
    for (const Check& c : v.checks)
        kinds.push_back(c.kind);
    EXPECT_EQ(kinds,
              (std::vector<Kind>{Kind::Coils, Kind::MinimumLength, Kind::SolidStress,
                                 Kind::NaturalFrequency}));
}

// ---- The checker ------------------------------------------------------------------

TEST(SpringChecksChecker, ConditionsOutsideTheirDomainThrow) {
    const Duty d = duty_a();
    for (double nu : {0.0, -0.5, std::nan(""), kInf})
        EXPECT_THROW(SpringChecker(d, {nu}), EspringCheckException) << nu;
    for (double t : {-0.01, 1.0, std::nan("")}) {
        EXPECT_THROW(SpringChecker(d, {0.5, Ends::Unground, Loading::Static, t}),
                     EspringCheckException)
            << t;
    }
    Duty bad = d;
    bad.length2 = std::nan("");
    EXPECT_THROW(SpringChecker(bad, {}), EspringCheckException);
    bad = d;
    bad.range->second = kInf;
    EXPECT_THROW(SpringChecker(bad, {}), EspringCheckException);
    EXPECT_NO_THROW(SpringChecker(d, {0.5, Ends::Unground, Loading::Static, 0.0}));
}

TEST(SpringChecksChecker, OneCheckerServesManyRecords) {
    const SpringChecker checker(duty_a(), {});
    Record stainless = record_a();
    stainless.material = "SUS304WPB";
    Record unknown = record_a();
    unknown.material = "XYZ";
    const SpringVerdict first = checker.check(record_a());
    checker.check(stainless);
    checker.check(unknown);
    const SpringVerdict again = checker.check(record_a());
    ASSERT_EQ(first.checks.size(), again.checks.size());
    for (std::size_t i = 0; i < first.checks.size(); ++i) {
        EXPECT_EQ(first.checks[i].value, again.checks[i].value);
        EXPECT_EQ(first.checks[i].limit, again.checks[i].limit);
        EXPECT_EQ(first.checks[i].reason, again.checks[i].reason);
    }
    // Same rate, same geometry: the frequency goes as 1/sqrt(G rho), since the number of
    // active coils grows with G.
    const double ratio = get(checker.check(stainless), Kind::NaturalFrequency, Site::Spring).value /
                         get(first, Kind::NaturalFrequency, Site::Spring).value;
    EXPECT_NEAR(ratio, std::sqrt(78500 * 7.85 / (68500 * 7.93)), 1e-14);
    spr_mat::reset_current_material();
}

TEST(SpringChecksChecker, StrengthsKeptPerGradeAndDiameterMatchAFreshChecker) {
    // More grade and diameter pairs than the checker keeps, twice over: each record
    // gets exactly what a checker of its own gives it.
    const char* const designations[] = {
        "SW-B",  "SW-C",    "SWP-A",     "SWP-B",   "SWP",     "SWPV",      "SWO-A",  "SWO-B",
        "SWOCV", "SWOCVV",  "SUP4",      "SUP6",    "SUP9",    "SUP10",     "SUP11",  "SUS-WH2",
        "SUS",   "SUS-WPB", "SUS304WPB", "SUS-WH1", "SUS-WPA", "SUS304WPA", "unknown"};
    const SpringChecker checker(duty_a(), {});
    for (int round = 0; round < 2; ++round) {
        for (const char* material : designations) {
            for (double d : {0.5, 1.0, 2.0, 2.6, 3.2, 5.0, 8.0, 10.0}) {
                SCOPED_TRACE(testing::Message() << material << " " << d);
                const Record r{material, 50, 0, 25, 1, 10 * d, d, 15.5};
                const SpringVerdict kept = checker.check(r);
                const SpringVerdict fresh = check(r, duty_a());
                ASSERT_EQ(kept.checks.size(), fresh.checks.size());
                for (std::size_t i = 0; i < kept.checks.size(); ++i) {
                    EXPECT_EQ(kept.checks[i].value, fresh.checks[i].value);
                    EXPECT_EQ(kept.checks[i].limit, fresh.checks[i].limit);
                    EXPECT_EQ(kept.checks[i].reason, fresh.checks[i].reason);
                }
                EXPECT_EQ(absent_of(kept), absent_of(fresh));
            }
        }
    }
    spr_mat::reset_current_material();
}

TEST(SpringChecksChecker, AbsurdValuesAreAbsentNotInfinite) {
    Record r = record_a();
    r.turn = 1e308; // the load at solid lies beyond the double range
    const SpringVerdict v = check(r, duty_a());
    for (const Check& c : v.checks) {
        EXPECT_TRUE(std::isfinite(c.value));
        EXPECT_TRUE(std::isfinite(c.margin));
    }
    EXPECT_EQ(absent_of(v).count({Kind::SolidStress, Site::Spring, "計算できない値"}), 1u);
}

