#include "core/strength/dynamic_range.h"

#include "core/catalogue/number_format.h"
#include "core/catalogue/number_parse.h"
#include "core/strength/float_error.h"

#include <cmath>

namespace strength {

RangeTexts dynamic_range(const ConditionTexts& t, int decimals) {
    double a = 0, b = 0;
    bool tolerance_form = false;
    auto first = parse_decimal(t.first);
    auto second = first ? parse_decimal(t.second) : std::nullopt;
    auto first_tolerance = first && !second ? parse_decimal(t.first_tolerance) : std::nullopt;
    if (first && (second || first_tolerance)) {
        a = *first;
        b = second ? *second : *first_tolerance;
        tolerance_form = !second;
    } else {
        const auto other = parse_decimal(t.second);
        const auto other_tolerance = parse_decimal(t.second_tolerance);
        if (!other || !other_tolerance)
            return {};
        a = *other;
        b = *other_tolerance;
        tolerance_form = true;
    }

    double lo, hi;
    if (tolerance_form) {
        // No reordering: a negative tolerance leaves the minimum above the maximum.
        lo = a - b;
        hi = a + b;
    } else {
        lo = a > b ? b : a;
        hi = a > b ? a : b;
    }
    // A sum beyond the double range is an overflow, never a text "INF".
    if (!std::isfinite(lo) || !std::isfinite(hi))
        throw float_error::EOverflow();
    return {numfmt::fixed(lo, 8, decimals), numfmt::fixed(hi, 8, decimals)};
}

} // namespace strength
