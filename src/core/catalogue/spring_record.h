#pragma once

#include "core/catalogue/table.h"

#include <optional>
#include <string>
#include <vector>

namespace catalogue {

// Field indices of the spring catalogue table: the stored fields in file
// order, then the calculated ones.
namespace spring {
enum Field : int {
    modelNo,
    maker,
    type,
    material,
    lo,
    fo,
    lmax,
    fmax,
    k,
    coil_dia,
    wire_dia,
    turn,
    calc_fo,
    calc_fmax,
    calc_k
};
std::vector<FieldSpec> stored_fields();
std::vector<std::string> calculated_fields();
// The calculated fields of a record: fo, fmax and k in the display unit
// system of `factor`, in that order.
void calculate_fields(const Record& record, double factor, double* calc);

// The spring types by item of the type selector, which offers the first two; the
// others complete the catalogue's type codes. None for an item beyond them.
enum class SpringType { Compression, Extension, Torsion, Compton };
std::optional<SpringType> type_of_item(int type_item);
// The catalogue code of a type: "compress", "tension", "torsion", "compton".
const char* type_code(SpringType type);
// The red rule of the stress display: a stress ratio tau0/taua at or above the
// type's limit is too close to the allowable stress.
constexpr double stress_ratio_limit(SpringType type) {
    return type == SpringType::Extension ? 0.64 : 0.8;
}
// A catalogue load F holds to F (1 ± t): the loads at both ends of the tolerance t.
struct LoadBand {
    double minus, plus; // F (1 - t), F (1 + t)
};
constexpr LoadBand load_band(double load, double tolerance) {
    return {load * (1 - tolerance), load * (1 + tolerance)};
}
// Whether the stress of the selected spring is worked out for a type item: the
// items before torsion.
bool has_stress_pass(int type_item);
} // namespace spring

// Field indices of the maker table.
namespace maker {
enum Field : int { maker, adress, tel, fax, url };
std::vector<FieldSpec> fields();
} // namespace maker

} // namespace catalogue
