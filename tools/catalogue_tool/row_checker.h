// The checks of one row of a spring or maker record, shared by the check of a
// packet and the import of a CSV file.
#pragma once

#include "core/catalogue/cp932_encoder.h"
#include "problem.h"
#include "record_fields.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cattool {

// How one field of the record is bound in the file at hand.
struct Binding {
    bool bound = false; // declared with the right kind; unbound fields were reported already
    int width = 0;      // bytes a text may take in code page 932
    int column = 0;     // CSV column (1 = A) for messages, 0 for packets
};

// One field's value in a row. Text fields come decoded to UTF-8.
struct Cell {
    std::string_view text;
    bool present = false;
    bool decoded = true; // false when the file's bytes did not decode
    // A long text not held decoded: `text` is its beginning, and these
    // tell of the whole.
    bool cut = false;
    bool control = false;
    std::optional<std::size_t> cp932_bytes;
};

// Packet numbers are read as the table reads them; numbers typed into a
// spreadsheet as a person would write them (blanks around allowed).
enum class NumberSyntax { Packet, Typed };

class RowChecker {
public:
    RowChecker(RecordKind kind, std::vector<Binding> bindings, NumberSyntax syntax,
               std::string encoding_name);

    // Reports every problem of the row; `cells` is in record field order.
    void check(int row, const std::vector<Cell>& cells, ProblemSink& sink);

    // The value of a number field in the row checked last, when it had one.
    const std::optional<double>& number(int field) const {
        return numbers_[static_cast<size_t>(field)];
    }

private:
    void problem(ProblemSink& sink, Severity severity, const char* code, int row, int field,
                 std::string message) const;
    bool checkText(ProblemSink& sink, int row, int field, const Cell& cell);
    void checkNumber(ProblemSink& sink, int row, int field, const Cell& cell);
    void checkSpring(ProblemSink& sink, int row, const std::vector<Cell>& cells);
    void checkMaterial(ProblemSink& sink, int row, const std::string& material);
    void checkCoils(ProblemSink& sink, int row, std::string_view type, const std::string& material);

    RecordKind kind_;
    std::vector<Binding> bindings_;
    NumberSyntax syntax_;
    std::string encoding_name_;
    std::vector<std::optional<double>> numbers_;
    std::vector<char> text_ok_;
    catalogue::Cp932Encoder cp932_;
};

// Text of a value for a message: quoted, and shortened when long.
std::string quoted(std::string_view text);
// A C0 control other than tab and line ends, or DEL: the same test on code
// page 932 bytes, whose second bytes are never such a byte.
bool has_control_character(std::string_view text);

} // namespace cattool
