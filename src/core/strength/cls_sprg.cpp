#include "core/strength/cls_sprg.h"

#include "core/strength/float_error.h"

#include <cmath>

namespace cls_sprg {

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// Stored as these doubles, with the fitting noise of their last digits.
constexpr double kFatigueSlope = 8.68800000000002;
constexpr double kFatigueIntercept = -23.7790000000001;

} // namespace

double wahl_factor(double d, double D) {
    namespace fe = float_error;
    const long double c = fe::divide(D, d);
    const long double k = fe::divide(4 * c - 1, 4 * c - 4) + fe::divide(0.615L, c);
    return fe::to_double(k);
}

double shear_stress(double d, double D, double F) {
    namespace fe = float_error;
    const long double wire = d;
    return fe::to_double(fe::divide(8 * static_cast<long double>(D) * F, kPi * wire * wire * wire));
}

double corrected_stress(double d, double D, double F) {
    return float_error::to_double(static_cast<long double>(wahl_factor(d, D)) *
                                  shear_stress(d, D, F));
}

double fatigue_limit_ratio(double n) {
    namespace fe = float_error;
    const long double base = kFatigueSlope * fe::log10(n) + kFatigueIntercept;
    // x^(-1/3) as exp(-ln(x)/3): a base of zero or below has no real value and throws.
    return fe::to_double(fe::exp(-1.0L / 3 * fe::ln(base)));
}

double load_at_length(double L, double lo, double lmax, double calc_k, double calc_fo) {
    namespace fe = float_error;
    const long double from_lo = static_cast<long double>(L) - lo;
    if (from_lo * (static_cast<long double>(L) - lmax) > 0)
        throw EStdspringException("Out of Range");
    return fe::to_double(std::fabs(from_lo) * calc_k + calc_fo);
}

} // namespace cls_sprg
