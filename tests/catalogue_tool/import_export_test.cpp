// import and export: the CSV round trip, quoting, encodings, bad rows and
// the refusal to overwrite.

#include "csv_writer.h"
#include "packet_number.h"
#include "progress.h"
#include "tool_test_support.h"

#include "core/catalogue/number_parse.h"
#include "core/catalogue/packet_reader.h"
#include "core/catalogue/spring_record.h"
#include "core/catalogue/table.h"
#include "core/catalogue/text_decoder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using tooltest::read_file;
using tooltest::run;
using tooltest::write_file;

// A packet's rows as text by field name, decoded; what the program would read.
struct Rows : catalogue::PacketSink {
    std::vector<std::string> names;
    std::unique_ptr<catalogue::TextDecoder> decoder;
    std::vector<std::map<std::string, std::string>> rows;
    catalogue::TextEncoding encoding = catalogue::TextEncoding::Cp932;
    void begin(const std::vector<catalogue::PacketField>& fields,
               catalogue::TextEncoding e) override {
        for (const auto& f : fields)
            names.push_back(f.name);
        encoding = e;
        decoder = std::make_unique<catalogue::TextDecoder>(e);
    }
    void row(const catalogue::RawRow& raw) override {
        auto& r = rows.emplace_back();
        for (size_t i = 0; i < names.size(); ++i) {
            if (raw.present[i] && !decoder->decode(raw.values[i], r[names[i]]))
                throw std::runtime_error("does not decode");
        }
    }
};

Rows read_rows(const std::string& path) {
    Rows rows;
    catalogue::read_packet(path, rows);
    return rows;
}

const char* const kHeader = "modelNo,maker,type,material,lo,fo,lmax,fmax,k,coil_dia,wire_dia,turn";
const char* const kGoodRow = "C-1010-30,KSSC,compress,SWP-B,30,0,20,25,2.5,10,1,8";

std::string csv(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    return text;
}

TEST(RoundTrip, SampleCatalogueComesBackWithTheSameRowsAndValues) {
    tooltest::TempDir dir;
    ASSERT_EQ(
        std::system((std::string(SAMPLE_GENERATOR) + " " + dir.file("") + " > /dev/null").c_str()),
        0);
    const auto original = dir.file("spring_data.xml");
    const auto makers = dir.file("spring_maker.xml");

    // What the sample is known to hold: wires outside their grade, nothing
    // else; every maker has its maker row.
    int status = -1;
    const auto checked = tooltest::check({original, makers}, &status);
    EXPECT_EQ(status, 1);
    int wires = 0;
    for (const auto& p : checked.problems) {
        ASSERT_EQ(p.code, "wire-range") << p.message;
        // Past twenty, one line tells how many more there are.
        if (p.message.rfind("… and ", 0) == 0) {
            EXPECT_EQ(wires, cattool::kSameWarnings);
            wires += std::stoi(p.message.substr(std::string("… and ").size()));
        } else {
            ++wires;
        }
    }
    EXPECT_EQ(wires, checked.files.at(0).warnings + checked.files.at(1).warnings);
    EXPECT_GT(wires, 0);
    int third_maker_rows = 0;
    for (const auto& r : read_rows(original).rows)
        third_maker_rows += r.at("maker") == "東邦スプリング";
    EXPECT_GT(third_maker_rows, 0);

    for (const auto& [packet, name] :
         {std::pair{original, std::string("spring")}, std::pair{makers, std::string("maker")}}) {
        const auto exported = dir.file(name + ".csv");
        const auto imported = dir.file(name + ".xml");
        ASSERT_EQ(run({"export", packet, "-o", exported}), 0);
        ASSERT_EQ(run({"import", exported, "-o", imported}), 0);
        const Rows before = read_rows(packet);
        const Rows after = read_rows(imported);
        EXPECT_EQ(after.names, before.names);
        EXPECT_EQ(after.encoding, catalogue::TextEncoding::Cp932);
        ASSERT_EQ(after.rows.size(), before.rows.size());
        EXPECT_FALSE(before.rows.empty());
        for (size_t i = 0; i < before.rows.size(); ++i) {
            for (const auto& [field, value] : before.rows[i]) {
                const auto number = parse_packet_number(value);
                if (number && field != "modelNo")
                    EXPECT_EQ(parse_packet_number(after.rows[i].at(field)), number) << field;
                else
                    EXPECT_EQ(after.rows[i].at(field), value) << field;
            }
            EXPECT_EQ(after.rows[i].size(), before.rows[i].size());
        }
    }
}

TEST(Quoting, CommasQuotesAndLineBreaksSurviveBothWays) {
    tooltest::TempDir dir;
    write_file(
        dir.file("in.csv"),
        csv({kHeader, "\"C-10,5\",\"KSSC \"\"East\"\"\",compress,SWP-B,30,0,20,25,2.5,10,1,8",
             "\"two\r\nlines\", KSSC ,compress,SWP-B,30,0,20,25,2.5,10,1,8"}));
    ASSERT_EQ(run({"import", dir.file("in.csv"), "-o", dir.file("out.xml")}), 0);
    const auto rows = read_rows(dir.file("out.xml")).rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].at("modelNo"), "C-10,5");
    EXPECT_EQ(rows[0].at("maker"), "KSSC \"East\"");
    EXPECT_EQ(rows[1].at("modelNo"), "two\r\nlines");
    EXPECT_EQ(rows[1].at("maker"), "KSSC"); // blanks around an unquoted cell go

    ASSERT_EQ(run({"export", dir.file("out.xml"), "-o", dir.file("back.csv")}), 0);
    const auto back = read_file(dir.file("back.csv"));
    EXPECT_NE(back.find("\"C-10,5\",\"KSSC \"\"East\"\"\",compress"), std::string::npos) << back;
    EXPECT_NE(back.find("\"two\r\nlines\",KSSC,"), std::string::npos) << back;
}

TEST(Quoting, CellsAreQuotedOnlyWhenNeeded) {
    EXPECT_EQ(cattool::csv_cell("SWP-B"), "SWP-B");
    EXPECT_EQ(cattool::csv_cell("昌和発条"), "昌和発条");
    EXPECT_EQ(cattool::csv_cell("a,b"), "\"a,b\"");
    EXPECT_EQ(cattool::csv_cell("5\" coil"), "\"5\"\" coil\"");
    EXPECT_EQ(cattool::csv_cell(" lead"), "\" lead\"");
    EXPECT_EQ(cattool::csv_record({"a", "", "b,c"}), "a,,\"b,c\"\r\n");
}

TEST(Encodings, JapaneseMakerNamesInEitherEncodingBothWays) {
    tooltest::TempDir dir;
    const std::string text =
        csv({kHeader, "SC-1010-30,昌和発条,compress,SWP-B,30,0,20,25,2.5,10,1,8"});
    const std::map<std::string, std::string> inputs{{"utf8.csv", text},
                                                    {"bom.csv", "\xEF\xBB\xBF" + text},
                                                    {"sjis.csv", tooltest::to_cp932(text)}};
    for (const auto& [name, bytes] : inputs) {
        write_file(dir.file(name), bytes);
        for (const bool utf8 : {false, true}) {
            const auto out = dir.file(name + (utf8 ? ".utf8.xml" : ".xml"));
            std::vector<std::string> args{"import", dir.file(name), "-o", out};
            if (utf8)
                args.push_back("--utf8");
            ASSERT_EQ(run(args), 0) << name;
            const auto packet = read_file(out);
            const auto rows = read_rows(out);
            ASSERT_EQ(rows.rows.size(), 1u);
            EXPECT_EQ(rows.rows[0].at("maker"), "昌和発条") << name;
            if (utf8) {
                EXPECT_NE(packet.find("encoding=\"UTF-8\""), std::string::npos);
                EXPECT_NE(packet.find("maker=\"昌和発条\""), std::string::npos);
            } else {
                EXPECT_EQ(packet.find("encoding="), std::string::npos); // as catalogues come
                EXPECT_NE(packet.find("maker=\"" + tooltest::to_cp932("昌和発条") + "\""),
                          std::string::npos);
            }
        }
    }
    // Export in code page 932 writes the spreadsheet's bytes and reads back.
    ASSERT_EQ(run({"export", dir.file("sjis.csv.xml"), "-o", dir.file("back.csv"), "--csv-encoding",
                   "cp932"}),
              0);
    EXPECT_NE(read_file(dir.file("back.csv")).find(tooltest::to_cp932(",昌和発条,")),
              std::string::npos);
    // Forcing the wrong encoding onto a code page 932 file is caught, not garbled.
    std::string out;
    EXPECT_EQ(
        run({"import", dir.file("sjis.csv"), "-o", dir.file("x.xml"), "--csv-encoding", "utf8"},
            &out),
        1);
    EXPECT_NE(out.find("sjis.csv:2: maker (column B): error: not valid UTF-8 text"),
              std::string::npos)
        << out;
}

TEST(Import, HeaderNamesFieldsInAnyOrderAndCase) {
    tooltest::TempDir dir;
    write_file(dir.file("in.csv"),
               csv({"k,FMAX,lmax,fo,lo,Material,type,maker,modelNo,turn,wire_dia,coil_dia,price",
                    "2.5,25,20,0,30,SWP-B,compress,KSSC,C-1,8,1,10,120 yen"}));
    std::string out;
    ASSERT_EQ(run({"import", dir.file("in.csv"), "-o", dir.file("out.xml")}, &out), 0);
    EXPECT_NE(out.find("in.csv:1: column M: warning: 'price' is not a field"), std::string::npos)
        << out;
    const auto rows = read_rows(dir.file("out.xml"));
    EXPECT_EQ(rows.names[0], "modelNo"); // the record's order, whatever the CSV's
    EXPECT_EQ(rows.rows.at(0).at("fmax"), "25");
    EXPECT_EQ(rows.rows.at(0).at("k"), "2.5");
    EXPECT_EQ(rows.rows.at(0).count("price"), 0u);
}

class ImportRefuses : public ::testing::Test {
protected:
    // Runs the import and asserts that nothing at all was written.
    std::string refused(const std::string& text) {
        write_file(dir.file("in.csv"), text);
        std::string out;
        EXPECT_EQ(run({"import", dir.file("in.csv"), "-o", dir.file("out.xml")}, &out), 1);
        EXPECT_FALSE(fs::exists(dir.file("out.xml")));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("")), fs::directory_iterator()),
                  1); // no partial file left either
        return out;
    }
    tooltest::TempDir dir;
};

TEST_F(ImportRefuses, BadRowsByRowAndColumn) {
    const auto out =
        refused(csv({kHeader, kGoodRow, "C-2,KSSC,compress,SWP-B,30,0,20,\"2,5\",0.25,10,1,8",
                     kGoodRow, "C-4,KSSC,compress,SWP-C,30,25,20,0,2.5,10,1,8"}));
    EXPECT_NE(out.find("in.csv:3: fmax (column H): error: '2,5' is not a number"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("in.csv:5: material (column D): error: 'SWP-C' is not a material"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("in.csv:5: fmax (column H): error: fo 25 is greater than fmax 0"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("nothing written"), std::string::npos);
}

TEST_F(ImportRefuses, MissingColumnTheSearchNeeds) {
    const auto out = refused(csv({"modelNo,maker,type,material,lo,fo,lmax,k,coil_dia,wire_dia,turn",
                                  "C-1,KSSC,compress,SWP-B,30,0,20,2.5,10,1,8"}));
    EXPECT_NE(out.find("in.csv:1: fmax: error: no column names this field"), std::string::npos)
        << out;
}

TEST_F(ImportRefuses, RowWithTooFewOrTooManyCells) {
    const auto out = refused(csv({kHeader, "C-1,KSSC,compress,SWP-B,30,0,20,25,2.5,10,1",
                                  std::string(kGoodRow) + ",extra"}));
    EXPECT_NE(out.find("in.csv:2: error: the row has 11 cells; the header names 12"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("in.csv:3: error: the row has 13 cells"), std::string::npos) << out;
}

TEST_F(ImportRefuses, BrokenQuoting) {
    const auto out =
        refused(csv({kHeader, kGoodRow, "C-\"2,KSSC,compress,SWP-B,30,0,20,25,2.5,10,1,8"}));
    EXPECT_NE(out.find("in.csv:3: error: the CSV breaks its quoting rules"), std::string::npos)
        << out;
}

TEST_F(ImportRefuses, ControlCharacterThatNoPacketCanHold) {
    const auto out = refused(csv({kHeader, "C-1\x07,KSSC,compress,SWP-B,30,0,20,25,2.5,10,1,8"}));
    EXPECT_NE(out.find("in.csv:2: modelNo (column A): error: 'C-1\\x07' holds a control character"),
              std::string::npos)
        << out;
}

TEST_F(ImportRefuses, EmptyFile) {
    const auto out = refused("");
    EXPECT_NE(out.find("no header row"), std::string::npos) << out;
}

TEST(Import, BlankTrailingRowsAreNoRows) {
    tooltest::TempDir dir;
    write_file(dir.file("in.csv"), csv({kHeader, kGoodRow, ",,,,,,,,,,,", ""}));
    std::string out;
    ASSERT_EQ(run({"import", dir.file("in.csv"), "-o", dir.file("out.xml")}, &out), 0) << out;
    EXPECT_EQ(read_rows(dir.file("out.xml")).rows.size(), 1u);
}

TEST(Overwrite, RefusedWithoutForceForImportAndExport) {
    tooltest::TempDir dir;
    write_file(dir.file("in.csv"), csv({kHeader, kGoodRow}));
    write_file(dir.file("out.xml"), "keep me");
    write_file(dir.file("out.csv"), "keep me too");

    std::string out, err;
    EXPECT_EQ(run({"import", dir.file("in.csv"), "-o", dir.file("out.xml")}, &out, &err), 2);
    EXPECT_NE(err.find("exists; use --force"), std::string::npos) << err;
    EXPECT_EQ(read_file(dir.file("out.xml")), "keep me");

    EXPECT_EQ(run({"import", dir.file("in.csv"), "-o", dir.file("out.xml"), "--force"}), 0);
    EXPECT_EQ(read_rows(dir.file("out.xml")).rows.size(), 1u);

    EXPECT_EQ(run({"export", dir.file("out.xml"), "-o", dir.file("out.csv")}, &out, &err), 2);
    EXPECT_EQ(read_file(dir.file("out.csv")), "keep me too");
    EXPECT_EQ(run({"export", dir.file("out.xml"), "-o", dir.file("out.csv"), "--force"}), 0);
    EXPECT_EQ(read_file(dir.file("out.csv")).substr(3), csv({kHeader, kGoodRow}));
}

TEST(Export, UnreadablePacketIsStatusTwoAndWritesNothing) {
    tooltest::TempDir dir;
    write_file(dir.file("bad.xml"), "<DATAPACKET>");
    EXPECT_EQ(run({"export", dir.file("bad.xml"), "-o", dir.file("out.csv")}), 2);
    EXPECT_EQ(run({"export", dir.file("none.xml"), "-o", dir.file("out.csv")}), 2);
    EXPECT_FALSE(fs::exists(dir.file("out.csv")));
}

TEST(Progress, ShownOnlyPastTheThreshold) {
    std::ostringstream small_out, large_out;
    {
        cattool::Progress small(&small_out, false, "f.xml", 1000, 100);
        for (int i = 0; i < 1000; ++i)
            small.row();
    }
    {
        cattool::Progress large(&large_out, false, "f.xml", 1000, 500);
        for (int i = 0; i < 2200; ++i)
            large.row();
    }
    EXPECT_EQ(small_out.str(), "");
    EXPECT_EQ(large_out.str(), "f.xml: 1500 rows\nf.xml: 2000 rows\nf.xml: 2200 rows, done\n");
}

TEST(PacketNumbers, AcceptedExactlyWhereTheCatalogueTableOpens) {
    tooltest::TempDir dir;
    const auto path = dir.file("spring_data.xml");
    for (const char* text :
         {"30", "-1.5", "+2", ".5", "5.", "1.5E-5", "2e3", "", " 30", "30 ", "3,5", "1e999", "inf",
          "-nan", "0x10", "5mm", "1.2.3", "1e-400", "-2e-324"}) {
        write_file(path,
                   tooltest::packet(tooltest::spring_fields(),
                                    {tooltest::with(tooltest::good_spring(), {{"lo", text}})}));
        catalogue::Table table("ClientDataSet_spring", path);
        table.setFields(catalogue::spring::stored_fields());
        bool opens = true;
        try {
            table.open();
        } catch (const catalogue::TableError&) {
            opens = false;
        }
        // An empty value opens as an empty cell, which the tool reports apart.
        const bool accepted = *text == '\0' || parse_packet_number(text).has_value();
        EXPECT_EQ(accepted, opens) << "'" << text << "'";
    }
}

TEST(PacketNumbers, WrittenSoThatTheyReadBackExactly) {
    for (const double v : {0.1, 2.44512, 1e-5, 123456789.125, -0.0, 1e300})
        EXPECT_EQ(parse_packet_number(cattool::format_packet_number(v)), v);
    EXPECT_EQ(cattool::format_packet_number(1.5e-5), "1.5E-05");
    EXPECT_EQ(cattool::format_packet_number(30), "30");
}

} // namespace
