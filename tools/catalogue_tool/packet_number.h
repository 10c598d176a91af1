// Numbers as they stand in a data packet's attributes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cattool {

// The value of an attribute as the catalogue table reads it when it opens a
// packet: plain decimal text with an optional sign and exponent and nothing
// around it (no blanks, no decimal comma), finite. Nothing when the table
// would refuse the packet for this value.
std::optional<double> packet_number(std::string_view text);

// The shortest text that reads back as exactly `v`, with a decimal point and
// an upper-case exponent: "2.5", "30", "1.5E-05".
std::string format_packet_number(double v);

// Up to six significant digits, for messages.
std::string short_number(double v);

} // namespace cattool
