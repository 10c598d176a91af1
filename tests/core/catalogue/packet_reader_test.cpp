// The streaming packet reader against the pugixml reference: on the packets
// the tests write, on every cut of a packet, and on broken files, both must
// hand over the same fields and rows or fail with the same message. Where the
// reference lets text through that is not well-formed XML, the streaming
// reader refuses it.
#include "core/catalogue/packet_reader.h"
#include "core/catalogue/spring_record.h"
#include "core/catalogue/table.h"
#include "reference/packet_reader_pugixml.h"
#include "reference/recording_sink.h"
#include "support/packets.h"
#include "support/scratch_dir.h"

#include <charconv>
#include <cstring>
#include <gtest/gtest.h>

using namespace testsupport;
namespace cat = catalogue;

namespace {

using Recording = reference::RecordingSink;

template <typename Read> std::string record(Read read, const std::string& path) {
    Recording sink;
    try {
        read(path, sink);
    } catch (const cat::PacketMissing&) {
        return "missing";
    } catch (const cat::PacketInvalid& e) {
        return sink.log + "invalid: " + e.what();
    }
    return sink.log;
}

std::string fast(const std::string& path) {
    return record(cat::read_packet, path);
}
std::string reference(const std::string& path) {
    return record(cat::read_packet_pugixml, path);
}

void expect_same(const std::string& bytes, const std::string& what) {
    write_file("p.xml", bytes);
    const std::string expected = reference("p.xml");
    // A failed reading may have fed rows before the failure came to light;
    // only the failure counts then. Where the text is not well-formed, the
    // engines word the fault and place it each in their own way.
    const auto outcome = [](const std::string& log) {
        const auto at = log.find("invalid: ");
        if (at == std::string::npos)
            return log;
        const std::string failure = log.substr(at);
        const std::string syntax = "invalid: p.xml: XML として読めません";
        return failure.rfind(syntax, 0) == 0 ? syntax : failure;
    };
    const std::string got = outcome(fast("p.xml")), want = outcome(expected);
    if (got != want) {
        size_t at = 0;
        while (at < got.size() && at < want.size() && got[at] == want[at])
            ++at;
        const size_t from = at > 100 ? at - 100 : 0;
        ADD_FAILURE() << what << ": the readers part at byte " << at
                      << " of their logs\nfast: " << got.substr(from, 300)
                      << "\nreference: " << want.substr(from, 300);
    }
}

std::string accepted(const std::string& bytes) {
    write_file("p.xml", bytes);
    return fast("p.xml");
}

SpringRow spring(const std::string& model, const std::string& maker) {
    // Values whose decimal texts are not short binary fractions.
    SpringRow r = spring_row(model, 30, 0.5, 20.25, 40);
    r.maker = maker;
    r.k = 3.95;
    return r;
}

const char* kFields = "<FIELD attrname=\"modelNo\" fieldtype=\"string\" WIDTH=\"60\"/>"
                      "<FIELD attrname=\"lo\" fieldtype=\"r8\"/>";

std::string packet(const std::string& rows, const std::string& fields = kFields) {
    return "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA>"
           "<FIELDS>" +
           fields + "</FIELDS><PARAMS/></METADATA><ROWDATA>" + rows + "</ROWDATA></DATAPACKET>";
}

} // namespace

TEST(PacketReaderAgreement, PacketsTheTestsWrite) {
    ScratchDir dir;
    const std::vector<SpringRow> springs = {spring("C-1", "昌和発条"),
                                            spring("A&B <x> \"q\" 'a'", "KSSC"),
                                            spring("", "東邦スプリング"), spring("半角ｶﾅ①", "")};
    const std::vector<MakerRow> makers = {{"KSSC", "東京", "03-1", "03-2", "www.kssc.example.jp"},
                                          {"昌和発条", "大阪", "06", "", "x"}};
    for (const auto& bytes : std::vector<std::string>{
             to_cp932(spring_packet(springs)), spring_packet(springs), to_cp932(spring_packet({})),
             to_cp932(maker_packet(makers)), to_cp932(maker_packet({})),
             "\xEF\xBB\xBF" + spring_packet(springs)})
        expect_same(bytes, "written packet");

    // Declarations, kinds and widths, empty values, case of names, extra attributes.
    for (const std::string& bytes : std::vector<std::string>{
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" +
                 packet("<ROW modelNo=\"é\"/>").substr(38),
             "<?xml version='1.0' encoding='Shift_JIS' standalone='no' ?>" +
                 packet("<ROW modelNo=\"x\"/>").substr(38),
             "<?xml version=\"1.0\" encoding=\"koi8-r\"?>" + packet("").substr(38),
             packet("<ROW LO=\"1\" MODELNO=\"a\" RowState=\"4\" other=\"z\"/><ROW lo=\"\"/><ROW/>"),
             packet("<ROW lo=\"1\" LO=\"2\"/>"),
             packet("",
                    "<FIELD attrname=\"a\" fieldtype=\"i4\" WIDTH=\" 0x1F\"/>"
                    "<FIELD attrname=\"b\" fieldtype=\"bin.hex\" WIDTH=\"-7\"/>"
                    "<FIELD attrname=\"c\" fieldtype=\"string\" WIDTH=\"99999999999\"/>"
                    "<FIELD attrname=\"d\" WIDTH=\"12px\"/><FIELD attrname=\"e\" "
                    "fieldtype=\"string.uni\" WIDTH=\"+8\"/><FIELD attrname=\"f\" WIDTH=\"\"/>"),
             packet("", "<FIELD fieldtype=\"r8\"/>"),
             packet("", "<FIELD attrname=\"lo\"/><FIELD attrname=\"LO\"/>"),
             "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"maker\" fieldtype=\"string\" "
             "WIDTH=\"30\"/></FIELDS></METADATA><ROWDATA><ROW maker=\"KSSC\"/></ROWDATA>"
             "</DATAPACKET>",
         })
        expect_same(bytes, "declaration");
}

TEST(PacketReaderAgreement, MarkupAroundTheRows) {
    ScratchDir dir;
    for (
        const std::string& bytes : std::vector<std::string>{
            // Comments, processing instructions, CDATA and text anywhere allowed.
            "<?xml version=\"1.0\"?>\n<!-- made by hand -->\r\n<?app x?><DATAPACKET>"
            "<METADATA><!--c--><FIELDS>text<FIELD attrname=\"lo\" fieldtype=\"r8\"/><?p?>"
            "</FIELDS></METADATA>\n<ROWDATA><![CDATA[<ROW lo=\"9\"/>]]><ROW lo=\"1\"><x/>"
            "<ROW lo=\"7\"/></ROW>&amp;&#65;<ROW\r\n lo = '2' /></ROWDATA ></DATAPACKET>\n<!--e-->",
            // References and white space in values, both quote styles.
            packet("<ROW modelNo=\"a&amp;b&lt;&gt;&quot;&apos;&#65;&#x42;&#x3042;&#13;&#10;&#9;\"/>"
                   "<ROW modelNo='say \"hi\"' lo=\"1\"/><ROW modelNo=\"a\tb\nc\r\nd\re\"/>"),
            // Rows before the fields, a second METADATA and ROWDATA, nested look-alikes.
            "<DATAPACKET><ROWDATA><ROW lo=\"1\"/><ROW lo=\"2\"/></ROWDATA><METADATA><FIELDS>"
            "<FIELD attrname=\"lo\" fieldtype=\"r8\"/></FIELDS></METADATA><ROWDATA>"
            "<ROW lo=\"3\"/></ROWDATA></DATAPACKET>",
            "<DATAPACKET><METADATA><PARAMS/></METADATA><METADATA><FIELDS/></METADATA>"
            "<ROWDATA/></DATAPACKET>",
            "<DATAPACKET><METADATA><FIELDS><X><FIELD attrname=\"lo\"/></X></FIELDS><FIELDS>"
            "<FIELD attrname=\"k\"/></FIELDS></METADATA><ROWDATA><X><ROW lo=\"1\"/></X>"
            "</ROWDATA></DATAPACKET>",
            "<DATAPACKET><METADATA><FIELDS/></METADATA></DATAPACKET>",
            "<DATAPACKET><ROWDATA/></DATAPACKET>",
            "<?xml version=\"1.0\"?><other/>",
        })
        expect_same(bytes, "markup");
}

TEST(PacketReaderAgreement, EveryCutOfAPacketAndBrokenMarkup) {
    ScratchDir dir;
    const std::string whole =
        "<?xml version=\"1.0\" standalone=\"yes\"?>\n<!-- c -->\n<DATAPACKET Version=\"2.0\">\n"
        "<METADATA><FIELDS><FIELD attrname=\"modelNo\" fieldtype=\"string\" WIDTH=\"60\"/>"
        "</FIELDS></METADATA>\n<ROWDATA>\n<ROW modelNo='a&amp;b'/><?pi x?>\n<ROW "
        "modelNo=\"c\"/>\n</ROWDATA>\n</DATAPACKET>\n";
    for (size_t n = 0; n <= whole.size(); ++n)
        expect_same(whole.substr(0, n), "cut at " + std::to_string(n));

    for (const std::string& bytes : std::vector<std::string>{
             std::string("not xml at all"),
             std::string("<a></b>"),
             std::string("<a><b></a>"),
             std::string("<1a/>"),
             std::string("<a 1b=\"1\"/>"),
             std::string("<a b=\"1\"c=\"2\"/>"),
             std::string("<a x=1/>"),
             std::string("<a x/>"),
             std::string("<a b=\"1\" / >"),
             std::string("<? x?><a/>"),
             std::string("<a><?xml version=\"1.0\"?></a>"),
             std::string("<a/><!-- x"),
             std::string("<a>\n<b>\n"),
             packet("<ROW lo=\"1\"/>\n<ROW lo=\"2\"").substr(0, 240) + "\n<<",
         })
        expect_same(bytes, "broken");
}

TEST(PacketReaderAgreement, ChunkBoundariesAndLongValues) {
    ScratchDir dir;
    // Rows across several read chunks, references and line ends cut anywhere,
    // and one value longer than a chunk.
    std::string rows;
    for (int i = 0; rows.size() < (size_t(5) << 20); ++i) {
        rows += "<ROW modelNo=\"m" + std::to_string(i) + (i % 3 ? "&amp;&#x41;\r\n" : "") +
                "\" lo=\"" + std::to_string(i * 0.25) + "\"/>" +
                (i % 7 ? "" : "<!--" + std::string(static_cast<size_t>(i % 13), ' ') + "-->") +
                "\n";
    }
    rows += "<ROW modelNo=\"" + std::string(size_t(3) << 20, 'z') + "&lt;\"/>";
    expect_same(packet(rows), "large");
}

// Names are told apart by their size and first eight bytes before anything
// else; names that agree there must still be matched and checked in full.
TEST(PacketReaderAgreement, AttributeNamesAlikeInTheirFirstBytes) {
    ScratchDir dir;
    const std::string fields = "<FIELD attrname=\"abcdefgh\" fieldtype=\"string\" WIDTH=\"9\"/>"
                               "<FIELD attrname=\"abcdefghi\" fieldtype=\"string\" WIDTH=\"9\"/>"
                               "<FIELD attrname=\"abcdefghj\" fieldtype=\"r8\"/>"
                               "<FIELD attrname=\"abcdefg\" fieldtype=\"r8\"/>"
                               "<FIELD attrname=\"b\" fieldtype=\"r8\"/>";
    for (const std::string& rows : std::vector<std::string>{
             "<ROW abcdefgh=\"1\" abcdefghi=\"2\" abcdefghj=\"3\" abcdefg=\"4\" b=\"5\"/>",
             "<ROW b=\"5\" abcdefg=\"4\" abcdefghj=\"3\" abcdefghi=\"2\" abcdefgh=\"1\"/>",
             "<ROW abcdefghi=\"2\" abcdefgh=\"1\" abcdefghij=\"x\" ABCDEFGHJ=\"3\" bb=\"6\"/>",
             "<ROW abcdefgh=\"1\"/><ROW abcdefghj=\"3\" abcdefghk=\"7\"/><ROW/>",
         })
        expect_same(packet(rows, fields), rows);

    // A tag of many attributes, where the repeat check changes its method.
    std::string many;
    for (int i = 0; i < 40; ++i)
        many += " attribute_" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    expect_same(packet("<ROW" + many + " lo=\"1\"/>"), "40 attributes");
    for (const int repeated : {0, 9, 30, 31, 32, 39}) {
        const std::string row =
            "<ROW" + many + " attribute_" + std::to_string(repeated) + "=\"again\"/>";
        EXPECT_NE(accepted(packet(row)).find("invalid: p.xml: XML として読めません ("),
                  std::string::npos)
            << "attribute_" << repeated << " repeated";
    }
}

TEST(PacketReaderStrictness, NotWellFormedTextTheReferenceLetsThrough) {
    ScratchDir dir;
    const std::string row_prefix = "<ROW modelNo=\"";
    for (const std::string& bytes : std::vector<std::string>{
             "<?xml version=\"1.0\"?><!DOCTYPE DATAPACKET [<!ENTITY x \"y\">]>" +
                 packet("<ROW modelNo=\"&x;\"/>").substr(38),
             packet("<ROW modelNo=\"&nbsp;\"/>"),
             packet("<ROW modelNo=\"a & b\"/>"),
             packet("<ROW modelNo=\"&#X41;\"/>"),
             packet("<ROW modelNo=\"&lt\"/>"),
             packet("<ROW modelNo=\"&#0;\"/>"),
             packet("<ROW modelNo=\"&#x110000;\"/>"),
             packet("<ROW modelNo=\"a<b\"/>"),
             packet("<ROW modelNo=\"a\x07\"/>"),
             packet("<ROW lo=\"1\" lo=\"2\"/>"),
             packet("<ROW abcdefghi=\"1\" abcdefgh=\"2\" abcdefghi=\"3\"/>"),
             packet("<ROW modelNo=\"1\" type=\"2\" k=\"3\" maker=\"4\" type=\"5\"/>"),
             packet("<!-- a -- b --><ROW/>"),
             packet("") + "<DATAPACKET/>",
             packet("") + "tail",
             "  " + packet(""),
             "<?XML version=\"1.0\"?>" + packet("").substr(38),
             "<?xml?>" + packet("").substr(38),
             "<DATAPACKET/><?xml version=\"1.0\"?>",
             packet("]]>"),
             packet("<ROW/>").replace(70, 1, std::string(1, '\0')),
         }) {
        EXPECT_NE(accepted(bytes).find("invalid: p.xml: XML として読めません ("), std::string::npos)
            << bytes.substr(0, 200);
    }
    // The line of the fault is told.
    EXPECT_NE(accepted("<DATAPACKET>\n<ROWDATA>\n<ROW a=\"&bad;\"/>").find(", 行 3)"),
              std::string::npos);
}

// The table keeps most numbers in a compact form; each must read back as the
// very double a full conversion of its text gives.
TEST(TableNumbers, EveryFormReadsBackAsItsFullConversion) {
    ScratchDir dir;
    const std::vector<std::string> texts = {"0",
                                            "-0",
                                            "1",
                                            "30",
                                            "0.1",
                                            "12.5",
                                            "-3.25",
                                            ".5",
                                            "5.",
                                            "+5",
                                            "+-5",
                                            "007.50",
                                            "67108863",
                                            "67108864",
                                            "-67108863",
                                            "6710886.3",
                                            "1e5",
                                            "2.5E-3",
                                            "0.000000000000001",
                                            "123456789012345",
                                            "1234567890123456",
                                            "0.3333333333333333",
                                            "9007199254740993",
                                            "1.7976931348623157e308",
                                            "4.9e-324",
                                            "14022.5",
                                            "0.136254",
                                            "12345678",
                                            "99999999",
                                            "1234567.",
                                            ".1234567",
                                            "-1234567",
                                            "-.5",
                                            "-0.0",
                                            "+0",
                                            "+.5",
                                            "00000000",
                                            "0.0000001",
                                            "1.",
                                            "10.2857",
                                            "-67108.86",
                                            "123456789",
                                            "12345678."};
    std::string rows;
    for (const auto& t : texts)
        rows += "<ROW lo=\"" + t + "\" modelNo=\"" + t + "\"/>";
    write_file("spring_data.xml", packet(rows));
    cat::Table t("ClientDataSet_spring", "spring_data.xml");
    t.setFields({{"lo", cat::FieldKind::Number}, {"modelNo", cat::FieldKind::Text}});
    t.open();
    ASSERT_EQ(t.recordCount(), static_cast<int>(texts.size()));
    for (int r = 0; r < t.recordCount(); ++r) {
        std::string text = texts[static_cast<size_t>(r)];
        const char* first = text.c_str() + (text[0] == '+' ? 1 : 0);
        double expected = 0;
        std::from_chars(first, text.c_str() + text.size(), expected);
        const double got = t.number(r, 0);
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << text << " read as " << got;
        EXPECT_EQ(t.text(r, 1), text);
    }
}

// Texts with many distinct values leave the dictionary for a pool part way
// through; rows on both sides of the change keep their texts and empties.
TEST(TableTexts, ManyDistinctValuesAndRejectedRows) {
    ScratchDir dir;
    std::string rows;
    std::vector<int> kept;
    for (int i = 0; i < 10000; ++i) {
        if (i % 5 == 4 || i % 2 == 1)
            kept.push_back(i);
        rows += i % 5 == 4 ? std::string("<ROW lo=\"1\"/>")
                           : "<ROW lo=\"" + std::to_string(i % 2) + "\" modelNo=\"型" +
                                 std::to_string(i) + "\"/>";
    }
    write_file_cp932("spring_data.xml", packet(rows));
    cat::Table t("ClientDataSet_spring", "spring_data.xml");
    t.setFields({{"lo", cat::FieldKind::Number}, {"modelNo", cat::FieldKind::Text}});
    // The filter reads the decoded text of the row under test.
    t.setFilter([](const cat::Record& r) {
        return r.number(0) == 1 && (r.isNull(1) || r.text(1).substr(0, 3) == "型");
    });
    for (int pass = 0; pass < 2; ++pass) { // the second opening reuses the memory
        t.open();
        ASSERT_EQ(t.recordCount(), static_cast<int>(kept.size()));
        for (int r = 0; r < t.recordCount(); ++r) {
            const int i = kept[static_cast<size_t>(r)];
            if (i % 5 == 4) {
                EXPECT_TRUE(t.isNull(r, 1));
            } else {
                ASSERT_EQ(t.text(r, 1), "型" + std::to_string(i)) << r;
            }
        }
        t.close();
    }
}

// Whatever the size of its reads, the reader hands over the same rows or
// fails with the same message: a construct cut by the end of a read goes on
// in the next. Found by the fuzzer: a processing instruction whose target
// begins with "xml" ("<?xml1 ...?>") cut after those three letters was
// taken for a misplaced declaration.
TEST(PacketReaderChunks, EveryChunkSizeReadsTheSame) {
    ScratchDir dir;
    const std::vector<std::string> packets = {
        "<?xml version=\"1.0\"?><?xml1 version=\"1.0\"?><?xmlfoo?>" +
            packet("<ROW modelNo=\"a\" lo=\"1\"/>").substr(38),
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>" +
            packet("<ROW modelNo=\"&#x3042;&amp;\r\n\"/>").substr(38),
        packet("<!-- a - b --><?pi x?><![CDATA[]]]]><ROW modelNo='q\"' lo=\"2.5\"/><ROW/>"),
        packet("<ROW modelNo=\"a\" modelNo=\"b\"/>"),
        packet("<ROW lo=\"1\"/>").substr(0, 150),
        "<DATAPACKET><ROWDATA><ROW lo=\"1\"/></ROWDATA><METADATA><FIELDS><FIELD attrname=\"lo\" "
        "fieldtype=\"r8\"/></FIELDS></METADATA></DATAPACKET>",
        "<?xml version=\"1.0\"?><!DOCTYPE x>",
        // Values nobody reads are passed over where they cross a read's end,
        // yet checked, and later faults keep their lines.
        packet("<ROW note=\"abc&amp;def&#x41;ghij\r\nklmnopqrstuvwxyz0123456789\" lo=\"1\" "
               "modelNo=\"m&lt;n\"/>\n<ROW note='x\ny\nz' lo=\"2\"/>\n<!-- c\n -->\n<?p a\nb?>\n"
               "<![CDATA[x\ny]]>\n<ROW lo=\"3\" bad=\"a&zz;b\"/>"),
        packet("<ROW note=\"0123456789abcdefghijklmnopqrstuvwxyz\" lo=\"1\" note=\"x\"/>"),
        // Found by the fuzzer: a NUL byte in a value of a tag longer than a
        // read was taken for the buffer's end, and the fault placed at the
        // file's end.
        packet("<ROW modelNo=\"ab&amp;" + std::string(1, '\0') +
               "cdefghijklmnopqrstuvwxyz\" lo=\"1\"/>\n<ROW lo=\"2\"/>\n\n"),
        // ... and so was a '<' in a value there, where the quotes that
        // follow it pair up across the values.
        packet("<ROW modelNo=\"0123456789&amp;abcdef<ROW>=\"10\"/><ROW lo=\"1\" modelNo=\"2\"/>\n"
               "<ROW lo=\"3\"/>\n\n"),
        packet("<ROW note=\"0123456789abcdefghij\nklmnopqrstuvwxyz<\" lo=\"1\"/>"),
        packet("<ROW note=\"0123456789abcdefghij\nklmnopqrstuvwxyz\" lo=\"1\"/>\n\n<ROW lo=\"4\"/>"
               "<ROW lo=\"5\" modelNo=\"0123456789&amp;abcdefghij\nklmnopqrstuvwxyz\"/>\n<x"),
    };
    for (const std::string& bytes : packets) {
        const std::string whole = accepted(bytes);
        for (size_t chunk = 1; chunk <= 48; ++chunk) {
            Recording sink;
            std::string got;
            cat::PacketReader reader;
            reader.setChunkSize(chunk);
            try {
                reader.read("p.xml", sink);
                got = sink.log;
            } catch (const cat::PacketInvalid& e) {
                got = sink.log + "invalid: " + e.what();
            }
            ASSERT_EQ(got, whole) << "chunk " << chunk << " of\n" << bytes;
        }
    }
}

namespace {

// Takes rows until the one it fails on.
class FailingSink : public cat::PacketSink {
public:
    explicit FailingSink(int fail_at) : fail_at_(fail_at) {}
    int rows = 0, last_number = 0, calls_after_failure = 0;
    bool begun = false;
    void begin(const std::vector<cat::PacketField>&, cat::TextEncoding) override {
        begun = true;
        if (fail_at_ == 0)
            throw std::runtime_error("sink refused the fields");
    }
    void row(const cat::RawRow& r) override {
        if (failed_)
            ++calls_after_failure;
        ++rows;
        last_number = r.number;
        if (r.number == fail_at_) {
            failed_ = true;
            throw std::runtime_error("sink refused row " + std::to_string(r.number));
        }
    }

private:
    int fail_at_;
    bool failed_ = false;
};

std::string many_rows(int n) {
    std::string rows;
    for (int i = 1; i <= n; ++i)
        rows += "<ROW modelNo=\"m" + std::to_string(i) + "\" lo=\"" + std::to_string(i) + "\"/>\n";
    return rows;
}

// What a reading ends in: the sink's own failure or the reader's.
std::string outcome(const std::string& bytes, FailingSink& sink) {
    write_file("p.xml", bytes);
    try {
        cat::read_packet("p.xml", sink);
    } catch (const cat::PacketInvalid& e) {
        return std::string("invalid: ") + e.what();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "read";
}

} // namespace

// The sink takes the rows on the caller's thread while the file is scanned
// on another: a sink that fails is not called again, and its failure is the
// outcome only where the whole file proves a valid packet.
TEST(PacketReaderSinkFailures, TheFileIsCheckedToTheEndFirst) {
    ScratchDir dir;
    const int n = 20000; // many batches of rows
    const std::string whole = packet(many_rows(n));
    for (const int fail_at : {1, 1500, 19999, n}) {
        FailingSink sink(fail_at);
        EXPECT_EQ(outcome(whole, sink), "sink refused row " + std::to_string(fail_at));
        EXPECT_EQ(sink.rows, fail_at);
        EXPECT_EQ(sink.last_number, fail_at);
        EXPECT_EQ(sink.calls_after_failure, 0);
    }
    FailingSink all(n + 1);
    EXPECT_EQ(outcome(whole, all), "read");
    EXPECT_EQ(all.rows, n);
    EXPECT_EQ(all.last_number, n);

    // Broken after the failing row: the file's fault is told, not the sink's.
    FailingSink broken(1500);
    const std::string cut = whole.substr(0, whole.size() - 30);
    EXPECT_EQ(outcome(cut, broken).rfind("invalid: p.xml: XML として読めません", 0), 0u);

    FailingSink at_begin(0);
    EXPECT_EQ(outcome(whole, at_begin), "sink refused the fields");
    EXPECT_EQ(at_begin.rows, 0);
}

TEST(PacketReaderSinkFailures, RowsBeforeTheirFields) {
    ScratchDir dir;
    const std::string bytes = "<DATAPACKET><ROWDATA>" + many_rows(5000) +
                              "</ROWDATA><METADATA><FIELDS>" + kFields +
                              "</FIELDS></METADATA></DATAPACKET>";
    FailingSink sink(4000);
    EXPECT_EQ(outcome(bytes, sink), "sink refused row 4000");
    EXPECT_EQ(sink.rows, 4000);
    EXPECT_EQ(sink.calls_after_failure, 0);
    FailingSink all(5001);
    EXPECT_EQ(outcome(bytes, all), "read");
    EXPECT_EQ(all.last_number, 5000);
}
