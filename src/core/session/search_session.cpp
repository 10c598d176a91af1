#include "core/session/search_session.h"

#include "core/catalogue/number_parse.h"
#include "core/catalogue/table.h"
#include "core/strength/listed_verdicts.h"

#include <cmath>

namespace session {

TypedNumber TypedNumber::read(std::string_view text) {
    return {std::string(text), parse_decimal(text)};
}

double TypedNumber::required() const {
    return value ? *value : to_decimal(text);
}

void SearchSession::setConditions(const search::Conditions& conditions) {
    conditions_ = conditions;
    workOut();
}

void SearchSession::beginSearch(const units::UnitSystemState& units,
                                std::optional<spring_checks::SpringKind> kind) {
    units_ = units;
    kind_ = kind;
    workOut();
}

void SearchSession::setCheckConditions(const spring_checks::CheckConditions& conditions) {
    checks_ = conditions;
    workOut();
}

void SearchSession::setOperatingRange(const RangeInput& range) {
    range_ = range;
    workOut();
}

void SearchSession::setExcitation(const std::string& cycles_text, double frequency) {
    excitation_ = Excitation{cycles_text, frequency};
    workOut();
}

void SearchSession::setCycles(const TypedNumber& cycles) {
    cycles_ = cycles;
    workOut();
}

void SearchSession::select(const strength::SpringValues& values,
                           const spring_checks::Record& record) {
    selected_ = true;
    values_ = values;
    material_ = std::string(record.material);
    record_ = record;
    record_.material = material_;
    workOut();
}

void SearchSession::selectRow(const catalogue::Table& table) {
    const int row = table.isOpen() ? table.currentRow() : -1;
    if (row < 0)
        clearSelection();
    else
        select(strength::spring_values(table, row), spring_checks::check_record(table, row));
}

void SearchSession::clearSelection() {
    selected_ = false;
    values_ = {};
    material_.clear();
    record_ = {};
    workOut();
}

std::optional<strength::OperatingRange> SearchSession::operatingRange() const {
    if (!range_.first.value || !range_.second.value)
        return std::nullopt;
    return strength::OperatingRange{*range_.first.value, *range_.second.value, range_.lengths};
}

spring_checks::Duty SearchSession::duty(spring_checks::SpringKind kind) const {
    spring_checks::Duty d;
    d.kind = kind;
    d.length1 = conditions_.condition[0].searchedLength();
    d.length2 = conditions_.condition[1].searchedLength();
    if (const std::optional<strength::OperatingRange> r = operatingRange()) {
        using Given = spring_checks::OperatingRange::Given;
        // The range's loads are in the display unit; the checks read newtons.
        const spring_checks::OperatingRange range =
            r->lengths ? spring_checks::OperatingRange{Given::Lengths, r->first, r->second}
                       : spring_checks::OperatingRange{Given::Loads, r->first / units_.unit_factor,
                                                       r->second / units_.unit_factor};
        if (std::isfinite(range.first) && std::isfinite(range.second))
            d.range = range;
    }
    d.cycles = cycles_.value;
    // The duty's frequency belongs to the count it came with, not to one typed since.
    if (excitation_ && cycles_.text == excitation_->cycles_text)
        d.excitation_frequency = excitation_->frequency;
    if (conditions_.coildia_outer_max != search::not_given)
        d.bore = conditions_.coildia_outer_max;
    if (conditions_.coildia_inner_min != search::not_given)
        d.rod = conditions_.coildia_inner_min;
    return d;
}

void SearchSession::workOut() {
    evaluation_.reset();
    verdict_.reset();
    if (!selected_)
        return;
    const search::Conditions& s = conditions_;
    evaluation_ = strength::evaluate_spring(
        values_, {s.condition[0].searchedLength(), s.condition[1].searchedLength()},
        s.stress_ratio_limit, units_.unit_factor, operatingRange());
    if (!kind_)
        return;
    try {
        verdict_ = spring_checks::check_spring(record_, duty(*kind_), checks_);
    } catch (const spring_checks::EspringCheckException&) {
        // Conditions the checks cannot take: no verdict rather than an old one.
    }
}

} // namespace session
