// Data of the fatigue diagram (tau_min/sigmaB across, tau_max/sigmaB up): the fixed
// grey lines and the outline of the admissible region for a number of load cycles.
#pragma once

#include <string>
#include <vector>

namespace strength {

struct FatigueSegment {
    double x0, y0, x1, y1;
    std::string label;
};

// The 18 fixed lines in drawing order: the diagonal, the two frame lines at 2/3, nine
// lines of constant stress ratio 0.1 .. 0.9, the fatigue-limit lines for 1e4 .. 1e7
// cycles (labels "1e4" .. "1e7"), the one for 2e4 ("2e4") and the upper stress limit
// 0.45. The other labels are " ".
std::vector<FatigueSegment> dhoyo_lines();

// Abscissa at which the fatigue-limit line from (0, r) to (2/3, 2/3) reaches 0.45:
// (0.45 - r) / (1 - 1.5 r). Throws float_error::EZeroDivide when the slope is zero.
double fatigue_edge_x(double r);

// The four segments (empty labels) that close the admissible region for n cycles:
// the left axis up to r(n), the fatigue-limit line up to 0.45, the 0.45 limit back to
// the diagonal, and the diagonal. Everything is computed before anything is returned,
// so a failure (n at or below about 545.75) leaves the caller's series as it was.
std::vector<FatigueSegment> dynarea_outline(double n);

} // namespace strength
