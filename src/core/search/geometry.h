// Segment and rectangle tests in the length-force plane.
//
// A load line is the segment from (lo, fo) to (lmax, fmax); a search window is the
// rectangle of one working point, given by its corners c1 = (lmin, fmin),
// c2 = (lmin, fmax), c3 = (lmax, fmax), c4 = (lmax, fmin). Open window sides lie
// at +-1.7e100; all products stay finite in double arithmetic.
#pragma once

#include <array>

namespace geometry {

struct Point {
    double x, y;
};

struct Segment {
    Point start, end;
};

using Window = std::array<Point, 4>;

// The turn from p0 via p1 to p2: +1 counter-clockwise, -1 clockwise. Collinear
// points: -1 when p2 lies behind p0, +1 when beyond p1, 0 when on the segment p0-p1
// (ends included).
int ccw(Point p0, Point p1, Point p2);

// True when the segments s and t meet, touching at an end and collinear overlap included.
bool intersect(Segment s, Segment t);

// Containment shortcut of seg_cross_window: accepts a load line whose force range
// lies in the window's and whose length range meets the window's (for a window of
// zero or negative length tolerance, one running towards shorter lengths across it).
bool seg_in_window(const Window& w, Segment s);

// True when the load line s meets the window w: the shortcut, else any edge
// c1-c2, c2-c3, c3-c4, c4-c1 that it intersects.
bool seg_cross_window(const Window& w, Segment s);

} // namespace geometry
