// What one search and its selected spring are: the conditions and display units of
// the search, the check conditions, the operating range and cycle count as typed and
// read, and the selected spring with its evaluation and verdict. The window feeds it
// with the values its panels report; the verdicts, the grid's verdict columns, the
// datasheet and the nearest-spring command read it rather than each other's widgets.
//
// Every input that changes what the selected spring shows works the evaluation and
// the verdict out again at once, so that all readers see the same ones.
#pragma once

#include "core/catalogue/unit_system.h"
#include "core/search/conditions.h"
#include "core/strength/spring_check_list.h"
#include "core/strength/spring_evaluation.h"

#include <optional>
#include <string>
#include <string_view>

namespace catalogue {
class Table;
}

namespace session {

// A number typed in a box: the text, and its value when the text reads as a number.
struct TypedNumber {
    std::string text;
    std::optional<double> value;

    static TypedNumber read(std::string_view text);
    // The value; for a text that is not a number, EConvertError as a conversion throws it.
    double required() const;
};

// The operating range of the dynamic panel as typed: two lengths in mm, or two
// loads in the display force unit.
struct RangeInput {
    TypedNumber first, second;
    bool lengths = true;
};

class SearchSession {
public:
    SearchSession() = default;
    // The selected record borrows the session's own copy of its material text.
    SearchSession(const SearchSession&) = delete;
    SearchSession& operator=(const SearchSession&) = delete;

    // The conditions as the search start has read them, whether or not the search
    // then goes on.
    void setConditions(const search::Conditions& conditions);
    // The search goes on: the display units it applied and the kind of spring it checks
    // (none for a spring type without checks).
    void beginSearch(const units::UnitSystemState& units,
                     std::optional<spring_checks::SpringKind> kind);
    void setCheckConditions(const spring_checks::CheckConditions& conditions);
    void setOperatingRange(const RangeInput& range);
    void setCycles(const TypedNumber& cycles);
    // The frequency (Hz) the machine drives the spring at, from the duty that gave the
    // cycle count `cycles_text`; it holds while the count reads that text.
    void setExcitation(const std::string& cycles_text, double frequency);

    // The spring under the cursor: its values in the display units and its check record.
    void select(const strength::SpringValues& values, const spring_checks::Record& record);
    // The current row of the table, or nothing when it is closed or has none.
    void selectRow(const catalogue::Table& table);
    void clearSelection();

    const search::Conditions& conditions() const { return conditions_; }
    const units::UnitSystemState& units() const { return units_; }
    std::optional<spring_checks::SpringKind> kind() const { return kind_; }
    const spring_checks::CheckConditions& checkConditions() const { return checks_; }
    const RangeInput& operatingRangeInput() const { return range_; }
    const TypedNumber& cycles() const { return cycles_; }

    // The range as the evaluation places the working point from it: none unless both
    // ends read.
    std::optional<strength::OperatingRange> operatingRange() const;
    // The duty of the checks for a kind of spring: the searched lengths, the range in
    // newtons or millimetres, the cycles.
    spring_checks::Duty duty(spring_checks::SpringKind kind) const;

    bool selected() const { return selected_; }
    const strength::SpringValues& spring() const { return values_; }
    const spring_checks::Record& record() const { return record_; }
    // Both none without a selection; the verdict also none for a search without
    // checks or under conditions the checks cannot take.
    const std::optional<strength::SpringEvaluation>& evaluation() const { return evaluation_; }
    const std::optional<spring_checks::SpringVerdict>& verdict() const { return verdict_; }

private:
    void workOut();

    search::Conditions conditions_;
    units::UnitSystemState units_;
    std::optional<spring_checks::SpringKind> kind_;
    spring_checks::CheckConditions checks_;
    RangeInput range_;
    TypedNumber cycles_;
    struct Excitation {
        std::string cycles_text;
        double frequency;
    };
    std::optional<Excitation> excitation_;

    bool selected_ = false;
    strength::SpringValues values_;
    std::string material_; // what record_.material points into
    spring_checks::Record record_;
    std::optional<strength::SpringEvaluation> evaluation_;
    std::optional<spring_checks::SpringVerdict> verdict_;
};

} // namespace session
