#pragma once

#include "search/geometry.h"

#include <string>

namespace search {

// Value of a window side the user left open, and the limit beyond which a
// bound counts as not given.
constexpr double open_bound = 1.7e100;
constexpr double bound_limit = 1.6e100;
// A diameter bound that was not given.
constexpr double not_given = -1.0;

// The conditions of the last search start, read by the record filter, the
// stress evaluation and the chart overlays.
struct Conditions {
    double length1_min = 0, length1_max = 0, force1_min = 0, force1_max = 0;
    double length1 = 0;
    bool length1_set = false;
    double length2_min = 0, length2_max = 0, force2_min = 0, force2_max = 0;
    double length2 = 0;
    bool length2_set = false;
    geometry::Window window1{}, window2{};
    std::string spring_type;
    std::string sel_material, sel_maker;
    double coildia_outer_min = 0, coildia_outer_max = 0;
    double coildia_inner_min = 0, coildia_inner_max = 0;
    double stress_ratio_limit = 0;
};

extern Conditions conditions;

// Before the first search: every number 0, flags false, strings empty.
void reset_conditions();

} // namespace search
