// Writing CSV records (RFC 4180: CRLF line ends, quotes where needed).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace cattool {

// A cell as it stands in the file: quoted, with inner quotes doubled, when it
// holds a comma, a quote or a line break, or begins or ends with a blank
// (which readers strip from unquoted cells).
std::string csv_cell(std::string_view text);

// Whether csv_cell quotes the text.
bool csv_needs_quotes(std::string_view text);

// csv_cell's form of `guard` (a few apostrophes) followed by `text`, handed
// to `write` a piece at a time, so that a long text is never copied whole.
template <class Write>
void write_csv_cell(std::string_view guard, std::string_view text, Write&& write) {
    const bool blank_front = guard.empty() && !text.empty() && csv_needs_quotes(text.substr(0, 1));
    const bool blank_back = !text.empty() && csv_needs_quotes(text.substr(text.size() - 1));
    if (!blank_front && !blank_back && text.find_first_of(",\"\r\n") == std::string_view::npos) {
        write(guard);
        write(text);
        return;
    }
    write(std::string_view("\"", 1));
    write(guard);
    for (std::size_t at = 0;;) {
        const std::size_t quote = text.find('"', at);
        if (quote == std::string_view::npos) {
            write(text.substr(at));
            break;
        }
        write(text.substr(at, quote + 1 - at));
        write(std::string_view("\"", 1)); // doubled
        at = quote + 1;
    }
    write(std::string_view("\"", 1));
}

// One record, cells joined by commas and ended by CRLF.
std::string csv_record(const std::vector<std::string>& cells);

} // namespace cattool
