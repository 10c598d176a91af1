#include "core/search/geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>

namespace {

using geometry::ccw;
using geometry::intersect;
using geometry::Point;
using geometry::seg_cross_window;
using geometry::Segment;
using geometry::Window;

constexpr double kOpen = 1.7e100;

// Corners in the order the search stores them: c1 (lmin, fmin), c2 (lmin, fmax),
// c3 (lmax, fmax), c4 (lmax, fmin).
Window window(double lmin, double lmax, double fmin, double fmax) {
    return {Point{lmin, fmin}, Point{lmin, fmax}, Point{lmax, fmax}, Point{lmax, fmin}};
}

// A working point: length and force with their tolerances.
Window around(double length, double length_tol, double force, double force_tol) {
    return window(length - length_tol, length + length_tol, force - force_tol, force + force_tol);
}

Segment line(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y1}};
}

TEST(Ccw, TurnsAndCollinearBranches) {
    EXPECT_EQ(ccw({0, 0}, {1, 0}, {1, 1}), +1);  // left turn
    EXPECT_EQ(ccw({0, 0}, {1, 0}, {1, -1}), -1); // right turn
    EXPECT_EQ(ccw({0, 0}, {1, 0}, {-1, 0}), -1); // behind p0, along x
    EXPECT_EQ(ccw({0, 0}, {0, 1}, {0, -2}), -1); // behind p0, along y
    EXPECT_EQ(ccw({0, 0}, {1, 1}, {3, 3}), +1);  // beyond p1
    EXPECT_EQ(ccw({0, 0}, {2, 2}, {1, 1}), 0);   // between the ends
    EXPECT_EQ(ccw({0, 0}, {2, 2}, {2, 2}), 0);   // on p1
    EXPECT_EQ(ccw({0, 0}, {2, 2}, {0, 0}), 0);   // on p0
}

TEST(Ccw, StaysFiniteAtTheOpenSentinels) {
    EXPECT_EQ(ccw({-kOpen, -kOpen}, {kOpen, -kOpen}, {kOpen, kOpen}), +1);
    EXPECT_EQ(ccw({-kOpen, kOpen}, {kOpen, kOpen}, {kOpen, -kOpen}), -1);
    EXPECT_EQ(ccw({-kOpen, -kOpen}, {kOpen, kOpen}, {0, 0}), 0);
    EXPECT_EQ(ccw({-kOpen, -kOpen}, {0, 0}, {kOpen, kOpen}), +1);
}

TEST(Intersect, MeetingAndMissing) {
    EXPECT_TRUE(intersect(line(0, 0, 2, 2), line(0, 2, 2, 0)));  // crossing
    EXPECT_TRUE(intersect(line(0, 0, 2, 0), line(1, 0, 1, 5)));  // end touches the other
    EXPECT_TRUE(intersect(line(0, 0, 2, 0), line(2, 0, 3, 4)));  // common end point
    EXPECT_TRUE(intersect(line(0, 0, 4, 0), line(2, 0, 6, 0)));  // collinear overlap
    EXPECT_TRUE(intersect(line(0, 0, 4, 0), line(4, 0, 6, 0)));  // collinear, touching ends
    EXPECT_TRUE(intersect(line(0, 0, 4, 0), line(1, 0, 2, 0)));  // collinear, contained
    EXPECT_FALSE(intersect(line(0, 0, 1, 0), line(2, 0, 3, 0))); // collinear, disjoint
    EXPECT_FALSE(intersect(line(0, 0, 0, 1), line(0, 3, 0, 2))); // collinear vertical, disjoint
    EXPECT_FALSE(intersect(line(0, 0, 2, 0), line(0, 1, 2, 1))); // parallel
    EXPECT_FALSE(intersect(line(0, 0, 2, 2), line(3, 0, 2, 1))); // would cross if extended
}

struct WindowCase {
    const char* name;
    Window w;
    Segment s;
    bool meets;
};

void PrintTo(const WindowCase& c, std::ostream* os) {
    *os << c.name;
}

class SegCrossWindow : public ::testing::TestWithParam<WindowCase> {};

TEST_P(SegCrossWindow, Decides) {
    const WindowCase& c = GetParam();
    EXPECT_EQ(seg_cross_window(c.w, c.s), c.meets);
    // The answer does not depend on which end the load line starts from.
    EXPECT_EQ(seg_cross_window(c.w, Segment{c.s.end, c.s.start}), c.meets);
}

const Segment kCompression = line(30, 0, 20, 40); // lo 30, fo 0, lmax 20, fmax 40
const Segment kExtension = line(20, 0, 30, 40);

INSTANTIATE_TEST_SUITE_P(
    Cases, SegCrossWindow,
    ::testing::Values(
        WindowCase{"ThroughTheWorkingPoint", around(25, 1, 20, 0.1), kCompression, true},
        WindowCase{"AboveTheLine", around(25, 1, 30, 0.1), kCompression, false},
        WindowCase{"ExtensionThrough", around(25, 1, 20, 0.1), kExtension, true},
        WindowCase{"ExtensionMissing", around(25, 1, 30, 0.1), kExtension, false},
        WindowCase{"WhollyInside", window(0, 100, -1, 100), kCompression, true},
        WindowCase{"CrossingTwoEdges", window(21, 29, 10, 30), kCompression, true},
        WindowCase{"OneEndInside", window(28, 40, -5, 5), kCompression, true},
        WindowCase{"TouchingAnEdge", window(10, 20, 40, 50), line(30, 0, 15, 40), true},
        WindowCase{"TouchingACorner", window(10, 20, 10, 20), line(0, 0, 10, 10), true},
        WindowCase{"PassingThroughACorner", window(10, 20, 10, 20), line(5, 15, 15, 25), true},
        WindowCase{"MissingACorner", window(10, 20, 10, 20), line(5, 15.001, 15, 25.001), false},
        WindowCase{"ZeroLengthTolerance", around(25, 0, 20, 0.1), kCompression, true},
        WindowCase{"ZeroLengthToleranceMissing", around(25, 0, 30, 0.1), kCompression, false},
        WindowCase{"ZeroForceTolerance", around(25, 1, 20, 0), kCompression, true},
        WindowCase{"AllOpen", window(-kOpen, kOpen, -kOpen, kOpen), kCompression, true},
        WindowCase{"AllOpenFalling", window(-kOpen, kOpen, -kOpen, kOpen), line(0, 9, 1, -9), true},
        WindowCase{"OpenLengths", window(-kOpen, kOpen, 19.9, 20.1), kCompression, true},
        WindowCase{"OpenLengthsMissing", window(-kOpen, kOpen, 50, 60), kCompression, false},
        WindowCase{"OpenForces", window(24, 26, -kOpen, kOpen), kCompression, true},
        WindowCase{"OpenForcesMissing", window(31, 32, -kOpen, kOpen), kCompression, false},
        // Force falling from start to end.
        WindowCase{"FallingThrough", around(25, 1, 20, 0.1), line(30, 40, 20, 0), true},
        WindowCase{"FallingInside", window(0, 100, -1, 100), line(30, 40, 20, 0), true},
        WindowCase{"FallingMissesBelowTheWindow", window(60, 70, 60, 70), line(0, 100, 100, 0),
                   false},
        WindowCase{"FallingMissesAboveTheWindow", window(10, 20, 0, 5), line(0, 40, 30, 6), false}),
    [](const ::testing::TestParamInfo<WindowCase>& test) { return std::string(test.param.name); });

TEST(SegCrossWindowNegativeTolerance, LineStrictlyInsideIsNotAccepted) {
    // A negative length tolerance still gives a rectangle, but neither the shortcut nor
    // an edge holds for a line inside it.
    const Window w = around(25, -1, 20, 1);
    EXPECT_FALSE(seg_cross_window(w, line(25.5, 19.5, 24.5, 20.5)));
    EXPECT_TRUE(seg_cross_window(w, kCompression)); // crosses the ring
    EXPECT_FALSE(seg_cross_window(around(25, 1, 20, -1), line(25.5, 19.5, 24.5, 20.5)));
}

TEST(SegInWindow, ZeroWidthWindowShortcut) {
    // A vertical window segment: a line running towards shorter lengths across it.
    const Window w = around(25, 0, 20, 1);
    EXPECT_TRUE(geometry::seg_in_window(w, line(26, 19.5, 24, 20.5)));
    EXPECT_FALSE(geometry::seg_in_window(w, line(24, 19.5, 26, 20.5)));
}

// Exact reference on small integers: a segment and a closed axis-parallel rectangle are
// disjoint exactly when an axis of the rectangle or the normal of the segment separates them.
bool meets_exactly(const Window& w, Segment s) {
    const auto xa = static_cast<std::int64_t>(w[0].x), ya = static_cast<std::int64_t>(w[0].y);
    const auto xc = static_cast<std::int64_t>(w[2].x), yc = static_cast<std::int64_t>(w[2].y);
    const auto px = static_cast<std::int64_t>(s.start.x), py = static_cast<std::int64_t>(s.start.y);
    const auto qx = static_cast<std::int64_t>(s.end.x), qy = static_cast<std::int64_t>(s.end.y);
    if (std::max(px, qx) < xa || std::min(px, qx) > xc || std::max(py, qy) < ya ||
        std::min(py, qy) > yc)
        return false;
    int above = 0, below = 0;
    for (const auto& c : w) {
        const std::int64_t cross = (qx - px) * (static_cast<std::int64_t>(c.y) - py) -
                                   (qy - py) * (static_cast<std::int64_t>(c.x) - px);
        above += cross > 0;
        below += cross < 0;
    }
    return above < 4 && below < 4;
}

TEST(SegCrossWindowProperty, MeetsExactlyWhenTheyShareAPoint) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> coord(-12, 12);
    std::uniform_int_distribution<int> tol(0, 4);
    for (int i = 0; i < 50000; ++i) {
        const double cx = coord(rng), cy = coord(rng);
        const double tx = 1 + tol(rng), ty = tol(rng); // positive length, non-negative force
        const Window w = around(cx, tx, cy, ty);
        const Segment s = line(coord(rng), coord(rng), coord(rng), coord(rng));
        ASSERT_EQ(seg_cross_window(w, s), meets_exactly(w, s))
            << "window " << cx << "+-" << tx << ", " << cy << "+-" << ty << "; line (" << s.start.x
            << ", " << s.start.y << ") to (" << s.end.x << ", " << s.end.y << ")";
    }
}

} // namespace
