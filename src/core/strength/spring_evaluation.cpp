#include "core/strength/spring_evaluation.h"

#include "core/catalogue/spring_record.h"
#include "core/strength/cls_sprg.h"
#include "core/strength/float_error.h"
#include "core/strength/spr_mat.h"
#include "core/strength/spring_checks.h"

namespace strength {
namespace {

double load_at(const SpringValues& s, double length) {
    return cls_sprg::load_at_length(length, s.lo, s.lmax, s.k, s.fo);
}

// `tau_a` is absent when the grade gives none.
ConditionEvaluation evaluate_condition(const SpringValues& s, std::optional<double> length,
                                       std::optional<double> tau_a, double ratio_limit) {
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
    try {
        c.stress = cls_sprg::shear_stress(s.wire_dia, s.coil_dia - s.wire_dia, c.load);
    } catch (const float_error::EFloatError&) {
        return c; // the load stands; a stress of no value is not shown
    }
    c.stress_known = true;
    c.over_limit = tau_a && c.stress / *tau_a >= ratio_limit;
    return c;
}

} // namespace

SpringValues spring_values(const catalogue::Table& table, int row) {
    namespace f = catalogue::spring;
    SpringValues s;
    s.material = std::string(table.text(row, f::material));
    s.wire_dia = table.number(row, f::wire_dia);
    s.coil_dia = table.number(row, f::coil_dia);
    s.lo = table.number(row, f::lo);
    s.lmax = table.number(row, f::lmax);
    s.fo = table.number(row, f::calc_fo);
    s.k = table.number(row, f::calc_k);
    return s;
}

SpringEvaluation evaluate_spring(const SpringValues& spring,
                                 const std::array<std::optional<double>, 2>& lengths,
                                 double ratio_limit, double unit_factor,
                                 const std::optional<OperatingRange>& range) {
    SpringEvaluation e;
    const double d = spring.wire_dia;
    const double D = spring.coil_dia - d;
    if (const spring_checks::Grade* grade = spring_checks::find_grade(spring.material)) {
        e.wire_min = grade->d_min;
        e.wire_max = grade->d_max;
        try {
            e.allowable_stress = spr_mat::allowable_stress(spring.material, d) * unit_factor;
            e.tensile_strength = spr_mat::tensile_strength(spring.material, d) * unit_factor;
            e.grade = GradeData::Known;
        } catch (const spr_mat::EspringMaterialException&) {
            e.grade = GradeData::WireOutOfRange;
        }
    }
    const std::optional<double> tau_a =
        e.graded() ? std::optional<double>(e.allowable_stress) : std::nullopt;
    for (size_t i = 0; i < lengths.size(); ++i)
        e.conditions[i] = evaluate_condition(spring, lengths[i], tau_a, ratio_limit);

    if (!e.graded())
        return e;
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
