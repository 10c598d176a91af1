// Writes a catalogue or maker packet: the record's fields with their kinds and
// widths, then the rows, in code page 932 without an encoding declaration (as
// catalogues come) or in UTF-8 with one.
#pragma once

#include "catalogue/text_decoder.h"
#include "cp932.h"
#include "output_file.h"
#include "record_fields.h"

#include <optional>
#include <string>
#include <vector>

namespace cattool {

class PacketWriter {
public:
    PacketWriter(OutputFile& out, RecordKind kind, catalogue::TextEncoding encoding);

    // One value per record field, in record order; nothing for an empty value.
    // Texts are UTF-8 and must fit code page 932 (the checks see to that);
    // numbers come as packet text (format_packet_number).
    void row(const std::vector<std::optional<std::string>>& values);
    void finish();

private:
    void flush();

    OutputFile& out_;
    RecordKind kind_;
    catalogue::TextEncoding encoding_;
    Cp932Encoder cp932_;
    std::string buffer_;
    std::string scratch_;
};

// Text with the XML escapes an attribute value needs.
void append_xml_escaped(std::string& out, std::string_view text);

} // namespace cattool
