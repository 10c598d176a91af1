// The columns of the catalogue grid, shared by the grid and the list of the
// nearest springs.
#pragma once

#include "core/catalogue/unit_system.h"
#include "ui/grid_model.h"

#include <vector>

namespace ui {

enum SpringColumn : int {
    column_maker,
    column_modelNo,
    column_material,
    column_coil_dia,
    column_wire_dia,
    column_lo,
    column_fo,
    column_lmax,
    column_fmax,
    column_k,
    column_verdict, // the verdict columns follow when they are shown
    column_reason,
};

// The fields of the verdict columns, which the table does not hold.
enum VerdictField : int { field_verdict = -1, field_reason = -2 };

// Titles and widths as the grid starts, in the SI unit system.
std::vector<SpringGridModel::Column> spring_columns();

// 判定 and 理由: the overall verdict of each listed spring and the reason of its worst check.
std::vector<SpringGridModel::Column> verdict_columns();

// The force columns (fo, fmax, k) titled and formatted for a unit system.
void caption_force_columns(std::vector<SpringGridModel::Column>& columns,
                           const units::UnitCaptions& captions);
void caption_force_columns(SpringGridModel& model, const units::UnitCaptions& captions);

} // namespace ui
