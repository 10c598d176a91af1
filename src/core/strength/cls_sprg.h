// Formulas of a helical spring: Wahl factor, shear stress, fatigue limit, load line.
//
// All inputs are in mm and a force unit; stresses come out in that force unit per
// mm^2. Work is done in long double and rounded to double; a division by zero or a
// result outside the double range throws a float_error::EFloatError.
#pragma once

#include <stdexcept>

namespace cls_sprg {

// A length outside a spring's working range; what() is "Out of Range".
class EStdspringException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// kappa = (4c - 1)/(4c - 4) + 0.615/c with the spring index c = D/d
// (d wire diameter, D mean coil diameter).
double wahl_factor(double d, double D);

// tau0 = 8 D F / (pi d^3), without the Wahl correction.
double shear_stress(double d, double D, double F);

// tau = wahl_factor(d, D) * shear_stress(d, D, F).
double corrected_stress(double d, double D, double F);

// Fatigue limit tau/sigmaB at zero minimum stress for n load cycles:
// (8.68800000000002 log10(n) - 23.7790000000001)^(-1/3). Throws EFloatError when
// the base is not positive (n at or below about 545.75).
double fatigue_limit_ratio(double n);

// Load at length L on the straight load line of a spring that gives calc_fo at lo
// and rises by calc_k per mm towards lmax: |L - lo| * calc_k + calc_fo. Throws
// EStdspringException("Out of Range") when L lies outside the closed range between
// lo and lmax (in either order).
double load_at_length(double L, double lo, double lmax, double calc_k, double calc_fo);

} // namespace cls_sprg
