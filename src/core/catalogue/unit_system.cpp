#include "core/catalogue/unit_system.h"

#include "core/catalogue/spring_record.h"

namespace units {
namespace {

// A torsion spring's forces are torques.
bool torque_type(int type_item) {
    return catalogue::spring::type_of_item(type_item) == catalogue::spring::SpringType::Torsion;
}

} // namespace

UnitSystemState state;

void reset_state() {
    state = UnitSystemState{};
}

void select_unit_texts(int unit_item) {
    switch (unit_item) {
    case 1:
        state.force_unit = "kgf";
        state.stress_unit = "kgf/mm^2";
        break;
    case 2:
        state.force_unit = "gf";
        state.stress_unit = "gf/mm^2";
        break;
    default:
        state.force_unit = "N";
        state.stress_unit = "MPa";
    }
}

void select_type_suffix(int type_item) {
    state.torque_suffix = torque_type(type_item) ? "mm" : "";
}

UnitCaptions unit_captions(int unit_item, int type_item, const UnitSystemState& s) {
    UnitCaptions c;
    switch (unit_item) {
    case 1:
        c.factor = kgf_factor;
        c.decimals = 3;
        c.stress_label = "kgf/mm";
        c.superscript = true;
        break;
    case 2:
        c.factor = gf_factor;
        c.decimals = 0;
        c.stress_label = "gf/mm";
        c.superscript = true;
        break;
    default:
        c.factor = si_factor;
        c.decimals = 2;
        c.stress_label = "MPa";
        c.superscript = false;
    }
    const std::string& f = s.force_unit;
    if (torque_type(type_item)) {
        c.axis_title = "発生トルク\u3000" + f + s.torque_suffix;
        c.column6 = "tqo " + f + s.torque_suffix;
        c.column8 = "tqmax " + f + s.torque_suffix;
        c.column9 = "k " + f + "mm/deg";
    } else {
        c.axis_title = "発生力\u3000" + f;
        c.column6 = "fo " + f;
        c.column8 = "fmax " + f;
        c.column9 = "k " + f + "/mm";
    }
    return c;
}

UnitCaptions apply_unit_system(int unit_item, int type_item) {
    const UnitCaptions captions = unit_captions(unit_item, type_item, state);
    state.force_decimals = captions.decimals;
    state.unit_factor = captions.factor;
    return captions;
}

int stress_decimals(double unit_factor) {
    return unit_factor < 1 ? 2 : 0;
}

double to_display_unit(double stored, double factor) {
    return static_cast<double>(static_cast<long double>(stored) * factor);
}

} // namespace units
