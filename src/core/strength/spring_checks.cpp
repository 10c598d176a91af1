#include "core/strength/spring_checks.h"

#include "core/strength/cls_sprg.h"
#include "core/strength/fatigue_lines.h"
#include "core/strength/spr_mat.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string_view>
#include <vector>

namespace spring_checks {

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr double kUpperLimit = 0.45; // the fatigue diagram's upper stress limit

constexpr ElasticConstants kSteel{78500, 206000, 7.85};
constexpr ElasticConstants kStainless{68500, 186000, 7.93};

struct NamedGrade {
    std::string_view designation;
    Grade grade;
};

// The grades of the material table with their constants: the stainless ones are the
// SUS designations, the others steel.
const std::vector<NamedGrade>& grades() {
    static const std::vector<NamedGrade> all = [] {
        std::vector<NamedGrade> list;
        for (const spr_mat::GradeRange& g : spr_mat::grade_ranges()) {
            const bool stainless = g.designation.substr(0, 3) == "SUS";
            list.push_back({g.designation, {stainless ? kStainless : kSteel, g.d_min, g.d_max}});
        }
        return list;
    }();
    return all;
}

// The throwing half of the argument checks, kept out of line so that the checks
// themselves stay small enough to inline into the formulas.
[[noreturn]] void reject(const char* what, double v) {
    if (!std::isfinite(v))
        throw EspringCheckException(std::string(what) + " is not a finite number.");
    throw EspringCheckException(std::string(what) + " must be positive.");
}

[[noreturn]] void reject_result() {
    throw EspringCheckException("The result is out of range.");
}

inline void require_finite(double v, const char* what) {
    if (!std::isfinite(v))
        reject(what, v);
}

inline void require_positive(double v, const char* what) {
    if (!(std::isfinite(v) && v > 0))
        reject(what, v);
}

// Rounds to double; a result beyond the double range is an error, not an infinity.
inline double finite_result(long double v) {
    const double r = static_cast<double>(v);
    if (!std::isfinite(r))
        reject_result();
    return r;
}

} // namespace

const Grade* find_grade(std::string_view designation) {
    for (const NamedGrade& g : grades()) {
        if (g.designation == designation)
            return &g.grade;
    }
    return nullptr;
}

std::optional<ElasticConstants> elastic_constants(const std::string& designation) {
    if (const Grade* g = find_grade(designation))
        return g->constants;
    return std::nullopt;
}

double active_coils(double G, double d, double D, double k) {
    require_positive(G, "Shear modulus");
    require_positive(d, "Wire diameter");
    require_positive(D, "Mean coil diameter");
    require_positive(k, "Spring rate");
    const long double wire = d, coil = D;
    return finite_result(G * wire * wire * wire * wire / (8 * coil * coil * coil * k));
}

double solid_length(double total_coils, double d, Ends ends) {
    require_positive(total_coils, "Total number of coils");
    require_positive(d, "Wire diameter");
    const long double coils = ends == Ends::Ground ? total_coils : total_coils + 1.5L;
    return finite_result(coils * d);
}

double minimum_gap_sum(double n, double d, double D, Loading loading) {
    require_positive(n, "Number of active coils");
    require_positive(d, "Wire diameter");
    require_positive(D, "Mean coil diameter");
    const long double coil = D;
    const long double sa = n * (0.0015L * coil * coil / d + 0.1L * d);
    return finite_result(loading == Loading::Dynamic ? 1.5L * sa : sa);
}

double buckling_deflection(double L0, double D, double G, double E, double nu) {
    require_positive(L0, "Free length");
    require_positive(D, "Mean coil diameter");
    require_positive(G, "Shear modulus");
    require_positive(E, "Young's modulus");
    require_positive(nu, "Seating coefficient");
    if (G >= E)
        throw EspringCheckException("Shear modulus must be smaller than Young's modulus.");
    const long double g = static_cast<long double>(G) / E;
    const long double slender = kPi * D / (static_cast<long double>(nu) * L0);
    const long double qa2 = (1 - g) / (0.5L + g) * slender * slender;
    const long double under_root = 1 - qa2;
    if (under_root < 0)
        return std::numeric_limits<double>::infinity();
    // 1 - sqrt(1 - qa2) written without the cancellation of two nearly equal terms.
    return finite_result(L0 * 0.5L / (1 - g) * qa2 / (1 + std::sqrt(under_root)));
}

double natural_frequency(double d, double D, double n, double G, double density) {
    require_positive(d, "Wire diameter");
    require_positive(D, "Mean coil diameter");
    require_positive(n, "Number of active coils");
    require_positive(G, "Shear modulus");
    require_positive(density, "Density");
    // With d, D in mm, G in MPa and the density in g/cm^3, the wave speed sqrt(G/2rho)
    // is sqrt(1e3 G/2rho) m/s and d/D^2 is 1e3 d/D^2 per metre: 1e9 under the root.
    const long double coil = D;
    const long double speed = std::sqrt(1e9L * G / (2.0L * density));
    return finite_result(d / (2 * kPi * n * coil * coil) * speed);
}

FatigueRegion::FatigueRegion(double cycles)
    : r_(cls_sprg::fatigue_limit_ratio(cycles)),
      // Above 0.45 the fatigue-limit line lies over the whole triangle below 0.45 and
      // bounds nothing; its crossing may even be undefined (a horizontal line).
      xe_(r_ < kUpperLimit ? strength::fatigue_edge_x(r_) : 0.0) {}

bool FatigueRegion::contains(double x, double y) const {
    require_finite(x, "tau_min/sigmaB");
    require_finite(y, "tau_max/sigmaB");
    if (x < 0 || y < x || y > kUpperLimit)
        return false;
    if (r_ >= kUpperLimit)
        return true;
    // Right of (or on) the edge from (0, r) to (xe, 0.45), in the cross-product form of
    // the drawn corners: both corners give exactly zero, so they count as inside.
    return xe_ * (y - r_) - (kUpperLimit - r_) * x <= 0;
}

double FatigueRegion::highest(double x) const {
    if (r_ >= kUpperLimit || x >= xe_)
        return kUpperLimit;
    return r_ + (kUpperLimit - r_) / xe_ * (x > 0 ? x : 0.0);
}

bool fatigue_admissible(double x, double y, double cycles) {
    return FatigueRegion(cycles).contains(x, y);
}

InitialStressRange initial_stress_range(double spring_index) {
    require_positive(spring_index, "Spring index");
    const long double c = spring_index;
    const long double middle = 231 / std::exp(0.105L * c);
    const long double half = 6.9L * (4 - (c - 3) / 6.5L);
    // Beyond C = 29 the half width turns negative; the two values swap.
    const double a = finite_result(middle - half), b = finite_result(middle + half);
    return a <= b ? InitialStressRange{a, b} : InitialStressRange{b, a};
}

namespace {

// The tables of JIS B 2704-2, one column per grade. Each row holds up to its upper
// bound, inclusive; the first row whose bound is not below the value is the one.
constexpr int kJisGrades = 3;
constexpr double kLowestCoils = 3, kLowestIndex = 3, kHighestIndex = 22;

struct LoadRow {
    double upper; // active coils
    double fraction[kJisGrades];
};

constexpr LoadRow kLoadRows[] = {
    {10, {0.05, 0.10, 0.15}},
    {std::numeric_limits<double>::infinity(), {0.04, 0.08, 0.12}},
};

// The share of the initial tension in an extension spring's tolerance; the rest of
// the load takes the compression spring's fraction.
constexpr double kInitialTensionFraction[kJisGrades] = {0.10, 0.15, 0.20};

struct DiameterTolerance {
    double fraction; // of the coil diameter
    double least;    // mm
};

struct DiameterRow {
    double upper; // spring index
    DiameterTolerance grade[kJisGrades];
};

constexpr DiameterRow kDiameterRows[] = {
    {8, {{0.010, 0.15}, {0.015, 0.2}, {0.025, 0.4}}},
    {15, {{0.015, 0.2}, {0.020, 0.3}, {0.030, 0.5}}},
    {kHighestIndex, {{0.020, 0.3}, {0.030, 0.5}, {0.040, 0.7}}},
};

// The caller has checked that v is not above the last bound.
template <typename Row, std::size_t N> const Row& row_of(const Row (&rows)[N], double v) {
    for (const Row& row : rows) {
        if (v <= row.upper)
            return row;
    }
    return rows[N - 1];
}

[[noreturn]] void reject_rule(const char* what, double v, const char* rule) {
    if (!std::isfinite(v))
        reject(what, v);
    throw EspringCheckException(std::string(what) + " " + rule);
}

int grade_column(int grade) {
    if (grade < 1 || grade > kJisGrades)
        throw EspringCheckException("Tolerance grade must be 1, 2 or 3.");
    return grade - 1;
}

double load_fraction(int column, double n) {
    if (!(std::isfinite(n) && n >= kLowestCoils))
        reject_rule("Number of active coils", n, "must be at least 3.");
    return row_of(kLoadRows, n).fraction[column];
}

} // namespace

double jis_load_tolerance(int grade, double n) {
    return load_fraction(grade_column(grade), n);
}

double jis_extension_load_tolerance(int grade, double n, double Fi, double F) {
    const int column = grade_column(grade);
    const double beta = load_fraction(column, n);
    if (!(std::isfinite(Fi) && Fi >= 0))
        reject_rule("Initial tension", Fi, "must not be negative.");
    if (!(std::isfinite(F) && F >= 0))
        reject_rule("Load", F, "must not be negative.");
    if (F < Fi)
        throw EspringCheckException("Load must not be below the initial tension.");
    return Fi * kInitialTensionFraction[column] + (F - Fi) * beta;
}

double jis_coil_diameter_tolerance(int grade, double c, double D) {
    const int column = grade_column(grade);
    if (!(std::isfinite(c) && c >= kLowestIndex && c <= kHighestIndex))
        reject_rule("Spring index", c, "must be between 3 and 22.");
    require_positive(D, "Coil diameter");
    const DiameterTolerance& t = row_of(kDiameterRows, c).grade[column];
    return std::max(t.fraction * D, t.least);
}

} // namespace spring_checks
