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

// Whether csv_cell quotes `guard` (a few apostrophes) followed by `text`.
// The characters that decide are ASCII, and code page 932 uses none of them
// as the second byte of a character, so its bytes may be asked as well.
inline bool csv_cell_quoted(std::string_view guard, std::string_view text) {
    const bool blank_front = guard.empty() && !text.empty() && csv_needs_quotes(text.substr(0, 1));
    const bool blank_back = !text.empty() && csv_needs_quotes(text.substr(text.size() - 1));
    return blank_front || blank_back || text.find_first_of(",\"\r\n") != std::string_view::npos;
}

// A piece of a cell's text, handed to `write` with its quotes doubled when
// the cell is quoted.
template <class Write> void write_csv_piece(std::string_view piece, bool quoted, Write&& write) {
    for (std::size_t at = 0; quoted;) {
        const std::size_t quote = piece.find('"', at);
        if (quote == std::string_view::npos) {
            piece.remove_prefix(at);
            break;
        }
        write(piece.substr(at, quote + 1 - at));
        write(std::string_view("\"", 1)); // doubled
        at = quote + 1;
    }
    write(piece);
}

// csv_cell's form of `guard` followed by the text that `pieces` hands to its
// argument a piece at a time, so that a long text is never copied whole;
// `text` (or its code page 932 bytes) decides the quoting.
template <class Write, class Pieces>
void write_csv_cell_in_pieces(std::string_view guard, std::string_view text, Pieces&& pieces,
                              Write&& write) {
    const bool quoted = csv_cell_quoted(guard, text);
    if (quoted)
        write(std::string_view("\"", 1));
    write(guard);
    pieces([&](std::string_view piece) { write_csv_piece(piece, quoted, write); });
    if (quoted)
        write(std::string_view("\"", 1));
}

// csv_cell's form of `guard` followed by `text`, handed to `write` a piece at
// a time.
template <class Write>
void write_csv_cell(std::string_view guard, std::string_view text, Write&& write) {
    write_csv_cell_in_pieces(
        guard, text, [&](auto&& piece) { piece(text); }, write);
}

// One record, cells joined by commas and ended by CRLF.
std::string csv_record(const std::vector<std::string>& cells);

} // namespace cattool
