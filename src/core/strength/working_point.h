// Working point of a spring under a repeated load, for the fatigue diagram.
#pragma once

namespace strength {

struct WorkingPoint {
    double x, y; // tau_min / sigmaB, tau_max / sigmaB
};

// Corrected stresses of the two loads p1 and p2 (wire diameter d, mean coil diameter
// D, in mm) divided by the tensile strength sigmaB in the same stress unit; the
// smaller load gives x. Throws float_error::EFloatError when sigmaB is 0.
WorkingPoint working_point(double d, double D, double p1, double p2, double sigmaB);

} // namespace strength
