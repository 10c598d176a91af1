#include "core/cycle/cycle_formula.h"

#include "core/strength/float_error.h"

#include <cctype>
#include <charconv>

namespace cycle {

std::string cycle_result;

double cycle_count(double pt, double n, double kadou_percent, double t, int days, double years) {
    using float_error::checked;
    const long double u = checked(static_cast<long double>(kadou_percent) / 100);
    // In the order the formula reads: seconds of work per day, over the cycle
    // time, then the operations of all the days of all the years.
    const long double per_day = float_error::divide(checked(t * 60.0L * u), pt);
    return float_error::to_double(checked(per_day * n * days * 12 * years));
}

std::string format_cycle_result(double N) {
    // A zero result reads "0.00E+00" whatever its sign.
    if (N == 0)
        N = 0;
    char buf[32];
    // to_chars, unlike printf, never takes the decimal comma of a locale.
    const auto res = std::to_chars(buf, buf + sizeof buf, N, std::chars_format::scientific, 2);
    std::string text(buf, res.ptr);
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace cycle
