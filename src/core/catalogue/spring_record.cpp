#include "core/catalogue/spring_record.h"

#include "core/catalogue/unit_system.h"

namespace catalogue {

std::vector<FieldSpec> spring::stored_fields() {
    const auto text = FieldKind::Text;
    const auto number = FieldKind::Number;
    return {{"modelNo", text}, {"maker", text},      {"type", text},       {"material", text},
            {"lo", number},    {"fo", number},       {"lmax", number},     {"fmax", number},
            {"k", number},     {"coil_dia", number}, {"wire_dia", number}, {"turn", number}};
}

std::vector<std::string> spring::calculated_fields() {
    return {"calc_fo", "calc_fmax", "calc_k"};
}

void spring::calculate_fields(const Record& r, double factor, double* calc) {
    calc[0] = units::to_display_unit(r.number(fo), factor);
    calc[1] = units::to_display_unit(r.number(fmax), factor);
    calc[2] = units::to_display_unit(r.number(k), factor);
}

std::optional<spring::SpringType> spring::type_of_item(int type_item) {
    switch (type_item) {
    case 0:
        return SpringType::Compression;
    case 1:
        return SpringType::Extension;
    case 2:
        return SpringType::Torsion;
    case 3:
        return SpringType::Compton;
    default:
        return std::nullopt;
    }
}

const char* spring::type_code(SpringType type) {
    switch (type) {
    case SpringType::Compression:
        return "compress";
    case SpringType::Extension:
        return "tension";
    case SpringType::Torsion:
        return "torsion";
    case SpringType::Compton:
        return "compton";
    }
    return "";
}

bool spring::has_stress_pass(int type_item) {
    return type_item < static_cast<int>(SpringType::Torsion);
}

// Only the key is required of a maker packet: the texts that the maker box
// shows report a missing field themselves, under their own name.
std::vector<FieldSpec> maker::fields() {
    const auto text = FieldKind::Text;
    return {{"maker", text},
            {"adress", text, true},
            {"tel", text, true},
            {"fax", text, true},
            {"url", text, true}};
}

} // namespace catalogue
