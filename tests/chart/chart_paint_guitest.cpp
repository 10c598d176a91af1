// Painting of Chart: the series cache, the overlay canvas and the after-draw
// hook, the legend, and mouse zoom and pan.
#include "chart/chart.h"
#include "reference_raster.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>

namespace {

// A chart with one black segment across the plot, from (10, 10) to (90, 90).
class ChartPaint : public ::testing::Test {
protected:
    void SetUp() override {
        chart.resize(400, 300);
        chart.setLegendVisible(false);
        chart.bottomAxis().setMinMax(0.0, 100.0);
        chart.leftAxis().setMinMax(0.0, 100.0);
        // Without grid lines every pixel off the series is back wall.
        chart.bottomAxis().setGridVisible(false);
        chart.leftAxis().setGridVisible(false);
        segments = chart.addSeries(ChartSeries::Kind::Arrow, "Series_dbspring");
        segments->setSeriesColor(Qt::black);
        segments->setArrowHeadLength(1);
        segments->setArrowHeadWidth(1);
        segments->addArrow(10.0, 10.0, 90.0, 90.0);
    }
    QImage paint() { return chart.grab().toImage(); }
    QPoint pixelOf(double x, double y) {
        return QPoint(segments->xToPixel(x), segments->yToPixel(y));
    }

    Chart chart;
    ChartSeries* segments = nullptr;
};

TEST_F(ChartPaint, SeriesAreDrawnAtTheirMappedPixels) {
    const QImage image = paint();
    EXPECT_EQ(image.pixelColor(pixelOf(10.0, 10.0)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(pixelOf(90.0, 90.0)), QColor(Qt::black));
    // Off the segment the back wall shows.
    EXPECT_EQ(image.pixelColor(pixelOf(90.0, 10.0)), QColor(Qt::white));
}

TEST_F(ChartPaint, PlotRectangleLiesInsideTheWidgetWithRoomForAxes) {
    chart.bottomAxis().setTitle("バネ長　mm");
    chart.leftAxis().setTitle("発生力　N");
    const QRect plot = chart.plotRect();
    EXPECT_TRUE(chart.rect().contains(plot));
    EXPECT_GT(plot.left(), 20);                    // labels and rotated title at the left
    EXPECT_LT(plot.bottom(), chart.height() - 20); // labels and title below
    EXPECT_GT(plot.width(), 200);
}

TEST_F(ChartPaint, AfterDrawRunsAfterTheSeriesOnEveryPaint) {
    const QImage plain = paint();
    int calls = 0;
    chart.setAfterDraw([&](ChartCanvas& canvas) {
        ++calls;
        canvas.setPen(Qt::red, 1);
        canvas.moveTo(pixelOf(10.0, 10.0));
        canvas.lineTo(pixelOf(90.0, 90.0));
    });
    const QImage overlaid = paint();
    EXPECT_EQ(calls, 1);
    // The red stroke covers the black segment pixel for pixel.
    const QRect inner = chart.plotRect().adjusted(2, 2, -2, -2);
    int black = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            // The axis lines run along the edges of the plot; look inside them.
            if (plain.pixelColor(x, y) != QColor(Qt::black) || !inner.contains(x, y))
                continue;
            ++black;
            EXPECT_EQ(overlaid.pixelColor(x, y), QColor(Qt::red)) << x << "," << y;
        }
    }
    EXPECT_GT(black, 100);
    paint();
    EXPECT_EQ(calls, 2);
}

TEST_F(ChartPaint, CanvasInsideTheHookIsTheLiveOne) {
    chart.setAfterDraw([&](ChartCanvas&) {
        ChartCanvas& canvas = chart.canvas();
        canvas.setPen(Qt::blue, 1);
        canvas.moveTo(0, 0);
        canvas.lineTo(5, 0);
    });
    const QImage image = paint();
    EXPECT_EQ(image.pixelColor(3, 0), QColor(Qt::blue));
    ASSERT_EQ(chart.lastPaintStrokes().size(), 1u);
}

TEST_F(ChartPaint, OverlayOnlyRepaintReusesTheSeriesCache) {
    paint();
    const int renders = chart.seriesRenderCount();
    chart.canvas().setPen(Qt::red, 1);
    chart.canvas().moveTo(1, 1);
    chart.canvas().lineTo(50, 1);
    paint();
    paint();
    EXPECT_EQ(chart.seriesRenderCount(), renders);
    // Data, axes and size each invalidate the cache.
    segments->addArrow(20.0, 20.0, 30.0, 30.0);
    paint();
    EXPECT_EQ(chart.seriesRenderCount(), renders + 1);
    chart.leftAxis().setMaximum(200.0);
    paint();
    EXPECT_EQ(chart.seriesRenderCount(), renders + 2);
    chart.resize(410, 300);
    paint();
    EXPECT_EQ(chart.seriesRenderCount(), renders + 3);
    segments->setVisible(false);
    paint();
    EXPECT_EQ(chart.seriesRenderCount(), renders + 4);
}

TEST_F(ChartPaint, StrokesOutsidePaintAreReplayedOnceBeforeTheHook) {
    chart.setAfterDraw([&](ChartCanvas& canvas) {
        canvas.setPen(Qt::red, 1);
        canvas.moveTo(pixelOf(40.0, 50.0));
        canvas.lineTo(pixelOf(60.0, 50.0));
    });
    paint();
    // A cursor move: the program draws between paints.
    chart.canvas().setPen(QColor(0, 0, 255), 1);
    chart.canvas().moveTo(pixelOf(10.0, 50.0));
    chart.canvas().lineTo(pixelOf(90.0, 50.0));
    QImage image = paint();
    auto strokes = chart.lastPaintStrokes();
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[0].color, QColor(0, 0, 255));
    EXPECT_EQ(strokes[0].from, pixelOf(10.0, 50.0));
    EXPECT_EQ(strokes[1].color, QColor(Qt::red));
    // The hook's stroke lies over the replayed one where they cross.
    EXPECT_EQ(image.pixelColor(pixelOf(50.0, 50.0)), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(pixelOf(20.0, 50.0)), QColor(0, 0, 255));
    // The next paint no longer has the replayed stroke.
    image = paint();
    strokes = chart.lastPaintStrokes();
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].color, QColor(Qt::red));
    EXPECT_NE(image.pixelColor(pixelOf(20.0, 50.0)), QColor(0, 0, 255));
}

TEST_F(ChartPaint, ClipLimitsStrokesToThePlotAndRemoveClipLiftsIt) {
    const QRect plot = chart.plotRect();
    const int y = plot.center().y();
    chart.setAfterDraw([&](ChartCanvas& canvas) {
        canvas.setPen(Qt::red, 1);
        canvas.clipTo(plot);
        canvas.moveTo(plot.left() - 5, y);
        canvas.lineTo(plot.right() + 5, y);
        canvas.removeClip();
        canvas.moveTo(plot.left() - 5, y + 2);
        canvas.lineTo(plot.right() + 5, y + 2);
    });
    const QImage image = paint();
    EXPECT_EQ(image.pixelColor(plot.left() + 1, y), QColor(Qt::red));
    EXPECT_NE(image.pixelColor(plot.left() - 3, y), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(plot.left() - 3, y + 2), QColor(Qt::red));
    const auto strokes = chart.lastPaintStrokes();
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_TRUE(strokes[0].clipped);
    EXPECT_EQ(strokes[0].clip, plot);
    EXPECT_FALSE(strokes[1].clipped);
}

TEST_F(ChartPaint, FarAwayValuesAndHugeOverlaysPaintSafely) {
    segments->addArrow(-1.7e100, -1.7e100, 1.7e100, 1.7e100);
    // Far, yet below the limit that sends values to the axis centre.
    segments->addArrow(0.0, 50.0, 1e7, 50.0);
    chart.setAfterDraw([](ChartCanvas& canvas) {
        canvas.moveTo(-2000000000, 10);
        canvas.lineTo(2000000000, 10);
    });
    const QImage image = paint();
    EXPECT_EQ(image.pixelColor(pixelOf(60.0, 50.0)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(chart.width() / 2, 10), QColor(Qt::black));
}

TEST_F(ChartPaint, FailingHookDoesNotBreakThePaint) {
    chart.setAfterDraw([](ChartCanvas&) { throw std::runtime_error("overlay failed"); });
    QImage image;
    EXPECT_NO_THROW(image = paint());
    EXPECT_EQ(image.pixelColor(pixelOf(90.0, 90.0)), QColor(Qt::black));
}

TEST(ChartPaintBulk, ManySegmentsGiveExactlyThePixelsOfTheirMappedLines) {
    // Enough spring-like segments to cover most of the plot, some reaching
    // past its edges, and every 97th in a colour of its own.
    Chart chart;
    chart.resize(420, 320);
    chart.setLegendVisible(false);
    chart.bottomAxis().setGridVisible(false);
    chart.leftAxis().setGridVisible(false);
    chart.bottomAxis().setMinMax(0.7, 150.0);
    chart.leftAxis().setMinMax(0.0, 1000.0);
    ChartSeries* series = chart.addSeries(ChartSeries::Kind::Arrow, "Series_dbspring");
    series->setSeriesColor(Qt::black);
    series->setColorEachPoint(true);
    series->setXOrder(ChartSeries::XOrder::None);
    series->setArrowHeadLength(1);
    series->setArrowHeadWidth(1);
    std::mt19937 rng(4321);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 40000; ++i) {
        const double lo = unit(rng) * 170.0, lmax = lo * (0.3 + 0.6 * unit(rng));
        const double fo = unit(rng) * 60.0 - 10.0, fmax = fo + unit(rng) * 1200.0;
        series->addArrow(lo, fo, lmax, fmax, QString(), i % 97 == 0 ? QColor(Qt::red) : QColor());
    }
    const QImage painted = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);

    // The same chart without the series, with the segments drawn by the plain
    // rasteriser at the pixels valueToPixel gives their ends.
    series->setVisible(false);
    QImage expected = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(painted.size(), expected.size());
    const QRect plot = chart.plotRect();
    ReferenceRaster reference(expected, plot);
    for (int i = 0; i < series->count(); ++i)
        reference.drawLine(series->xToPixel(series->x(i)), series->yToPixel(series->y(i)),
                           series->xToPixel(series->endX(i)), series->yToPixel(series->endY(i)),
                           series->color(i).rgb());
    // The axes are painted over the plot's edges afterwards; inside them every
    // pixel must agree.
    const QRect inside = plot.adjusted(2, 2, -2, -2);
    int differing = 0, black = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            differing += painted.pixel(x, y) != expected.pixel(x, y);
            black += painted.pixel(x, y) == qRgb(0, 0, 0);
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(black, inside.width() * inside.height() / 4); // the test draws something
}

TEST(ChartLegend, OneEntryPerSeriesShownInLegend) {
    Chart chart;
    chart.setLegendPosition(Chart::LegendPosition::Top);
    const struct {
        const char* name;
        const char* title;
        QColor color;
        bool shown;
    } layout[] = {{"LineSeries1", "SWP-B", QColor(0, 255, 0), true},
                  {"Series_stsus304b", "SUS304WPB", QColor(0, 0, 255), true},
                  {"Series_hidden", "hidden", QColor(Qt::gray), false},
                  {"Series_taupoint", "taupoint", QColor(255, 0, 0), true}};
    for (const auto& l : layout) {
        ChartSeries* s = chart.addSeries(ChartSeries::Kind::Line, l.name);
        s->setTitle(l.title);
        s->setSeriesColor(l.color);
        s->setShowInLegend(l.shown);
    }
    const auto entries = chart.legendEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].title, "SWP-B");
    EXPECT_EQ(entries[0].color, QColor(0, 255, 0));
    EXPECT_EQ(entries[1].title, "SUS304WPB");
    EXPECT_EQ(entries[2].title, "taupoint");
    chart.series(0)->setTitle("SWP");
    EXPECT_EQ(chart.legendEntries()[0].title, "SWP");
}

TEST(ChartLegend, VisibleTopLegendTakesRoomAboveThePlot) {
    Chart chart;
    chart.resize(400, 300);
    chart.addSeries(ChartSeries::Kind::Line, "a")->setTitle("SWP-B");
    chart.setLegendPosition(Chart::LegendPosition::Top);
    chart.setLegendVisible(false);
    const int topWithout = chart.plotRect().top();
    chart.setLegendVisible(true);
    EXPECT_GT(chart.plotRect().top(), topWithout + 8);
}

// ---- Mouse zoom and pan ----

void drag(Chart& chart, Qt::MouseButton button, QPoint from, QPoint to, bool viaMiddle = true) {
    const QPointF global = chart.mapToGlobal(QPointF(0, 0));
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), global + QPointF(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    };
    send(QEvent::MouseButtonPress, from, button);
    if (viaMiddle)
        send(QEvent::MouseMove, (from + to) / 2, button);
    send(QEvent::MouseMove, to, button);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
}

class ChartMouse : public ::testing::Test {
protected:
    void SetUp() override {
        chart.resize(400, 300);
        chart.bottomAxis().setMinMax(0.0, 100.0);
        chart.leftAxis().setMinMax(0.0, 1000.0);
        plot = chart.plotRect();
    }
    Chart chart;
    QRect plot;
};

TEST_F(ChartMouse, DragDownRightZoomsIntoTheRectangle) {
    const QPoint from(chart.bottomAxis().valueToPixel(20.0), chart.leftAxis().valueToPixel(800.0));
    const QPoint to(chart.bottomAxis().valueToPixel(60.0), chart.leftAxis().valueToPixel(200.0));
    drag(chart, Qt::LeftButton, from, to);
    const double xTolerance = 100.0 / plot.width();
    const double yTolerance = 1000.0 / plot.height();
    EXPECT_NEAR(chart.bottomAxis().minimum(), 20.0, xTolerance);
    EXPECT_NEAR(chart.bottomAxis().maximum(), 60.0, xTolerance);
    EXPECT_NEAR(chart.leftAxis().minimum(), 200.0, yTolerance);
    EXPECT_NEAR(chart.leftAxis().maximum(), 800.0, yTolerance);
}

TEST_F(ChartMouse, DragUpLeftRestoresTheRangeLastSetByTheProgram) {
    drag(chart, Qt::LeftButton, plot.center(), plot.bottomRight());
    ASSERT_NE(chart.bottomAxis().minimum(), 0.0);
    drag(chart, Qt::LeftButton, plot.center(), plot.topLeft());
    EXPECT_EQ(chart.bottomAxis().minimum(), 0.0);
    EXPECT_EQ(chart.bottomAxis().maximum(), 100.0);
    EXPECT_EQ(chart.leftAxis().minimum(), 0.0);
    EXPECT_EQ(chart.leftAxis().maximum(), 1000.0);
    // After the program sets a new range, undo goes back to that one.
    chart.bottomAxis().setMaximum(150.0);
    drag(chart, Qt::LeftButton, plot.center(), plot.bottomRight());
    drag(chart, Qt::LeftButton, plot.center(), plot.topLeft());
    EXPECT_EQ(chart.bottomAxis().maximum(), 150.0);
}

TEST_F(ChartMouse, RightDragPansByTheDraggedDistance) {
    const int dx = plot.width() / 4;
    drag(chart, Qt::RightButton, plot.center(), plot.center() + QPoint(dx, 0), false);
    // The drawing follows the mouse to the right, so the range moves left.
    const double shift = 100.0 * dx / (plot.right() - plot.left());
    EXPECT_NEAR(chart.bottomAxis().minimum(), -shift, 1e-9);
    EXPECT_NEAR(chart.bottomAxis().maximum(), 100.0 - shift, 1e-9);
    EXPECT_EQ(chart.leftAxis().minimum(), 0.0);
}

TEST_F(ChartMouse, DisabledZoomAndPanLeaveTheAxesAlone) {
    chart.setZoomEnabled(false);
    chart.setPanEnabled(false);
    drag(chart, Qt::LeftButton, plot.center(), plot.bottomRight());
    drag(chart, Qt::RightButton, plot.center(), plot.bottomRight());
    EXPECT_EQ(chart.bottomAxis().minimum(), 0.0);
    EXPECT_EQ(chart.bottomAxis().maximum(), 100.0);
    EXPECT_EQ(chart.leftAxis().maximum(), 1000.0);
}

TEST_F(ChartMouse, ZoomOnALogAxisKeepsItLogarithmic) {
    chart.bottomAxis().setLogarithmic(true);
    chart.bottomAxis().setMinMax(0.08, 10.0);
    plot = chart.plotRect();
    const QPoint from(chart.bottomAxis().valueToPixel(0.1), plot.top() + 5);
    const QPoint to(chart.bottomAxis().valueToPixel(1.0), plot.bottom() - 5);
    drag(chart, Qt::LeftButton, from, to);
    EXPECT_NEAR(std::log10(chart.bottomAxis().minimum()), -1.0, 0.02);
    EXPECT_NEAR(std::log10(chart.bottomAxis().maximum()), 0.0, 0.02);
}

} // namespace
