#include "core/catalogue/number_parse.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <system_error>

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal exponent of the leading non-zero digit of a checked, unsigned number
// ("123.4" gives 2, "0.05e3" gives 1), saturating far outside the double range.
long leading_exponent(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    const std::size_t mantissa_end = e == std::string_view::npos ? number.size() : e;
    const std::size_t point = std::min(number.find('.'), mantissa_end);
    long position = static_cast<long>(point) - 1; // exponent of the digit at i
    long leading = 0;
    for (std::size_t i = 0; i < mantissa_end; ++i) {
        if (number[i] == '.')
            continue;
        if (number[i] != '0') {
            leading = position;
            break;
        }
        --position;
    }
    long exponent = 0;
    if (e != std::string_view::npos) {
        std::size_t j = e + 1;
        const bool minus = number[j] == '-';
        if (number[j] == '+' || number[j] == '-')
            ++j;
        for (; j < number.size(); ++j)
            exponent = std::min(exponent * 10 + (number[j] - '0'), 100000L);
        if (minus)
            exponent = -exponent;
    }
    return leading + exponent;
}

// Full-width digits, signs, point and exponent letter as their ASCII forms,
// and the ideographic space as a blank, as an input method types them; any
// other character stays, so that it still fails.
std::string ascii_forms(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        if (i + 2 < text.size() && b(0) == 0xEF && (b(1) == 0xBC || b(1) == 0xBD)) {
            // U+FF01..U+FF5E: the full-width forms of ASCII 0x21..0x7E.
            const unsigned code = 0xFF00u + ((b(1) - 0xBCu) << 6) + (b(2) & 0x3Fu);
            const unsigned ascii = code - 0xFEE0u;
            if (code >= 0xFF01 && code <= 0xFF5E && std::strchr("0123456789+-.eE", ascii)) {
                out += static_cast<char>(ascii);
                i += 3;
                continue;
            }
        }
        if (i + 2 < text.size() && b(0) == 0xE3 && b(1) == 0x80 && b(2) == 0x80) {
            out += ' '; // U+3000
            i += 3;
            continue;
        }
        out += text[i++];
    }
    return out;
}

bool has_non_ascii(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::optional<double> parse_ascii_decimal(std::string_view text);

} // namespace

std::optional<double> parse_decimal(std::string_view text) {
    if (has_non_ascii(text))
        return parse_ascii_decimal(ascii_forms(text));
    return parse_ascii_decimal(text);
}

namespace {

std::optional<double> parse_ascii_decimal(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);

    // Check the whole syntax here: from_chars alone would also take "inf", "nan" and
    // stop quietly at the first character it does not understand.
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t number_start = i;
    std::size_t mantissa_digits = 0;
    while (i < text.size() && is_digit(text[i])) {
        ++i;
        ++mantissa_digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && is_digit(text[i])) {
            ++i;
            ++mantissa_digits;
        }
    }
    if (mantissa_digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponent_digits = 0;
        while (i < text.size() && is_digit(text[i])) {
            ++i;
            ++exponent_digits;
        }
        if (exponent_digits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;

    // from_chars takes no '+', so convert the unsigned part and apply the sign after.
    const char* const first = text.data() + number_start;
    const char* const last = text.data() + text.size();
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (end != last)
        return std::nullopt;
    if (ec == std::errc::result_out_of_range)
        return leading_exponent(std::string_view(first, last - first)) < 0
                   ? std::optional<double>(negative ? -0.0 : 0.0) // underflow
                   : std::nullopt;                                // overflow
    if (ec != std::errc())
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

double to_decimal(std::string_view text) {
    if (const auto value = parse_decimal(text))
        return *value;
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

std::optional<double> parse_packet_number(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    if (first == last ||
        !(std::isdigit(static_cast<unsigned char>(*first)) || *first == '-' || *first == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range && end == last) {
        // Out of range and below 1 rounds to zero; out of range above is no
        // number. Told from the text, not from a wider type, whose
        // conversion not every C library gets right.
        const bool minus = *first == '-';
        const std::string_view magnitude(first + minus,
                                         static_cast<std::size_t>(last - first - minus));
        if (leading_exponent(magnitude) >= 0)
            return std::nullopt;
        return minus ? -0.0 : 0.0;
    }
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}
