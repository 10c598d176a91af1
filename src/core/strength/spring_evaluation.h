// The evaluation of the spring under the cursor: the load and the
// uncorrected stress at each searched length against the allowable stress of
// its grade, and its working point in the fatigue diagram.
#pragma once

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
    double load = 0;         // display force unit
    double stress = 0;       // tau0, display stress unit
    bool over_limit = false; // tau0 / tau_a at or above the type's limit
};

struct SpringEvaluation {
    // False when the grade has no data for this wire (designation unknown,
    // or d outside its range): then nothing else was evaluated.
    bool graded = false;
    double allowable_stress = 0; // tau_a, display stress unit
    double tensile_strength = 0; // sigma_B, display stress unit
    std::array<ConditionEvaluation, 2> conditions{};
    // Absent when the range is not given or lies outside lo..lmax.
    std::optional<WorkingPoint> working_point;
};

// `lengths` are the searched lengths of both conditions, `ratio_limit` the
// stress ratio at which a stress shows red, `unit_factor` the display unit
// system's factor on newtons, `range` the operating range when it reads.
SpringEvaluation evaluate_spring(const SpringValues& spring,
                                 const std::array<std::optional<double>, 2>& lengths,
                                 double ratio_limit, double unit_factor,
                                 const std::optional<OperatingRange>& range);

} // namespace strength
