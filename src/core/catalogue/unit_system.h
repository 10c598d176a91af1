#pragma once

#include <string>

namespace units {

// The unit factors: newtons into the force unit, MPa into the stress unit.
constexpr double si_factor = 1.0;
constexpr double kgf_factor = 0.10197162129779283; // nearest double to 1/9.80665
constexpr double gf_factor = 101.97162129779282;   // nearest double to 1/0.00980665

// The unit-system state the program reads wherever it shows or compares forces.
struct UnitSystemState {
    std::string force_unit = "N";
    std::string torque_suffix;
    std::string stress_unit = "MPa";
    double unit_factor = 1.0;
    int force_decimals = 0;
};

extern UnitSystemState state;

// The start-up values: SI texts and factor; decimals and suffix not yet set.
void reset_state();

// Unit and stress texts of a unit item (0 SI, 1 kgf-mm, 2 gf-mm).
void select_unit_texts(int unit_item);
// Torque suffix of a spring type item (2, torsion, carries "mm").
void select_type_suffix(int type_item);

// What a search applies for a unit item and spring type item.
struct UnitCaptions {
    double factor;
    int decimals;
    std::string axis_title; // left axis of the load-length chart
    std::string column6, column8, column9;
    std::string stress_label; // unit beside the corrected stress
    bool superscript;         // the "2" after kgf/mm and gf/mm
};
UnitCaptions unit_captions(int unit_item, int type_item, const UnitSystemState& s);

// Applies the unit system of a search: the state's factor and decimals for
// the unit item and spring type item; the captions to show.
UnitCaptions apply_unit_system(int unit_item, int type_item);

// The decimals of a stress in the unit system of `unit_factor`: MPa and gf/mm² read
// well as whole numbers, kgf/mm² needs two places.
int stress_decimals(double unit_factor);

// The calculated fields: stored N values times the factor, formed in
// extended precision and rounded to double.
double to_display_unit(double stored, double factor);

} // namespace units
