#include "chart/chart_segment_cut.h"

#include <algorithm>
#include <cmath>

bool cut_segment_to_box(double& x0, double& y0, double& x1, double& y1, double xmin, double xmax,
                        double ymin, double ymax) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double sx = x0, sy = y0;
    x0 = std::round(sx + t0 * dx);
    y0 = std::round(sy + t0 * dy);
    x1 = std::round(sx + t1 * dx);
    y1 = std::round(sy + t1 * dy);
    return true;
}
