#include "core/strength/spring_checks.h"

#include "core/strength/cls_sprg.h"
#include "core/strength/fatigue_lines.h"
#include "core/strength/float_error.h"
#include "core/strength/spr_mat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace spring_checks;

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

void expect_relative(double actual, double expected, double tolerance) {
    EXPECT_NEAR(actual, expected, tolerance * std::fabs(expected)) << "expected " << expected;
}

// ---- Elastic constants and grades --------------------------------------------

const char* const kSteelGrades[] = {"SW-B", "SW-C",  "SWP-A", "SWP-B", "SWP",
                                    "SWPV", "SWO-A", "SWO-B", "SWOCV", "SWOCVV",
                                    "SUP4", "SUP6",  "SUP9",  "SUP10", "SUP11"};
const char* const kStainlessGrades[] = {"SUS-WH2", "SUS304WPB", "SUS-WPB", "SUS",
                                        "SUS-WH1", "SUS304WPA", "SUS-WPA"};

TEST(SpringChecksElastic, SteelAndStainlessGrades) {
    for (const char* name : kSteelGrades) {
        SCOPED_TRACE(name);
        const auto c = elastic_constants(name);
        ASSERT_TRUE(c.has_value());
        EXPECT_EQ(c->shear_modulus, 78500);
        EXPECT_EQ(c->youngs_modulus, 206000);
        EXPECT_EQ(c->density, 7.85);
    }
    for (const char* name : kStainlessGrades) {
        SCOPED_TRACE(name);
        const auto c = elastic_constants(name);
        ASSERT_TRUE(c.has_value());
        EXPECT_EQ(c->shear_modulus, 68500);
        EXPECT_EQ(c->youngs_modulus, 186000);
        EXPECT_EQ(c->density, 7.93);
    }
}

TEST(SpringChecksElastic, OtherTextsHaveNone) {
    for (const char* name : {"", "swp-b", "SWP-B ", " SWP", "SUS304", "SUP12", "SWP-BB", "SW"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(elastic_constants(name).has_value());
        EXPECT_EQ(find_grade(name), nullptr);
    }
    // A designation followed by a zero byte is another text.
    EXPECT_FALSE(elastic_constants(std::string("SWP\0", 4)).has_value());
}

// The checks tell a diameter outside the grade from their own table; it has to give
// exactly the material table's answer at both limits.
TEST(SpringChecksElastic, DiameterRangesAgreeWithTheMaterialTable) {
    std::vector<const char*> all(std::begin(kSteelGrades), std::end(kSteelGrades));
    all.insert(all.end(), std::begin(kStainlessGrades), std::end(kStainlessGrades));
    for (const char* name : all) {
        SCOPED_TRACE(name);
        const Grade* g = find_grade(name);
        ASSERT_NE(g, nullptr);
        EXPECT_NO_THROW(spr_mat::allowable_stress(name, g->d_min));
        EXPECT_NO_THROW(spr_mat::allowable_stress(name, g->d_max));
        EXPECT_THROW(spr_mat::allowable_stress(name, std::nextafter(g->d_min, 0.0)),
                     spr_mat::EspringMaterialException);
        EXPECT_THROW(spr_mat::allowable_stress(name, std::nextafter(g->d_max, kInf)),
                     spr_mat::EspringMaterialException);
    }
    spr_mat::reset_current_material();
}

// ---- The formulas, against tests/core/strength/reference_values.py ------------------

TEST(SpringChecksFormulas, WorkedValues) {
    const double G = 78500, E = 206000;
    EXPECT_NEAR(active_coils(G, 1, 9, 2), 6.7301, 5e-5);
    EXPECT_EQ(solid_length(8, 1, Ends::Ground), 8);
    EXPECT_EQ(solid_length(8, 1, Ends::Unground), 9.5);
    EXPECT_NEAR(minimum_gap_sum(6.7301, 1, 9, Loading::Static), 1.4907, 5e-5);
    EXPECT_NEAR(minimum_gap_sum(6.7301, 1, 9, Loading::Dynamic), 2.2361, 5e-5);
    EXPECT_NEAR(buckling_deflection(50, 9, G, E, 0.5), 27.526, 5e-4);
    EXPECT_NEAR(buckling_deflection(50, 9, G, E, 1), 4.8249, 5e-5);
    EXPECT_NEAR(buckling_deflection(50, 9, G, E, 2), 1.1506, 5e-5);
    EXPECT_EQ(buckling_deflection(30, 9, G, E, 0.5), kInf);
    EXPECT_NEAR(natural_frequency(1, 9, 8, G, 7.85), 549.20, 5e-3);
    const InitialStressRange range = initial_stress_range(9);
    EXPECT_NEAR(range.low, 68.55, 5e-3);
    EXPECT_NEAR(range.high, 111.02, 5e-3);
}

TEST(SpringChecksFormulas, ActiveCoils) {
    struct Case {
        double G, d, D, k, n;
    };
    // Output of reference_values.py (active coils block).
    for (const Case& c : {Case{78500.0, 1.0, 9.0, 2.0, 6.730109739368999},
                          Case{68500.0, 0.5, 4.5, 0.3, 19.575903063557384},
                          Case{78500.0, 3.2, 25.6, 12.5, 4.90625}}) {
        SCOPED_TRACE(c.d);
        expect_relative(active_coils(c.G, c.d, c.D, c.k), c.n, 2e-16);
    }
}

TEST(SpringChecksFormulas, SolidLength) {
    struct Case {
        double total, d, ground, unground;
    };
    for (const Case& c : {Case{8.0, 1.0, 8.0, 9.5}, Case{12.25, 0.6, 7.35, 8.25},
                          Case{5.5, 3.2, 17.6, 22.400000000000002}}) {
        SCOPED_TRACE(c.total);
        expect_relative(solid_length(c.total, c.d, Ends::Ground), c.ground, 2e-16);
        expect_relative(solid_length(c.total, c.d, Ends::Unground), c.unground, 2e-16);
    }
}

TEST(SpringChecksFormulas, MinimumGapSum) {
    struct Case {
        double n, d, D, fixed, repeated;
    };
    for (const Case& c : {Case{6.730109739368999, 1.0, 9.0, 1.4907193072702332, 2.23607896090535},
                          Case{10.25, 0.5, 4.5, 1.1351875, 1.70278125},
                          Case{4.0, 3.2, 25.6, 2.5088, 3.7632000000000003}}) {
        SCOPED_TRACE(c.n);
        expect_relative(minimum_gap_sum(c.n, c.d, c.D, Loading::Static), c.fixed, 2e-16);
        expect_relative(minimum_gap_sum(c.n, c.d, c.D, Loading::Dynamic), c.repeated, 2e-16);
    }
}

TEST(SpringChecksFormulas, BucklingDeflection) {
    struct Case {
        double L0, D, G, E, nu, sk;
    };
    for (const Case& c : {
             Case{50.0, 9.0, 78500.0, 206000.0, 0.5, 27.526245796555575},
             Case{50.0, 9.0, 78500.0, 206000.0, 1.0, 4.824929406711518},
             Case{50.0, 9.0, 78500.0, 206000.0, 2.0, 1.1505759918657792},
             Case{50.0, 9.0, 78500.0, 206000.0, 0.7, 10.6672536244865},
             Case{30.0, 9.0, 78500.0, 206000.0, 0.5, std::numeric_limits<double>::infinity()},
             Case{80.0, 12.0, 68500.0, 186000.0, 0.5, 25.659448270779684},
             // Slender: 1 - sqrt(1 - a) with a near 1e-6 would lose six digits.
             Case{5000.0, 2.0, 78500.0, 206000.0, 1.0, 0.002240373631372343},
         }) {
        SCOPED_TRACE(testing::Message() << c.L0 << " " << c.nu);
        const double sk = buckling_deflection(c.L0, c.D, c.G, c.E, c.nu);
        if (std::isinf(c.sk))
            EXPECT_EQ(sk, kInf);
        else
            expect_relative(sk, c.sk, 4e-16);
    }
}

TEST(SpringChecksFormulas, BucklingTurnsInfiniteWhereTheRootTurnsNegative) {
    // The term under the root falls to zero at L0 = pi D sqrt(q) / nu with
    // q = (1 - G/E)/(0.5 + G/E); just above, the spring can buckle, at most at L0/2/(1-G/E).
    const double G = 78500, E = 206000, D = 9, nu = 0.5;
    const double q = (1 - G / E) / (0.5 + G / E);
    const double edge = 3.141592653589793 * D * std::sqrt(q) / nu;
    EXPECT_EQ(buckling_deflection(edge * (1 - 1e-9), D, G, E, nu), kInf);
    const double just_above = buckling_deflection(edge * (1 + 1e-9), D, G, E, nu);
    EXPECT_TRUE(std::isfinite(just_above));
    expect_relative(just_above, edge * 0.5 / (1 - G / E), 1e-4);
}

TEST(SpringChecksFormulas, NaturalFrequency) {
    struct Case {
        double d, D, n, G, density, f;
    };
    for (const Case& c : {Case{1.0, 9.0, 8.0, 78500.0, 7.85, 549.1994933774514},
                          Case{0.5, 4.5, 10.25, 68500.0, 7.93, 796.7736025475906},
                          Case{3.2, 25.6, 4.0, 78500.0, 7.85, 434.4253805036481}}) {
        SCOPED_TRACE(c.d);
        expect_relative(natural_frequency(c.d, c.D, c.n, c.G, c.density), c.f, 4e-16);
    }
}

TEST(SpringChecksFormulas, InitialStressRange) {
    struct Case {
        double c, low, high;
    };
    for (const Case& c : {Case{9.0, 68.55421164753571, 111.01575010907418},
                          Case{4.0, 125.23935383881658, 178.31627691573965},
                          Case{12.5, 44.65742194105686, 79.68819117182609},
                          // Beyond C = 29 the two ends change places.
                          Case{35.0, -0.5135180934813082, 12.22494344498023}}) {
        SCOPED_TRACE(c.c);
        const InitialStressRange range = initial_stress_range(c.c);
        expect_relative(range.low, c.low, 4e-16);
        expect_relative(range.high, c.high, 4e-16);
    }
}

// ---- Domain errors -----------------------------------------------------------

TEST(SpringChecksDomain, EveryArgumentOutsideItsDomainThrows) {
    const double G = 78500, E = 206000;
    struct Call {
        const char* name;
        double good; // a value inside the domain, for the same call
        std::function<double(double)> call;
    };
    // Each call puts the value into one argument and keeps the others valid.
    const Call calls[] = {
        {"active_coils G", G, [&](double v) { return active_coils(v, 1, 9, 2); }},
        {"active_coils d", 1, [&](double v) { return active_coils(G, v, 9, 2); }},
        {"active_coils D", 9, [&](double v) { return active_coils(G, 1, v, 2); }},
        {"active_coils k", 2, [&](double v) { return active_coils(G, 1, 9, v); }},
        {"solid_length n", 8, [&](double v) { return solid_length(v, 1, Ends::Ground); }},
        {"solid_length d", 1, [&](double v) { return solid_length(8, v, Ends::Unground); }},
        {"gap n", 6, [&](double v) { return minimum_gap_sum(v, 1, 9, Loading::Static); }},
        {"gap d", 1, [&](double v) { return minimum_gap_sum(6, v, 9, Loading::Static); }},
        {"gap D", 9, [&](double v) { return minimum_gap_sum(6, 1, v, Loading::Dynamic); }},
        {"buckling L0", 50, [&](double v) { return buckling_deflection(v, 9, G, E, 0.5); }},
        {"buckling D", 9, [&](double v) { return buckling_deflection(50, v, G, E, 0.5); }},
        {"buckling G", G, [&](double v) { return buckling_deflection(50, 9, v, E, 0.5); }},
        {"buckling E", E, [&](double v) { return buckling_deflection(50, 9, G, v, 0.5); }},
        {"buckling nu", 0.5, [&](double v) { return buckling_deflection(50, 9, G, E, v); }},
        {"frequency d", 1, [&](double v) { return natural_frequency(v, 9, 8, G, 7.85); }},
        {"frequency D", 9, [&](double v) { return natural_frequency(1, v, 8, G, 7.85); }},
        {"frequency n", 8, [&](double v) { return natural_frequency(1, 9, v, G, 7.85); }},
        {"frequency G", G, [&](double v) { return natural_frequency(1, 9, 8, v, 7.85); }},
        {"frequency density", 7.85, [&](double v) { return natural_frequency(1, 9, 8, G, v); }},
        {"initial stress C", 9, [&](double v) { return initial_stress_range(v).low; }},
    };
    for (const Call& c : calls) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(std::isfinite(c.call(c.good)));
        for (double bad : {0.0, -0.0, -1.0, -1e300, kNaN, kInf, -kInf})
            EXPECT_THROW(c.call(bad), EspringCheckException) << bad;
    }
}

TEST(SpringChecksDomain, ShearModulusMustStayBelowYoungsModulus) {
    EXPECT_THROW(buckling_deflection(50, 9, 206000, 206000, 0.5), EspringCheckException);
    EXPECT_THROW(buckling_deflection(50, 9, 206001, 206000, 0.5), EspringCheckException);
    EXPECT_TRUE(std::isfinite(buckling_deflection(50, 9, 205999, 206000, 0.5)));
}

TEST(SpringChecksDomain, MessagesNameTheArgument) {
    const auto message = [](auto f) -> std::string {
        try {
            f();
        } catch (const EspringCheckException& e) {
            return e.what();
        }
        return "<no exception>";
    };
    EXPECT_EQ(message([] { active_coils(78500, 0, 9, 2); }), "Wire diameter must be positive.");
    EXPECT_EQ(message([] { solid_length(kNaN, 1, Ends::Ground); }),
              "Total number of coils is not a finite number.");
    EXPECT_EQ(message([] { buckling_deflection(50, 9, 206000, 78500, 0.5); }),
              "Shear modulus must be smaller than Young's modulus.");
}

TEST(SpringChecksDomain, ResultsBeyondTheDoubleRangeThrowInsteadOfInfinity) {
    EXPECT_THROW(active_coils(1e300, 1e300, 1e-300, 1e-300), EspringCheckException);
    EXPECT_THROW(solid_length(1e300, 1e300, Ends::Ground), EspringCheckException);
    EXPECT_THROW(minimum_gap_sum(1e300, 1e-300, 1e300, Loading::Dynamic), EspringCheckException);
    EXPECT_THROW(natural_frequency(1e300, 1e-300, 1e-300, 1, 1), EspringCheckException);
}

// ---- The fatigue region against the outline the diagram draws -----------------

struct Point {
    double x, y;
};

// The corners of the drawn outline, in order around it.
std::vector<Point> outline_corners(double cycles) {
    const auto s = strength::dynarea_outline(cycles);
    return {{s[0].x0, s[0].y0}, {s[0].x1, s[0].y1}, {s[1].x1, s[1].y1}, {s[2].x1, s[2].y1}};
}

class SpringChecksFatigueRegion : public ::testing::TestWithParam<double> {};

TEST_P(SpringChecksFatigueRegion, AgreesWithTheDrawnOutline) {
    const double cycles = GetParam();
    const std::vector<Point> corner = outline_corners(cycles);
    ASSERT_LT(corner[1].y, 0.45);
    for (const Point& p : corner)
        EXPECT_TRUE(fatigue_admissible(p.x, p.y, cycles)) << p.x << " " << p.y;

    Point centre{0, 0};
    for (const Point& p : corner) {
        centre.x += p.x / 4;
        centre.y += p.y / 4;
    }
    const double eps = 1e-9;
    for (std::size_t i = 0; i < corner.size(); ++i) {
        const Point a = corner[i], b = corner[(i + 1) % corner.size()];
        SCOPED_TRACE(testing::Message() << "edge " << i);
        double nx = -(b.y - a.y), ny = b.x - a.x;
        const double length = std::hypot(nx, ny);
        nx /= length;
        ny /= length;
        for (double t : {0.1, 0.5, 0.9}) {
            const Point m{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
            const double side = (centre.x - m.x) * nx + (centre.y - m.y) * ny > 0 ? 1 : -1;
            EXPECT_TRUE(fatigue_admissible(m.x + side * eps * nx, m.y + side * eps * ny, cycles));
            EXPECT_FALSE(fatigue_admissible(m.x - side * eps * nx, m.y - side * eps * ny, cycles));
        }
    }
}

// Every point of a grid over the diagram, against the convex outline's edges.
TEST_P(SpringChecksFatigueRegion, GridAgreesWithTheDrawnOutline) {
    const double cycles = GetParam();
    const std::vector<Point> corner = outline_corners(cycles);
    const FatigueRegion region(cycles);
    int inside = 0;
    for (int i = -5; i <= 75; ++i) {
        for (int j = -5; j <= 75; ++j) {
            const Point p{i * 0.00937, j * 0.00937};
            bool in_outline = true;
            for (std::size_t e = 0; e < corner.size(); ++e) {
                const Point a = corner[e], b = corner[(e + 1) % corner.size()];
                // The corners run clockwise: inside is on the right of every edge.
                if ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x) > 0)
                    in_outline = false;
            }
            EXPECT_EQ(region.contains(p.x, p.y), in_outline) << p.x << " " << p.y;
            EXPECT_EQ(fatigue_admissible(p.x, p.y, cycles), in_outline);
            inside += in_outline;
        }
    }
    EXPECT_GT(inside, 100);
}

INSTANTIATE_TEST_SUITE_P(SpringChecks, SpringChecksFatigueRegion,
                         ::testing::Values(2e4, 1e5, 1e6, 1e7, 1.38e8, 1e12));

TEST(SpringChecksFatigue, BelowTenThousandCyclesTheRegionIsTheTriangleUnder045) {
    // The fatigue-limit line starts above 0.45 and bounds nothing: the drawn outline
    // runs left of the axis and the region is the triangle under the 0.45 limit.
    for (double cycles : {1e4, 5e3, 1336.0, 1e3}) {
        SCOPED_TRACE(cycles);
        const double r = cls_sprg::fatigue_limit_ratio(cycles);
        ASSERT_GT(r, 0.45);
        EXPECT_FALSE(fatigue_admissible(0, r, cycles));
        EXPECT_TRUE(fatigue_admissible(0, 0.45, cycles));
        EXPECT_TRUE(fatigue_admissible(0.45, 0.45, cycles));
        EXPECT_TRUE(fatigue_admissible(0, 0, cycles));
        EXPECT_TRUE(fatigue_admissible(0.2, 0.45, cycles));
        EXPECT_FALSE(fatigue_admissible(0.2, 0.4500001, cycles));
        EXPECT_FALSE(fatigue_admissible(-1e-9, 0.3, cycles));
        EXPECT_FALSE(fatigue_admissible(0.3, 0.3 - 1e-9, cycles));
        EXPECT_EQ(FatigueRegion(cycles).highest(0), 0.45);
    }
}

TEST(SpringChecksFatigue, HighestAdmissibleStressFollowsTheFatigueLimitLine) {
    const FatigueRegion region(1e7);
    const double r = 0.30000010000006655; // reference_values.py (fatigue block)
    EXPECT_EQ(region.limit_ratio(), cls_sprg::fatigue_limit_ratio(1e7));
    for (double x : {0.0, 0.05, 0.1, 0.2, 0.27})
        EXPECT_NEAR(region.highest(x), r + (1 - 1.5 * r) * x, 1e-15) << x;
    EXPECT_EQ(region.highest(-0.1), region.highest(0));
    EXPECT_EQ(region.highest(0.2728), 0.45);
    EXPECT_EQ(region.highest(0.6), 0.45);
}

TEST(SpringChecksFatigue, DomainErrorsAreThoseOfTheFatigueLimit) {
    for (double cycles : {500.0, 545.7, 0.0, -1e7, kNaN}) {
        SCOPED_TRACE(cycles);
        std::string limit_error, region_error;
        try {
            cls_sprg::fatigue_limit_ratio(cycles);
        } catch (const float_error::EFloatError& e) {
            limit_error = e.what();
        }
        try {
            fatigue_admissible(0.1, 0.2, cycles);
        } catch (const float_error::EFloatError& e) {
            region_error = e.what();
        }
        EXPECT_FALSE(limit_error.empty());
        EXPECT_EQ(region_error, limit_error);
    }
    EXPECT_NO_THROW(fatigue_admissible(0.1, 0.2, 545.8));
    EXPECT_THROW(fatigue_admissible(kNaN, 0.2, 1e7), EspringCheckException);
    EXPECT_THROW(fatigue_admissible(0.1, kInf, 1e7), EspringCheckException);
}

} // namespace
