#include "formula_guard.h"

namespace cattool {
namespace {

bool formula_start(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// The first character after the leading apostrophes.
std::size_t after_apostrophes(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == '\'')
        ++i;
    return i;
}

} // namespace

bool looks_like_formula(std::string_view text) {
    return !text.empty() && formula_start(text.front());
}

bool needs_formula_guard(std::string_view text) {
    const std::size_t i = after_apostrophes(text);
    return i < text.size() && formula_start(text[i]);
}

std::string guard_formula(std::string_view text) {
    if (needs_formula_guard(text))
        return "'" + std::string(text);
    return std::string(text);
}

std::string_view unguard_formula(std::string_view cell) {
    const std::size_t i = after_apostrophes(cell);
    if (i > 0 && i < cell.size() && formula_start(cell[i]))
        cell.remove_prefix(1);
    return cell;
}

} // namespace cattool
