// Whether a helical spring will stand its duty: the formulas behind the checks of one
// catalogue spring (buckling, solid and smallest usable length, natural frequency, the
// initial stress of an extension spring, the fatigue region).
//
// Units: mm, N, MPa, Hz, g/cm^3. D is the mean coil diameter, d the wire diameter.
// Arguments outside a formula's domain (a length, diameter, rate, coil count or
// modulus <= 0, a non-finite number, G >= E) throw EspringCheckException; a result
// is never a NaN or an infinity, except the documented +infinity of
// buckling_deflection.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace spring_checks {

// An argument outside the domain of a formula; what() names it.
class EspringCheckException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ElasticConstants {
    double shear_modulus;  // G, MPa
    double youngs_modulus; // E, MPa
    double density;        // g/cm^3
};

// The constants of the designations of the material table (matched exactly):
// steel grades G 78 500, E 206 000, 7.85; stainless grades G 68 500, E 186 000, 7.93.
// Any other text: none.
std::optional<ElasticConstants> elastic_constants(const std::string& designation);

// What the checks need of a wire grade: its constants and the wire diameters (mm,
// both inclusive) for which the material table has values, so that a whole catalogue
// can be checked without provoking the material table's exceptions.
struct Grade {
    ElasticConstants constants;
    double d_min, d_max;
};

// nullptr for a designation that is not in the material table.
const Grade* find_grade(std::string_view designation);

enum class Ends { Ground, Unground };
enum class Loading { Static, Dynamic };

// Active coils from the rate: n = G d^4 / (8 D^3 k).
double active_coils(double G, double d, double D, double k);

// Solid length of a cold-coiled spring with closed ends: n_t d when ground,
// (n_t + 1.5) d when not.
double solid_length(double total_coils, double d, Ends ends);

// Smallest sum of the gaps between the active coils at the smallest usable length
// Ln = Lc + Sa: Sa = n (0.0015 D^2/d + 0.1 d), 1.5 times that under dynamic loading.
double minimum_gap_sum(double n, double d, double D, Loading loading);

// Deflection at which a compression spring of free length L0 buckles, for the seating
// coefficient nu (2: one end fixed, the other free; 1: both ends guided and free to
// tilt; 0.7: one end fixed, the other guided and free to tilt; 0.5: both ends fixed
// and parallel). +infinity when the spring cannot buckle at any deflection.
double buckling_deflection(double L0, double D, double G, double E, double nu);

// First natural frequency (Hz) of a spring with n active coils held at both ends.
double natural_frequency(double d, double D, double n, double G, double density);

// The admissible region of the fatigue diagram for one cycle count, from the corners
// of the outline the diagram draws: the left axis, the fatigue-limit line, the 0.45
// limit and the diagonal, boundary included. Worked out once, tested for many points.
class FatigueRegion {
public:
    // Throws what cls_sprg::fatigue_limit_ratio throws for the cycle count.
    explicit FatigueRegion(double cycles);

    // x = tau_min/sigmaB, y = tau_max/sigmaB; both must be finite.
    bool contains(double x, double y) const;

    // The largest admissible y at abscissa x (x below 0 counts as 0).
    double highest(double x) const;

    double limit_ratio() const { return r_; }

private:
    double r_;  // the fatigue limit at zero minimum stress
    double xe_; // where the fatigue-limit line meets 0.45; unused when r_ >= 0.45
};

// Whether the working point (tau_min/sigmaB, tau_max/sigmaB) lies in the admissible
// region for that cycle count. A cycle count at or below about 545.75 throws the
// float_error::EFloatError of the fatigue limit.
bool fatigue_admissible(double x, double y, double cycles);

struct InitialStressRange {
    double low, high; // MPa, low <= high
};

// Usual range of the uncorrected initial stress of a close-wound extension spring of
// index C = D/d: 231 / e^(0.105 C) -/+ 6.9 (4 - (C - 3)/6.5).
InitialStressRange initial_stress_range(double spring_index);

// ---- Tolerance grades of JIS B 2704-2 -------------------------------------------
//
// `grade` is 1, 2 or 3. The tables start at n = 3 active coils and cover spring
// indices 3 to 22; outside them, and for any other grade, the formulas throw.
// A row's upper bound belongs to it: n = 10 is in the row 3 to 10, c = 8 in the row
// 3 to 8, c = 15 in 8 to 15.

// The fraction of the load at a length that grade `grade` allows a compression spring
// of `active_coils` active coils: 0.05 / 0.10 / 0.15 for n <= 10, 0.04 / 0.08 / 0.12
// above.
double jis_load_tolerance(int grade, double active_coils);

// The +/- tolerance (N) of the load `load` (N) of an extension spring with initial
// tension `initial_tension` (N): Fi alpha + (F - Fi) beta, alpha = 0.10 / 0.15 / 0.20
// and beta the fraction of jis_load_tolerance. A negative initial tension and a load
// below the initial tension (so also a negative load) throw: the second term would
// then subtract, and the tolerance could come out negative.
double jis_extension_load_tolerance(int grade, double active_coils, double initial_tension,
                                    double load);

// The +/- tolerance (mm) of the coil diameter `coil_diameter` (mm) of a spring of index
// c = D/d: the larger of a percentage of the diameter and a least value, both of the
// row of c. A diameter <= 0 throws.
double jis_coil_diameter_tolerance(int grade, double spring_index, double coil_diameter);

} // namespace spring_checks
