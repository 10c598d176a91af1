// Strings in JSON output.
#pragma once

#include <string>
#include <string_view>

namespace cattool {

// `text` as a JSON string literal, quotes included. UTF-8 passes unchanged.
std::string json_string(std::string_view text);

} // namespace cattool
