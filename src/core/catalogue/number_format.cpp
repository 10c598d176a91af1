#include "core/catalogue/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace numfmt {

namespace {

// value = (negative ? -1 : 1) * 0.d1d2d3... * 10^point; no leading or trailing
// zeros in digits; zero has no digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    int point = 0;
};

void trim_trailing_zeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.point = 0;
}

// Keeps the first `keep` significant digits, rounding half away from zero on the
// digit that follows. keep <= 0 may still round up to a single digit.
void round_to(Decimal& d, int keep) {
    if (keep < 0) {
        d.digits.clear();
        d.point = 0;
        return;
    }
    const auto k = static_cast<std::size_t>(keep);
    if (d.digits.size() <= k)
        return;
    const bool up = d.digits[k] >= '5';
    d.digits.resize(k);
    if (up) {
        std::size_t i = k;
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        } else {
            ++d.digits[i - 1];
        }
    }
    trim_trailing_zeros(d);
}

// Every significant digit of |v| in decimal, with its sign and exponent. A double
// m * 2^e (m odd) has at most (integer digits) + max(-e, 0) significant digits, so
// printing that many shows the exact binary value.
Decimal exact_decimal(double v) {
    Decimal d;
    d.negative = std::signbit(v);
    if (v == 0)
        return d;
    int x = 0;
    const double f = std::frexp(std::fabs(v), &x); // |v| = f * 2^x, 0.5 <= f < 1
    auto m = static_cast<std::uint64_t>(std::ldexp(f, 53));
    int e = x - 53;
    while (m % 2 == 0) {
        m /= 2;
        ++e;
    }
    const int integer_digits = std::max(x * 30103 / 100000 + 2, 1);
    const int significant = integer_digits + std::max(-e, 0);

    std::string buf(static_cast<std::size_t>(significant) + 16, '\0');
    const int n = std::snprintf(buf.data(), buf.size(), "%.*e", significant - 1, std::fabs(v));
    buf.resize(static_cast<std::size_t>(n));
    const std::size_t exp_pos = buf.find('e');
    for (std::size_t i = 0; i < exp_pos; ++i)
        if (buf[i] != '.')
            d.digits.push_back(buf[i]);
    d.point = std::atoi(buf.c_str() + exp_pos + 1) + 1;
    trim_trailing_zeros(d);
    return d;
}

// The decimal expansion of a finite v, rounded half away from zero to 18 digits.
Decimal expansion18(double v) {
    Decimal d = exact_decimal(v);
    round_to(d, 18);
    return d;
}

std::string non_finite(double v) {
    if (std::isnan(v))
        return "NAN";
    return v < 0 ? "-INF" : "INF";
}

std::string sign(const Decimal& d) {
    return d.negative && !d.digits.empty() ? "-" : "";
}

// digits[i], or '0' past the stored digits.
char digit_at(const Decimal& d, int i) {
    return i >= 0 && i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)]
                                                           : '0';
}

std::string render_fixed(const Decimal& d, int decimals) {
    std::string out = sign(d);
    if (d.point <= 0)
        out += '0';
    for (int i = 0; i < d.point; ++i)
        out += digit_at(d, i);
    if (decimals > 0) {
        out += '.';
        for (int i = 0; i < decimals; ++i)
            out += digit_at(d, d.point + i);
    }
    return out;
}

// d1[.d2...]E[-]exp, trailing zeros of the mantissa already dropped.
std::string render_scientific(const Decimal& d) {
    std::string out = sign(d);
    out += d.digits.front();
    if (d.digits.size() > 1) {
        out += '.';
        out.append(d.digits, 1, std::string::npos);
    }
    return out + "E" + std::to_string(d.point - 1);
}

Decimal rounded_at_decimals(double v, int decimals) {
    Decimal d = expansion18(v);
    round_to(d, d.point + std::max(decimals, 0));
    return d;
}

} // namespace

// Rounded at the given number of decimals, written out in full.
std::string display_format(double v, int decimals) {
    if (!std::isfinite(v))
        return non_finite(v);
    return render_fixed(rounded_at_decimals(v, decimals), std::max(decimals, 0));
}

// Rounded once, at `decimals` places or at `precision` significant digits, whichever
// comes first.
std::string fixed(double v, int precision, int decimals) {
    if (!std::isfinite(v))
        return non_finite(v);
    decimals = std::max(decimals, 0);
    Decimal d = expansion18(v);
    round_to(d, std::min(precision, d.point + decimals));
    if (d.point > precision)
        return render_scientific(d);
    return render_fixed(d, decimals);
}

std::string fixed15(double v, int decimals) {
    return fixed(v, 15, decimals);
}

// Rounded to 15 significant digits; fixed-point for 0.0001 <= |v| < 1e15.
std::string general15(double v) {
    if (!std::isfinite(v))
        return non_finite(v);
    Decimal d = expansion18(v);
    round_to(d, 15);
    if (d.digits.empty())
        return "0";
    if (d.point > 15 || d.point < -3)
        return render_scientific(d);
    const int decimals = std::max(static_cast<int>(d.digits.size()) - d.point, 0);
    return render_fixed(d, decimals);
}

// Rounded to 3 significant digits; the exponent always signed, at least two digits.
std::string exponent3(double v) {
    if (!std::isfinite(v))
        return non_finite(v);
    Decimal d = expansion18(v);
    round_to(d, 3);
    std::string out = sign(d);
    out += digit_at(d, 0);
    out += '.';
    out += digit_at(d, 1);
    out += digit_at(d, 2);
    const int exponent = d.digits.empty() ? 0 : d.point - 1;
    char buf[16];
    std::snprintf(buf, sizeof buf, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + buf;
}

} // namespace numfmt
