// The datasheet page on its own: one A4 page whatever its texts, fonts
// embedded, every text inside the page; and the texts made of the
// program's values.
#include "chart/chart.h"
#include "core/catalogue/unit_system.h"
#include "support/pdf_tools.h"
#include "ui/datasheet_page.h"
#include "ui/datasheet_texts.h"
#include "ui/dynamictau_chart.h"
#include "ui/statictau_chart.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

using namespace testsupport;

namespace {

constexpr double a4_width = 595.28, a4_height = 841.89;

ui::VerdictReport report(int lines) {
    ui::VerdictReport v;
    v.overall = spring_checks::Verdict::Caution;
    v.reason = QStringLiteral("静的応力比が限度に近い");
    for (int i = 0; i < lines; ++i) {
        ui::VerdictLine line{QStringLiteral("静的応力 (%1 mm)").arg(20 + i),
                             QStringLiteral("0.%1").arg(40 + i),
                             QStringLiteral("0.80"),
                             QStringLiteral("%1 %").arg(50 - i),
                             QStringLiteral("注意"),
                             QStringLiteral("限度の 9 割を超えています"),
                             spring_checks::Verdict::Caution};
        v.lines.push_back(line);
    }
    v.assumptions = {QStringLiteral("座の係数 ν = 0.5"), QStringLiteral("端部 研削なし"),
                     QStringLiteral("静的荷重"), QStringLiteral("荷重の公差 ±10 %")};
    v.load_bands = {QStringLiteral("25時荷重 9.00 – 11.00 N (±10 %)")};
    return v;
}

class DatasheetPage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        holder = std::make_unique<QWidget>();
        statictau = make_statictau_chart(holder.get());
        statictau->resize(345, 200);
        set_statictau(*statictau);
        fatigue = make_dynamictau_chart(holder.get());
        fatigue->resize(400, 200);
        set_dhoyo(*fatigue->series(0));

        content.program = QStringLiteral("Tarvolin Ver.1.4J");
        content.date = QStringLiteral("2024/05/01");
        content.header = {QStringLiteral("搬送装置 改"), QStringLiteral("P-1234"),
                          QStringLiteral("山田"), QStringLiteral("見積依頼用")};
        content.model_number = QStringLiteral("AS-0835");
        content.spring = {{QStringLiteral("メーカー"), QStringLiteral("KSSC")},
                          {QStringLiteral("住所"), QStringLiteral("東京都千代田区1-2-3")},
                          {QStringLiteral("電話"), QStringLiteral("03-1234-5678")},
                          {QStringLiteral("Web"), QStringLiteral("https://example.com/")},
                          {QStringLiteral("種類"), QStringLiteral("圧縮ばね")},
                          {QStringLiteral("材質"), QStringLiteral("SWP-B")}};
        content.catalogue = {{QStringLiteral("自由長 lo"), QStringLiteral("30 mm")},
                             {QStringLiteral("線径 d"), QStringLiteral("1 mm")}};
        content.search = {{QStringLiteral("第1選択条件 長さ"), QStringLiteral("25 ± 1 mm")},
                          {QStringLiteral("第1選択条件 荷重"), QStringLiteral("10 ± 0.1 N")}};
        content.lengths = {{QStringLiteral("第1選択条件"), QStringLiteral("25 mm"),
                            QStringLiteral("10.00 N"), QStringLiteral("9.00 – 11.00 N (±10 %)"),
                            QStringLiteral("229 MPa"), QStringLiteral("1121 MPa"),
                            QStringLiteral("0.20"), false, false}};
        content.verdict = report(6);
        content.charts = {{QStringLiteral("静荷重に対する許容最大応力"), statictau},
                          {QStringLiteral("疲れ限度線図"), fatigue}};
    }

    QString write(const ui::DatasheetContent& c) {
        const QString path = dir.filePath(QStringLiteral("sheet%1.pdf").arg(++written));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ui::datasheet_pdf(c));
        return path;
    }

    QTemporaryDir dir;
    std::unique_ptr<QWidget> holder;
    Chart* statictau = nullptr;
    Chart* fatigue = nullptr;
    ui::DatasheetContent content;
    int written = 0;
};

void expect_one_a4_page_with_fonts_embedded(const QString& path) {
    const PdfInfo info = pdf_info(path);
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.width, a4_width, 0.5);
    EXPECT_NEAR(info.height, a4_height, 0.5);
    const std::vector<PdfFont> fonts = pdf_fonts(path);
    ASSERT_FALSE(fonts.empty());
    bool japanese = false;
    for (const PdfFont& font : fonts) {
        EXPECT_TRUE(font.embedded) << font.name.toStdString();
        japanese = japanese || font.name.contains(QLatin1String("IPA"));
    }
    EXPECT_TRUE(japanese) << "no Japanese face among the fonts";
}

// Every word within the page, clear of its edges.
void expect_words_inside_the_page(const QString& path) {
    const std::vector<PdfWord> words = pdf_words(path);
    ASSERT_FALSE(words.empty());
    for (const PdfWord& w : words) {
        EXPECT_GE(w.x_min, 20.0) << w.text.toStdString();
        EXPECT_GE(w.y_min, 20.0) << w.text.toStdString();
        EXPECT_LE(w.x_max, a4_width - 20) << w.text.toStdString();
        EXPECT_LE(w.y_max, a4_height - 20) << w.text.toStdString();
    }
}

} // namespace

TEST_F(DatasheetPage, OneA4PageHoldsEveryTextItIsGivenInEmbeddedFonts) {
    const QString path = write(content);
    READ_PDF_OR_KEEP_AND_SKIP(path);
    expect_one_a4_page_with_fonts_embedded(path);
    expect_words_inside_the_page(path);
    const QString text = pdf_text(path);
    for (const QString& expected :
         {QStringLiteral("Tarvolin Ver.1.4J"), QStringLiteral("2024/05/01"),
          QStringLiteral("搬送装置 改"), QStringLiteral("P-1234"), QStringLiteral("山田"),
          QStringLiteral("見積依頼用"), QStringLiteral("AS-0835"),
          QStringLiteral("東京都千代田区1-2-3"), QStringLiteral("03-1234-5678"),
          QStringLiteral("https://example.com/"), QStringLiteral("25 ± 1 mm"),
          QStringLiteral("10.00 N"), QStringLiteral("9.00 – 11.00 N (±10 %)"),
          QStringLiteral("229 MPa"), QStringLiteral("1121 MPa"), QStringLiteral("静的応力 (25 mm)"),
          QStringLiteral("限度の 9 割を超えています"), QStringLiteral("荷重の公差 ±10 %"),
          QStringLiteral("25時荷重 9.00 – 11.00 N (±10 %)"),
          QStringLiteral("静的応力比が限度に近い"),
          // The charts' own titles and axes.
          QStringLiteral("材料の直径 mm"), QStringLiteral("ねじり応力の疲れ限度線図")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("省略")));
}

// A 1 KiB model number, long addresses and reasons, a verdict list longer
// than the page has room for: shortened, never off the page or onto a second.
TEST_F(DatasheetPage, LongTextsAreShortenedAndTheListGivesWayOnTheOnePage) {
    const QString long_model = QStringLiteral("M").repeated(1024);
    content.model_number = long_model;
    for (ui::DatasheetItem& item : content.spring)
        item.value = item.value.repeated(60);
    content.header.memo = QStringLiteral("長いメモ").repeated(200);
    content.verdict = report(80);
    for (ui::VerdictLine& line : content.verdict->lines)
        line.reason = line.reason.repeated(20);
    content.verdict->assumptions << QStringLiteral("前提").repeated(300);

    const QString path = write(content);
    READ_PDF_OR_KEEP_AND_SKIP(path);
    expect_one_a4_page_with_fonts_embedded(path);
    expect_words_inside_the_page(path);
    const QString text = pdf_text(path);
    EXPECT_FALSE(text.contains(long_model));
    EXPECT_TRUE(text.contains(QStringLiteral("MMMMMMMMMM…"))) << "the model number's start";
    // The lines that did not fit are counted, not lost silently.
    EXPECT_TRUE(text.contains(QStringLiteral("紙面に収まらないため省略")));
    EXPECT_TRUE(text.contains(QStringLiteral("静的応力 (20 mm)")));
    EXPECT_TRUE(text.contains(QStringLiteral("ねじり応力の疲れ限度線図"))) << "the charts stay";
}

// A chart that the window gives no room is said to be missing, not left out
// without a word.
TEST_F(DatasheetPage, AChartWithoutRoomOnScreenIsNamedAsMissing) {
    fatigue->resize(0, 200);
    const QString path = write(content);
    READ_PDF_OR_KEEP_AND_SKIP(path);
    const QString text = pdf_text(path);
    EXPECT_TRUE(text.contains(QStringLiteral("疲れ限度線図")));
    EXPECT_TRUE(text.contains(QStringLiteral("画面に場所がなく描かれていないグラフです")));
    EXPECT_TRUE(text.contains(QStringLiteral("材料の直径 mm"))) << "the other chart stays";
}

// The texts of the program's values, formatted as the window's labels and
// the grid show them in each unit system.
TEST(DatasheetTexts, LoadsStressesAndWindowsReadAsTheWindowShowsThem) {
    ui::DisplayUnits kgf;
    kgf.factor = units::kgf_factor;
    kgf.force_unit = QStringLiteral("kgf");
    kgf.stress_unit = QStringLiteral("kgf/mm²");
    kgf.force_decimals = 3;

    strength::SpringEvaluation e;
    e.grade = strength::GradeData::Known;
    e.allowable_stress = 114.3;
    e.conditions[0] = {strength::ConditionEvaluation::State::Evaluated, 1.0197, 23.37, true, false};
    e.conditions[1] = {strength::ConditionEvaluation::State::OutOfRange, 0, 0, false, false};
    search::Conditions s;
    s.condition[0].length = 25;
    s.condition[0].length_set = true;
    s.condition[1].length = 12;
    s.condition[1].length_set = true;

    const std::vector<ui::DatasheetLength> rows =
        ui::length_rows(e, s, kgf, spring_checks::LoadTolerance::fraction(0.1));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].length, QStringLiteral("25 mm"));
    EXPECT_EQ(rows[0].load, QStringLiteral("1.020 kgf"));
    EXPECT_EQ(rows[0].band, QStringLiteral("0.918 – 1.122 kgf (±10 %)"));
    EXPECT_EQ(rows[0].stress, QStringLiteral("23 kgf/mm²"));
    EXPECT_EQ(rows[0].allowable, QStringLiteral("114 kgf/mm²"));
    EXPECT_EQ(rows[0].ratio, QStringLiteral("0.20"));
    EXPECT_EQ(rows[1].load, QStringLiteral("範囲外"));
    EXPECT_TRUE(rows[1].load_out_of_range);
    EXPECT_TRUE(rows[1].band.isEmpty());
    EXPECT_EQ(rows[1].stress, QStringLiteral("—"));

    // No load at all (the free length): a band of nothing, its tolerance still stated.
    ui::DatasheetLength unloaded;
    {
        strength::SpringEvaluation free = e;
        free.conditions[0].load = 0;
        unloaded = ui::length_rows(free, s, kgf, spring_checks::LoadTolerance::fraction(0.1))[0];
    }
    EXPECT_EQ(unloaded.band, QStringLiteral("0.000 – 0.000 kgf (±10 %)"));

    // Without a grade: no allowable stress and no ratio, the stress itself stays.
    e.grade = strength::GradeData::UnknownDesignation;
    const std::vector<ui::DatasheetLength> ungraded =
        ui::length_rows(e, s, kgf, spring_checks::LoadTolerance::fraction(0.1));
    EXPECT_EQ(ungraded[0].stress, QStringLiteral("23 kgf/mm²"));
    EXPECT_EQ(ungraded[0].allowable, QStringLiteral("なし"));
    EXPECT_EQ(ungraded[0].ratio, QStringLiteral("—"));

    // A window the search used, one left open, and a length without a window.
    s.condition[0].length_min = 24;
    s.condition[0].length_max = 26;
    s.condition[0].force_min = 0.9;
    s.condition[0].force_max = 1.1;
    s.condition[1].length_min = s.condition[1].force_min = -search::open_bound;
    s.condition[1].length_max = s.condition[1].force_max = search::open_bound;
    // The operating range as loads in the search's unit, and the cycle count as typed.
    const std::vector<ui::DatasheetItem> items = ui::search_items(
        s, kgf, {QStringLiteral("1.2"), QStringLiteral("2.5"), false, QStringLiteral("1E7")});
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].value, QStringLiteral("25 ± 1 mm"));
    EXPECT_EQ(items[1].value, QStringLiteral("1 ± 0.1 kgf"));
    EXPECT_EQ(items[2].value, QStringLiteral("12 mm (幅なし)"));
    EXPECT_EQ(items[3].value, QStringLiteral("指定なし"));
    EXPECT_EQ(items[4].label + ' ' + items[4].value, QStringLiteral("動作範囲 1.2 ～ 2.5 kgf"));
    EXPECT_EQ(items[5].label + ' ' + items[5].value, QStringLiteral("繰返し回数 1E7 回"));
    const std::vector<ui::DatasheetItem> none = ui::search_items(s, kgf, {});
    EXPECT_EQ(none[4].value, QStringLiteral("指定なし"));
    EXPECT_EQ(none[5].value, QStringLiteral("指定なし"));
}

TEST(DatasheetTexts, CatalogueValuesReadAsTheGridShowsThem) {
    ui::DisplayUnits gf;
    gf.force_unit = QStringLiteral("gf");
    gf.force_decimals = 0;
    ui::SpringFacts s;
    s.type = QStringLiteral("compress");
    s.lo = 30;
    s.fo = 0;
    s.lmax = 20;
    s.fmax = 2039.43;
    s.k = 203.943;
    s.coil_dia = 10;
    s.wire_dia = 1.2;
    // s.turn stays empty: a value the catalogue leaves empty shows as a dash.
    const std::vector<ui::DatasheetItem> items = ui::catalogue_items(s, gf);
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[0].value, QStringLiteral("30 mm"));
    EXPECT_EQ(items[1].value, QStringLiteral("0 gf"));
    EXPECT_EQ(items[3].value, QStringLiteral("2039 gf"));
    EXPECT_EQ(items[4].value, QStringLiteral("204 gf/mm"));
    EXPECT_EQ(items[6].value, QStringLiteral("8.8 mm")) << "mean diameter D - d";
    EXPECT_EQ(items[8].value, QStringLiteral("—"));
    // The grid's titles: 参考長 is lmax, and turn the total coils.
    EXPECT_EQ(items[2].label, QStringLiteral("参考長 lmax"));
    EXPECT_EQ(items[8].label, QStringLiteral("総巻数 turn"));
    const std::vector<ui::DatasheetItem> spring =
        ui::spring_items(s, {QStringLiteral("KSSC"), {}, {}, QStringLiteral("03-1234-0000"), {}},
                         {QStringLiteral("/data/catalogue"), QStringLiteral("2026/12/01 09:30")});
    EXPECT_EQ(spring[0].value, QStringLiteral("KSSC"));
    EXPECT_EQ(spring[3].label + ' ' + spring[3].value, QStringLiteral("FAX 03-1234-0000"));
    EXPECT_EQ(spring[5].value, QStringLiteral("圧縮ばね"));
    EXPECT_EQ(spring[7].value, QStringLiteral("/data/catalogue"));
    EXPECT_EQ(spring[8].value, QStringLiteral("spring_data.xml 2026/12/01 09:30 更新"));
}
