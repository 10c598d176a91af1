#include "core/search/record_filter.h"

#include "core/catalogue/spring_record.h"
#include "core/catalogue/unit_system.h"
#include "core/search/conditions.h"

#include <utility>

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

    const geometry::Segment line = load_line(r, units::state.unit_factor);
    accept = geometry::seg_cross_window(c.condition[0].window, line) &&
             geometry::seg_cross_window(c.condition[1].window, line);
}

bool load_band_meets_windows(const catalogue::Record& r, const Conditions& c, double unit_factor,
                             const std::function<double(double)>& plus_minus) {
    const auto band = [&](double load) {
        const double d = plus_minus(load);
        return catalogue::spring::LoadBand{load - d, load + d};
    };
    const catalogue::spring::LoadBand fo = band(r.number(f::fo));
    const catalogue::spring::LoadBand fmax = band(r.number(f::fmax));
    for (const auto& [at_lo, at_lmax] :
         {std::pair(fo.minus, fmax.minus), std::pair(fo.plus, fmax.plus)}) {
        const geometry::Segment edge =
            load_line(r.number(f::lo), at_lo, r.number(f::lmax), at_lmax, unit_factor);
        if (!geometry::seg_cross_window(c.condition[0].window, edge) ||
            !geometry::seg_cross_window(c.condition[1].window, edge))
            return false;
    }
    return true;
}

geometry::Segment load_line(double lo, double fo, double lmax, double fmax, double unit_factor) {
    return {{lo, units::to_display_unit(fo, unit_factor)},
            {lmax, units::to_display_unit(fmax, unit_factor)}};
}

geometry::Segment load_line(const catalogue::Record& r, double unit_factor) {
    return load_line(r.number(f::lo), r.number(f::fo), r.number(f::lmax), r.number(f::fmax),
                     unit_factor);
}

} // namespace search
