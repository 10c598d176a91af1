// Reading numbers typed by the user or stored as text.
//
// Accepted: blanks (spaces, tabs) around an optional sign, digits with an optional
// decimal point (".5" and "5." included) and an optional exponent (e or E, optional
// sign, digits). Nothing else: no "inf", "nan", hexadecimal, thousands separators or
// decimal commas. The decimal separator is always ".", whatever the locale. A value
// beyond the double range fails; one too small for it reads as zero. Full-width
// digits, signs, point and exponent letter (as an input method types them) count as
// their ASCII forms, and the ideographic space as a blank.
#pragma once

#include <optional>
#include <stdexcept>
#include <string_view>

// The text is not a number; what() is "'<text>' is not a valid floating point value".
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The value of the text, or nothing when it is not a decimal number.
std::optional<double> parse_decimal(std::string_view text);

// As parse_decimal, but throws EConvertError for text that is not a number.
double to_decimal(std::string_view text);

// A number as it stands in a data packet, written by a program: plain
// decimal text with an optional sign and exponent and nothing around it (no
// blanks, no "inf" or "nan"). A value beyond the double range fails; one too
// small for it reads as the nearest double, zero or subnormal, as typed
// numbers do. This is how the catalogue table reads the packets it opens.
std::optional<double> parse_packet_number(std::string_view text);
