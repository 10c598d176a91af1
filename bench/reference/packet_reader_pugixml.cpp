#include "reference/packet_reader_pugixml.h"

#include "core/catalogue/packet_reader_support.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <pugixml.hpp>
#include <sys/stat.h>

namespace catalogue {
namespace {

std::string read_whole_file(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        throw PacketMissing(path);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw PacketMissing(path);
    std::string bytes;
    bytes.resize(static_cast<size_t>(st.st_size));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

TextEncoding detect_encoding(const std::string& path, std::string& bytes,
                             const pugi::xml_document& doc) {
    TextEncoding encoding = TextEncoding::Cp932;
    if (bytes.size() >= 3 && std::memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0)
        encoding = TextEncoding::Utf8;
    for (const auto& node : doc.children()) {
        if (node.type() != pugi::node_declaration)
            continue;
        const auto declared = node.attribute("encoding");
        if (declared && !encoding_from_name(declared.value(), encoding))
            invalid_packet(path, std::string("文字コード '") + declared.value() +
                                     "' には対応していません");
    }
    return encoding;
}

int line_of(const std::string& bytes, ptrdiff_t offset) {
    if (offset < 0)
        return 0;
    const auto end =
        bytes.begin() + std::min<ptrdiff_t>(offset, static_cast<ptrdiff_t>(bytes.size()));
    return 1 + static_cast<int>(std::count(bytes.begin(), end, '\n'));
}

} // namespace

void read_packet_pugixml(const std::string& path, PacketSink& sink) {
    std::string bytes = read_whole_file(path);

    pugi::xml_document doc;
    // The document is parsed in place and as UTF-8 so that attribute values
    // keep the file's own bytes; decoding is the table's business. No
    // document-type processing, so no entity is ever expanded or fetched.
    const auto result =
        doc.load_buffer_inplace(bytes.data(), bytes.size(),
                                pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8);
    if (!result) {
        invalid_packet(path,
                       xml_error_message(result.description(), line_of(bytes, result.offset)));
    }
    const TextEncoding encoding = detect_encoding(path, bytes, doc);

    const auto packet = doc.child("DATAPACKET");
    if (!packet)
        invalid_packet(path, "DATAPACKET がありません");
    const auto field_nodes = packet.child("METADATA").child("FIELDS");
    if (!field_nodes)
        invalid_packet(path, "METADATA/FIELDS がありません");
    const auto rowdata = packet.child("ROWDATA");
    if (!rowdata)
        invalid_packet(path, "ROWDATA がありません");

    std::vector<PacketField> fields;
    for (const auto& f : field_nodes.children("FIELD")) {
        PacketField field;
        field.name = f.attribute("attrname").value();
        if (field.name.empty())
            invalid_packet(path, "名前のない項目があります");
        for (const auto& other : fields) {
            if (iequals(other.name, field.name))
                invalid_packet(path, "項目 '" + printable(field.name, encoding) +
                                         "' が二重に宣言されています");
        }
        field.type = f.attribute("fieldtype").value();
        field.kind = field_kind(field.type);
        field.width = f.attribute("WIDTH").as_int();
        fields.push_back(std::move(field));
    }
    sink.begin(fields, encoding);

    RawRow row;
    row.values.resize(fields.size());
    row.present.resize(fields.size());
    for (const auto& r : rowdata.children("ROW")) {
        std::fill(row.present.begin(), row.present.end(), 0);
        size_t position = 0;
        for (const auto& a : r.attributes()) {
            const std::string_view name = a.name();
            // Rows normally list their attributes in field order: try that first.
            size_t index = fields.size();
            if (position < fields.size() && fields[position].name == name)
                index = position;
            else {
                for (size_t i = 0; i < fields.size(); ++i) {
                    if (iequals(fields[i].name, name)) {
                        index = i;
                        break;
                    }
                }
            }
            ++position;
            if (index == fields.size())
                continue; // RowState and undeclared attributes carry nothing we use
            row.values[index] = a.value();
            row.present[index] = 1;
        }
        ++row.number;
        sink.row(row);
    }
}

} // namespace catalogue
