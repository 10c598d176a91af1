#include "core/search/search_start.h"

#include "core/catalogue/number_parse.h"
#include "core/catalogue/spring_record.h"
#include "core/search/conditions.h"

#include <cmath>

namespace search {

const char* const diameter_message = "コイル内、外径の条件が不適です。検索できません";

Bounds read_bounds(std::string_view value_text, std::string_view tolerance_text) {
    const auto v = parse_decimal(value_text);
    const auto w = parse_decimal(tolerance_text);
    // A sum beyond the double range is no bound either, never an infinity.
    if (!v || !w || !std::isfinite(*v - *w) || !std::isfinite(*v + *w))
        return {-open_bound, open_bound};
    return {*v - *w, *v + *w};
}

geometry::Window window_corners(Bounds length, Bounds force) {
    return {geometry::Point{length.min, force.min}, geometry::Point{length.min, force.max},
            geometry::Point{length.max, force.max}, geometry::Point{length.max, force.min}};
}

WindowCondition read_condition(const ConditionTexts& texts, const WindowCondition& before) {
    WindowCondition c;
    const Bounds force = read_bounds(texts.force, texts.force_width);
    const Bounds length = read_bounds(texts.length, texts.length_width);
    c.force_min = force.min;
    c.force_max = force.max;
    c.length_min = length.min;
    c.length_max = length.max;
    const std::optional<double> searched = parse_decimal(texts.length);
    c.length_set = searched.has_value();
    c.length = searched.value_or(before.length);
    c.window = window_corners(length, force);
    return c;
}

double read_diameter_bound(std::string_view text) {
    const auto v = parse_decimal(text);
    return v && *v > 0 ? *v : not_given;
}

bool diameters_valid(double outer_min, double outer_max, double inner_min, double inner_max) {
    if (outer_max != not_given && outer_min > outer_max)
        return false;
    if (inner_max != not_given && inner_min > inner_max)
        return false;
    if (outer_max != not_given && inner_min >= outer_max)
        return false;
    return true;
}

std::optional<std::string> spring_type_code(int type_item) {
    if (const auto type = catalogue::spring::type_of_item(type_item))
        return std::string(catalogue::spring::type_code(*type));
    return std::nullopt;
}

double stress_ratio_limit(int type_item) {
    using catalogue::spring::SpringType;
    // An item beyond the types reads as compression.
    return catalogue::spring::stress_ratio_limit(
        catalogue::spring::type_of_item(type_item).value_or(SpringType::Compression));
}

double fit_upper(double a, double b, double e) {
    const double g = (a < b && b < bound_limit) ? b : a;
    return (e > g || g >= bound_limit) ? e : g;
}

double fit_lower(double a, double b, double e) {
    const double g = (a > b && b > -bound_limit) ? b : a;
    return (e < g || g <= -bound_limit) ? e : g;
}

} // namespace search
