// The springs that come closest to the working points when a search finds
// too few: one pass over the catalogue, the best few kept.
#pragma once

#include "core/search/conditions.h"
#include "core/search/nearness.h"
#include "core/search/search_start.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace catalogue {
class Table;
}

namespace search {

// What the pass looks for. `rules` supplies type, diameters, material and
// maker as the filter applies them; its windows are not read.
struct NearestQuery {
    Conditions rules;
    // The working points measured, with the condition each comes from (0, 1).
    struct Measured {
        int condition;
        NearWindow window;
    };
    std::vector<Measured> measured;
    // Windows of conditions that bound only length or only force: a spring
    // must meet them as the search demands, since widening does not touch them.
    std::vector<geometry::Window> kept;
    double unit_factor = 1;
};

// Adds both conditions to the query as the command reads them: one with a
// length and a load is measured, one with only either is kept as the search
// demands it, an empty one is left out.
void add_conditions(NearestQuery& query, const std::array<ConditionTexts, 2>& texts);

// A spring kept by the pass, its catalogue values copied out (N, mm).
struct NearSpring {
    double nearness = 0;
    long position = 0;                 // in the catalogue, for ties
    std::array<std::string, 4> text{}; // modelNo, maker, type, material
    std::array<double, 12> number{};   // by catalogue::spring::Field
    std::array<bool, 12> null{};

    geometry::Segment loadLine(double unit_factor) const;
};

// The tolerance texts that widen one measured condition.
struct WidenedTolerance {
    int condition;
    std::string length, force;
};

struct NearRow {
    NearSpring spring;
    // The factor shown: the nearness rounded up to hundredths, raised further
    // where the widened texts would still miss the spring.
    double factor = 0;
    std::vector<WidenedTolerance> tolerances;
};

// Reads the catalogue file the way the search does (same table name and
// messages) and returns the `count` springs of least nearness that pass the
// rules, in the order of the factor shown, then of the catalogue.
std::vector<NearRow> nearest_springs(const NearestQuery& query, std::size_t count);

// The row of the open table that holds `spring`, found by model number,
// maker and load line; -1 when it is not there.
int row_of(const catalogue::Table& table, const NearSpring& spring);

// The widening for a spring of nearness `spring.nearness`.
NearRow widen_to(const NearestQuery& query, const NearSpring& spring);

} // namespace search
