#include "core/strength/spring_evaluation.h"

#include "core/strength/cls_sprg.h"
#include "core/strength/float_error.h"
#include "core/strength/spr_mat.h"

namespace strength {
namespace {

double load_at(const SpringValues& s, double length) {
    return cls_sprg::load_at_length(length, s.lo, s.lmax, s.k, s.fo);
}

ConditionEvaluation evaluate_condition(const SpringValues& s, std::optional<double> length,
                                       double tau_a, double ratio_limit) {
    ConditionEvaluation c;
    if (!length)
        return c;
    try {
        c.load = load_at(s, *length);
    } catch (const cls_sprg::EStdspringException&) {
        c.state = ConditionEvaluation::State::OutOfRange;
        return c;
    }
    c.state = ConditionEvaluation::State::Evaluated;
    c.stress = cls_sprg::shear_stress(s.wire_dia, s.coil_dia - s.wire_dia, c.load);
    c.over_limit = c.stress / tau_a >= ratio_limit;
    return c;
}

} // namespace

SpringEvaluation evaluate_spring(const SpringValues& spring,
                                 const std::array<std::optional<double>, 2>& lengths,
                                 double ratio_limit, double unit_factor,
                                 const std::optional<OperatingRange>& range) {
    SpringEvaluation e;
    const double d = spring.wire_dia;
    const double D = spring.coil_dia - d;
    try {
        e.allowable_stress = spr_mat::allowable_stress(spring.material, d) * unit_factor;
        e.tensile_strength = spr_mat::tensile_strength(spring.material, d) * unit_factor;
    } catch (const spr_mat::EspringMaterialException&) {
        return e;
    }
    e.graded = true;
    for (size_t i = 0; i < lengths.size(); ++i)
        e.conditions[i] = evaluate_condition(spring, lengths[i], e.allowable_stress, ratio_limit);

    if (!range)
        return e;
    try {
        const double p1 = range->lengths ? load_at(spring, range->first) : range->first;
        const double p2 = range->lengths ? load_at(spring, range->second) : range->second;
        e.working_point = working_point(d, D, p1, p2, e.tensile_strength);
    } catch (const cls_sprg::EStdspringException&) {
        // A range outside the spring's lengths places no point.
    } catch (const float_error::EFloatError&) {
        // Nor does a grade without a tensile strength.
    }
    return e;
}

} // namespace strength
