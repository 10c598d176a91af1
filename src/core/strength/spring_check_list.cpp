#include "core/strength/spring_check_list.h"

#include "core/catalogue/spring_record.h"
#include "core/strength/check_reasons.h"
#include "core/strength/cls_sprg.h"
#include "core/strength/coil_consistency.h"
#include "core/strength/load_tolerance.h"
#include "core/strength/refused_data.h"
#include "core/strength/working_point.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace spring_checks {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The red rule of the stress display: tau0/taua at or above this is too close.
constexpr double kRatioLimit[] = {
    catalogue::spring::stress_ratio_limit(catalogue::spring::SpringType::Compression),
    catalogue::spring::stress_ratio_limit(catalogue::spring::SpringType::Extension)};

constexpr std::size_t kOtherSeating = std::size(kSeatings) - 1;

// A quantity some checks need, or why it is missing.
struct Needed {
    double value = 0;
    std::string_view missing;
    explicit operator bool() const { return missing.empty(); }
};

Needed missing(std::string_view why) {
    return {0, why};
}

// The formulas throw only for data no catalogue should hold (values beyond the double
// range); such a quantity is missing rather than a guess.
template <typename Formula> Needed compute(Formula&& formula) {
    return or_failed(
        [&] {
            return Needed{formula(), {}};
        },
        [] { return missing(text::kNotComputable); });
}

bool positive(double v) {
    return std::isfinite(v) && v > 0;
}

// Within the closed range between lo and lmax, in either order; the same test, in the
// same precision, as cls_sprg::load_at_length, which then never throws.
bool on_load_line(double L, double lo, double lmax) {
    return (static_cast<long double>(L) - lo) * (static_cast<long double>(L) - lmax) <= 0;
}

double upper_margin(double value, double limit) {
    return 1 - value / limit;
}

// How far a value lies inside [low, high], as a fraction of the nearer end: below the
// range it is judged against the lower end, never the upper.
double inside_margin(double value, double low, double high) {
    if (low > 0 && value - low < high - value)
        return (value - low) / low;
    return (high - value) / high;
}

// One record's evaluation: the quantities first, then the checks in the order of Kind.
class Evaluation {
public:
    Evaluation(const Duty& duty, const CheckConditions& conditions,
               const std::optional<FatigueRegion>& region, std::size_t seating,
               StrengthCache& strengths, const Record& r, SpringVerdict& out)
        : duty_(duty), conditions_(conditions), region_(region), seating_(kSeatings[seating]),
          strengths_(strengths), r_(r), out_(out),
          compression_(duty.kind == SpringKind::Compression), d_(r.wire_dia),
          D_(r.coil_dia - r.wire_dia) {
        out_.kind = duty.kind;
        quantities();
    }

    void run() {
        coils_check();
        const std::optional<Needed> length1 = given(duty_.length1);
        const std::optional<Needed> length2 = given(duty_.length2);
        static_stress(duty_.length1, Site::Length1);
        static_stress(duty_.length2, Site::Length2);
        if (compression_) {
            minimum_length(length1, Site::Length1);
            minimum_length(length2, Site::Length2);
            minimum_length(range_shorter_, Site::RangeShorter);
            minimum_length(range_longer_, Site::RangeLonger);
            catalogue_lmax();
            buckling(length1, Site::Length1);
            buckling(length2, Site::Length2);
            buckling(range_shorter_, Site::RangeShorter);
            solid_stress();
        }
        fatigue();
        if (!compression_)
            initial_stress();
        natural_frequency_check();
        load_band(duty_.length1, Site::Length1);
        load_band(duty_.length2, Site::Length2);
        if (conditions_.jis_grade) {
            fit(duty_.bore, Site::Bore);
            fit(duty_.rod, Site::Rod);
        }
    }

private:
    void quantities() {
        geometry_ = std::isfinite(d_) && d_ > 0 && std::isfinite(D_) && D_ > 0;
        grade_ = find_grade(r_.material);
        if (grade_)
            constants_ = grade_->constants;

        if (!std::isfinite(r_.lo) || !std::isfinite(r_.lmax) || !std::isfinite(r_.fo))
            line_ = missing(text::kNoLoadLine);
        else if (!positive(r_.k))
            line_ = missing(text::kNoRate);

        Needed material;
        if (!geometry_)
            material = missing(text::kNoGeometry);
        else if (!grade_)
            material = missing(text::kUnknownMaterial);
        else if (d_ < grade_->d_min || d_ > grade_->d_max)
            material = missing(text::kDiameterOutOfGrade);
        if (material) {
            const StrengthCache::Strengths& s = strengths_.get(r_.material, *grade_, d_);
            tau_a_ = s.allowable && *s.allowable > 0 ? Needed{*s.allowable, {}}
                                                     : missing(text::kNotComputable);
            if (!s.tensile)
                sigma_b_ = missing(text::kNotComputable);
            else if (*s.tensile <= 0)
                sigma_b_ = missing(text::kNoTensileStrength);
            else
                sigma_b_ = Needed{*s.tensile, {}};
        } else {
            tau_a_ = sigma_b_ = material;
        }

        if (!geometry_)
            coils_ = missing(text::kNoGeometry);
        else if (!grade_)
            coils_ = missing(text::kUnknownMaterial);
        else if (!line_)
            coils_ = line_;
        else
            coils_ = compute([&] { return active_coils(constants_.shear_modulus, d_, D_, r_.k); });

        if (compression_)
            compression_quantities();
        tolerance();
        assume();
    }

    // The load tolerance: the stated fraction, or what the grade gives this spring.
    void tolerance() {
        if (!conditions_.jis_grade) {
            tolerance_ = LoadTolerance::fraction(conditions_.load_tolerance);
            return;
        }
        if (!coils_) {
            tolerance_missing_ = coils_.missing;
        } else if (coils_.value < 3) {
            tolerance_missing_ = text::kJisFewCoils;
        } else if (!(D_ / d_ >= 3 && D_ / d_ <= 22)) {
            tolerance_missing_ = text::kJisIndexOutside;
        } else {
            tolerance_ = or_failed(
                [&] {
                    return std::optional(LoadTolerance::graded(*conditions_.jis_grade, compression_,
                                                               coils_.value, D_ / d_, r_.fo));
                },
                [] { return std::optional<LoadTolerance>(); });
            if (!tolerance_)
                tolerance_missing_ = text::kNotComputable;
        }
    }

    void assume() {
        Assumptions& a = out_.assumed;
        if (geometry_) {
            a.mean_diameter = D_;
            a.spring_index = D_ / d_;
            a.stress_correction =
                or_failed([&] { return std::optional(cls_sprg::wahl_factor(d_, D_)); },
                          [] { return std::optional<double>(); });
            if (!compression_)
                a.initial_stress =
                    or_failed([&] { return std::optional(initial_stress_range(D_ / d_)); },
                              [] { return std::optional<InitialStressRange>(); });
        }
        if (coils_)
            a.active_coils = coils_.value;
        if (positive(r_.turn))
            a.total_coils = r_.turn;
        if (grade_) {
            a.shear_modulus = constants_.shear_modulus;
            a.youngs_modulus = constants_.youngs_modulus;
        }
        if (sigma_b_)
            a.tensile_strength = sigma_b_.value;
        if (tau_a_)
            a.allowable_stress = tau_a_.value;
        a.excitation_frequency = duty_.excitation_frequency;
        a.load_tolerance = tolerance_;
    }

    void compression_quantities() {
        // The free length is where the load line reaches zero load.
        if (line_) {
            const double free = r_.lo + r_.fo / r_.k;
            free_ = std::isfinite(free) && free > 0 ? Needed{free, {}} : missing(text::kNoLoadLine);
        } else {
            free_ = line_;
        }

        if (!positive(d_))
            solid_ = missing(text::kNoGeometry);
        else if (!positive(r_.turn))
            solid_ = missing(text::kNoTurns);
        else
            solid_ = compute([&] { return solid_length(r_.turn, d_, conditions_.ends); });
        if (!solid_)
            usable_ = solid_;
        else if (!coils_)
            usable_ = coils_;
        else
            usable_ = compute([&] {
                return solid_.value + minimum_gap_sum(coils_.value, d_, D_, conditions_.loading);
            });

        if (!geometry_)
            buckle_ = missing(text::kNoGeometry);
        else if (!grade_)
            buckle_ = missing(text::kUnknownMaterial);
        else if (!free_)
            buckle_ = free_;
        else
            buckle_ = compute([&] {
                return buckling_deflection(free_.value, D_, constants_.shear_modulus,
                                           constants_.youngs_modulus, conditions_.nu);
            });

        if (const auto& range = duty_.range) {
            if (range->given == OperatingRange::Given::Lengths) {
                range_shorter_ = Needed{std::min(range->first, range->second), {}};
                range_longer_ = Needed{std::max(range->first, range->second), {}};
            } else if (free_) {
                // The lengths at which the load line gives the two loads.
                const double a = free_.value - range->first / r_.k;
                const double b = free_.value - range->second / r_.k;
                range_shorter_ = Needed{std::min(a, b), {}};
                range_longer_ = Needed{std::max(a, b), {}};
            } else {
                range_shorter_ = range_longer_ = free_;
            }
        }
    }

    static std::optional<Needed> given(const std::optional<double>& L) {
        if (!L)
            return std::nullopt;
        return Needed{*L, {}};
    }

    void add(Kind kind, Site site, Verdict verdict, double at, double value, double limit,
             double margin, std::string_view reason) {
        // Extreme data can push a quotient past the double range; the one infinity a
        // check may carry is the buckling deflection of a spring that cannot buckle.
        const bool infinite_limit = kind == Kind::Buckling && limit == kInfinity;
        if (!std::isfinite(at) || !std::isfinite(value) || !std::isfinite(margin) ||
            !(std::isfinite(limit) || infinite_limit))
            return absent(kind, site, text::kNotComputable);
        if (verdict == Verdict::Ok)
            margin = std::max(margin, 0.0);
        else
            margin = std::min(margin, 0.0);
        out_.checks.push_back({kind, site, verdict, at, value, limit, margin, reason});
        out_.overall = std::max(out_.overall, verdict);
    }

    void absent(Kind kind, Site site, std::string_view why) {
        out_.absent.push_back({kind, site, why});
    }

    // The load at a searched length as the stress display finds it, or why not.
    Needed load_at(double L) const {
        if (!line_)
            return line_;
        if (!on_load_line(L, r_.lo, r_.lmax))
            return missing(text::kLengthOutOfRange);
        return compute([&] { return cls_sprg::load_at_length(L, r_.lo, r_.lmax, r_.k, r_.fo); });
    }

    // A spring without total coils has nothing to hold its rate against: no check.
    void coils_check() {
        if (!coils_ || !positive(r_.turn))
            return;
        const double n = coils_.value;
        const CoilRange range = plausible_active_coils(compression_, r_.turn);
        const bool ok = coils_consistent(compression_, n, r_.turn);
        const bool nearer_low = n - range.low < range.high - n;
        add(Kind::Coils, Site::Spring, ok ? Verdict::Ok : Verdict::Caution, r_.turn, n,
            nearer_low ? range.low : range.high, inside_margin(n, range.low, range.high),
            ok ? text::kCoilsConsistent : text::kCoilsInconsistent);
    }

    void static_stress(const std::optional<double>& L, Site site) {
        if (!L)
            return;
        Needed load = load_at(*L);
        if (load && !geometry_)
            load = missing(text::kNoGeometry);
        const Needed& need = !load ? load : tau_a_;
        if (!need)
            return absent(Kind::StaticStress, site, need.missing);
        const Needed ratio =
            compute([&] { return cls_sprg::shear_stress(d_, D_, load.value) / tau_a_.value; });
        if (!ratio)
            return absent(Kind::StaticStress, site, ratio.missing);
        const std::size_t k = compression_ ? 0 : 1;
        const bool high = ratio.value >= kRatioLimit[k];
        add(Kind::StaticStress, site, high ? Verdict::Fail : Verdict::Ok, *L, ratio.value,
            kRatioLimit[k], upper_margin(ratio.value, kRatioLimit[k]),
            high ? text::kStressHigh[k] : text::kStressOk[k]);
    }

    void minimum_length(const std::optional<Needed>& L, Site site) {
        if (!L)
            return;
        const Needed& need = !*L ? *L : usable_;
        if (!need)
            return absent(Kind::MinimumLength, site, need.missing);
        const double length = L->value;
        const bool short_ = length < usable_.value;
        add(Kind::MinimumLength, site, short_ ? Verdict::Fail : Verdict::Ok, length, length,
            usable_.value, length / usable_.value - 1, short_ ? text::kBelowLn : text::kAboveLn);
    }

    void catalogue_lmax() {
        if (!usable_)
            return absent(Kind::MinimumLength, Site::CatalogueLmax, usable_.missing);
        if (!std::isfinite(r_.lmax))
            return absent(Kind::MinimumLength, Site::CatalogueLmax, text::kNoLoadLine);
        const bool short_ = r_.lmax < usable_.value;
        add(Kind::MinimumLength, Site::CatalogueLmax, short_ ? Verdict::Caution : Verdict::Ok,
            r_.lmax, r_.lmax, usable_.value, r_.lmax / usable_.value - 1,
            short_ ? text::kLmaxBelowLn : text::kLmaxAboveLn);
    }

    void buckling(const std::optional<Needed>& L, Site site) {
        if (!L)
            return;
        const Needed& need = !*L ? *L : buckle_;
        if (!need)
            return absent(Kind::Buckling, site, need.missing);
        const double s = free_.value - L->value;
        const double sk = buckle_.value;
        const bool buckles = s >= sk;
        add(Kind::Buckling, site, buckles ? Verdict::Fail : Verdict::Ok, L->value, s, sk,
            upper_margin(s, sk),
            buckles          ? seating_.buckles
            : std::isinf(sk) ? seating_.never
                             : seating_.safe);
    }

    void solid_stress() {
        std::string_view why = !solid_ ? solid_.missing : !line_ ? line_.missing : tau_a_.missing;
        if (why.empty() && !geometry_)
            why = text::kNoGeometry;
        if (!why.empty())
            return absent(Kind::SolidStress, Site::Spring, why);
        // The load line carried on to the solid length.
        const Needed tau = compute([&] {
            const double load = r_.fo + r_.k * (r_.lo - solid_.value);
            return cls_sprg::shear_stress(d_, D_, load);
        });
        if (!tau)
            return absent(Kind::SolidStress, Site::Spring, tau.missing);
        const bool high = tau.value > tau_a_.value;
        add(Kind::SolidStress, Site::Spring, high ? Verdict::Caution : Verdict::Ok, solid_.value,
            tau.value, tau_a_.value, upper_margin(tau.value, tau_a_.value),
            high ? text::kSolidHigh : text::kSolidOk);
    }

    void fatigue() {
        const auto& range = duty_.range;
        if (!range)
            return; // the diagram shows no working point either
        if (!duty_.cycles)
            return absent(Kind::Fatigue, Site::Spring, text::kNoCycles);
        if (!region_)
            return absent(Kind::Fatigue, Site::Spring, text::kCyclesOutOfDomain);
        Needed p1{range->first, {}}, p2{range->second, {}};
        if (range->given == OperatingRange::Given::Lengths) {
            p1 = load_at(range->first);
            p2 = load_at(range->second);
            for (Needed* p : {&p1, &p2}) {
                if (p->missing == text::kLengthOutOfRange)
                    p->missing = text::kRangeOutOfRange;
            }
        }
        std::string_view why = !p1 ? p1.missing : !p2 ? p2.missing : sigma_b_.missing;
        if (why.empty() && !geometry_)
            why = text::kNoGeometry;
        if (!why.empty())
            return absent(Kind::Fatigue, Site::Spring, why);
        const std::optional<strength::WorkingPoint> point = or_failed(
            [&] {
                return std::optional(
                    strength::working_point(d_, D_, p1.value, p2.value, sigma_b_.value));
            },
            [] { return std::optional<strength::WorkingPoint>(); });
        if (!point)
            return absent(Kind::Fatigue, Site::Spring, text::kNotComputable);
        const strength::WorkingPoint wp = *point;
        const bool inside = region_->contains(wp.x, wp.y);
        const double highest = region_->highest(wp.x);
        add(Kind::Fatigue, Site::Spring, inside ? Verdict::Ok : Verdict::Fail, wp.x, wp.y, highest,
            upper_margin(wp.y, highest), inside ? text::kFatigueOk : text::kFatigueOut);
    }

    void initial_stress() {
        if (!geometry_)
            return absent(Kind::InitialStress, Site::Spring, text::kNoGeometry);
        if (!std::isfinite(r_.fo))
            return absent(Kind::InitialStress, Site::Spring, text::kNoLoadLine);
        InitialStressRange usual{};
        const Needed tau = compute([&] {
            usual = initial_stress_range(D_ / d_);
            return cls_sprg::shear_stress(d_, D_, r_.fo);
        });
        if (!tau)
            return absent(Kind::InitialStress, Site::Spring, tau.missing);
        const double t = tau.value;
        const bool low = t < usual.low;
        const bool high = t > usual.high;
        const bool nearer_low = t - usual.low < usual.high - t;
        add(Kind::InitialStress, Site::Spring, low || high ? Verdict::Caution : Verdict::Ok, r_.lo,
            t, nearer_low ? usual.low : usual.high, inside_margin(t, usual.low, usual.high),
            low    ? text::kInitialLow
            : high ? text::kInitialHigh
                   : text::kInitialOk);
    }

    void natural_frequency_check() {
        if (!coils_)
            return absent(Kind::NaturalFrequency, Site::Spring, coils_.missing);
        const Needed f = compute([&] {
            return natural_frequency(d_, D_, coils_.value, constants_.shear_modulus,
                                     constants_.density);
        });
        if (!f)
            return absent(Kind::NaturalFrequency, Site::Spring, f.missing);
        // Informative until the duty says how fast the machine drives the spring.
        if (!duty_.excitation_frequency)
            return add(Kind::NaturalFrequency, Site::Spring, Verdict::Ok, 0, f.value, 0, 0,
                       text::kFrequency);
        const double least = kResonanceFactor * *duty_.excitation_frequency;
        const bool surges = f.value < least;
        add(Kind::NaturalFrequency, Site::Spring, surges ? Verdict::Caution : Verdict::Ok, 0,
            f.value, least, f.value / least - 1, surges ? text::kResonance : text::kNoResonance);
    }

    void load_band(const std::optional<double>& L, Site site) {
        if (!L)
            return;
        const Needed load = load_at(*L);
        if (!load)
            return absent(Kind::LoadBand, site, load.missing);
        if (!tolerance_)
            return absent(Kind::LoadBand, site, tolerance_missing_);
        const double plus_minus =
            or_failed([&] { return tolerance_->at(load.value); },
                      [] { return std::numeric_limits<double>::quiet_NaN(); });
        const catalogue::spring::LoadBand band{load.value - plus_minus, load.value + plus_minus};
        // The tolerance as a fraction of the load; the stated one where it is one.
        const double t = tolerance_->grade() ? std::fabs(tolerance_->fraction_of(load.value))
                                             : conditions_.load_tolerance;
        add(Kind::LoadBand, site, Verdict::Ok, *L, std::min(band.minus, band.plus),
            std::max(band.minus, band.plus), t, text::kLoadBand);
    }

    // The outer diameter with its tolerance in the bore, the inner one on the rod.
    void fit(const std::optional<double>& bound, Site site) {
        if (!bound)
            return;
        if (!geometry_)
            return absent(Kind::Fit, site, text::kNoGeometry);
        if (!(D_ / d_ >= 3 && D_ / d_ <= 22))
            return absent(Kind::Fit, site, text::kJisIndexOutside);
        const bool bore = site == Site::Bore;
        const double nominal = bore ? r_.coil_dia : r_.coil_dia - 2 * d_;
        const Needed tol = compute(
            [&] { return jis_coil_diameter_tolerance(*conditions_.jis_grade, D_ / d_, nominal); });
        if (!tol)
            return absent(Kind::Fit, site, tol.missing);
        const double extreme = bore ? nominal + tol.value : nominal - tol.value;
        const bool fits = bore ? extreme <= *bound : extreme >= *bound;
        add(Kind::Fit, site, fits ? Verdict::Ok : Verdict::Caution, nominal, extreme, *bound,
            bore ? 1 - extreme / *bound : extreme / *bound - 1,
            fits   ? text::kFitOk
            : bore ? text::kBoreTight
                   : text::kRodTight);
    }

    const Duty& duty_;
    const CheckConditions& conditions_;
    const std::optional<FatigueRegion>& region_;
    const SeatingTexts& seating_;
    StrengthCache& strengths_;
    const Record& r_;
    SpringVerdict& out_;
    const bool compression_;
    const double d_, D_;

    bool geometry_ = false;
    const Grade* grade_ = nullptr;
    ElasticConstants constants_{};
    Needed line_;    // the load line is usable (its value unused)
    Needed tau_a_;   // allowable stress, MPa
    Needed sigma_b_; // tensile strength, MPa
    Needed coils_;   // active coils
    Needed free_;    // free length L0
    Needed solid_;   // solid length Lc
    Needed usable_;  // smallest usable length Ln
    Needed buckle_;  // buckling deflection s_K
    std::optional<LoadTolerance> tolerance_;
    std::string_view tolerance_missing_; // why the grade gives this spring no tolerance
    std::optional<Needed> range_shorter_, range_longer_; // compression, when a range is given
};

void require(bool ok, const char* message) {
    if (!ok)
        throw EspringCheckException(message);
}

} // namespace

SpringChecker::SpringChecker(const Duty& duty, const CheckConditions& conditions)
    : duty_(duty), conditions_(conditions), seating_(kOtherSeating) {
    require(std::isfinite(conditions.nu) && conditions.nu > 0,
            "Seating coefficient must be positive.");
    require(std::isfinite(conditions.load_tolerance) && conditions.load_tolerance >= 0 &&
                conditions.load_tolerance < 1,
            "Load tolerance must lie between 0 and 1.");
    require(!conditions.jis_grade || (*conditions.jis_grade >= 1 && *conditions.jis_grade <= 3),
            "Tolerance grade must be 1, 2 or 3.");
    require(!duty.excitation_frequency ||
                (std::isfinite(*duty.excitation_frequency) && *duty.excitation_frequency > 0),
            "Excitation frequency must be positive.");
    for (const auto& bound : {duty.bore, duty.rod})
        require(!bound || std::isfinite(*bound), "Diameter bound is not a finite number.");
    for (const auto& L : {duty.length1, duty.length2})
        require(!L || std::isfinite(*L), "Searched length is not a finite number.");
    if (duty.range)
        require(std::isfinite(duty.range->first) && std::isfinite(duty.range->second),
                "Operating range is not a finite number.");
    for (std::size_t i = 0; i < kOtherSeating; ++i) {
        if (conditions.nu == kSeatings[i].nu)
            seating_ = i;
    }
    // No region for a count the fatigue limit refuses: the fatigue check is absent, as
    // the diagram keeps no outline for it either.
    if (duty.cycles)
        region_ = or_failed([&] { return std::optional<FatigueRegion>(*duty.cycles); },
                            [] { return std::optional<FatigueRegion>(); });
}

SpringVerdict SpringChecker::check(const Record& record) const {
    SpringVerdict verdict;
    Evaluation(duty_, conditions_, region_, seating_, strengths_, record, verdict).run();
    return verdict;
}

SpringVerdict check_spring(const Record& record, const Duty& duty,
                           const CheckConditions& conditions) {
    return SpringChecker(duty, conditions).check(record);
}

} // namespace spring_checks
