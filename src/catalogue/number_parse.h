// Reading numbers typed by the user or stored as text.
//
// Accepted: blanks (spaces, tabs) around an optional sign, digits with an optional
// decimal point (".5" and "5." included) and an optional exponent (e or E, optional
// sign, digits). Nothing else: no "inf", "nan", hexadecimal, thousands separators or
// decimal commas. The decimal separator is always ".", whatever the locale. A value
// beyond the double range fails; one too small for it reads as zero.
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
