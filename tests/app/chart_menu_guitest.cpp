// A chart's context menu: a right click without a drag opens it, a drag
// pans; it resets zoom and pan to the program's range and saves the chart as
// PNG or SVG with the overlays as the screen shows them.
#include "app/chart_menu.h"
#include "chart/chart.h"
#include "chart/chart_image.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ChartMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart.resize(300, 200);
        chart.setLegendVisible(false);
        chart.bottomAxis().setMinMax(0, 100);
        chart.leftAxis().setMinMax(0, 1000);
        ChartSeries* s = chart.addSeries(ChartSeries::Kind::Line, QStringLiteral("line"));
        s->setSeriesColor(Qt::black);
        s->addPoint(10, 100);
        s->addPoint(90, 900);
        // The overlay: a red box drawn by the after-draw hook, as the program's windows are.
        chart.setAfterDraw([this](ChartCanvas& c) {
            c.setPen(Qt::red, 1);
            const int l = chart.bottomAxis().valueToPixel(40),
                      r = chart.bottomAxis().valueToPixel(60);
            const int t = chart.leftAxis().valueToPixel(600),
                      b = chart.leftAxis().valueToPixel(400);
            c.moveTo(l, t);
            c.lineTo(r, t);
            c.lineTo(r, b);
            c.lineTo(l, b);
            c.lineTo(l, t);
        });
        chart.show();
        QApplication::processEvents();
        chart.grab(); // a paint, as the screen had one
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), chart.mapToGlobal(QPointF(at)), Qt::RightButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }
    // A right button press, moves through `path`, and the release; the
    // context-menu event comes with the press, as under X11.
    void rightButton(QPoint from, std::vector<QPoint> path) {
        mouse(QEvent::MouseButtonPress, from, Qt::RightButton);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, from, chart.mapToGlobal(from));
        QApplication::sendEvent(&chart, &menuEvent);
        QPoint last = from;
        for (QPoint p : path)
            mouse(QEvent::MouseMove, last = p, Qt::RightButton);
        mouse(QEvent::MouseButtonRelease, last, Qt::NoButton);
    }

    static int redPixels(const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == qRgb(255, 0, 0);
        return n;
    }

    Chart chart;
    ChartMenu* menu = new ChartMenu(&chart, QStringLiteral("chart"));
};

} // namespace

TEST_F(ChartMenuTest, ARightClickOpensTheMenuAndADragPansWithoutIt) {
    const QPoint c = chart.plotRect().center();
    rightButton(c, {c + QPoint(1, 1)});
    EXPECT_TRUE(menu->menu()->isVisible());
    EXPECT_EQ(chart.bottomAxis().minimum(), 0.0); // a click's jitter pans nothing
    menu->menu()->hide();

    rightButton(c, {c + QPoint(20, 0), c + QPoint(40, 0)});
    EXPECT_FALSE(menu->menu()->isVisible());
    EXPECT_LT(chart.bottomAxis().minimum(), 0.0);

    // The menu key opens it too.
    QContextMenuEvent key(QContextMenuEvent::Keyboard, c, chart.mapToGlobal(c));
    QApplication::sendEvent(&chart, &key);
    EXPECT_TRUE(menu->menu()->isVisible());
    menu->menu()->hide();
}

TEST_F(ChartMenuTest, ResetUndoesZoomAndPan) {
    chart.zoomToRect(QRect(chart.plotRect().center(), chart.plotRect().bottomRight()));
    chart.panBy(QPoint(30, -20));
    ASSERT_NE(chart.bottomAxis().maximum(), 100.0);
    menu->resetAction()->trigger();
    EXPECT_EQ(chart.bottomAxis().minimum(), 0.0);
    EXPECT_EQ(chart.bottomAxis().maximum(), 100.0);
    EXPECT_EQ(chart.leftAxis().minimum(), 0.0);
    EXPECT_EQ(chart.leftAxis().maximum(), 1000.0);
}

TEST_F(ChartMenuTest, ImagesHoldTheOverlaysAsTheScreenShowsThem) {
    const QImage screen = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_GT(redPixels(screen), 40);

    const QImage image = chart_image(chart);
    EXPECT_EQ(image.size(), chart.size() * 2);
    // Every red pixel of the screen is red at its place in the double-size image.
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if (screen.pixel(x, y) == qRgb(255, 0, 0)) {
                bool red = false;
                for (int i = 0; i < 4; ++i)
                    red |= image.pixel(2 * x + i % 2, 2 * y + i / 2) == qRgb(255, 0, 0);
                ASSERT_TRUE(red) << x << "," << y;
            }

    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("c.png"));
    const QString svg = dir.filePath(QStringLiteral("c.svg"));
    save_chart_image(chart, png);
    save_chart_image(chart, svg);
    QImage saved(png);
    EXPECT_EQ(saved.size(), chart.size() * 2);
    EXPECT_EQ(redPixels(saved.convertToFormat(QImage::Format_RGB32)), redPixels(image));
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("<?xml"));
    EXPECT_TRUE(text.contains("stroke=\"#ff0000\"")) << text.left(2000).constData();
    EXPECT_TRUE(text.contains("</svg>"));

    // A folder that does not exist: an error, and no file.
    const QString nowhere = dir.filePath(QStringLiteral("none/c.png"));
    EXPECT_THROW(save_chart_image(chart, nowhere), std::runtime_error);
    EXPECT_FALSE(QFile::exists(nowhere));
}
