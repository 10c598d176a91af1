#pragma once

#include "core/search/conditions.h"
#include "core/search/geometry.h"

#include <optional>
#include <string>
#include <string_view>

namespace search {

// The four texts of a search condition, as typed.
struct ConditionTexts {
    std::string length, length_width, force, force_width;
};

// The bounds of one side pair of a search window: value ± tolerance, or
// both open when either text is not a number.
struct Bounds {
    double min, max;
};
Bounds read_bounds(std::string_view value_text, std::string_view tolerance_text);

// Corners in the order the crossing test walks them:
// (lmin, fmin), (lmin, fmax), (lmax, fmax), (lmax, fmin).
geometry::Window window_corners(Bounds length, Bounds force);

// A condition as the search start reads it from its texts. Without a
// searched length the one of `before` is kept, unset.
WindowCondition read_condition(const ConditionTexts& texts, const WindowCondition& before);

// A diameter bound: the number when it is greater than 0, else not given (-1).
double read_diameter_bound(std::string_view text);

// False when the diameter bounds contradict each other.
bool diameters_valid(double outer_min, double outer_max, double inner_min, double inner_max);
extern const char* const diameter_message;

// Catalogue code of a spring type item; nullopt for an index without a code.
std::optional<std::string> spring_type_code(int type_item);
double stress_ratio_limit(int type_item);

// One bound of the fitted load-length axes: a and b are the bounds of the two
// conditions, e the extreme of the springs shown.
double fit_upper(double a, double b, double e);
double fit_lower(double a, double b, double e);

} // namespace search
