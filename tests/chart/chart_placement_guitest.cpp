// A chart placed into a rectangle of another painter (a printed page): it
// fills its place with its own proportions and nothing of it, not even a
// label standing outside the plot, reaches the rest of the page.
#include "chart/chart.h"
#include "chart/chart_placement.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QColor page_colour(10, 200, 30);

// Pixels outside `inside` that are no longer the page's colour.
int changed_outside(const QImage& image, const QRect& inside) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += !inside.contains(x, y) && image.pixelColor(x, y) != page_colour;
    return n;
}

} // namespace

TEST(ChartPlacement, FitsItsPlaceAndKeepsEveryStrokeAndLabelInsideIt) {
    Chart chart;
    chart.resize(300, 150);
    chart.setTitle({QStringLiteral("title")});
    chart.bottomAxis().setMinMax(0, 10);
    chart.leftAxis().setMinMax(0, 10);
    ChartSeries* dots = chart.addSeries(ChartSeries::Kind::Point, QStringLiteral("dots"));
    dots->setMarksVisible(true);
    // Far above the axis: its label stands above the chart's own top edge.
    dots->addPoint(5, 400, QStringLiteral("a label far out of range"));
    dots->addPoint(5, 5, QStringLiteral("inside"));
    chart.grab();
    // An overlay that leaves the plot through a clip removed.
    chart.canvas().removeClip();
    chart.canvas().moveTo(-500, -500);
    chart.canvas().lineTo(800, 800);
    chart.grab();

    QImage page(600, 600, QImage::Format_RGB32);
    page.fill(page_colour);
    QRectF placed;
    {
        QPainter painter(&page);
        placed = paint_chart_in(chart, painter, QRectF(100, 200, 400, 300));
    }
    // 300 x 150 scaled to the width: 400 x 200, centred in the height.
    EXPECT_DOUBLE_EQ(placed.x(), 100);
    EXPECT_DOUBLE_EQ(placed.y(), 250);
    EXPECT_DOUBLE_EQ(placed.width(), 400);
    EXPECT_DOUBLE_EQ(placed.height(), 200);
    EXPECT_EQ(changed_outside(page, placed.toAlignedRect()), 0);
    // And the chart itself is there.
    EXPECT_NE(page.pixelColor(placed.center().toPoint()), page_colour);
}
