#include "support/packet_writer.h"

#include "core/catalogue/packet_writer.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cmath>
#include <cstdio>
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

void write_bytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write test file");
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string to_cp932(const std::string& utf8) {
    QStringEncoder enc("Shift_JIS");
    if (!enc.isValid())
        throw std::runtime_error("no Shift_JIS encoder");
    const QByteArray bytes =
        enc(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void write_cp932(const QString& path, const std::string& utf8) {
    write_bytes(path, to_cp932(utf8));
}

void write_catalogue(const std::vector<SpringRow>& springs, const std::vector<MakerRow>& makers) {
    write_cp932("spring_data.xml", spring_packet(springs));
    write_cp932("spring_maker.xml", maker_packet(makers));
}

} // namespace testsupport
