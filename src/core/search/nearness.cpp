#include "core/search/nearness.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace search {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The least over t in [0, 1] of max(|x(t)|, |y(t)|) on the segment from
// (x0, y0) to (x1, y1): the distance from the origin in the maximum norm.
// The function is convex and piecewise linear in t, so its least value is at
// an end or where x = 0, y = 0, x = y or x = -y.
double max_norm_distance(double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    auto at = [&](double t) { return std::max(std::fabs(x0 + t * dx), std::fabs(y0 + t * dy)); };
    double best =
        std::min(std::max(std::fabs(x0), std::fabs(y0)), std::max(std::fabs(x1), std::fabs(y1)));
    auto consider = [&](double num, double den) {
        if (den == 0)
            return;
        const double t = num / den;
        if (t > 0 && t < 1) // false for NaN as well
            best = std::min(best, at(t));
    };
    consider(-x0, dx);
    consider(-y0, dy);
    consider(y0 - x0, dx - dy);
    consider(-(x0 + y0), dx + dy);
    return best;
}

} // namespace

double reference_half_width(double value, double tolerance) {
    if (tolerance != 0)
        return std::fabs(tolerance);
    const double share = 0.01 * std::fabs(value);
    // Below the normal range a division by it would overflow.
    return std::isnormal(share) ? share : 0.01;
}

NearWindow near_window(double length, double length_tolerance, double force,
                       double force_tolerance) {
    NearWindow w;
    w.length = length;
    w.force = force;
    w.length_half = reference_half_width(length, length_tolerance);
    w.force_half = reference_half_width(force, force_tolerance);
    w.length_bounds = {length - w.length_half, length + w.length_half};
    w.force_bounds = {force - w.force_half, force + w.force_half};
    return w;
}

geometry::Window scaled_window(const NearWindow& w, double factor) {
    if (factor == 1)
        return window_corners(w.length_bounds, w.force_bounds);
    const double l = factor * w.length_half, f = factor * w.force_half;
    return window_corners({w.length - l, w.length + l}, {w.force - f, w.force + f});
}

double window_nearness(const NearWindow& w, geometry::Segment line) {
    double s = max_norm_distance(
        (line.start.x - w.length) / w.length_half, (line.start.y - w.force) / w.force_half,
        (line.end.x - w.length) / w.length_half, (line.end.y - w.force) / w.force_half);
    if (std::isnan(s))
        return kInfinity;
    // Near 1 the rounding of the two computations may differ: the crossing
    // test of the search decides, so that a factor up to 1 means found.
    const bool meets = geometry::seg_cross_window(scaled_window(w, 1), line);
    if (meets && s > 1)
        s = 1;
    else if (!meets && s <= 1)
        s = std::nextafter(1.0, 2.0);
    return s;
}

} // namespace search
