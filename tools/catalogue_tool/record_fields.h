// The two records a catalogue packet can hold, as the tool checks, imports and
// exports them: names, kinds and widths of their fields, and how much an empty
// value matters.
#pragma once

#include "core/catalogue/packet_reader.h"
#include "core/catalogue/packet_writer.h"

#include <string>
#include <string_view>
#include <vector>

namespace cattool {

enum class RecordKind { Spring, Maker };

// What an empty value in a row costs.
enum class Need {
    None,     // nothing uses it, or an empty value is harmless
    Search,   // the search skips the row
    Advisory, // the row is found, but shows or evaluates less
};

struct RecordField {
    const char* name;
    catalogue::FieldKind kind;
    int width;     // bytes in code page 932, for text fields
    bool required; // the program fails without it; otherwise missing is a warning
    Need need;
};

const std::vector<RecordField>& record_fields(RecordKind kind);
// The record's fields as a packet declares them.
std::vector<catalogue::PacketField> packet_fields(RecordKind kind);

// "spring" or "maker".
const char* record_name(RecordKind kind);

// Index into record_fields(kind), matching names ignoring ASCII case as the
// table binds them; -1 for a name the record does not have.
int record_field_index(RecordKind kind, std::string_view name);

// Tells a maker packet from a catalogue by the fields it names: a maker packet
// names more of the maker-only fields (adress, tel, fax, url) than of the
// spring-only ones. Anything else is taken for a catalogue, so that a packet
// that names too little is checked against the record most files carry.
RecordKind detect_kind(const std::vector<std::string>& names);

bool iequals(std::string_view a, std::string_view b);

} // namespace cattool
