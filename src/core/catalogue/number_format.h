// Numbers written for the user.
//
// Every rounding below is decided on the decimal expansion of the double, first
// rounded to 18 significant digits, then rounded half away from zero to the digits
// shown (so 0.125 gives "0.13", while 2.675, stored as 2.67499999999999982..., gives
// "2.67"). The decimal separator is always "." and there are no thousands
// separators. A result that rounds to zero carries no minus sign. NaN and infinities
// are written "NAN", "INF" and "-INF".
#pragma once

#include <string>

namespace numfmt {

// Display formats of the grid: "0.00", "0.000" and "0" for decimals 2, 3 and 0.
// Large values are written out in full (digits past the 18th are zeros).
std::string display_format(double v, int decimals);

// Fixed-point with the given decimals, keeping at most `precision` significant
// digits. A value with more than `precision` integer digits after rounding is
// written in exponent form with up to `precision` significant digits instead
// (trailing zeros dropped, exponent without plus sign or leading zeros: "2.337E4").
std::string fixed(double v, int precision, int decimals);

// fixed() with 15 significant digits: labels such as "10.00" and "229".
std::string fixed15(double v, int decimals);

// Shortest general form with up to 15 significant digits, trailing zeros dropped:
// "0.1", "2.5", "1E20", "1.5E-7". Exponent form when there are more than 15 integer
// digits or the value is below 0.0001.
std::string general15(double v);

// Exponent form with three significant digits: "1.38E+08", "-2.50E-03".
std::string exponent3(double v);

} // namespace numfmt
