// Data of the static stress chart: the allowable-stress curves of the wire grades and
// the labels and colours of the stress dots of the selected spring.
#pragma once

#include <string>
#include <vector>

namespace strength {

struct CurvePoint {
    double x, y; // wire diameter (mm), allowable stress (MPa)
};

// n + 1 points of the allowable stress of a grade, spaced evenly on a logarithmic
// diameter axis from start to end (both > 0). The first x is start and the last is end,
// never above it, since end may be the inclusive upper limit of the grade. Throws
// what spr_mat::allowable_stress throws, and a float_error::EFloatError for n = 0 or a
// non-positive diameter.
std::vector<CurvePoint> stcurve_points(const std::string& designation, int n, double start,
                                       double end);

// Label of a stress dot: designation, blank, the stress as a whole number with at most
// 4 significant digits, the stress unit: "SWP-B 229MPa". From 10000 on the stress is
// written in exponent form: "SUS304WPB 2.337E4gf/mm^2".
std::string taupoint_label(const std::string& designation, double y,
                           const std::string& stress_unit);

// The curve whose colour a dot takes: 0 for "SWP-B" and "SWP", 1 for "SUS304WPB",
// 2 for every other designation.
int taupoint_colour_index(const std::string& designation);

} // namespace strength
