#include "core/strength/static_curves.h"

#include "core/catalogue/number_format.h"
#include "core/strength/float_error.h"
#include "core/strength/spr_mat.h"

#include <cmath>

namespace strength {

std::vector<CurvePoint> stcurve_points(const std::string& designation, int n, double start,
                                       double end) {
    namespace fe = float_error;
    const long double log_start = fe::log10(start);
    const long double step = fe::divide(fe::log10(end) - log_start, n);
    std::vector<CurvePoint> points;
    for (int g = 0; g <= n; ++g) {
        double x = fe::to_double(std::pow(10.0L, log_start + g * step));
        // The last power can round to just above end, which may be the grade's
        // inclusive upper limit and would then be out of range.
        if (x > end)
            x = end;
        points.push_back({x, spr_mat::allowable_stress(designation, x)});
    }
    return points;
}

std::string taupoint_label(const std::string& designation, double y,
                           const std::string& stress_unit) {
    return designation + " " + numfmt::fixed(y, 4, 0) + stress_unit;
}

int taupoint_colour_index(const std::string& designation) {
    if (designation == "SWP-B" || designation == "SWP")
        return 0;
    if (designation == "SUS304WPB")
        return 1;
    return 2;
}

} // namespace strength
