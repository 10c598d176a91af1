// How far a spring's load may lie from its stated value: the designer's fraction of
// it, or what a tolerance grade of JIS B 2704-2 allows for this spring.
#pragma once

#include "core/catalogue/spring_record.h"

#include <optional>

namespace spring_checks {

class LoadTolerance {
public:
    // F (1 +/- t).
    static LoadTolerance fraction(double t);
    // What grade 1, 2 or 3 allows a spring of these active coils and index; for an
    // extension spring it rests on the initial tension (N). Throws
    // EspringCheckException where the grade gives no tolerance.
    static LoadTolerance graded(int grade, bool compression, double active_coils,
                                double spring_index, double initial_tension);

    // The +/- tolerance (N) of a load (N).
    double at(double load) const;
    catalogue::spring::LoadBand band(double load) const {
        const double d = at(load);
        return {load - d, load + d};
    }
    // The tolerance as a fraction of a load; at no load, that of the grade's or the
    // stated fraction, which a load of nothing has no share of.
    double fraction_of(double load) const { return load != 0 ? at(load) / load : fraction_; }
    // The grade it comes from; none for a stated fraction.
    std::optional<int> grade() const { return grade_; }

private:
    LoadTolerance() = default;

    double fraction_ = 0;
    std::optional<int> grade_;
    bool extension_ = false;
    double active_coils_ = 0, initial_tension_ = 0;
};

} // namespace spring_checks
