// The evaluation of the spring under the cursor: the load and the
// uncorrected stress at each searched length against the allowable stress of
// its grade, and its working point in the fatigue diagram.
#pragma once

#include "core/catalogue/table.h"
#include "core/strength/working_point.h"

#include <array>
#include <optional>
#include <string>

namespace strength {

// What the evaluation reads of a catalogue spring. Loads and the rate are
// in the display force unit, as the table's calculated fields hold them.
struct SpringValues {
    std::string material;
    double wire_dia = 0; // d, mm
    double coil_dia = 0; // outer diameter, mm; the mean one is coil_dia - d
    double lo = 0, lmax = 0;
    double fo = 0, k = 0;
};

// The operating range of the dynamic panel: two lengths in mm, or two loads.
struct OperatingRange {
    double first = 0, second = 0;
    bool lengths = true;
};

struct ConditionEvaluation {
    enum class State {
        NotSearched, // the condition names no length
        OutOfRange,  // the length lies outside the spring's lo..lmax
        Evaluated,
    };
    State state = State::NotSearched;
    double load = 0;           // display force unit
    double stress = 0;         // tau0, display stress unit
    bool stress_known = false; // false for a wire of no diameter, whose tau0 has no value
    bool over_limit = false;   // tau0 / tau_a at or above the type's limit
};

// Why a spring's grade gives no allowable stress.
enum class GradeData {
    Known,
    UnknownDesignation, // not in the material table
    WireOutOfRange,     // d outside the grade's range of wire diameters
};

struct SpringEvaluation {
    GradeData grade = GradeData::UnknownDesignation;
    double wire_min = 0, wire_max = 0; // the grade's range of d, when it is known
    // With the grade known only: tau_a and sigma_B in the display stress unit.
    double allowable_stress = 0;
    double tensile_strength = 0;
    // Loads and tau0 need no grade data: always evaluated. A stress is over
    // the limit only against a known allowable stress.
    std::array<ConditionEvaluation, 2> conditions{};
    // Absent without grade data, or when the range is not given or lies
    // outside lo..lmax.
    std::optional<WorkingPoint> working_point;

    bool graded() const { return grade == GradeData::Known; }
};

// The values of a row of the catalogue table that the evaluation reads.
SpringValues spring_values(const catalogue::Table& table, int row);

// `lengths` are the searched lengths of both conditions, `ratio_limit` the
// stress ratio at which a stress shows red, `unit_factor` the display unit
// system's factor on newtons, `range` the operating range when it reads.
SpringEvaluation evaluate_spring(const SpringValues& spring,
                                 const std::array<std::optional<double>, 2>& lengths,
                                 double ratio_limit, double unit_factor,
                                 const std::optional<OperatingRange>& range);

} // namespace strength
