#pragma once

#include "core/catalogue/table.h"

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
} // namespace spring

// Field indices of the maker table.
namespace maker {
enum Field : int { maker, adress, tel, fax, url };
std::vector<FieldSpec> fields();
} // namespace maker

} // namespace catalogue
