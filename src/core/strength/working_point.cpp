#include "core/strength/working_point.h"

#include "core/strength/cls_sprg.h"
#include "core/strength/float_error.h"

namespace strength {

WorkingPoint working_point(double d, double D, double p1, double p2, double sigmaB) {
    namespace fe = float_error;
    const double tau1 = cls_sprg::corrected_stress(d, D, p1);
    const double tau2 = cls_sprg::corrected_stress(d, D, p2);
    const double ratio1 = fe::to_double(fe::divide(tau1, sigmaB));
    const double ratio2 = fe::to_double(fe::divide(tau2, sigmaB));
    if (p1 < p2)
        return {ratio1, ratio2};
    return {ratio2, ratio1};
}

} // namespace strength
