#include "csv_import.h"

#include "formula_guard.h"
#include "packet_number.h"
#include "report.h"

#include <algorithm>

namespace cattool {
namespace {

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

} // namespace

CsvImport::CsvImport(CsvText& text, FileProblems& problems, Progress& progress, OutputFile& out,
                     catalogue::TextEncoding packet_encoding)
    : text_(text), problems_(problems), progress_(progress), out_(out),
      packet_encoding_(packet_encoding) {}

void CsvImport::problem(Severity severity, const char* code, int column, const char* field,
                        std::string message) {
    Problem p;
    p.severity = severity;
    p.code = code;
    p.row = static_cast<int>(record_);
    p.column = column;
    p.field = field ? field : "";
    p.message = std::move(message);
    problems_.report(std::move(p));
}

void CsvImport::record(const std::vector<std::string>& cells) {
    ++record_;
    if (!have_header_)
        header(cells);
    else
        dataRow(cells);
}

void CsvImport::header(const std::vector<std::string>& cells) {
    have_header_ = true;
    columns_ = cells.size();
    std::vector<std::string> names;
    for (size_t j = 0; j < cells.size(); ++j) {
        std::string name;
        if (!text_.decode(cells[j], name)) {
            problem(Severity::Error, "bad-encoding", static_cast<int>(j + 1), nullptr,
                    std::string("the column name is not valid ") + text_.name() + " text");
            name.clear();
        }
        names.push_back(trimmed(name));
    }
    kind_ = detect_kind(names);
    const auto& record = record_fields(kind_);

    std::vector<Binding> bindings(record.size());
    field_of_column_.assign(cells.size(), -1);
    unnamed_.assign(cells.size(), 0);
    for (size_t j = 0; j < names.size(); ++j) {
        const int column = static_cast<int>(j + 1);
        if (names[j].empty()) {
            unnamed_[j] = 1; // values under it are reported row by row
            continue;
        }
        const int field = record_field_index(kind_, names[j]);
        if (field < 0) {
            problem(Severity::Warning, "unknown-column", column, nullptr,
                    quoted(names[j]) + " is not a field of the " + record_name(kind_) +
                        " record; the column is left out");
            continue;
        }
        Binding& b = bindings[static_cast<size_t>(field)];
        if (b.bound) {
            problem(Severity::Error, "duplicate-column", column,
                    record[static_cast<size_t>(field)].name,
                    "the field is named again; it is first named in column " +
                        column_name(b.column));
            continue;
        }
        b = Binding{true, record[static_cast<size_t>(field)].width, column};
        field_of_column_[j] = field;
    }
    for (size_t i = 0; i < record.size(); ++i) {
        if (bindings[i].bound)
            continue;
        // The packet declares every field all the same; a column the search
        // or the maker link needs is a mistake, the others are just empty.
        const bool needed =
            record[i].need == Need::Search || (kind_ == RecordKind::Maker && i == 0);
        problem(needed ? Severity::Error : Severity::Warning, "missing-column", 0, record[i].name,
                "no column names this field; its values stay empty");
    }

    checker_.emplace(kind_, std::move(bindings), NumberSyntax::Typed, text_.name());
    decoded_.assign(record.size(), std::string());
    cells_.assign(record.size(), Cell());
    values_.assign(record.size(), std::nullopt);
    writer_.emplace(packet_fields(kind_), packet_encoding_,
                    [this](std::string_view bytes) { out_.write(bytes); });
}

void CsvImport::dataRow(const std::vector<std::string>& cells) {
    // Spreadsheets leave rows of empty cells below the data.
    if (std::all_of(cells.begin(), cells.end(), [](const auto& c) { return c.empty(); }))
        return;
    ++rows_;
    progress_.row();
    if (cells.size() != columns_) {
        problem(Severity::Error, "cell-count", 0, nullptr,
                "the row has " + std::to_string(cells.size()) + " cells; the header names " +
                    std::to_string(columns_));
        return;
    }

    std::fill(cells_.begin(), cells_.end(), Cell());
    for (size_t j = 0; j < cells.size(); ++j) {
        const int field = field_of_column_[j];
        if (field < 0) {
            // Columns the record does not know are left out; but a value
            // under a column without a name is most likely a shifted row.
            std::string shown;
            if (unnamed_[j] && !cells[j].empty())
                problem(Severity::Error, "unnamed-column", static_cast<int>(j + 1), nullptr,
                        (text_.decode(cells[j], shown) ? quoted(shown) : "a value") +
                            " stands in a column without a name");
            continue;
        }
        auto& decoded = decoded_[static_cast<size_t>(field)];
        decoded.clear();
        Cell& cell = cells_[static_cast<size_t>(field)];
        cell.present = !cells[j].empty();
        cell.decoded = text_.decode(cells[j], decoded);
        cell.text = cell.decoded ? std::string_view(decoded) : std::string_view(cells[j]);
        // Export marked text that a spreadsheet would run as a formula.
        if (cell.decoded &&
            record_fields(kind_)[static_cast<size_t>(field)].kind == catalogue::FieldKind::Text)
            cell.text = unguard_formula(cell.text);
    }
    const int errors_before = problems_.errors();
    checker_->check(static_cast<int>(record_), cells_, problems_);
    if (problems_.errors() > 0 || errors_before > 0)
        return; // nothing will be kept: stop writing, go on checking

    const auto& record = record_fields(kind_);
    for (size_t i = 0; i < record.size(); ++i) {
        auto& value = values_[i];
        value.reset();
        if (!cells_[i].present)
            continue;
        if (record[i].kind == catalogue::FieldKind::Text)
            value = std::string(cells_[i].text);
        else if (const auto& n = checker_->number(static_cast<int>(i)))
            value = format_packet_number(*n);
    }
    writer_->row(values_);
}

void CsvImport::finish() {
    if (writer_)
        writer_->finish();
}

} // namespace cattool
