// How far a load line misses a working point: the factor by which the
// window's half-widths must grow before the line meets it.
#pragma once

#include "core/search/geometry.h"
#include "core/search/search_start.h"

namespace search {

// A working point whose length and force are both given, with the
// half-widths that a factor of 1 stands for.
struct NearWindow {
    double length, force;               // the values typed
    double length_half, force_half;     // > 0
    Bounds length_bounds, force_bounds; // the window at factor 1, as the search builds it
};

// The half-width a factor of 1 stands for: the tolerance's size, and for a
// zero tolerance 1 % of the value (0.01 when the value is 0 as well).
double reference_half_width(double value, double tolerance);

NearWindow near_window(double length, double length_tolerance, double force,
                       double force_tolerance);

// The window with both half-widths multiplied by `factor`; at factor 1 the
// corners are exactly those the search start stores for a positive tolerance.
geometry::Window scaled_window(const NearWindow& w, double factor);

// The smallest factor s >= 0 for which `line` meets scaled_window(w, s). It is
// at most 1 exactly when seg_cross_window accepts the line at factor 1;
// +infinity when it cannot be computed.
double window_nearness(const NearWindow& w, geometry::Segment line);

} // namespace search
