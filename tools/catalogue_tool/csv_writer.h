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

// One record, cells joined by commas and ended by CRLF.
std::string csv_record(const std::vector<std::string>& cells);

} // namespace cattool
