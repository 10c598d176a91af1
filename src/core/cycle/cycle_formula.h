#pragma once

#include <string>

// The service-life arithmetic: from a machine's duty to the number of load
// cycles a spring must survive. No Qt here, so that it can be tested alone.
namespace cycle {

// Text of the last successful calculation of the dialog, in the form of
// format_cycle_result; empty until the first one.
extern std::string cycle_result;

// Load cycles over the service life:
//   t * 60 * u / pt * n * days * 12 * years,  u = kadou_percent / 100,
// evaluated left to right in extended precision and rounded to double.
// pt: cycle time in s, n: spring operations per machine cycle,
// kadou_percent: utilisation in %, t: operating minutes per day,
// days: working days per month, years: service life.
// Throws a float_error::EFloatError for pt == 0 (EZeroDivide, or EInvalidOp
// for 0/0) and for a result that is not a finite double (EOverflow,
// EInvalidOp).
double cycle_count(double pt, double n, double kadou_percent, double t, int days, double years);

// Exponent form with three significant digits, "1.38E+08"; independent of
// the C locale.
std::string format_cycle_result(double N);

} // namespace cycle
