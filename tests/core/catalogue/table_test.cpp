// The packet reader and the in-memory table, on files written into a
// temporary working directory.
#include "core/catalogue/spring_record.h"
#include "core/catalogue/table.h"
#include "support/packets.h"
#include "support/scratch_dir.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace testsupport;
using catalogue::Table;
using catalogue::TableError;
namespace f = catalogue::spring;

namespace {

SpringRow spring(const std::string& model, const std::string& maker, double lo = 30) {
    SpringRow r = spring_row(model, lo, 0, 20, 40);
    r.maker = maker;
    r.k = 4;
    return r;
}

Table spring_table() {
    Table t("ClientDataSet_spring", "spring_data.xml");
    t.setFields(f::stored_fields());
    t.setCalcFields(f::calculated_fields(), [](const catalogue::Record& r, double* calc) {
        calc[0] = r.number(f::fo) * 2;
        calc[1] = r.number(f::fmax) * 2;
        calc[2] = r.number(f::k) * 2;
    });
    return t;
}

std::string open_error(Table& t) {
    try {
        t.open();
    } catch (const TableError& e) {
        return e.what();
    }
    return "(opened)";
}

std::string text(const Table& t, int row, int field) {
    return std::string(t.text(row, field));
}

// A spring packet whose header is replaced, for declaration faults.
std::string with_fields(const std::string& field_lines, const std::string& rows) {
    return "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET "
           "Version=\"2.0\"><METADATA><FIELDS>" +
           field_lines + "</FIELDS><PARAMS/></METADATA><ROWDATA>" + rows +
           "</ROWDATA></DATAPACKET>";
}

std::string all_fields_but(const std::string& skip, const std::string& replace = "") {
    std::string out;
    for (const auto& spec : f::stored_fields()) {
        if (spec.name == skip) {
            out += replace;
            continue;
        }
        out += "<FIELD attrname=\"" + spec.name + "\" fieldtype=\"" +
               (spec.kind == catalogue::FieldKind::Text ? "string\" WIDTH=\"30\"" : "r8\"") + "/>";
    }
    return out;
}

} // namespace

TEST(PacketReading, Cp932TextDecodesAndRowsKeepFileOrder) {
    ScratchDir dir;
    write_file_cp932(
        "spring_data.xml",
        spring_packet({spring("C-1", "昌和発条"), spring("C-2", "KSSC"), spring("C-3", "東邦")}));
    Table t = spring_table();
    t.open();
    ASSERT_EQ(t.recordCount(), 3);
    EXPECT_EQ(text(t, 0, f::maker), "昌和発条");
    EXPECT_EQ(text(t, 1, f::modelNo), "C-2");
    EXPECT_EQ(text(t, 2, f::maker), "東邦");
    EXPECT_DOUBLE_EQ(t.number(0, f::fmax), 40);
    EXPECT_DOUBLE_EQ(t.number(0, f::calc_fmax), 80);
    EXPECT_EQ(t.currentRow(), 0);
}

// Several numbers of a row at once read as one at a time do, with one run of
// the calculated-field hook for all the calculated ones.
TEST(PacketReading, NumbersOfARowAtOnce) {
    ScratchDir dir;
    write_file_cp932("spring_data.xml",
                     spring_packet({spring("C-1", "KSSC", 25), spring("C-2", "KSSC")}));
    Table t("ClientDataSet_spring", "spring_data.xml");
    t.setFields(f::stored_fields());
    int runs = 0;
    t.setCalcFields(f::calculated_fields(), [&runs](const catalogue::Record& r, double* calc) {
        ++runs;
        calc[0] = r.number(f::fo) + 1;
        calc[1] = r.number(f::fmax) + 2;
        calc[2] = r.number(f::k) + 3;
    });
    t.open();
    for (int row = 0; row < t.recordCount(); ++row) {
        double got[5];
        runs = 0;
        t.numbers(row, {f::calc_fmax, f::lo, f::calc_fo, f::lmax, f::calc_k}, got);
        EXPECT_EQ(runs, 1);
        const int fields[] = {f::calc_fmax, f::lo, f::calc_fo, f::lmax, f::calc_k};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(got[i], t.number(row, fields[i])) << "row " << row << ", field " << i;
    }
    double stored_only[2];
    runs = 0;
    t.numbers(1, {f::lo, f::fmax}, stored_only);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(stored_only[0], 30);
    EXPECT_EQ(stored_only[1], 40);
}

TEST(PacketReading, Utf8ByDeclarationOrByteOrderMark) {
    ScratchDir dir;
    std::string packet = spring_packet({spring("C-1", "昌和発条")});
    const std::string declared = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>";
    write_file("spring_data.xml", declared + packet.substr(packet.find("?>") + 2));
    Table t = spring_table();
    t.open();
    EXPECT_EQ(text(t, 0, f::maker), "昌和発条");
    t.close();

    write_file("spring_data.xml", "\xEF\xBB\xBF" + packet);
    t.open();
    EXPECT_EQ(text(t, 0, f::maker), "昌和発条");
}

TEST(PacketReading, DeclaredShiftJisIsCodePage932) {
    ScratchDir dir;
    std::string packet = spring_packet({spring("C-1", "昌和発条")});
    write_file_cp932("spring_data.xml", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" +
                                            packet.substr(packet.find("?>") + 2));
    Table t = spring_table();
    t.open();
    EXPECT_EQ(text(t, 0, f::maker), "昌和発条");
}

TEST(PacketReading, NamesBindIgnoringCaseAndIntegerKindsAreNumbers) {
    ScratchDir dir;
    std::string fields = all_fields_but("lo", "<FIELD attrname=\"LO\" fieldtype=\"i4\"/>");
    write_file(
        "spring_data.xml",
        with_fields(fields, "<ROW modelNo=\"A\" LO=\"25\" fo=\"1\" RowState=\"4\" extra=\"x\"/>"));
    Table t = spring_table();
    t.open();
    ASSERT_EQ(t.recordCount(), 1);
    EXPECT_DOUBLE_EQ(t.number(0, f::lo), 25);
    EXPECT_EQ(t.field("Lo"), f::lo);
}

TEST(PacketReading, EmptyValuesReadAsNullAndZero) {
    ScratchDir dir;
    write_file("spring_data.xml",
               with_fields(all_fields_but(""), "<ROW modelNo=\"A\" lo=\"25\"/>"));
    Table t = spring_table();
    t.open();
    EXPECT_TRUE(t.isNull(0, f::fo));
    EXPECT_DOUBLE_EQ(t.number(0, f::fo), 0);
    EXPECT_DOUBLE_EQ(t.number(0, f::calc_fo), 0);
    EXPECT_FALSE(t.isNull(0, f::calc_fo));
    EXPECT_TRUE(t.isNull(0, f::maker));
    EXPECT_EQ(text(t, 0, f::maker), "");
}

TEST(PacketReading, PacketWithoutRowsOpensEmpty) {
    ScratchDir dir;
    write_file_cp932("spring_data.xml", spring_packet({}));
    Table t = spring_table();
    t.open();
    EXPECT_TRUE(t.isOpen());
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_EQ(t.currentRow(), -1);
}

TEST(TableFailures, MissingFileLeavesTableClosed) {
    ScratchDir dir;
    Table t = spring_table();
    EXPECT_EQ(open_error(t), "ClientDataSet_spring: データプロバイダ/パケットがありません");
    EXPECT_FALSE(t.isOpen());
}

TEST(TableFailures, MissingAndMistypedFields) {
    ScratchDir dir;
    Table t = spring_table();
    write_file("spring_data.xml", with_fields(all_fields_but("k"), ""));
    EXPECT_EQ(open_error(t), "ClientDataSet_spring: 項目 'k' が見つかりません");
    EXPECT_FALSE(t.isOpen());

    write_file(
        "spring_data.xml",
        with_fields(
            all_fields_but("lo", "<FIELD attrname=\"lo\" fieldtype=\"string\" WIDTH=\"8\"/>"), ""));
    EXPECT_EQ(open_error(t), "ClientDataSet_spring: 項目 'lo' の型が一致しません。Float に対して "
                             "String が渡されました。");

    write_file(
        "spring_data.xml",
        with_fields(all_fields_but("maker", "<FIELD attrname=\"maker\" fieldtype=\"r8\"/>"), ""));
    EXPECT_EQ(open_error(t), "ClientDataSet_spring: 項目 'maker' の型が一致しません。String "
                             "に対して Float が渡されました。");
    EXPECT_FALSE(t.isOpen());
}

TEST(TableFailures, BrokenPacketsNameTheFile) {
    ScratchDir dir;
    Table t = spring_table();
    for (const std::string& bytes :
         {std::string(), std::string("not xml at all"),
          std::string("<?xml version=\"1.0\"?><other/>"),
          with_fields(all_fields_but(""), "").substr(0, 200),
          std::string("<DATAPACKET><METADATA><FIELDS/></METADATA></DATAPACKET>")}) {
        write_file("spring_data.xml", bytes);
        const std::string message = open_error(t);
        EXPECT_EQ(message.rfind("ClientDataSet_spring: spring_data.xml: ", 0), 0u) << message;
        EXPECT_FALSE(t.isOpen());
    }
}

TEST(TableFailures, UnreadableNumberNamesRowAndField) {
    ScratchDir dir;
    Table t = spring_table();
    for (const char* bad : {"1,5", "abc", "1e400", "nan", "inf", "1.2.3", "-+5", "+", "-", ".",
                            "-.", "1-", "12a", "1 ", " 1", "0x1F", "1234567a", "1234567-"}) {
        write_file("spring_data.xml",
                   with_fields(all_fields_but(""),
                               std::string("<ROW lo=\"1\"/><ROW lo=\"") + bad + "\"/>"));
        EXPECT_EQ(open_error(t),
                  std::string("ClientDataSet_spring: spring_data.xml: 行 2 の項目 'lo' の値 '") +
                      bad + "' は数値ではありません");
        EXPECT_FALSE(t.isOpen());
    }
}

// Numbers too small for a double are numbers still: they read as the
// nearest double, as typed numbers do; only too large ones fail.
TEST(PacketReading, NumbersBelowTheDoubleRangeReadAsZeroOrSubnormal) {
    ScratchDir dir;
    Table t = spring_table();
    write_file("spring_data.xml",
               with_fields(all_fields_but(""), "<ROW lo=\"1e-400\" fo=\"-2e-324\" "
                                               "k=\"1e-320\" fmax=\"0.5e-4000\"/>"));
    t.open();
    ASSERT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.number(0, f::lo), 0.0);
    EXPECT_EQ(t.number(0, f::fo), 0.0);
    EXPECT_TRUE(std::signbit(t.number(0, f::fo)));
    EXPECT_EQ(t.number(0, f::k), 1e-320);
    EXPECT_EQ(t.number(0, f::fmax), 0.0);
}

// Texts of the file in a message are decoded as the file's texts are.
TEST(TableFailures, FileTextsInMessagesAreDecoded) {
    ScratchDir dir;
    Table t = spring_table();
    write_file_cp932(
        "spring_data.xml",
        with_fields(all_fields_but("lo", "<FIELD attrname=\"lo\" fieldtype=\"実数\"/>"), ""));
    EXPECT_EQ(open_error(t), "ClientDataSet_spring: 項目 'lo' の型が一致しません。Float に対して "
                             "実数 が渡されました。");
}

TEST(TableFailures, UndecodableTextIsReported) {
    ScratchDir dir;
    Table t = spring_table();
    // A lone lead byte of a double-byte character at the end of the value.
    write_file("spring_data.xml", with_fields(all_fields_but(""), "<ROW maker=\"AB\x82\"/>"));
    EXPECT_NE(open_error(t).find("行 1 の項目 'maker'"), std::string::npos);
    EXPECT_FALSE(t.isOpen());
}

TEST(TableFailures, EntitiesAreNeverExpanded) {
    ScratchDir dir;
    Table t = spring_table();
    write_file(
        "spring_data.xml",
        "<?xml version=\"1.0\"?><!DOCTYPE DATAPACKET [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" +
            with_fields(all_fields_but(""), "<ROW modelNo=\"&x;\"/>").substr(38));
    try {
        t.open();
        EXPECT_EQ(t.text(0, f::modelNo).find("root"), std::string::npos);
    } catch (const TableError&) {
        EXPECT_FALSE(t.isOpen());
    }
}

TEST(TableFilter, RejectedRowsAreLeftOutInOrder) {
    ScratchDir dir;
    write_file_cp932("spring_data.xml",
                     spring_packet({spring("A", "x", 10), spring("B", "x", 20),
                                    spring("C", "x", 30), spring("D", "x", 40)}));
    Table t = spring_table();
    t.setFilter(
        [](const catalogue::Record& r) { return r.number(f::lo) != 20 && r.number(f::lo) != 40; });
    t.open();
    ASSERT_EQ(t.recordCount(), 2);
    EXPECT_EQ(text(t, 0, f::modelNo), "A");
    EXPECT_EQ(text(t, 1, f::modelNo), "C");
}

TEST(TableCursor, MovesRaiseDataChangeAndCloseDropsRows) {
    ScratchDir dir;
    write_file_cp932("spring_data.xml", spring_packet({spring("A", "x"), spring("B", "y")}));
    Table t = spring_table();
    int changes = 0, opened = 0, closed = 0;
    t.addDataChange([&] { ++changes; });
    t.addAfterOpen([&] { ++opened; });
    t.addAfterClose([&] { ++closed; });
    t.open();
    EXPECT_EQ(changes, 1);
    t.setCurrentRow(1);
    t.setCurrentRow(1);
    t.setCurrentRow(5);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(t.currentRow(), 1);
    t.close();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_EQ(t.currentRow(), -1);
    t.open();
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(t.currentRow(), 0);
}

TEST(MakerTable, OrderedByMakerAndRestrictedToTheMastersKey) {
    ScratchDir dir;
    write_file_cp932("spring_maker.xml",
                     maker_packet({{"昌和発条", "大阪", "06-1", "06-2", "www.showa.example.jp"},
                                   {"KSSC", "東京", "03-1", "03-2", "www.kssc.example.jp"},
                                   {"KSSC", "横浜", "045-1", "045-2", "www.kssc2.example.jp"}}));
    Table t("ClientDataSet_maker", "spring_maker.xml");
    t.setFields(catalogue::maker::fields());
    t.setOrderField(catalogue::maker::maker);
    t.open();
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(text(t, 0, catalogue::maker::maker), "KSSC");
    t.setRange("KSSC");
    ASSERT_EQ(t.recordCount(), 2);
    EXPECT_EQ(text(t, 0, catalogue::maker::adress), "東京"); // file order among equal keys
    t.setRange("昌和発条");
    ASSERT_EQ(t.recordCount(), 1);
    EXPECT_EQ(text(t, 0, catalogue::maker::tel), "06-1");
    t.setRange("東邦");
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_EQ(t.currentRow(), -1);
}

TEST(MakerTable, OptionalFieldsStayUnbound) {
    ScratchDir dir;
    write_file("spring_maker.xml",
               "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"maker\" fieldtype=\"string\" "
               "WIDTH=\"30\"/>"
               "</FIELDS></METADATA><ROWDATA><ROW maker=\"KSSC\"/></ROWDATA></DATAPACKET>");
    Table t("ClientDataSet_maker", "spring_maker.xml");
    t.setFields(catalogue::maker::fields());
    t.open();
    EXPECT_FALSE(t.isBound(catalogue::maker::tel));
    EXPECT_TRUE(t.isBound(catalogue::maker::maker));
    EXPECT_EQ(text(t, 0, catalogue::maker::tel), "");
}

namespace {

// Texts of a megabyte and more are kept apart from the others, as the file
// holds them, in a column of few distinct values too (which then keeps its
// texts pooled). They read as their first kilobyte, cut at a character, and
// compare whole, stored or while the filter decides.
TEST(LongTexts, ReadAsTheirBeginningAndCompareWhole) {
    ScratchDir dir;
    const std::string ascii(std::size_t(3) << 19, 'a');
    std::string japanese;
    while (japanese.size() < (std::size_t(3) << 20))
        japanese += "型番";
    std::string japanese_other = japanese;
    japanese_other.replace(japanese.size() - 3, 3, "号");
    const std::string escaped = "<&>" + std::string(std::size_t(1) << 20, 'e');
    std::vector<SpringRow> rows = {spring("S-1", "KSSC"),    spring(ascii, "KSSC"),
                                   spring(japanese, "KSSC"), spring("S-4", ascii),
                                   spring(escaped, "KSSC"),  spring("S-6", "昌和発条")};
    rows[3].lo = 99; // refused by the filter below
    rows.push_back(spring(ascii + "b", "KSSC", 99));
    rows.push_back(spring("S-8", ascii + "c"));
    write_file_cp932("spring_data.xml", spring_packet(rows));
    const auto shown = [](const std::string& whole, std::size_t bytes) {
        return whole.substr(0, bytes) + "…";
    };
    constexpr std::size_t kShown = Table::kLongTextShown;
    Table t = spring_table();
    t.setFilter([](const catalogue::Record& r) { return r.number(f::lo) != 99; });
    for (int pass = 0; pass < 2; ++pass) {
        t.open();
        ASSERT_EQ(t.recordCount(), 6);
        EXPECT_EQ(text(t, 0, f::modelNo), "S-1");
        EXPECT_EQ(text(t, 1, f::modelNo), shown(ascii, kShown));
        EXPECT_EQ(text(t, 2, f::modelNo), shown(japanese, kShown - 1)); // 341 characters
        EXPECT_EQ(text(t, 3, f::modelNo), shown(escaped, kShown));
        EXPECT_EQ(text(t, 4, f::maker), "昌和発条");
        EXPECT_EQ(text(t, 5, f::maker), shown(ascii + "c", kShown));
        for (int r = 0; r < 5; ++r)
            EXPECT_EQ(text(t, r, f::maker), r < 4 ? "KSSC" : "昌和発条") << r;
        EXPECT_FALSE(t.isNull(1, f::modelNo));

        EXPECT_TRUE(t.textIs(1, f::modelNo, ascii));
        EXPECT_TRUE(t.textIs(2, f::modelNo, japanese));
        EXPECT_TRUE(t.textIs(3, f::modelNo, escaped));
        EXPECT_TRUE(t.textIs(5, f::maker, ascii + "c"));
        EXPECT_TRUE(t.textIs(0, f::modelNo, "S-1"));
        for (const std::string& other : {ascii + "a", japanese_other, japanese + "型",
                                         japanese.substr(3), shown(japanese, 1023), std::string()})
            EXPECT_FALSE(t.textIs(2, f::modelNo, other)) << other.size();
        EXPECT_FALSE(t.textIs(1, f::modelNo, shown(ascii, kShown)));
        EXPECT_FALSE(t.textIs(1, f::modelNo, ascii.substr(1)));
        t.close();
    }

    // The filter sees the whole texts of the row it decides on.
    t.setFilter([&](const catalogue::Record& r) {
        return r.textIs(f::maker, ascii + "c") || r.textIs(f::modelNo, japanese) ||
               r.textIs(f::modelNo, japanese_other);
    });
    t.open();
    ASSERT_EQ(t.recordCount(), 2);
    EXPECT_TRUE(t.textIs(0, f::modelNo, japanese));
    EXPECT_EQ(text(t, 1, f::modelNo), "S-8");
}

} // namespace
