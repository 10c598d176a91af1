// The checks of one spring: springs that pass, each way of failing, and the
// verdicts at the limits themselves.
#include "spring_check_list_support.h"

#include <gtest/gtest.h>

using namespace checklist_test;
using namespace spring_checks;

// ---- Springs that pass -------------------------------------------------------

TEST(SpringChecksList, CompressionSpringThatPasses) {
    const SpringVerdict v = check(record_a(), duty_a());
    expect_rows(
        all_checks(v),
        {
            // clang-format off
{Kind::Coils, Site::Spring, Verdict::Ok, 15.5, 13.460219478737997, 12.5, 0.07681755829903979},
{Kind::StaticStress, Site::Length1, Verdict::Ok, 35.0, 0.30668521681136174, 0.8, 0.6166434789857979},
{Kind::StaticStress, Site::Length2, Verdict::Ok, 30.0, 0.408913622415149, 0.8, 0.4888579719810638},
{Kind::MinimumLength, Site::Length1, Verdict::Ok, 35.0, 35.0, 19.981438614540465, 0.7516256299248917},
{Kind::MinimumLength, Site::Length2, Verdict::Ok, 30.0, 30.0, 19.981438614540465, 0.5013933970784786},
{Kind::MinimumLength, Site::RangeShorter, Verdict::Ok, 30.0, 30.0, 19.981438614540465, 0.5013933970784786},
{Kind::MinimumLength, Site::RangeLonger, Verdict::Ok, 35.0, 35.0, 19.981438614540465, 0.7516256299248917},
{Kind::MinimumLength, Site::CatalogueLmax, Verdict::Ok, 25.0, 25.0, 19.981438614540465, 0.2511611642320655},
{Kind::Buckling, Site::Length1, Verdict::Ok, 35.0, 15.0, 27.526245796555575, 0.45506553596651433},
{Kind::Buckling, Site::Length2, Verdict::Ok, 30.0, 20.0, 27.526245796555575, 0.2734207146220191},
{Kind::Buckling, Site::RangeShorter, Verdict::Ok, 30.0, 20.0, 27.526245796555575, 0.2734207146220191},
{Kind::SolidStress, Site::Spring, Verdict::Ok, 17.0, 756.3042895726867, 1120.9365767700028, 0.32529252301500416},
{Kind::Fatigue, Site::Spring, Verdict::Ok, 0.2212521783473402, 0.2950029044631203, 0.4216887649032548, 0.3004250314072257},
{Kind::NaturalFrequency, Site::Spring, Verdict::Ok, 0.0, 326.41339570724045, 0.0, 0.0},
{Kind::LoadBand, Site::Length1, Verdict::Ok, 35.0, 13.5, 16.5, 0.1},
{Kind::LoadBand, Site::Length2, Verdict::Ok, 30.0, 18.0, 22.0, 0.1},
            // clang-format on
        });
    EXPECT_EQ(v.overall, Verdict::Ok);
    EXPECT_TRUE(v.absent.empty());
    EXPECT_EQ(get(v, Kind::StaticStress, Site::Length1).reason, "応力比 τ0/τa は 0.8 未満");
    EXPECT_EQ(get(v, Kind::Buckling, Site::Length2).reason, "座屈のおそれなし (両端固定 ν=0.5)");
    EXPECT_EQ(get(v, Kind::MinimumLength, Site::CatalogueLmax).reason,
              "カタログの最大長は最小使用長さ以上");
    EXPECT_EQ(get(v, Kind::SolidStress, Site::Spring).reason, "密着時の応力は許容応力以下");
    EXPECT_EQ(get(v, Kind::Fatigue, Site::Spring).reason, "作動点は疲れ強さの許容域内");
}

TEST(SpringChecksList, ExtensionSpringThatPasses) {
    const SpringVerdict v = check(record_e(), duty_e());
    expect_rows(
        all_checks(v),
        {
            // clang-format off
{Kind::Coils, Site::Spring, Verdict::Ok, 14.0, 13.460219478737997, 13.0, 0.035401498364461326},
{Kind::StaticStress, Site::Length1, Verdict::Ok, 40.0, 0.2862395356906043, 0.64, 0.5527507254834308},
{Kind::StaticStress, Site::Length2, Verdict::Ok, 50.0, 0.49069634689817876, 0.64, 0.23328695797159568},
{Kind::Fatigue, Site::Spring, Verdict::Ok, 0.2065020331241842, 0.35400348535574433, 0.4135761872430423, 0.14404287220794326},
{Kind::InitialStress, Site::Spring, Verdict::Ok, 30.0, 91.67324722093171, 111.01575010907418, 0.17423206048815815},
{Kind::NaturalFrequency, Site::Spring, Verdict::Ok, 0.0, 326.41339570724045, 0.0, 0.0},
{Kind::LoadBand, Site::Length1, Verdict::Ok, 40.0, 12.6, 15.4, 0.1},
{Kind::LoadBand, Site::Length2, Verdict::Ok, 50.0, 21.6, 26.4, 0.1},
            // clang-format on
        });
    EXPECT_EQ(v.overall, Verdict::Ok);
    EXPECT_TRUE(v.absent.empty());
    EXPECT_EQ(get(v, Kind::StaticStress, Site::Length2).reason, "応力比 τ0/τa は 0.64 未満");
    EXPECT_EQ(get(v, Kind::InitialStress, Site::Spring).reason, "初応力は通常の範囲内");
}

TEST(SpringChecksList, RangeAsLoadsWithGroundEndsAndDynamicLoading) {
    // fo = 2 N at lo = 50: the free length is 52 mm. The loads 22 and 12 N lie at 30
    // and 40 mm on the load line; seating 0.7 lets the spring buckle there.
    const Record r{"SWP-B", 50, 2, 25, 1, 10, 1, 15.5};
    const Duty d{SpringKind::Compression, 35.0, std::nullopt,
                 OperatingRange{OperatingRange::Given::Loads, 22, 12}, 2e6};
    const SpringVerdict v = check(r, d, {0.7, Ends::Ground, Loading::Dynamic, 0.05});
    expect_rows(
        all_checks(v),
        {
            // clang-format off
{Kind::Coils, Site::Spring, Verdict::Ok, 15.5, 13.460219478737997, 12.5, 0.07681755829903979},
{Kind::StaticStress, Site::Length1, Verdict::Ok, 35.0, 0.34757657905287664, 0.8, 0.5655292761839043},
{Kind::MinimumLength, Site::Length1, Verdict::Ok, 35.0, 35.0, 19.972157921810698, 0.7524395779876178},
{Kind::MinimumLength, Site::RangeShorter, Verdict::Ok, 30.0, 30.0, 19.972157921810698, 0.5020910668465295},
{Kind::MinimumLength, Site::RangeLonger, Verdict::Ok, 40.0, 40.0, 19.972157921810698, 1.002788089128706},
{Kind::MinimumLength, Site::CatalogueLmax, Verdict::Ok, 25.0, 25.0, 19.972157921810698, 0.2517425557054413},
{Kind::Buckling, Site::Length1, Verdict::Fail, 35.0, 17.0, 10.122071678131565, -0.6794980850341135},
{Kind::Buckling, Site::RangeShorter, Verdict::Fail, 30.0, 22.0, 10.122071678131565, -1.1734681100441469},
{Kind::SolidStress, Site::Spring, Verdict::Ok, 15.5, 836.5183808910019, 1120.9365767700028, 0.2537326390923531},
{Kind::Fatigue, Site::Spring, Verdict::Ok, 0.17700174267787216, 0.3245031949094323, 0.4109050010634865, 0.21027197510478768},
{Kind::NaturalFrequency, Site::Spring, Verdict::Ok, 0.0, 326.41339570724045, 0.0, 0.0},
{Kind::LoadBand, Site::Length1, Verdict::Ok, 35.0, 16.15, 17.85, 0.05},
            // clang-format on
        });
    EXPECT_EQ(v.overall, Verdict::Fail);
    EXPECT_EQ(get(v, Kind::Buckling, Site::RangeShorter).reason,
              "座屈のおそれ (一端固定・他端回転支持 ν=0.7)");
}

// ---- Each way of failing -------------------------------------------------------

TEST(SpringChecksList, StaticStressAtOrAboveTheRedLimit) {
    const Record r{"SWP-B", 50, 0, 25, 1.7, 10, 1, 10};
    const Duty d{SpringKind::Compression, 35.0, 25.0, std::nullopt, 1e7};
    const SpringVerdict v = check(r, d);
    expect_rows(not_ok(v), {
                               // clang-format off
{Kind::StaticStress, Site::Length2, Verdict::Fail, 25.0, 0.8689414476321916, 0.8, -0.08617680954023939},
{Kind::SolidStress, Site::Spring, Verdict::Caution, 11.5, 1500.003507652495, 1120.9365767700028, -0.338169829353575},
                               // clang-format on
                           });
    EXPECT_EQ(v.overall, Verdict::Fail);
    EXPECT_EQ(reason(not_ok(v), 0), "応力比 τ0/τa が 0.8 以上");
}

TEST(SpringChecksList, ExtensionSpringsHaveTheLowerLimit) {
    Duty d = duty_e();
    d.length2 = 60.0;
    d.range.reset();
    const SpringVerdict v = check(record_e(), d);
    expect_rows(not_ok(v), {{Kind::StaticStress, Site::Length2, Verdict::Fail, 60.0,
                             0.6951531581057533, 0.64, -0.08617680954023946}});
    EXPECT_EQ(reason(not_ok(v), 0), "応力比 τ0/τa が 0.64 以上");
    // The same ratio passes the limit of a compression spring.
    d.kind = SpringKind::Compression;
    EXPECT_EQ(get(check(record_e(), d), Kind::StaticStress, Site::Length2).verdict, Verdict::Ok);
}

TEST(SpringChecksList, ShorterThanTheSmallestUsableLength) {
    const Record r{"SWP-B", 40, 0, 18, 1, 10, 1, 15.5};
    const Duty d{SpringKind::Compression, 30.0, 19.0,
                 OperatingRange{OperatingRange::Given::Lengths, 30, 19}, 1e7};
    const SpringVerdict v = check(r, d);
    expect_rows(not_ok(v), {
                               // clang-format off
{Kind::MinimumLength, Site::Length2, Verdict::Fail, 19.0, 19.0, 19.981438614540465, -0.049117515183630216},
{Kind::MinimumLength, Site::RangeShorter, Verdict::Fail, 19.0, 19.0, 19.981438614540465, -0.049117515183630216},
{Kind::MinimumLength, Site::CatalogueLmax, Verdict::Caution, 18.0, 18.0, 19.981438614540465, -0.09916396175291284},
                               // clang-format on
                           });
    EXPECT_EQ(v.overall, Verdict::Fail);
    EXPECT_EQ(reason(not_ok(v), 0), "最小使用長さより短い");
    EXPECT_EQ(reason(not_ok(v), 2), "カタログの最大長が最小使用長さより短い");
    // Too short to buckle with both ends fixed.
    const Check* buckling = find(v, Kind::Buckling, Site::Length2);
    ASSERT_NE(buckling, nullptr);
    EXPECT_EQ(buckling->limit, kInf);
    EXPECT_EQ(buckling->margin, 1.0);
    EXPECT_EQ(buckling->reason, "座屈しない (両端固定 ν=0.5)");
}

TEST(SpringChecksList, CatalogueLmaxBelowTheSmallestUsableLengthIsOnlyACaution) {
    Record r = record_a();
    r.lmax = 19.5;
    Duty d = duty_a();
    d.range.reset();
    const SpringVerdict v = check(r, d);
    ASSERT_EQ(not_ok(v).size(), 1u);
    EXPECT_EQ(not_ok(v)[0].site, Site::CatalogueLmax);
    EXPECT_EQ(v.overall, Verdict::Caution);
}

TEST(SpringChecksList, BucklingDependsOnTheSeating) {
    const SpringVerdict v =
        check(record_a(), duty_a(), {1.0, Ends::Unground, Loading::Static, 0.1});
    expect_rows(not_ok(v), {
                               // clang-format off
{Kind::Buckling, Site::Length1, Verdict::Fail, 35.0, 15.0, 4.824929406711518, -2.1088537749660903},
{Kind::Buckling, Site::Length2, Verdict::Fail, 30.0, 20.0, 4.824929406711518, -3.1451383666214534},
{Kind::Buckling, Site::RangeShorter, Verdict::Fail, 30.0, 20.0, 4.824929406711518, -3.1451383666214534},
                               // clang-format on
                           });
    EXPECT_EQ(reason(not_ok(v), 0), "座屈のおそれ (両端回転支持 ν=1)");
    const SpringVerdict free_end = check(record_a(), duty_a(), {2.0});
    EXPECT_EQ(get(free_end, Kind::Buckling, Site::Length1).reason,
              "座屈のおそれ (一端固定・他端自由 ν=2)");
    const SpringVerdict other = check(record_a(), duty_a(), {0.55});
    EXPECT_EQ(get(other, Kind::Buckling, Site::Length1).reason,
              "座屈のおそれなし (指定の座り係数 ν)");
}

TEST(SpringChecksList, StressAtSolidAboveTheAllowableStress) {
    const Record r{"SWP-B", 50, 0, 25, 1.5, 10, 1, 11};
    const SpringVerdict v = check(r, duty_a());
    expect_rows(not_ok(v), {{Kind::SolidStress, Site::Spring, Verdict::Caution, 12.5,
                             1289.1550390443522, 1120.9365767700028, -0.15006956304260652}});
    EXPECT_EQ(v.overall, Verdict::Caution);
    EXPECT_EQ(reason(not_ok(v), 0), "密着時の応力が許容応力を超える (へたりのおそれ)");
}

TEST(SpringChecksList, WorkingPointOutsideTheFatigueRegion) {
    Duty d = duty_a();
    d.range = OperatingRange{OperatingRange::Given::Lengths, 25, 45};
    const SpringVerdict v = check(record_a(), d);
    expect_rows(not_ok(v), {{Kind::Fatigue, Site::Spring, Verdict::Fail, 0.07375072611578007,
                             0.3687536305789003, 0.3405629883011293, -0.0827765883145369}});
    EXPECT_EQ(reason(not_ok(v), 0), "作動点が疲れ強さの許容域外");
    // Fewer cycles raise the fatigue-limit line above the point.
    d.cycles = 1e5;
    EXPECT_EQ(get(check(record_a(), d), Kind::Fatigue, Site::Spring).verdict, Verdict::Ok);
    // Low but left of the axis (a negative load typed as the range): outside as well.
    d.range = OperatingRange{OperatingRange::Given::Loads, -5, 10};
    EXPECT_EQ(get(check(record_a(), d), Kind::Fatigue, Site::Spring).verdict, Verdict::Fail);
}

TEST(SpringChecksList, InitialStressOutsideTheUsualRange) {
    Record low = record_e();
    low.fo = 2;
    const SpringVerdict v = check(low, duty_e());
    expect_rows(not_ok(v), {{Kind::InitialStress, Site::Spring, Verdict::Caution, 30.0,
                             45.83662361046586, 68.55421164753571, -0.33138136215277264}});
    EXPECT_EQ(reason(not_ok(v), 0), "初応力が通常の範囲より低い");
    EXPECT_EQ(v.overall, Verdict::Caution);

    Record high = record_e();
    high.fo = 6;
    const SpringVerdict w = check(high, duty_e());
    expect_rows(not_ok(w), {{Kind::InitialStress, Site::Spring, Verdict::Caution, 30.0,
                             137.50987083139756, 111.01575010907418, -0.23865190926776275}});
    EXPECT_EQ(reason(not_ok(w), 0), "初応力が通常の範囲より高い");
}

// ---- The limits themselves ---------------------------------------------------------

TEST(SpringChecksList, VerdictsAtTheLimits) {
    // The smallest usable length itself is usable; one step shorter is not.
    const Duty lengths_only{SpringKind::Compression, 30.0, std::nullopt, std::nullopt,
                            std::nullopt};
    const double ln =
        get(check(record_a(), lengths_only), Kind::MinimumLength, Site::Length1).limit;
    Duty at_ln = lengths_only;
    at_ln.length1 = ln;
    EXPECT_EQ(get(check(record_a(), at_ln), Kind::MinimumLength, Site::Length1).verdict,
              Verdict::Ok);
    at_ln.length1 = std::nextafter(ln, 0.0);
    EXPECT_EQ(get(check(record_a(), at_ln), Kind::MinimumLength, Site::Length1).verdict,
              Verdict::Fail);
    Record r = record_a();
    r.lmax = ln;
    EXPECT_EQ(get(check(r, lengths_only), Kind::MinimumLength, Site::CatalogueLmax).verdict,
              Verdict::Ok);
    r.lmax = std::nextafter(ln, 0.0);
    EXPECT_EQ(get(check(r, lengths_only), Kind::MinimumLength, Site::CatalogueLmax).verdict,
              Verdict::Caution);

    // A ratio equal to the red limit, and a deflection equal to the buckling one, fail.
    // Walk the rate (or the length) a unit in the last place at a time until the value
    // meets the limit exactly.
    const auto walk = [](auto value_at, double start, double target) {
        double x = start;
        for (int i = 0; i < 1000; ++i) {
            const double v = value_at(x);
            if (v == target)
                return x;
            x = std::nextafter(x, v < target ? kInf : -kInf);
        }
        ADD_FAILURE() << "no argument gives exactly " << target;
        return start;
    };
    const Duty at25{SpringKind::Compression, 25.0, std::nullopt, std::nullopt, std::nullopt};
    const auto ratio_at = [&](double k) {
        Record s = record_a();
        s.k = k;
        return get(check(s, at25), Kind::StaticStress, Site::Length1).value;
    };
    Record red = record_a();
    red.k = walk(ratio_at, 0.8 * 1120.9365767700028 * 3.141592653589793 / (8 * 9 * 25), 0.8);
    EXPECT_EQ(get(check(red, at25), Kind::StaticStress, Site::Length1).verdict, Verdict::Fail);
    red.k = std::nextafter(red.k, 0.0);
    EXPECT_EQ(get(check(red, at25), Kind::StaticStress, Site::Length1).verdict, Verdict::Ok);

    const double sk = get(check(record_a(), at25), Kind::Buckling, Site::Length1).limit;
    const auto deflection_at = [&](double L) {
        Duty d = at25;
        d.length1 = L;
        return get(check(record_a(), d), Kind::Buckling, Site::Length1).value;
    };
    Duty at_sk = at25;
    at_sk.length1 = walk(deflection_at, 50 - sk, sk);
    EXPECT_EQ(get(check(record_a(), at_sk), Kind::Buckling, Site::Length1).verdict, Verdict::Fail);
    at_sk.length1 = std::nextafter(*at_sk.length1, kInf);
    EXPECT_EQ(get(check(record_a(), at_sk), Kind::Buckling, Site::Length1).verdict, Verdict::Ok);
}
