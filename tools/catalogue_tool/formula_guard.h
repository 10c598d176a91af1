// Text cells that a spreadsheet would take for a formula (CSV formula
// injection): they begin with '=', '+', '-', '@', a tab or a carriage return.
// Export writes them behind an apostrophe, as spreadsheets themselves mark
// text, and import takes exactly that apostrophe off again, so that a text
// comes back byte for byte.
#pragma once

#include <string>
#include <string_view>

namespace cattool {

// Whether a spreadsheet would read `text` as a formula.
bool looks_like_formula(std::string_view text);

// The cell export writes for a text value. Texts that already begin with
// apostrophes before a formula character get one more, so that import can
// tell the guard from the value's own apostrophes.
std::string guard_formula(std::string_view text);
// Whether guard_formula puts an apostrophe before the text.
bool needs_formula_guard(std::string_view text);

// The value import keeps for a text cell: the cell with the guard's
// apostrophe taken off, when it has one.
std::string_view unguard_formula(std::string_view cell);

} // namespace cattool
