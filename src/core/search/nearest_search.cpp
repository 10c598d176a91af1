#include "core/search/nearest_search.h"

#include "core/catalogue/number_format.h"
#include "core/catalogue/number_parse.h"
#include "core/catalogue/spring_record.h"
#include "core/catalogue/table.h"
#include "core/catalogue/unit_system.h"
#include "core/search/record_filter.h"
#include "core/search/search_start.h"

#include <algorithm>
#include <cmath>

namespace search {

namespace f = catalogue::spring;

namespace {

// Heap order: the front is the spring that goes first when a better one comes.
bool better(const NearSpring& a, const NearSpring& b) {
    return a.nearness < b.nearness || (a.nearness == b.nearness && a.position < b.position);
}

NearSpring copy_out(const catalogue::Record& r, double nearness, long position) {
    NearSpring s;
    s.nearness = nearness;
    s.position = position;
    for (const int field : {f::modelNo, f::maker, f::type, f::material})
        s.text[static_cast<size_t>(field)] = std::string(r.text(field));
    for (int field = f::lo; field <= f::turn; ++field) {
        s.number[static_cast<size_t>(field)] = r.number(field);
        s.null[static_cast<size_t>(field)] = r.isNull(field);
    }
    for (const int field : {f::modelNo, f::maker, f::type, f::material})
        s.null[static_cast<size_t>(field)] = r.isNull(field);
    return s;
}

// The window the search start builds from a value and a tolerance text.
geometry::Window window_from(const NearWindow& w, const std::string& length_tolerance,
                             const std::string& force_tolerance) {
    auto bounds = [](double v, const std::string& text) {
        const double t = parse_decimal(text).value_or(0);
        return Bounds{v - t, v + t};
    };
    return window_corners(bounds(w.length, length_tolerance), bounds(w.force, force_tolerance));
}

} // namespace

geometry::Segment NearSpring::loadLine(double unit_factor) const {
    return load_line(number[f::lo], number[f::fo], number[f::lmax], number[f::fmax], unit_factor);
}

void add_conditions(NearestQuery& query, const std::array<ConditionTexts, 2>& texts) {
    const auto bounded = [](Bounds b) { return b.min != -open_bound || b.max != open_bound; };
    for (int which = 0; which < 2; ++which) {
        const ConditionTexts& c = texts[static_cast<size_t>(which)];
        const Bounds length = read_bounds(c.length, c.length_width);
        const Bounds force = read_bounds(c.force, c.force_width);
        if (bounded(length) && bounded(force)) {
            // Bounded means both texts of each pair read as numbers.
            query.measured.push_back(
                {which, near_window(*parse_decimal(c.length), *parse_decimal(c.length_width),
                                    *parse_decimal(c.force), *parse_decimal(c.force_width))});
        } else if (bounded(length) || bounded(force)) {
            query.kept.push_back(window_corners(length, force));
        }
    }
}

int row_of(const catalogue::Table& table, const NearSpring& s) {
    if (!table.isOpen())
        return -1;
    namespace f = catalogue::spring;
    for (int row = 0; row < table.recordCount(); ++row) {
        bool same = table.text(row, f::modelNo) == s.text[f::modelNo] &&
                    table.text(row, f::maker) == s.text[f::maker];
        for (const int field : {f::lo, f::fo, f::lmax, f::fmax})
            same = same && table.number(row, field) == s.number[field];
        if (same)
            return row;
    }
    return -1;
}

NearRow widen_to(const NearestQuery& query, const NearSpring& spring) {
    NearRow row;
    row.spring = spring;
    const double s = spring.nearness;
    double k = std::ceil(s * 100);
    // The least hundredths whose factor is not below s, as doubles compare.
    if (s < 1e12) {
        while (k > 0 && (k - 1) / 100 >= s)
            --k;
        while (k / 100 < s)
            ++k;
    }
    const geometry::Segment line = spring.loadLine(query.unit_factor);
    // A widened text is rounded to 15 digits; where that cuts the spring off
    // at an edge, the next hundredth lets it through.
    for (int attempt = 0; attempt < 10; ++attempt, ++k) {
        row.factor = k / 100;
        row.tolerances.clear();
        bool found = true;
        for (const NearestQuery::Measured& m : query.measured) {
            WidenedTolerance t{m.condition, numfmt::general15(m.window.length_half * row.factor),
                               numfmt::general15(m.window.force_half * row.factor)};
            found =
                found && geometry::seg_cross_window(window_from(m.window, t.length, t.force), line);
            row.tolerances.push_back(std::move(t));
        }
        if (found)
            break;
    }
    return row;
}

std::vector<NearRow> nearest_springs(const NearestQuery& query, std::size_t count) {
    std::vector<NearSpring> heap;
    heap.reserve(count);
    long position = 0;

    catalogue::Table table("ClientDataSet_spring", "spring_data.xml");
    table.setFields(f::stored_fields());
    // Every row is measured and none is stored: the table only reads.
    table.setFilter([&](const catalogue::Record& r) {
        const long here = position++;
        if (count == 0 || !passes_record_rules(r, query.rules))
            return false;
        const geometry::Segment line = load_line(r, query.unit_factor);
        for (const geometry::Window& w : query.kept) {
            if (!geometry::seg_cross_window(w, line))
                return false;
        }
        const bool full = heap.size() == count;
        double s = 0;
        for (const NearestQuery::Measured& m : query.measured) {
            s = std::max(s, window_nearness(m.window, line));
            // A tie with the worst kept spring loses: it comes later.
            if (full && !(s < heap.front().nearness))
                return false;
        }
        if (!std::isfinite(s))
            return false;
        if (full) {
            std::pop_heap(heap.begin(), heap.end(), better);
            heap.back() = copy_out(r, s, here);
        } else {
            heap.push_back(copy_out(r, s, here));
        }
        std::push_heap(heap.begin(), heap.end(), better);
        return false;
    });
    table.open();

    std::vector<NearRow> rows;
    rows.reserve(heap.size());
    for (const NearSpring& s : heap)
        rows.push_back(widen_to(query, s));
    std::sort(rows.begin(), rows.end(), [](const NearRow& a, const NearRow& b) {
        return a.factor < b.factor || (a.factor == b.factor && better(a.spring, b.spring));
    });
    return rows;
}

} // namespace search
