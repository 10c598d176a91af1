#include "core/search/nearness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

using geometry::Segment;
using search::near_window;
using search::NearWindow;
using search::scaled_window;
using search::window_nearness;

Segment line(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y1}};
}

// The window the search builds from a value and a positive tolerance.
geometry::Window search_window(double length, double lt, double force, double ft) {
    return search::window_corners({length - lt, length + lt}, {force - ft, force + ft});
}

// Binary-exact working point: 25 +- 1 mm, 20 +- 0.5 N.
const NearWindow kPoint = near_window(25, 1, 20, 0.5);

TEST(Nearness, InsideTheWindowIsAtMostOne) {
    EXPECT_EQ(window_nearness(kPoint, line(30, 0, 20, 40)), 0); // through the centre
    // Passes 2 N above the centre: the factor where x - 25 = (y - 20) / 0.5.
    EXPECT_NEAR(window_nearness(kPoint, line(30, 2, 20, 42)), 4.0 / 9, 1e-15);
    EXPECT_LE(window_nearness(kPoint, line(25.5, 20.2, 25.6, 20.3)), 1); // wholly inside
}

TEST(Nearness, TouchingACornerIsExactlyOne) {
    EXPECT_EQ(window_nearness(kPoint, line(27, 20, 25, 21)), 1);   // through (26, 20.5)
    EXPECT_EQ(window_nearness(kPoint, line(26, 20.5, 30, 40)), 1); // ends on it
    EXPECT_EQ(window_nearness(kPoint, line(23, 18, 24, 19.5)), 1); // ends on (24, 19.5)
    // The decimal window of the worked example, where the corner is not exact in binary.
    const NearWindow decimal = near_window(25, 1, 20, 0.1);
    EXPECT_EQ(window_nearness(decimal, line(26, 20.1, 30, 40)), 1);
}

TEST(Nearness, RisingAndFallingLinesAlike) {
    // Compression (towards shorter lengths) and extension, each stored rising and falling.
    for (const Segment s :
         {line(30, 2, 20, 42), line(20, 42, 30, 2), line(20, 2, 30, 42), line(30, 42, 20, 2)})
        EXPECT_NEAR(window_nearness(kPoint, s), 4.0 / 9, 1e-12);
    // A falling line passing below-left of a window that the containment shortcut
    // would take for inside: x + y = 100 against 65 +- 5, 65 +- 5.
    const NearWindow high = near_window(65, 5, 65, 5);
    EXPECT_DOUBLE_EQ(window_nearness(high, line(0, 100, 100, 0)), 3);
    EXPECT_DOUBLE_EQ(window_nearness(high, line(100, 0, 0, 100)), 3);
}

TEST(Nearness, ZeroTolerancesCountAsOnePercent) {
    EXPECT_DOUBLE_EQ(search::reference_half_width(25, 0), 0.25);
    EXPECT_DOUBLE_EQ(search::reference_half_width(-40, 0), 0.4);
    EXPECT_DOUBLE_EQ(search::reference_half_width(0, 0), 0.01);
    EXPECT_DOUBLE_EQ(search::reference_half_width(1e-320, 0), 0.01);
    EXPECT_DOUBLE_EQ(search::reference_half_width(3, -0.5), 0.5);

    // 0.5 mm beside a length of 25 with no tolerance: twice 1 % of it.
    EXPECT_DOUBLE_EQ(window_nearness(near_window(25, 0, 20, 0.5), line(25.5, 0, 25.5, 40)), 2);
    // Both zero, both values zero: 0.03 beside the origin is three times 0.01.
    EXPECT_DOUBLE_EQ(window_nearness(near_window(0, 0, 0, 0), line(0.03, -1, 0.03, 1)), 3);
    // A line the search accepts at a zero tolerance is within the factor 1 as well.
    EXPECT_TRUE(geometry::seg_cross_window(search_window(25, 0, 20, 0.1), line(30, 0, 20, 40)));
    EXPECT_EQ(window_nearness(near_window(25, 0, 20, 0.1), line(30, 0, 20, 40)), 0);
    // The converse does not hold there: the 1 % stands in for the missing width, so a
    // line passing beside the window's vertical segment is within the factor 1.
    EXPECT_FALSE(
        geometry::seg_cross_window(search_window(25, 0, 20, 0.1), line(30, 0.3, 20, 40.3)));
    EXPECT_NEAR(window_nearness(near_window(25, 0, 20, 0.1), line(30, 0.3, 20, 40.3)), 3.0 / 11,
                1e-12);
}

TEST(Nearness, FarWindowsGiveLargeFiniteFactors) {
    EXPECT_DOUBLE_EQ(window_nearness(kPoint, line(300, 0, 290, 40)), 265);
    EXPECT_DOUBLE_EQ(window_nearness(kPoint, line(25, 1e6 + 20, 26, 2e6)), 2e6);
    const double s = window_nearness(near_window(25, 1e-3, 20, 1e-3), line(1e6, 0, 1e6 + 1, 1));
    EXPECT_TRUE(std::isfinite(s));
    EXPECT_NEAR(s, (1e6 - 25) / 1e-3, 1e3);
}

// Random working points and load lines: the factor is at most 1 exactly when the
// search accepts the line, and it is the least factor to a relative 1e-9.
TEST(NearnessProperty, AgreesWithTheSearchAndIsTheLeastFactor) {
    std::mt19937 rng(20261208);
    std::uniform_real_distribution<double> coord(0, 60);
    std::uniform_real_distribution<double> tol(0.01, 5);
    std::uniform_int_distribution<int> small(-12, 12);
    std::uniform_int_distribution<int> small_tol(1, 4);
    int inside = 0;
    for (int i = 0; i < 40000; ++i) {
        // Half on a small integer grid, where lines touch edges and corners exactly.
        const bool grid = i % 2 == 0;
        const double l = grid ? small(rng) : coord(rng), f = grid ? small(rng) : coord(rng);
        const double lt = grid ? small_tol(rng) : tol(rng), ft = grid ? small_tol(rng) : tol(rng);
        const Segment s = grid ? line(small(rng), small(rng), small(rng), small(rng))
                               : line(coord(rng), coord(rng), coord(rng), coord(rng));
        const NearWindow w = near_window(l, lt, f, ft);
        const double n = window_nearness(w, s);
        const bool accepted = geometry::seg_cross_window(search_window(l, lt, f, ft), s);
        ASSERT_EQ(n <= 1, accepted)
            << "window " << l << "+-" << lt << ", " << f << "+-" << ft << "; line (" << s.start.x
            << ", " << s.start.y << ") to (" << s.end.x << ", " << s.end.y << "); factor " << n;
        inside += accepted;
        // (A window shrunk to a point meets no line through it, so no factor below 1e-9.)
        ASSERT_TRUE(geometry::seg_cross_window(scaled_window(w, std::max(n * (1 + 1e-9), 1e-9)), s))
            << n;
        if (n > 1e-6) {
            ASSERT_FALSE(geometry::seg_cross_window(scaled_window(w, n * (1 - 1e-9)), s)) << n;
        }
    }
    // Both answers occur often enough to mean something.
    EXPECT_GT(inside, 4000);
    EXPECT_LT(inside, 36000);
}

} // namespace
