// The checks of one catalogue spring against its duty: the catalogue's coil counts, static stress
// at the searched lengths, smallest usable length, buckling, stress at solid, fatigue, initial
// stress, natural frequency and load band, each with a verdict and a short Japanese reason.
//
// Everything is in N, mm and MPa: the record's stored fo and k, not the values of
// the display unit system. Checking one record allocates nothing; the results are
// plain values and the reasons point to constant texts.
//
// Loads are read on the record's load line (fo at lo, rising by k per mm towards
// lmax) only between lo and lmax, as the stress display reads them. The geometric
// checks (smallest usable length, buckling) take any length; an operating range given
// as loads is placed on the load line carried on to the free length lo + fo/k.
#pragma once

#include "core/strength/load_tolerance.h"
#include "core/strength/spring_checks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace spring_checks {

enum class SpringKind : std::uint8_t { Compression, Extension };
// The kind of spring a spring type item stands for; none for a type without checks.
std::optional<SpringKind> kind_of_type_item(int type_item);

// The catalogue fields the checks read. The material text is borrowed.
struct Record {
    std::string_view material;
    double lo = 0, fo = 0, lmax = 0, k = 0; // load line: fo at lo, k N/mm towards lmax
    double coil_dia = 0, wire_dia = 0;      // outer coil diameter, wire diameter
    double turn = 0;                        // total number of coils
};

// The operating range of the dynamic panel: two lengths (mm) or two loads (N), in
// either order.
struct OperatingRange {
    enum class Given : std::uint8_t { Lengths, Loads };
    Given given = Given::Lengths;
    double first = 0, second = 0;
};

// What the spring has to do: the kind of the search, its searched lengths, the
// operating range, the number of load cycles and the frequency the machine drives it
// at, and the room it has: the bore it works in (the search's largest outer diameter)
// and the rod it works on (the search's smallest inner diameter); absent ones not given.
struct Duty {
    SpringKind kind = SpringKind::Compression;
    std::optional<double> length1, length2;
    std::optional<OperatingRange> range;
    std::optional<double> cycles;
    std::optional<double> excitation_frequency = std::nullopt;     // Hz
    std::optional<double> bore = std::nullopt, rod = std::nullopt; // mm
};

struct CheckConditions {
    double nu = 0.5; // seating coefficient of the buckling check
    Ends ends = Ends::Unground;
    Loading loading = Loading::Static;
    double load_tolerance = 0.10; // the stated load holds to F (1 +/- t)
    // A tolerance grade of JIS B 2704-2 (1, 2 or 3) in place of load_tolerance: the
    // load band and the fit in the bore or on the rod follow it.
    std::optional<int> jis_grade = std::nullopt;
};

inline bool operator==(const CheckConditions& a, const CheckConditions& b) {
    return a.nu == b.nu && a.ends == b.ends && a.loading == b.loading &&
           a.load_tolerance == b.load_tolerance && a.jis_grade == b.jis_grade;
}

// A natural frequency below this many times the excitation frequency surges.
inline constexpr double kResonanceFactor = 13;

enum class Verdict : std::uint8_t { Ok, Caution, Fail };

enum class Kind : std::uint8_t {
    Coils,            // value the active coils from the rate, limit the nearer end of what
                      // the total coils (at) allow; margin inside that range over the limit
    StaticStress,     // value tau0/taua, limit 0.8 or 0.64
    MinimumLength,    // value the length, limit Ln (mm)
    Buckling,         // value the deflection L0 - L, limit s_K (mm; +inf: cannot buckle)
    SolidStress,      // value tau0 at the solid length, limit taua (MPa)
    Fatigue,          // value tau_max/sigmaB, limit the highest admissible one at tau_min/sigmaB
    InitialStress,    // value tau0 at fo, limit the nearer end of the usual range (MPa);
                      // margin the distance inside the range over that end
    NaturalFrequency, // value f (Hz); limit 13 times the excitation frequency, or 0 and
                      // informative without one
    LoadBand,         // value the band's lower edge, limit its upper edge (N), margin the
                      // tolerance as a fraction of the load; informative
    Fit,              // value the diameter with its tolerance, limit the bound (mm), at the
                      // nominal diameter: the outer one in the bore, the inner one on the rod
};

// Where a check was made.
enum class Site : std::uint8_t {
    Spring,        // the spring as a whole
    Length1,       // the first searched length
    Length2,       // the second searched length
    RangeShorter,  // the shorter length of the operating range
    RangeLonger,   // the longer length of the operating range
    CatalogueLmax, // the catalogue's own lmax
    Bore,          // the outer diameter in the bore
    Rod,           // the inner diameter on the rod
};

struct Check {
    Kind kind = Kind::StaticStress;
    Site site = Site::Spring;
    Verdict verdict = Verdict::Ok;
    double at = 0;     // the length (mm) of a check at a length, tau_min/sigmaB for Fatigue,
                       // the solid length for SolidStress, lo for InitialStress
    double value = 0;  // see Kind
    double limit = 0;  // see Kind
    double margin = 0; // reserve as a fraction of the limit; 0 or below unless Ok
    std::string_view reason;
};

// A check that could not be made because its data are missing.
struct Absent {
    Kind kind = Kind::StaticStress;
    Site site = Site::Spring;
    std::string_view reason;
};

// A list of at most N items that lives inside its owner (no allocation per record).
template <typename T, std::size_t N> class FixedList {
public:
    void push_back(const T& item) { items_.at(size_++) = item; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const T& operator[](std::size_t i) const { return items_[i]; }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + size_; }

private:
    std::array<T, N> items_{};
    std::size_t size_ = 0;
};

// What the checks took of the spring and its grade, so that a verdict says what it
// rests on; none where the data gave no value.
struct Assumptions {
    std::optional<double> mean_diameter;              // Dm = coil_dia - wire_dia (mm)
    std::optional<double> spring_index;               // Dm / d
    std::optional<double> active_coils;               // n from the rate and G
    std::optional<double> total_coils;                // the catalogue's
    std::optional<double> shear_modulus;              // G of the grade (MPa)
    std::optional<double> youngs_modulus;             // E of the grade (MPa)
    std::optional<double> tensile_strength;           // sigmaB at the wire diameter (MPa)
    std::optional<double> allowable_stress;           // taua at the wire diameter (MPa)
    std::optional<double> stress_correction;          // Wahl's factor, for information
    std::optional<InitialStressRange> initial_stress; // extension springs (MPa)
    std::optional<double> excitation_frequency;       // of the duty (Hz)
    std::optional<LoadTolerance> load_tolerance;      // none where the grade gives none
};

// The checks in the order of Kind, each kind at the sites in the order of Site; the
// absent ones in the same order.
struct SpringVerdict {
    FixedList<Check, 20> checks;
    FixedList<Absent, 20> absent;
    Verdict overall = Verdict::Ok;             // the worst verdict of the checks made
    SpringKind kind = SpringKind::Compression; // what the spring was checked as
    Assumptions assumed;
};

// The material table's allowable stress and tensile strength (MPa) of a grade at a
// wire diameter inside the grade's range, kept for the few diameters a catalogue
// repeats: the table's polynomials are the dearest part of the checks.
class StrengthCache {
public:
    struct Strengths {
        std::optional<double> allowable, tensile; // none where the material table failed
    };

    // designation is the text whose grade find_grade gave.
    const Strengths& get(std::string_view designation, const Grade& grade, double d);

private:
    struct Slot {
        const Grade* grade = nullptr;
        double d = 0;
        Strengths values;
    };
    std::array<Slot, 128> slots_{};
};

// The checks of the records of one search: what the records share (the duty, the
// conditions, the fatigue region) is worked out once. Like the material table it
// calls, a checker is not for concurrent use.
class SpringChecker {
public:
    // Throws EspringCheckException for conditions outside their domain (nu <= 0, a
    // load tolerance outside [0, 1), a grade other than 1-3, a non-finite length, load,
    // diameter or frequency, a frequency not above 0). A cycle count for
    // which the fatigue diagram has no region leaves the fatigue check absent.
    SpringChecker(const Duty& duty, const CheckConditions& conditions);

    // Never throws for the record's data: what cannot be checked is absent.
    SpringVerdict check(const Record& record) const;

private:
    Duty duty_;
    CheckConditions conditions_;
    std::optional<FatigueRegion> region_;
    std::size_t seating_; // index of the seating texts for nu
    mutable StrengthCache strengths_;
};

// One record checked on its own.
SpringVerdict check_spring(const Record& record, const Duty& duty,
                           const CheckConditions& conditions);

} // namespace spring_checks
