#pragma once

#include <string>
#include <string_view>

namespace strength {

// The texts of the search condition edits of one kind (lengths, or forces).
struct ConditionTexts {
    std::string_view first, first_tolerance, second, second_tolerance;
};

struct RangeTexts {
    std::string min, max; // both empty when no pair could be read
};

// The operating range taken over from the search conditions: both values
// when the first and second are given, else the first with its tolerance,
// else the second with its tolerance. Numbers are written fixed-point with 8
// significant digits and `decimals` decimals. Throws float_error::EOverflow
// for a bound beyond the double range.
RangeTexts dynamic_range(const ConditionTexts& texts, int decimals);

} // namespace strength
