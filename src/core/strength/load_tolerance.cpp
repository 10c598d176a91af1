#include "core/strength/load_tolerance.h"

#include "core/strength/spring_checks.h"

namespace spring_checks {

LoadTolerance LoadTolerance::fraction(double t) {
    LoadTolerance l;
    l.fraction_ = t;
    return l;
}

LoadTolerance LoadTolerance::graded(int grade, bool compression, double active_coils,
                                    double spring_index, double initial_tension) {
    LoadTolerance l;
    l.grade_ = grade;
    // The grade's tables hold for these coils and indices only: asked once here, so
    // that a tolerance that exists answers every load.
    l.fraction_ = jis_load_tolerance(grade, active_coils);
    jis_coil_diameter_tolerance(grade, spring_index, 1.0);
    if (!compression) {
        jis_extension_load_tolerance(grade, active_coils, initial_tension, initial_tension);
        l.extension_ = true;
        l.active_coils_ = active_coils;
        l.initial_tension_ = initial_tension;
    }
    return l;
}

double LoadTolerance::at(double load) const {
    // Below the initial tension an extension spring carries no load of its own.
    if (extension_ && load >= initial_tension_)
        return jis_extension_load_tolerance(*grade_, active_coils_, initial_tension_, load);
    return load * fraction_;
}

} // namespace spring_checks
