#include "packet_number.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace cattool {

// Keep in step with the table's reading of packet numbers: a value the tool
// lets through must open in the program, and the reverse.
std::optional<double> packet_number(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    if (first == last ||
        !(std::isdigit(static_cast<unsigned char>(*first)) || *first == '-' || *first == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string format_packet_number(double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    std::string out(buf, res.ptr);
    std::replace(out.begin(), out.end(), 'e', 'E');
    return out;
}

std::string short_number(double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    return std::string(buf, res.ptr);
}

} // namespace cattool
