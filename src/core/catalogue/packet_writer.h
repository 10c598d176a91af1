// Writes a data packet: the fields with their kinds and widths, then the
// rows, in code page 932 without an encoding declaration (as catalogues
// come) or in UTF-8 with one.
#pragma once

#include "core/catalogue/cp932_encoder.h"
#include "core/catalogue/packet_reader.h"
#include "core/catalogue/text_decoder.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

class PacketWriter {
public:
    // Fields are declared by name, kind and width (code page 932 bytes of a
    // text field); `sink` takes the packet's bytes a buffer at a time.
    using Sink = std::function<void(std::string_view bytes)>;
    PacketWriter(std::vector<PacketField> fields, TextEncoding encoding, Sink sink);

    // One value per field, in field order; nothing (or empty) for an empty
    // value, which the packet leaves out. Texts are UTF-8; numbers come as
    // packet text. Throws std::runtime_error for a text that code page 932
    // cannot hold when writing code page 932.
    void row(const std::vector<std::optional<std::string>>& values);
    void finish();

private:
    void flush();

    std::vector<PacketField> fields_;
    TextEncoding encoding_;
    Sink sink_;
    Cp932Encoder cp932_;
    std::string buffer_;
    std::string scratch_;
};

// Text with the XML escapes an attribute value needs: line breaks and tabs
// as character references, so that they do not read back as blanks.
void append_xml_escaped(std::string& out, std::string_view text);

} // namespace catalogue
