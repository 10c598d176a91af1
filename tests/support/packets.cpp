#include "support/packets.h"

#include "core/catalogue/cp932_encoder.h"
#include "core/catalogue/packet_writer.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace testsupport {
namespace {

std::string escaped(const std::string& text) {
    std::string out;
    catalogue::append_xml_escaped(out, text);
    return out;
}

std::string number(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

void attr(std::string& out, const char* name, const std::string& value) {
    out += ' ';
    out += name;
    out += "=\"";
    out += escaped(value);
    out += '"';
}

const char* kHead = "<?xml version=\"1.0\" standalone=\"yes\"?>\n<DATAPACKET Version=\"2.0\">\n"
                    "<METADATA><FIELDS>\n";

} // namespace

SpringRow spring_row(const std::string& model, double lo, double fo, double lmax, double fmax) {
    SpringRow r;
    r.modelNo = model;
    r.maker = "KSSC";
    r.type = "compress";
    r.material = "SWP-B";
    r.lo = lo;
    r.fo = fo;
    r.lmax = lmax;
    r.fmax = fmax;
    r.k = lo == lmax ? 0 : std::abs(fmax - fo) / std::abs(lmax - lo);
    r.coil_dia = 10;
    r.wire_dia = 1;
    r.turn = 8;
    return r;
}

std::string spring_packet(const std::vector<SpringRow>& rows) {
    std::string out = kHead;
    out += "<FIELD attrname=\"modelNo\" fieldtype=\"string\" WIDTH=\"60\"/>\n"
           "<FIELD attrname=\"maker\" fieldtype=\"string\" WIDTH=\"30\"/>\n"
           "<FIELD attrname=\"type\" fieldtype=\"string\" WIDTH=\"10\"/>\n"
           "<FIELD attrname=\"material\" fieldtype=\"string\" WIDTH=\"12\"/>\n";
    for (const char* f : {"lo", "fo", "lmax", "fmax", "k", "coil_dia", "wire_dia", "turn"})
        out += std::string("<FIELD attrname=\"") + f + "\" fieldtype=\"r8\"/>\n";
    out += "</FIELDS><PARAMS/></METADATA>\n<ROWDATA>\n";
    for (const auto& r : rows) {
        out += "<ROW";
        attr(out, "modelNo", r.modelNo);
        attr(out, "maker", r.maker);
        attr(out, "type", r.type);
        attr(out, "material", r.material);
        attr(out, "lo", number(r.lo));
        attr(out, "fo", number(r.fo));
        attr(out, "lmax", number(r.lmax));
        attr(out, "fmax", number(r.fmax));
        attr(out, "k", number(r.k));
        attr(out, "coil_dia", number(r.coil_dia));
        attr(out, "wire_dia", number(r.wire_dia));
        attr(out, "turn", number(r.turn));
        out += "/>\n";
    }
    out += "</ROWDATA>\n</DATAPACKET>\n";
    return out;
}

std::string maker_packet(const std::vector<MakerRow>& rows) {
    std::string out = kHead;
    out += "<FIELD attrname=\"maker\" fieldtype=\"string\" WIDTH=\"30\"/>\n"
           "<FIELD attrname=\"adress\" fieldtype=\"string\" WIDTH=\"60\"/>\n"
           "<FIELD attrname=\"tel\" fieldtype=\"string\" WIDTH=\"12\"/>\n"
           "<FIELD attrname=\"fax\" fieldtype=\"string\" WIDTH=\"12\"/>\n"
           "<FIELD attrname=\"url\" fieldtype=\"string\" WIDTH=\"30\"/>\n"
           "</FIELDS><PARAMS/></METADATA>\n<ROWDATA>\n";
    for (const auto& r : rows) {
        out += "<ROW";
        attr(out, "maker", r.maker);
        attr(out, "adress", r.adress);
        attr(out, "tel", r.tel);
        attr(out, "fax", r.fax);
        attr(out, "url", r.url);
        out += "/>\n";
    }
    out += "</ROWDATA>\n</DATAPACKET>\n";
    return out;
}

std::string to_cp932(const std::string& utf8) {
    catalogue::Cp932Encoder encoder;
    std::string out;
    if (!encoder.encode(utf8, out))
        throw std::runtime_error("not code page 932 text: " + utf8.substr(0, 80));
    return out;
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f)
        throw std::runtime_error("cannot write test file " + path);
}

void write_file_cp932(const std::string& path, const std::string& utf8) {
    write_file(path, to_cp932(utf8));
}

} // namespace testsupport
