// A chart saved as SVG holds what the screen shows: every overlay stroke the
// last paint drew, at its pixels and in its colour, every series item, and
// the titles, labels and marks as text, in a well-formed document.
#include "chart/chart.h"
#include "chart/chart_image.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

struct SvgContents {
    bool wellFormed = false;
    // x1, y1, x2, y2, stroke
    std::multiset<std::tuple<double, double, double, double, QString>> lines;
    QStringList texts;
    int polygons = 0;
    QStringList clipIds;
};

SvgContents read_svg(const QString& path) {
    QFile file(path);
    SvgContents c;
    if (!file.open(QIODevice::ReadOnly))
        return c;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (!xml.readNext() || !xml.isStartElement())
            continue;
        const auto a = xml.attributes();
        if (xml.name() == u"line") {
            c.lines.emplace(
                a.value(QLatin1String("x1")).toDouble(), a.value(QLatin1String("y1")).toDouble(),
                a.value(QLatin1String("x2")).toDouble(), a.value(QLatin1String("y2")).toDouble(),
                a.value(QLatin1String("stroke")).toString());
        } else if (xml.name() == u"text") {
            c.texts << xml.readElementText();
        } else if (xml.name() == u"polygon") {
            ++c.polygons;
        } else if (xml.name() == u"clipPath") {
            c.clipIds << a.value(QLatin1String("id")).toString();
        }
    }
    c.wellFormed = !xml.hasError();
    return c;
}

class SvgExport : public ::testing::Test {
protected:
    void SetUp() override {
        chart.resize(400, 300);
        chart.setLegendVisible(false);
        chart.bottomAxis().setMinMax(0, 100);
        chart.leftAxis().setMinMax(0, 1000);
        chart.bottomAxis().setTitle(QStringLiteral("長さ L < 100 & > 0"));
        chart.leftAxis().setTitle(QStringLiteral("荷重 F (N)"));
        arrows = chart.addSeries(ChartSeries::Kind::Arrow, QStringLiteral("arrows"));
        arrows->setSeriesColor(QColor(0, 0, 255));
        arrows->setMarksVisible(true);
        arrows->addArrow(10, 100, 40, 400, QStringLiteral("C-1"));
        arrows->addArrow(50, 200, 90, 800, QStringLiteral("C-2"));
        chart.setAfterDraw([this](ChartCanvas& c) {
            c.setPen(QColor(255, 0, 0), 1);
            c.moveTo(chart.bottomAxis().valueToPixel(20), chart.leftAxis().valueToPixel(300));
            c.lineTo(chart.bottomAxis().valueToPixel(70), chart.leftAxis().valueToPixel(300));
            c.lineTo(chart.bottomAxis().valueToPixel(70), chart.leftAxis().valueToPixel(700));
        });
        chart.show();
        QApplication::processEvents();
        chart.grab();
    }

    SvgContents saved() {
        const QString path = dir.filePath(QStringLiteral("c.svg"));
        save_chart_image(chart, path);
        return read_svg(path);
    }

    Chart chart;
    ChartSeries* arrows = nullptr;
    QTemporaryDir dir;
};

TEST_F(SvgExport, HoldsTheScreensStrokesItemsAndTexts) {
    const auto strokes = chart.lastPaintStrokes();
    ASSERT_EQ(strokes.size(), 2u);
    const SvgContents svg = saved();
    ASSERT_TRUE(svg.wellFormed);

    for (const auto& s : strokes)
        EXPECT_EQ(svg.lines.count({double(s.from.x()), double(s.from.y()), double(s.to.x()),
                                   double(s.to.y()), s.color.name()}),
                  1u)
            << s.from.x() << "," << s.from.y() << " " << s.to.x() << "," << s.to.y();

    // Each arrow: its shaft from start to end pixel, and a head.
    int blue = 0;
    for (const auto& line : svg.lines)
        blue += std::get<4>(line) == QStringLiteral("#0000ff");
    EXPECT_GE(blue, 2);
    EXPECT_GE(svg.polygons, 2);

    // Titles (escaped and read back whole), marks and tick labels as text. A
    // text comes as runs of one script each, every run at its own place.
    // A title's runs follow one another, so that the texts read in order
    // hold it whole.
    const QString all = svg.texts.join(QString());
    EXPECT_TRUE(all.contains(QStringLiteral("長さ L < 100 & > 0"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("荷重 F (N)"))) << all.toStdString();
    EXPECT_TRUE(svg.texts.contains(QStringLiteral("C-1")));
    EXPECT_TRUE(svg.texts.contains(QStringLiteral("C-2")));
    EXPECT_TRUE(svg.texts.contains(QStringLiteral("1,000")));
    EXPECT_TRUE(svg.texts.contains(QStringLiteral("100")));
}

TEST_F(SvgExport, ClipsAreDefinedOnceAndEveryGroupCloses) {
    const SvgContents svg = saved();
    ASSERT_TRUE(svg.wellFormed);
    EXPECT_EQ(QSet<QString>(svg.clipIds.begin(), svg.clipIds.end()).size(), svg.clipIds.size());

    // A chart without overlays or series still makes a complete drawing.
    chart.setAfterDraw({});
    arrows->clear();
    chart.grab();
    const SvgContents empty = saved();
    EXPECT_TRUE(empty.wellFormed);
    EXPECT_TRUE(empty.texts.join(QString()).contains(QStringLiteral("荷重 F (N)")));
}

} // namespace
