#include "core/strength/spring_check_list.h"

#include "core/strength/spr_mat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace spring_checks;

constexpr double kInf = std::numeric_limits<double>::infinity();

// One check as tests/core/strength/reference_values.py prints it (crafted springs block).
struct Row {
    Kind kind;
    Site site;
    Verdict verdict;
    double at, value, limit, margin;
};

void expect_close(double actual, double expected, const char* what) {
    if (std::isinf(expected))
        EXPECT_EQ(actual, expected) << what;
    else
        EXPECT_NEAR(actual, expected, 1e-13 * std::max(1.0, std::fabs(expected))) << what;
}

void expect_rows(const std::vector<Check>& checks, const std::vector<Row>& rows) {
    ASSERT_EQ(checks.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "check " << i);
        const Check& c = checks[i];
        const Row& r = rows[i];
        EXPECT_EQ(c.kind, r.kind);
        EXPECT_EQ(c.site, r.site);
        EXPECT_EQ(c.verdict, r.verdict);
        expect_close(c.at, r.at, "at");
        expect_close(c.value, r.value, "value");
        expect_close(c.limit, r.limit, "limit");
        expect_close(c.margin, r.margin, "margin");
        EXPECT_FALSE(c.reason.empty());
    }
}

std::vector<Check> all_checks(const SpringVerdict& v) {
    return {v.checks.begin(), v.checks.end()};
}

std::vector<Check> not_ok(const SpringVerdict& v) {
    std::vector<Check> out;
    for (const Check& c : v.checks) {
        if (c.verdict != Verdict::Ok)
            out.push_back(c);
    }
    return out;
}

const Check* find(const SpringVerdict& v, Kind kind, Site site) {
    for (const Check& c : v.checks) {
        if (c.kind == kind && c.site == site)
            return &c;
    }
    return nullptr;
}

// The reason of the i-th of the checks; empty when there are fewer.
std::string_view reason(const std::vector<Check>& checks, std::size_t i) {
    return i < checks.size() ? checks[i].reason : std::string_view();
}

// The check of that kind at that site; a failure and a blank check when there is none.
const Check& get(const SpringVerdict& v, Kind kind, Site site) {
    static const Check none{};
    const Check* c = find(v, kind, site);
    if (!c) {
        ADD_FAILURE() << "no check " << static_cast<int>(kind) << " at " << static_cast<int>(site);
        return none;
    }
    return *c;
}

using Missing = std::set<std::tuple<Kind, Site, std::string>>;

Missing absent_of(const SpringVerdict& v) {
    Missing out;
    for (const Absent& a : v.absent)
        out.insert({a.kind, a.site, std::string(a.reason)});
    return out;
}

// The crafted springs of reference_values.py: compression spring A, extension spring E.
Record record_a() {
    return {"SWP-B", 50, 0, 25, 1, 10, 1, 15.5};
}
Duty duty_a() {
    return {SpringKind::Compression, 35.0, 30.0,
            OperatingRange{OperatingRange::Given::Lengths, 30, 35}, 1e7};
}
Record record_e() {
    return {"SWP-B", 30, 4, 60, 1, 10, 1, 40};
}
Duty duty_e() {
    return {SpringKind::Extension, 40.0, 50.0,
            OperatingRange{OperatingRange::Given::Lengths, 40, 50}, 1e7};
}

SpringVerdict check(const Record& r, const Duty& d, const CheckConditions& c = {}) {
    return check_spring(r, d, c);
}

// ---- Springs that pass -------------------------------------------------------

TEST(SpringChecksList, CompressionSpringThatPasses) {
    const SpringVerdict v = check(record_a(), duty_a());
    expect_rows(
        all_checks(v),
        {
            // clang-format off
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
              "座屈のおそれ (一端固定・他端回転自由 ν=0.7)");
}

// ---- Each way of failing -------------------------------------------------------

TEST(SpringChecksList, StaticStressAtOrAboveTheRedLimit) {
    const Record r{"SWP-B", 50, 0, 25, 1.7, 10, 1, 20};
    const Duty d{SpringKind::Compression, 35.0, 25.0, std::nullopt, 1e7};
    const SpringVerdict v = check(r, d);
    expect_rows(not_ok(v), {{Kind::StaticStress, Site::Length2, Verdict::Fail, 25.0,
                             0.8689414476321916, 0.8, -0.08617680954023939}});
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
    EXPECT_EQ(reason(not_ok(v), 0), "座屈のおそれ (両端回転自由 ν=1)");
    const SpringVerdict free_end = check(record_a(), duty_a(), {2.0});
    EXPECT_EQ(get(free_end, Kind::Buckling, Site::Length1).reason,
              "座屈のおそれ (一端固定・他端自由 ν=2)");
    const SpringVerdict other = check(record_a(), duty_a(), {0.55});
    EXPECT_EQ(get(other, Kind::Buckling, Site::Length1).reason,
              "座屈のおそれなし (指定の座り係数 ν)");
}

TEST(SpringChecksList, StressAtSolidAboveTheAllowableStress) {
    const Record r{"SWP-B", 50, 0, 25, 1.5, 10, 1, 15.5};
    const SpringVerdict v = check(r, duty_a());
    expect_rows(not_ok(v), {{Kind::SolidStress, Site::Spring, Verdict::Caution, 17.0,
                             1134.45643435903, 1120.9365767700028, -0.012061215477493727}});
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
                             45.83662361046586, 68.55421164753571, -0.2046339191938944}});
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
        EXPECT_EQ(v.checks.size() + v.absent.size(), kind == SpringKind::Compression ? 15u : 7u);
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
              (std::vector<Kind>{Kind::MinimumLength, Kind::SolidStress, Kind::NaturalFrequency}));
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

} // namespace
