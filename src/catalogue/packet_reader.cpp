#include "catalogue/packet_reader.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <pugixml.hpp>
#include <sys/stat.h>

namespace catalogue {
namespace {

bool iequals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string file_label(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void invalid(const std::string& path, const std::string& what) {
    throw PacketInvalid(file_label(path) + ": " + what);
}

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
            invalid(path,
                    std::string("文字コード '") + declared.value() + "' には対応していません");
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

void read_packet(const std::string& path, PacketSink& sink) {
    std::string bytes = read_whole_file(path);

    pugi::xml_document doc;
    // The document is parsed in place and as UTF-8 so that attribute values
    // keep the file's own bytes; decoding is the table's business. No
    // document-type processing, so no entity is ever expanded or fetched.
    const auto result =
        doc.load_buffer_inplace(bytes.data(), bytes.size(),
                                pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8);
    if (!result) {
        invalid(path, std::string("XML として読めません (") + result.description() + ", 行 " +
                          std::to_string(line_of(bytes, result.offset)) + ")");
    }
    const TextEncoding encoding = detect_encoding(path, bytes, doc);

    const auto packet = doc.child("DATAPACKET");
    if (!packet)
        invalid(path, "DATAPACKET がありません");
    const auto field_nodes = packet.child("METADATA").child("FIELDS");
    if (!field_nodes)
        invalid(path, "METADATA/FIELDS がありません");
    const auto rowdata = packet.child("ROWDATA");
    if (!rowdata)
        invalid(path, "ROWDATA がありません");

    std::vector<PacketField> fields;
    for (const auto& f : field_nodes.children("FIELD")) {
        PacketField field;
        field.name = f.attribute("attrname").value();
        if (field.name.empty())
            invalid(path, "名前のない項目があります");
        for (const auto& other : fields) {
            if (iequals(other.name, field.name))
                invalid(path, "項目 '" + field.name + "' が二重に宣言されています");
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
