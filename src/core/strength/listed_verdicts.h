// The verdicts of the springs a search lists: the check record of a catalogue row,
// the verdict a designer reads for a spring, and a compact store of it per listed row.
#pragma once

#include "core/catalogue/spring_record.h"
#include "core/catalogue/table.h"
#include "core/strength/spring_check_list.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace spring_checks {

// What the checks read of a spring, from its text and number of a catalogue field
// (stored values, N and mm); the material text is borrowed from `text`.
template <class Text, class Number> Record check_record(const Text& text, const Number& number) {
    namespace f = catalogue::spring;
    Record r;
    r.material = text(f::material);
    r.lo = number(f::lo);
    r.fo = number(f::fo);
    r.lmax = number(f::lmax);
    r.k = number(f::k);
    r.coil_dia = number(f::coil_dia);
    r.wire_dia = number(f::wire_dia);
    r.turn = number(f::turn); // 0 when empty: the checks then miss the coil count
    return r;
}

// What the checks read of a catalogue row. The material text is the table's and
// lives while the table is open.
Record check_record(const catalogue::Record& row);
Record check_record(const catalogue::Table& table, int row);

// The verdict a designer reads for a spring: the worst check made, with the reason of
// the first check that is that bad. A spring that passed every check made but lacks
// some reads Caution, with the reason of the first check that could not be made: a
// spring whose stress cannot be checked must not read as passing.
struct Summary {
    Verdict verdict = Verdict::Ok;
    std::string_view reason; // empty for a spring that passed every check
    bool unchecked = false;  // the reason is that of a check that could not be made
    // The catalogue's coil counts disagree, whatever the reason shown: the checks that
    // rest on them stand on data that cannot both be true.
    bool inconsistent = false;
};
Summary summarise(const SpringVerdict& verdict);

// The summaries of the listed rows in the order they were stored, two bytes a row:
// the reasons are the checks' constant texts, kept once each. A row's summary may be
// left to be worked out when it is first asked for.
class ListedVerdicts {
public:
    void clear();
    void add(const Summary& summary);
    // Rows up to `rows` whose summaries are not known yet.
    void extendUnknown(std::size_t rows);
    std::size_t size() const { return cells_.size(); }
    bool known(std::size_t stored_row) const { return cells_.at(stored_row) != kUnknown; }
    void set(std::size_t stored_row, const Summary& summary);
    Summary at(std::size_t stored_row) const;

private:
    static constexpr std::uint16_t kUnknown = 0xffff;
    std::uint16_t cell(const Summary& summary);

    std::vector<std::uint16_t> cells_; // verdict, the two flags and the reason index
    std::vector<std::string_view> reasons_;
};

} // namespace spring_checks
