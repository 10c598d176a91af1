#pragma once

#include "core/search/geometry.h"

#include <array>
#include <optional>
#include <string>

namespace search {

// Value of a window side the user left open, and the limit beyond which a
// bound counts as not given.
constexpr double open_bound = 1.7e100;
constexpr double bound_limit = 1.6e100;
// A diameter bound that was not given.
constexpr double not_given = -1.0;

// One working point of a search: its window of lengths and loads, and the
// searched length when one was given.
struct WindowCondition {
    double length_min = 0, length_max = 0, force_min = 0, force_max = 0;
    double length = 0;
    bool length_set = false;
    geometry::Window window{};

    std::optional<double> searchedLength() const {
        return length_set ? std::optional<double>(length) : std::nullopt;
    }
};

// The conditions of the last search start, read by the record filter, the
// stress evaluation and the chart overlays.
struct Conditions {
    std::array<WindowCondition, 2> condition{};
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
