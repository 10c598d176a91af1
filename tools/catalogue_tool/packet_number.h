// Numbers as they stand in a data packet's attributes.
#pragma once

#include <string>

namespace cattool {

// Values are read with parse_packet_number() (catalogue/number_parse.h),
// as the catalogue table reads them.

// The shortest text that reads back as exactly `v`, with a decimal point and
// an upper-case exponent: "2.5", "30", "1.5E-05".
std::string format_packet_number(double v);

// Up to six significant digits, for messages.
std::string short_number(double v);

} // namespace cattool
