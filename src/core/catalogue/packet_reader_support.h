#pragma once

#include <string>
#include <string_view>

namespace catalogue {

// Helpers that every engine behind read_packet shares, so that they bind
// fields and word their failures alike.

// ASCII case-insensitive equality, as field names bind.
bool iequals(std::string_view a, std::string_view b);
std::string ascii_lower(std::string_view s);

// Throws PacketInvalid with the file's bare name in front of `what`.
[[noreturn]] void invalid_packet(const std::string& path, const std::string& what);

// The message of a file that is not well-formed XML.
std::string xml_error_message(std::string_view description, int line);

} // namespace catalogue
