#include "record_fields.h"

#include <algorithm>
#include <cctype>

namespace cattool {

using catalogue::FieldKind;

const std::vector<RecordField>& record_fields(RecordKind kind) {
    constexpr auto text = FieldKind::Text;
    constexpr auto number = FieldKind::Number;
    static const std::vector<RecordField> spring = {
        {"modelNo", text, 60, true, Need::None},     {"maker", text, 30, true, Need::Advisory},
        {"type", text, 10, true, Need::Search},      {"material", text, 12, true, Need::Advisory},
        {"lo", number, 0, true, Need::Search},       {"fo", number, 0, true, Need::Search},
        {"lmax", number, 0, true, Need::Search},     {"fmax", number, 0, true, Need::Search},
        {"k", number, 0, true, Need::None},          {"coil_dia", number, 0, true, Need::Search},
        {"wire_dia", number, 0, true, Need::Search}, {"turn", number, 0, true, Need::None},
    };
    // The maker box shows maker, tel and url; address and fax are carried only.
    static const std::vector<RecordField> maker = {
        {"maker", text, 30, true, Need::Advisory}, {"adress", text, 60, false, Need::None},
        {"tel", text, 12, true, Need::None},       {"fax", text, 12, false, Need::None},
        {"url", text, 30, true, Need::None},
    };
    return kind == RecordKind::Spring ? spring : maker;
}

std::vector<catalogue::PacketField> packet_fields(RecordKind kind) {
    std::vector<catalogue::PacketField> fields;
    for (const RecordField& f : record_fields(kind))
        fields.push_back({f.name, {}, f.kind, f.width});
    return fields;
}

const char* record_name(RecordKind kind) {
    return kind == RecordKind::Spring ? "spring" : "maker";
}

bool iequals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int record_field_index(RecordKind kind, std::string_view name) {
    const auto& fields = record_fields(kind);
    for (size_t i = 0; i < fields.size(); ++i) {
        if (iequals(fields[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

RecordKind detect_kind(const std::vector<std::string>& names) {
    int spring_only = 0;
    int maker_only = 0;
    for (const auto& name : names) {
        if (iequals(name, "maker"))
            continue; // both records have it
        if (record_field_index(RecordKind::Spring, name) >= 0)
            ++spring_only;
        else if (record_field_index(RecordKind::Maker, name) >= 0)
            ++maker_only;
    }
    return maker_only > spring_only ? RecordKind::Maker : RecordKind::Spring;
}

} // namespace cattool
