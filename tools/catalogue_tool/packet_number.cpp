#include "packet_number.h"

#include <algorithm>
#include <charconv>

namespace cattool {

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
