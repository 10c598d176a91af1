#include "row_checker.h"

#include "core/catalogue/number_parse.h"
#include "core/catalogue/spring_record.h"
#include "core/catalogue/text_decoder.h"
#include "core/strength/coil_consistency.h"
#include "core/strength/spr_mat.h"
#include "core/strength/spring_checks.h"
#include "formula_guard.h"
#include "packet_number.h"

#include <cmath>

namespace cattool {
namespace {

namespace f = catalogue::spring;

const char* const kTypeCodes[] = {"compress", "tension", "torsion", "compton"};

// Active coils to two decimals, as the program shows them, unless the rounding
// would put them inside the range they are outside of or round them to nothing.
std::string coil_count(double n, const spring_checks::CoilRange& range) {
    const double shown = std::round(n * 100) / 100;
    if (shown == 0 || (shown >= range.low && shown <= range.high))
        return short_number(n);
    return short_number(shown);
}

} // namespace

bool has_control_character(std::string_view text) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\n' && c != '\r') || u == 0x7F)
            return true;
    }
    return false;
}

std::string quoted(std::string_view text) {
    constexpr size_t limit = 60;
    // Never cut inside a UTF-8 character, so the message stays valid text.
    const auto cut_at = catalogue::utf8_cut;
    // Escapes take at most six bytes for one: a head of that much is plenty.
    const bool long_text = text.size() > limit;
    std::string shown =
        catalogue::escape_controls(long_text ? text.substr(0, cut_at(text, 6 * limit)) : text);
    if (!long_text && shown.size() <= limit)
        return "'" + shown + "'";
    if (shown.size() > limit)
        shown.resize(cut_at(shown, limit));
    return "'" + shown + "…'";
}

RowChecker::RowChecker(RecordKind kind, std::vector<Binding> bindings, NumberSyntax syntax,
                       std::string encoding_name)
    : kind_(kind), bindings_(std::move(bindings)), syntax_(syntax),
      encoding_name_(std::move(encoding_name)), numbers_(bindings_.size()),
      text_ok_(bindings_.size()) {}

void RowChecker::problem(ProblemSink& sink, Severity severity, const char* code, int row, int field,
                         std::string message) const {
    Problem p;
    p.severity = severity;
    p.code = code;
    p.row = row;
    if (field >= 0) {
        p.field = record_fields(kind_)[static_cast<size_t>(field)].name;
        p.column = bindings_[static_cast<size_t>(field)].column;
    }
    p.message = std::move(message);
    sink.report(std::move(p));
}

void RowChecker::check(int row, const std::vector<Cell>& cells, ProblemSink& sink) {
    const auto& fields = record_fields(kind_);
    for (size_t i = 0; i < fields.size(); ++i) {
        numbers_[i].reset();
        text_ok_[i] = 0;
        if (!bindings_[i].bound)
            continue;
        const Cell& cell = cells[i];
        const int field = static_cast<int>(i);
        if (!cell.present || cell.text.empty()) {
            if (fields[i].need == Need::Search)
                problem(sink, Severity::Error, "empty-value", row, field,
                        "empty: the search never finds this row");
            else if (fields[i].need == Need::Advisory)
                problem(sink, Severity::Warning, "empty-value", row, field,
                        kind_ == RecordKind::Maker
                            ? "empty: no catalogue row can refer to this maker"
                        : field == f::maker ? "empty: the row shows no maker"
                                            : "empty: the row has no allowable stress");
            continue;
        }
        if (fields[i].kind == catalogue::FieldKind::Text)
            text_ok_[i] = checkText(sink, row, field, cell);
        else
            checkNumber(sink, row, field, cell);
    }
    if (kind_ == RecordKind::Spring)
        checkSpring(sink, row, cells);
}

bool RowChecker::checkText(ProblemSink& sink, int row, int field, const Cell& cell) {
    if (!cell.decoded) {
        problem(sink, Severity::Error, "bad-encoding", row, field,
                "not valid " + encoding_name_ + " text");
        return false;
    }
    if (cell.cut ? cell.control : has_control_character(cell.text)) {
        problem(sink, Severity::Error, "control-character", row, field,
                quoted(cell.text) + " holds a control character");
        return false;
    }
    if (looks_like_formula(cell.text))
        problem(sink, Severity::Warning, "formula-text", row, field,
                quoted(cell.text) +
                    " begins like a spreadsheet formula; export writes it behind an apostrophe");
    const auto bytes = cell.cut ? cell.cp932_bytes : cp932_.byte_length(cell.text);
    if (!bytes) {
        problem(sink, Severity::Error, "not-cp932", row, field,
                quoted(cell.text) + " holds characters that code page 932 does not have");
        return false;
    }
    const int width = bindings_[static_cast<size_t>(field)].width;
    if (*bytes > static_cast<size_t>(width)) {
        problem(sink, Severity::Error, "too-long", row, field,
                quoted(cell.text) + " takes " + std::to_string(*bytes) +
                    " bytes in code page 932; the field holds " + std::to_string(width));
        return false;
    }
    return true;
}

void RowChecker::checkNumber(ProblemSink& sink, int row, int field, const Cell& cell) {
    auto value =
        syntax_ == NumberSyntax::Packet ? parse_packet_number(cell.text) : parse_decimal(cell.text);
    if (!value) {
        problem(sink, Severity::Error, "not-a-number", row, field,
                (cell.decoded ? quoted(cell.text) : std::string("the value")) + " is not a number");
        return;
    }
    numbers_[static_cast<size_t>(field)] = value;
}

void RowChecker::checkSpring(ProblemSink& sink, int row, const std::vector<Cell>& cells) {
    if (text_ok_[f::type]) {
        const std::string_view type = cells[f::type].text;
        bool known = false;
        for (const char* code : kTypeCodes)
            known = known || type == code;
        if (!known)
            problem(sink, Severity::Error, "unknown-type", row, f::type,
                    quoted(type) + " is not a spring type (compress, tension, torsion, compton)");
    }

    const auto& lo = numbers_[f::lo];
    const auto& fo = numbers_[f::fo];
    const auto& lmax = numbers_[f::lmax];
    const auto& fmax = numbers_[f::fmax];
    const auto& k = numbers_[f::k];
    if (fo && fmax && *fo > *fmax)
        problem(sink, Severity::Error, "falling-load", row, f::fmax,
                "fo " + short_number(*fo) + " is greater than fmax " + short_number(*fmax) +
                    ": the load line falls");
    if (lo && lmax && *lo == *lmax) {
        problem(sink, Severity::Error, "no-travel", row, f::lmax,
                "lo and lmax are both " + short_number(*lo) + ": the load line has no length");
    } else if (lo && lmax && fo && fmax && k) {
        const double rate = (*fmax - *fo) / std::fabs(*lmax - *lo);
        const double off = std::fabs(*k - rate);
        // A hair of slack, so that a rate exactly 2 % off is not failed by rounding.
        if (off > 0.02 * std::fabs(rate) + 1e-12 * std::fmax(std::fabs(*k), std::fabs(rate))) {
            std::string by = rate != 0 ? " by " + short_number(100 * off / std::fabs(rate)) + " %"
                                       : std::string();
            problem(sink, Severity::Error, "rate-mismatch", row, f::k,
                    "k " + short_number(*k) +
                        " disagrees with (fmax - fo)/|lmax - lo| = " + short_number(rate) + by);
        }
    }

    if (text_ok_[f::material]) {
        const std::string material(cells[f::material].text);
        checkMaterial(sink, row, material);
        if (text_ok_[f::type])
            checkCoils(sink, row, cells[f::type].text, material);
    }
}

// The rate and the total coils of one spring must agree through G d^4 / (8 D^3 k).
// A catalogue that gives the mean coil diameter where the outer one belongs makes
// D too small by a wire and the active coils too many, hence the question.
void RowChecker::checkCoils(ProblemSink& sink, int row, std::string_view type,
                            const std::string& material) {
    using catalogue::spring::SpringType;
    const bool compression = type == catalogue::spring::type_code(SpringType::Compression);
    if (!compression && type != catalogue::spring::type_code(SpringType::Extension))
        return;
    const auto& turn = numbers_[f::turn];
    const auto& d = numbers_[f::wire_dia];
    const auto& coil_dia = numbers_[f::coil_dia];
    const auto& k = numbers_[f::k];
    const spring_checks::Grade* grade = spring_checks::find_grade(material);
    if (!turn || !std::isfinite(*turn) || *turn <= 0 || !d || !coil_dia || !k || !grade)
        return;
    const double G = grade->constants.shear_modulus;
    double n = 0;
    try {
        n = spring_checks::active_coils(G, *d, *coil_dia - *d, *k);
    } catch (const spring_checks::EspringCheckException&) {
        return; // no geometry to hold the coils against
    }
    if (spring_checks::coils_consistent(compression, n, *turn))
        return;
    const spring_checks::CoilRange range =
        spring_checks::plausible_active_coils(compression, *turn);
    const bool above = n > range.high;
    problem(
        sink, Severity::Warning, "coil-count", row, f::turn,
        "k " + short_number(*k) + " gives " + coil_count(n, range) + " active coils with G " +
            short_number(G) + " MPa, " + (above ? "more" : "fewer") + " than turn " +
            short_number(*turn) + " allows (" +
            (compression ? "compression: turn - 3 to turn" : "extension: turn - 1 to turn + 1") +
            ")" + (above ? "; is coil_dia the outer diameter?" : ""));
}

void RowChecker::checkMaterial(ProblemSink& sink, int row, const std::string& material) {
    // The material table remembers the last designation asked for, and a
    // repeated unknown one would then read as a diameter out of range: look
    // the designation up afresh for every row.
    try {
        spr_mat::select_material(material);
    } catch (const spr_mat::EspringMaterialException&) {
        problem(sink, Severity::Error, "unknown-material", row, f::material,
                quoted(material) + " is not a material the program knows");
        return;
    }
    const auto& d = numbers_[f::wire_dia];
    if (!d)
        return;
    try {
        spr_mat::allowable_stress(material, *d);
    } catch (const spr_mat::EspringMaterialException&) {
        problem(sink, Severity::Warning, "wire-range", row, f::wire_dia,
                "wire diameter " + short_number(*d) + " mm is outside the range of " + material +
                    ": the row has no allowable stress");
    }
}

} // namespace cattool
