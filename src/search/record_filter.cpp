#include "search/record_filter.h"

#include "catalogue/spring_record.h"
#include "catalogue/unit_system.h"
#include "search/conditions.h"

namespace search {

namespace f = catalogue::spring;

bool passes_record_rules(const catalogue::Record& r, const Conditions& c) {
    for (const int field : {f::type, f::coil_dia, f::wire_dia, f::lo, f::fo, f::lmax, f::fmax}) {
        if (r.isNull(field))
            return false;
    }
    if (!r.textIs(f::type, c.spring_type))
        return false;

    const double coil = r.number(f::coil_dia);
    const double inner = coil - 2 * r.number(f::wire_dia);
    if (c.coildia_outer_max != not_given && coil > c.coildia_outer_max)
        return false;
    if (c.coildia_outer_min != not_given && coil < c.coildia_outer_min)
        return false;
    if (c.coildia_inner_min != not_given && inner < c.coildia_inner_min)
        return false;
    if (c.coildia_inner_max != not_given && inner > c.coildia_inner_max)
        return false;
    if (!c.sel_material.empty() && !r.textIs(f::material, c.sel_material))
        return false;
    if (!c.sel_maker.empty() && !r.textIs(f::maker, c.sel_maker))
        return false;
    return true;
}

void ClientDataSet_springFilterRecord(const catalogue::Record& r, bool& accept) {
    accept = false;
    const Conditions& c = conditions;
    if (!passes_record_rules(r, c))
        return;

    const double u = units::state.unit_factor;
    const geometry::Segment line{{r.number(f::lo), units::to_display_unit(r.number(f::fo), u)},
                                 {r.number(f::lmax), units::to_display_unit(r.number(f::fmax), u)}};
    accept =
        geometry::seg_cross_window(c.window1, line) && geometry::seg_cross_window(c.window2, line);
}

} // namespace search
