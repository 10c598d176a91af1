#include "core/catalogue/packet_reader_support.h"

#include "core/catalogue/packet_reader.h"

#include <algorithm>

namespace catalogue {

bool iequals(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::string ascii_lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

void invalid_packet(const std::string& path, const std::string& what) {
    const auto slash = path.find_last_of("/\\");
    const std::string label = slash == std::string::npos ? path : path.substr(slash + 1);
    throw PacketInvalid(label + ": " + what);
}

std::string xml_error_message(std::string_view description, int line) {
    return "XML として読めません (" + std::string(description) + ", 行 " + std::to_string(line) +
           ")";
}

FieldKind field_kind(std::string_view t) {
    if (t == "string" || t == "string.uni")
        return FieldKind::Text;
    for (const char* n :
         {"r8", "r4", "i1", "i2", "i4", "i8", "ui1", "ui2", "ui4", "ui8", "fixed"}) {
        if (t == n)
            return FieldKind::Number;
    }
    return FieldKind::Other;
}

} // namespace catalogue
