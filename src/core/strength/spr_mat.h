// Material table of the spring-wire grades.
//
// For a designation (the catalogue's material text, matched byte for byte) and a
// wire diameter d in mm, gives the allowable static shear stress and the tensile
// strength in MPa. The unit remembers the last designation asked for, so a run
// of calls with one designation looks it up only once.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace spr_mat {

// what(): "Wire diameter is out of range." or "Material is not resistorated.".
class EspringMaterialException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Allowable static shear stress in MPa. Throws EspringMaterialException for an
// unknown designation or a diameter outside the grade's range (limits inclusive).
double allowable_stress(const std::string& designation, double d);

// Tensile strength in MPa; 0 for grades without tensile-strength data.
double tensile_strength(const std::string& designation, double d);

// Loads the set of a designation as the current material. An unknown designation
// becomes current with an all-zero set and then throws "Material is not resistorated.".
void select_material(const std::string& designation);

// Back to the start-up state: empty designation, all-zero set.
void reset_current_material();

// A designation of the material table and the wire diameters (mm, both inclusive) for
// which it has values.
struct GradeRange {
    std::string_view designation;
    double d_min, d_max;
};
// Every designation of the table, in its order.
std::vector<GradeRange> grade_ranges();

} // namespace spr_mat
