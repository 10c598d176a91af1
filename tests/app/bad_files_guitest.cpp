// Broken, hostile and vanishing data files and bad typing, through the real
// window: each bad file ends in its message in the error box, leaves the
// tables as a failed opening leaves them, and the next search on good files
// works again. Typing anything into any edit box never brings the program
// down.
#include "chart/chart_series.h"
#include "core/catalogue/packet_reader.h"
#include "core/search/conditions.h"
#include "support/boxes.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"
#include "ui/grid_model.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <cmath>
#include <functional>

using namespace testsupport;

// Messages read as text in failures.
static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

SpringRow spring(const std::string& model, const std::string& maker = "KSSC") {
    SpringRow r = spring_row(model, 30, 0, 20, 40);
    r.maker = maker;
    return r;
}

const MakerRow kMaker = {"KSSC", "東京都", "03-1234", "03-5678", "www.kssc.example.jp"};

// Declarations of the twelve spring fields, for packets built by hand.
std::string spring_fields() {
    std::string out;
    for (const char* text : {"modelNo", "maker", "type", "material"})
        out += std::string("<FIELD attrname=\"") + text + "\" fieldtype=\"string\" WIDTH=\"60\"/>";
    for (const char* number : {"lo", "fo", "lmax", "fmax", "k", "coil_dia", "wire_dia", "turn"})
        out += std::string("<FIELD attrname=\"") + number + "\" fieldtype=\"r8\"/>";
    return out;
}

std::string packet(const std::string& fields, const std::string& rows) {
    return "<?xml version=\"1.0\" standalone=\"yes\"?>\n<DATAPACKET Version=\"2.0\">\n<METADATA>"
           "<FIELDS>" +
           fields + "</FIELDS><PARAMS/></METADATA>\n<ROWDATA>\n" + rows +
           "</ROWDATA>\n</DATAPACKET>\n";
}

// A whole spring row with one attribute's value replaced (or added).
std::string row_with(const std::string& name, const std::string& value) {
    std::string row = "<ROW";
    bool replaced = false;
    for (const auto& [n, v] :
         std::vector<std::pair<std::string, std::string>>{{"modelNo", "C-1"},
                                                          {"maker", "KSSC"},
                                                          {"type", "compress"},
                                                          {"material", "SWP-B"},
                                                          {"lo", "30"},
                                                          {"fo", "0"},
                                                          {"lmax", "20"},
                                                          {"fmax", "40"},
                                                          {"k", "4"},
                                                          {"coil_dia", "10"},
                                                          {"wire_dia", "1"},
                                                          {"turn", "8"}}) {
        const bool here = n == name;
        replaced |= here;
        row += " " + n + "=\"" + (here ? value : v) + "\"";
    }
    if (!replaced)
        row += " " + name + "=\"" + value + "\"";
    return row + "/>\n";
}

class BadFiles : public MainWindowTest {
protected:
    // Runs a search and returns the text of the error box, "" when none showed.
    QString error_of_search() {
        const QList<Box> boxes = search();
        EXPECT_LE(boxes.size(), 1);
        if (boxes.isEmpty())
            return QString();
        const Box& seen = boxes[0];
        EXPECT_EQ(seen.title, QStringLiteral("Tarvolin1.40J"));
        EXPECT_EQ(seen.icon, 3) << "critical icon"; // QMessageBox::Critical
        return seen.text;
    }
    int grid_rows() const { return form->gridModel()->rowCount(); }
    int chart_arrows() const {
        return form->findChild<ChartSeries*>(QStringLiteral("Series_dbspring"))->count();
    }
    bool tel_shown() const { return find<QLabel>("Label_maker_tel")->isVisible(); }

    // A failed catalogue leaves both tables closed and the grid, the chart
    // and the maker box empty.
    void expect_catalogue_failed() {
        EXPECT_FALSE(form->springTable().isOpen());
        EXPECT_FALSE(form->makerTable().isOpen());
        EXPECT_EQ(grid_rows(), 0);
        EXPECT_EQ(chart_arrows(), 0);
        EXPECT_FALSE(tel_shown());
        EXPECT_TRUE(find<QLabel>("DBText1")->text().isEmpty());
    }
    // A failed maker file leaves the catalogue shown and the maker box empty.
    void expect_maker_failed(int springs) {
        EXPECT_TRUE(form->springTable().isOpen());
        EXPECT_FALSE(form->makerTable().isOpen());
        EXPECT_EQ(grid_rows(), springs);
        EXPECT_EQ(chart_arrows(), springs);
        EXPECT_FALSE(tel_shown());
        EXPECT_TRUE(find<QLabel>("DBText1")->text().isEmpty());
    }
    // Good files again: the next search finds their rows.
    void expect_good_search_works(const char* after) {
        QFile::remove(QStringLiteral("spring_data.xml"));
        QDir().rmdir(QStringLiteral("spring_data.xml"));
        write_catalogue({spring("GOOD-1"), spring("GOOD-2")}, {kMaker});
        EXPECT_EQ(error_of_search(), QString()) << after;
        EXPECT_TRUE(form->springTable().isOpen()) << after;
        EXPECT_TRUE(form->makerTable().isOpen()) << after;
        EXPECT_EQ(grid_rows(), 2) << after;
        EXPECT_EQ(chart_arrows(), 2) << after;
        if (grid_rows() > 0) {
            EXPECT_EQ(form->gridModel()->text(0, 1), QStringLiteral("GOOD-1")) << after;
        }
        EXPECT_EQ(find<QLabel>("DBText1")->text(), QStringLiteral("KSSC")) << after;
        EXPECT_TRUE(tel_shown()) << after;
    }

    struct Case {
        const char* what;
        std::string bytes;
        QString message; // as the error box shows it
    };
    // Each bad catalogue after a good search, so that the failure has
    // something to take down, then a good search again.
    void run_catalogue_cases(const std::vector<Case>& cases) {
        write_catalogue({spring("GOOD-0")}, {kMaker});
        for (const Case& c : cases) {
            EXPECT_EQ(error_of_search(), QString()) << c.what;
            write_bytes(QStringLiteral("spring_data.xml"), c.bytes);
            EXPECT_EQ(error_of_search(), c.message) << c.what;
            expect_catalogue_failed();
            expect_good_search_works(c.what);
        }
    }

    WorkingDir dir;
};

const QString kInvalid = QStringLiteral("ClientDataSet_spring: spring_data.xml: ");

} // namespace

TEST_F(BadFiles, FilesThatAreNoDataPacket) {
    const std::string whole = to_cp932(spring_packet({spring("A"), spring("B"), spring("C")}));
    const size_t second_row = whole.find("<ROW", whole.find("<ROW") + 1);
    run_catalogue_cases({
        {"empty file", "", kInvalid + "XML として読めません (No document element found, 行 1)"},
        {"cut in the middle of a row", whole.substr(0, second_row + 40),
         kInvalid + "XML として読めません (Error parsing element attribute, 行 " +
             QString::number(1 + std::count(whole.begin(), whole.begin() + second_row, '\n')) +
             ")"},
        {"not XML", "modelNo,maker,lo\nC-1,KSSC,30\n",
         kInvalid + "XML として読めません (No document element found, 行 1)"},
        {"XML but no data packet",
         "<?xml version=\"1.0\"?>\n<catalogue><ROWDATA><ROW lo=\"1\"/></ROWDATA></catalogue>",
         kInvalid + "DATAPACKET がありません."},
        {"no ROWDATA",
         "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>" + spring_fields() +
             "</FIELDS></METADATA></DATAPACKET>",
         kInvalid + "ROWDATA がありません."},
        {"a field without a name", packet(spring_fields() + "<FIELD fieldtype=\"r8\"/>", ""),
         kInvalid + "名前のない項目があります."},
        {"a field declared twice, in another case",
         packet(spring_fields() + "<FIELD attrname=\"LO\" fieldtype=\"i4\"/>", ""),
         kInvalid + "項目 'LO' が二重に宣言されています."},
        {"a field declared twice, with a code page 932 name",
         to_cp932(packet(spring_fields() + "<FIELD attrname=\"寸法\" fieldtype=\"r8\"/>"
                                           "<FIELD attrname=\"寸法\" fieldtype=\"r8\"/>",
                         "")),
         kInvalid + "項目 '寸法' が二重に宣言されています."},
        {"UTF-16 with its byte-order mark",
         std::string("\xFF\xFE<\0?\0x\0m\0l\0", 12) + std::string(200, '\0'),
         kInvalid + "文字コード 'UTF-16' には対応していません."},
        {"UTF-16 without a byte-order mark", std::string("<\0?\0x\0m\0l\0 \0", 12),
         kInvalid + "文字コード 'UTF-16' には対応していません."},
        {"an encoding the reader does not know",
         "<?xml version=\"1.0\" encoding=\"EUC-JP\"?>" + packet(spring_fields(), "").substr(39),
         kInvalid + "文字コード 'EUC-JP' には対応していません."},
        {"elements opened a million deep and never closed",
         "<DATAPACKET><ROWDATA>" +
             [] {
                 std::string s;
                 for (int i = 0; i < 1000000; ++i)
                     s += "<ROW>";
                 return s;
             }(),
         kInvalid + "XML として読めません (Start-end tags mismatch, 行 1)"},
    });
}

// A document type may define entities that expand to huge texts or fetch
// files from elsewhere; the reader refuses any, before reading on.
TEST_F(BadFiles, DocumentTypesAreRefusedNeverExpandedOrFetched) {
    write_bytes(QStringLiteral("secret.txt"), "SECRET");
    const std::string rows = row_with("modelNo", "&x;");
    const std::string body = packet(spring_fields(), rows).substr(39);
    // Ten times ten times ... the entity before: 10^10 bytes if expanded.
    std::string billion = "<!DOCTYPE DATAPACKET [<!ENTITY a \"aaaaaaaaaa\">";
    for (char c = 'b'; c <= 'j'; ++c) {
        std::string value;
        for (int i = 0; i < 10; ++i)
            value += std::string("&") + static_cast<char>(c - 1) + ";";
        billion += std::string("<!ENTITY ") + c + " \"" + value + "\">";
    }
    const std::string billion_body = packet(spring_fields(), row_with("modelNo", "&j;")).substr(39);
    run_catalogue_cases({
        {"external entity",
         "<?xml version=\"1.0\"?><!DOCTYPE DATAPACKET [<!ENTITY x SYSTEM \"" +
             dir.file(QStringLiteral("secret.txt")).toStdString() + "\">]>" + body,
         kInvalid + "XML として読めません (Document type declarations are refused, 行 1)"},
        {"entities within entities", "<?xml version=\"1.0\"?>" + billion + "]>" + billion_body,
         kInvalid + "XML として読めません (Document type declarations are refused, 行 1)"},
        {"an undefined entity without a document type", packet(spring_fields(), rows),
         kInvalid + "XML として読めません (Error parsing element attribute, 行 5)"},
    });
}

TEST_F(BadFiles, ValuesThatDoNotReadNameFileRowAndField) {
    const std::string good = row_with("modelNo", "C-0");
    const auto number_case = [&](const char* what, const std::string& field,
                                 const std::string& value, const QString& shown) {
        return Case{what, to_cp932(packet(spring_fields(), good + row_with(field, value))),
                    kInvalid + "行 2 の項目 '" + QString::fromStdString(field) + "' の値 '" +
                        shown + "' は数値ではありません."};
    };
    const std::string long_value(size_t(1) << 20, '7');
    run_catalogue_cases({
        number_case("a decimal comma", "fmax", "1,5", QStringLiteral("1,5")),
        number_case("full-width digits, shown as written", "lo", "２５", QStringLiteral("２５")),
        number_case("beyond the double range", "k", "1e400", QStringLiteral("1e400")),
        number_case("nan", "fo", "nan", QStringLiteral("nan")),
        number_case("inf", "lmax", "-inf", QStringLiteral("-inf")),
        number_case("blanks around", "turn", " 8", QStringLiteral(" 8")),
        number_case("a 1 MiB number, cut in the message", "coil_dia", long_value,
                    QString(40, QLatin1Char('7')) + QStringLiteral("…")),
        number_case("cut after 40 characters, never inside one", "wire_dia",
                    std::string(20, 'x') + "線径は一ミリメートルより少し大きいか小さいかの値です",
                    QString(20, QLatin1Char('x')) +
                        QStringLiteral("線径は一ミリメートルより少し大きいか小さ…")),
        {"a lone lead byte at the end of a text",
         packet(spring_fields(), good + row_with("maker", "KSSC\x82")),
         kInvalid + "行 2 の項目 'maker' の文字が正しく符号化されていません."},
        {"bytes code page 932 leaves undefined",
         packet(spring_fields(), good + good + row_with("material", "SWP\xA0\xFD")),
         kInvalid + "行 3 の項目 'material' の文字が正しく符号化されていません."},
        {"an undefined byte in a number, escaped in the message",
         packet(spring_fields(), good + row_with("lo", "3\xFF")),
         kInvalid + "行 2 の項目 'lo' の値 '3\\xFF' は数値ではありません."},
        {"invalid UTF-8 after a byte-order mark",
         "\xEF\xBB\xBF" + packet(spring_fields(), good + row_with("modelNo", "\xC3(")),
         kInvalid + "行 2 の項目 'modelNo' の文字が正しく符号化されていません."},
    });
}

// What a file may hold that is no fault: the search shows the rows.
TEST_F(BadFiles, ToleratedOddities) {
    const std::string good = row_with("modelNo", "C-0");
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<x>";
    for (int i = 0; i < 100000; ++i)
        deep += "</x>";
    std::string many_attributes = "<ROW";
    for (int i = 0; i < 100000; ++i)
        many_attributes += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    const std::string repeated = many_attributes + " a50000=\"again\"/>\n";
    many_attributes += row_with("modelNo", "WIDE").substr(4);
    const std::string long_text(size_t(1) << 20, 'M');

    struct Tolerated {
        const char* what;
        std::string bytes;
        std::vector<QString> models;
    };
    for (const Tolerated& t : std::vector<Tolerated>{
             {"undeclared attributes and RowState",
              packet(spring_fields(), row_with("RowState", "4") + row_with("colour", "赤")),
              {"C-1", "C-1"}},
             {"a UTF-8 byte-order mark",
              "\xEF\xBB\xBF" + packet(spring_fields(), row_with("modelNo", "圧縮ばね①")),
              {"圧縮ばね①"}},
             {"a hundred thousand levels of other elements between the rows",
              packet(spring_fields(), good + deep + good),
              {"C-0", "C-0"}},
             {"a row of a hundred thousand undeclared attributes",
              packet(spring_fields(), many_attributes + good),
              {"WIDE", "C-0"}},
             {"a 1 MiB text",
              packet(spring_fields(), row_with("modelNo", long_text)),
              {QString::fromStdString(long_text.substr(0, catalogue::Table::kLongTextShown) +
                                      "…")}},
         }) {
        write_catalogue({}, {kMaker});
        write_bytes(QStringLiteral("spring_data.xml"), t.bytes);
        EXPECT_EQ(error_of_search(), QString()) << t.what;
        QStringList models;
        for (int r = 0; r < grid_rows(); ++r)
            models << form->gridModel()->text(r, 1);
        EXPECT_EQ(models, QStringList(t.models.begin(), t.models.end())) << t.what;
        EXPECT_TRUE(form->makerTable().isOpen()) << t.what;
    }

    // The hundred thousand attributes are still checked for repeats.
    write_bytes(QStringLiteral("spring_data.xml"), packet(spring_fields(), good + repeated));
    EXPECT_EQ(error_of_search(),
              kInvalid + "XML として読めません (Error parsing element attribute, 行 6)");
    expect_catalogue_failed();
}

TEST_F(BadFiles, WhatIsNoFileOrCannotBeRead) {
    write_catalogue({spring("GOOD-0")}, {kMaker});
    ASSERT_EQ(error_of_search(), QString());

    // A directory of the name is no catalogue file.
    QFile::remove(QStringLiteral("spring_data.xml"));
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("spring_data.xml")));
    EXPECT_EQ(error_of_search(),
              QStringLiteral("ClientDataSet_spring: データプロバイダ/パケットがありません."));
    expect_catalogue_failed();
    expect_good_search_works("directory");

    // The same for the maker file: the catalogue stays shown.
    QFile::remove(QStringLiteral("spring_maker.xml"));
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("spring_maker.xml")));
    EXPECT_EQ(error_of_search(),
              QStringLiteral("ClientDataSet_maker: データプロバイダ/パケットがありません."));
    expect_maker_failed(2);
    QDir().rmdir(QStringLiteral("spring_maker.xml"));
    expect_good_search_works("maker directory");
}

TEST_F(BadFiles, FileWithoutReadPermission) {
    write_catalogue({spring("GOOD-0")}, {kMaker});
    QFile file(QStringLiteral("spring_data.xml"));
    ASSERT_TRUE(file.setPermissions(QFileDevice::WriteOwner));
    if (file.open(QIODevice::ReadOnly)) {
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        GTEST_SKIP() << "this process reads files whatever their permissions (root or "
                        "CAP_DAC_OVERRIDE), so an unreadable file cannot be made here";
    }
    EXPECT_EQ(error_of_search(), kInvalid + "ファイルを開けません (Permission denied)");
    expect_catalogue_failed();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    expect_good_search_works("unreadable");
}

// Every search reads the files anew: what changed between two searches shows.
TEST_F(BadFiles, FilesReplacedOrDeletedBetweenSearches) {
    write_catalogue({spring("FIRST-1"), spring("FIRST-2")}, {kMaker});
    ASSERT_EQ(error_of_search(), QString());
    ASSERT_EQ(grid_rows(), 2);

    write_catalogue({spring("SECOND-1")}, {{"KSSC", "", "06-0000", "", "second.example.jp"}});
    EXPECT_EQ(error_of_search(), QString());
    ASSERT_EQ(grid_rows(), 1);
    EXPECT_EQ(form->gridModel()->text(0, 1), QStringLiteral("SECOND-1"));
    EXPECT_EQ(find<QLabel>("DBText_tel")->text(), QStringLiteral("06-0000"));

    // Replaced by a broken file, then by a good one again.
    write_bytes(QStringLiteral("spring_data.xml"), "<DATAPACKET>");
    EXPECT_EQ(error_of_search(), kInvalid + "XML として読めません (Start-end tags mismatch, 行 1)");
    expect_catalogue_failed();

    ASSERT_TRUE(QFile::remove(QStringLiteral("spring_data.xml")));
    EXPECT_EQ(error_of_search(),
              QStringLiteral("ClientDataSet_spring: データプロバイダ/パケットがありません."));
    expect_catalogue_failed();

    write_catalogue({spring("THIRD-1")}, {kMaker});
    ASSERT_TRUE(QFile::remove(QStringLiteral("spring_maker.xml")));
    EXPECT_EQ(error_of_search(),
              QStringLiteral("ClientDataSet_maker: データプロバイダ/パケットがありません."));
    expect_maker_failed(1);

    write_bytes(QStringLiteral("spring_maker.xml"), to_cp932(maker_packet({kMaker})).substr(0, 90));
    const QString message = error_of_search();
    EXPECT_TRUE(message.startsWith(
        QStringLiteral("ClientDataSet_maker: spring_maker.xml: XML として読めません (")))
        << message.toStdString();
    expect_maker_failed(1);
    expect_good_search_works("replaced and deleted");
}

// Random texts in every edit box of the main window and the service-life
// dialog, with searches in between: nothing may bring the program down, and
// the search conditions hold only numbers that were typed or the sentinels.
TEST_F(BadFiles, AnyTextInAnyEditBox) {
    write_catalogue({spring("C-1"), spring("C-2")}, {kMaker});
    QList<QLineEdit*> edits = form->findChildren<QLineEdit*>();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("Form_cycle"))
            edits += w->findChildren<QLineEdit*>();
    }
    // Combo boxes have line edits of their own; they take any text as it is.
    ASSERT_GE(edits.size(), 20);

    const QStringList pieces = {
        "",      " ",      "-",      "+",      ".",   "1e",  "1.2.3", "1,5",  "２５", "1e400",
        "1e308", "-1e308", "0",      "-0",     "1E7", "nan", "inf",   "0x10", "\t",   "4.9e-324",
        "e5",    "..",     "1e-400", "\u3000", "９",  "abc", "25",    "0.1",  "1e+",  "-.5"};
    QRandomGenerator random(20260u);
    for (int round = 0; round < 150; ++round) {
        // A handler that reports its failure opens the error box; each is closed.
        answer_boxes([&] {
            for (QLineEdit* e : edits) {
                if (random.bounded(3) == 0)
                    continue;
                QString text;
                const int parts = random.bounded(4);
                for (int p = 0; p < parts; ++p)
                    text += pieces[random.bounded(pieces.size())];
                if (random.bounded(40) == 0)
                    text = QString(random.bounded(1, 200000), QChar(u'0' + random.bounded(10)));
                e->setText(text);
            }
            if (round % 3 == 0)
                find<QCheckBox>("CheckBox_link")->click();
            find<QPushButton>("Serch_Btn")->click();
        });
        const search::Conditions& s = search::conditions;
        for (const double v :
             {s.condition[0].length_min, s.condition[0].length_max, s.condition[0].force_min,
              s.condition[0].force_max, s.condition[1].length_min, s.condition[1].length_max,
              s.condition[1].force_min, s.condition[1].force_max})
            ASSERT_FALSE(std::isnan(v)) << "round " << round;
    }
}
