#include "core/catalogue/packet_writer.h"

#include <stdexcept>

namespace catalogue {

void append_xml_escaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        // Line breaks and tabs in an attribute would read back as blanks.
        case '\r':
            out += "&#13;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\t':
            out += "&#9;";
            break;
        default:
            out += c;
        }
    }
}

PacketWriter::PacketWriter(std::vector<PacketField> fields, TextEncoding encoding, Sink sink)
    : fields_(std::move(fields)), encoding_(encoding), sink_(std::move(sink)) {
    buffer_ = encoding == TextEncoding::Utf8
                  ? "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                  : "<?xml version=\"1.0\" standalone=\"yes\"?>\n";
    buffer_ += "<DATAPACKET Version=\"2.0\">\n <METADATA>\n  <FIELDS>\n";
    for (const PacketField& f : fields_) {
        buffer_ += "   <FIELD attrname=\"";
        buffer_ += f.name;
        if (f.kind == FieldKind::Text)
            buffer_ += "\" fieldtype=\"string\" WIDTH=\"" + std::to_string(f.width) + "\"/>\n";
        else
            buffer_ += "\" fieldtype=\"r8\"/>\n";
    }
    buffer_ += "  </FIELDS>\n  <PARAMS/>\n </METADATA>\n <ROWDATA>\n";
}

void PacketWriter::row(const std::vector<std::optional<std::string>>& values) {
    buffer_ += "  <ROW";
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (!values[i] || values[i]->empty())
            continue; // an empty value is an absent attribute
        buffer_ += ' ';
        buffer_ += fields_[i].name;
        buffer_ += "=\"";
        if (encoding_ == TextEncoding::Cp932 && fields_[i].kind == FieldKind::Text) {
            scratch_.clear();
            if (!cp932_.encode(*values[i], scratch_))
                throw std::runtime_error(std::string("not code page 932 text in ") +
                                         fields_[i].name);
            append_xml_escaped(buffer_, scratch_);
        } else {
            append_xml_escaped(buffer_, *values[i]);
        }
        buffer_ += '"';
    }
    buffer_ += "/>\n";
    if (buffer_.size() > (1u << 20))
        flush();
}

void PacketWriter::finish() {
    buffer_ += " </ROWDATA>\n</DATAPACKET>\n";
    flush();
}

void PacketWriter::flush() {
    sink_(buffer_);
    buffer_.clear();
}

} // namespace catalogue
