#include "core/strength/fatigue_lines.h"

#include "core/strength/cls_sprg.h"
#include "core/strength/float_error.h"

namespace strength {

namespace {

constexpr double kTwoThirds = 2.0 / 3.0; // 0.6666666666666666
constexpr double kAxisEnd = 0.7;
constexpr double kUpperLimit = 0.45;

double power_of_ten(int n) {
    double p = 1.0;
    for (int i = 0; i < n; ++i)
        p *= 10.0;
    return p;
}

} // namespace

std::vector<FatigueSegment> dhoyo_lines() {
    std::vector<FatigueSegment> lines;
    lines.push_back({0, 0, kAxisEnd, kAxisEnd, " "});
    lines.push_back({0, kTwoThirds, kTwoThirds, kTwoThirds, " "});
    lines.push_back({kTwoThirds, kTwoThirds, kTwoThirds, 0, " "});
    // Along line i the ratio tau_min/tau_max is i/10.
    for (int i = 1; i <= 9; ++i)
        lines.push_back({0, 0, float_error::to_double(i * 0.2L / 3), kTwoThirds, " "});
    for (int n = 4; n <= 7; ++n) {
        const double r = cls_sprg::fatigue_limit_ratio(power_of_ten(n));
        lines.push_back({0, r, kTwoThirds, kTwoThirds, "1e" + std::to_string(n)});
    }
    lines.push_back({0, cls_sprg::fatigue_limit_ratio(20000), kTwoThirds, kTwoThirds, "2e4"});
    lines.push_back({0, kUpperLimit, kUpperLimit, kUpperLimit, " "});
    return lines;
}

double fatigue_edge_x(double r) {
    // The slope of the line as drawn, in double: a line parallel to the 0.45 limit
    // has no crossing and fails rather than giving an abscissa near 1e16.
    const double slope = 1.0 - 1.5 * r;
    return float_error::to_double(
        float_error::divide(kUpperLimit - static_cast<long double>(r), slope));
}

std::vector<FatigueSegment> dynarea_outline(double n) {
    const double r = cls_sprg::fatigue_limit_ratio(n);
    const double xe = fatigue_edge_x(r);
    return {{0, 0, 0, r, ""},
            {0, r, xe, kUpperLimit, ""},
            {xe, kUpperLimit, kUpperLimit, kUpperLimit, ""},
            {0, 0, kUpperLimit, kUpperLimit, ""}};
}

} // namespace strength
