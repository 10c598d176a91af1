// Repaint times of the chart widget with many segments, as the load-length
// chart draws a large catalogue: a full repaint (series rendered anew) and an
// overlay-only repaint (cached series plus the red overlays of a cursor move).
// Prints a table; runs on the offscreen platform. Besides the wall time the
// process's CPU time of the full repaint is shown: on a shared machine it is
// the steadier of the two.
#include "chart/chart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

namespace {

double medianMs(std::vector<qint64> ns) {
    std::sort(ns.begin(), ns.end());
    return ns[ns.size() / 2] / 1e6;
}

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double cpuMs() {
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Spring load lines: from the free length down to the working length, with
// the force rising, spread over the chart like a real catalogue.
void fill(ChartSeries& series, int count) {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    series.clear();
    series.reserve(count);
    ChartSeries::Batch batch(series);
    for (int i = 0; i < count; ++i) {
        const double lo = 5.0 + unit(rng) * 140.0;
        const double lmax = lo * (0.4 + 0.5 * unit(rng));
        const double fo = unit(rng) * 50.0;
        const double fmax = fo + unit(rng) * 950.0;
        series.addArrow(lo, fo, lmax, fmax);
    }
}

void drawCursorMove(Chart& chart, ChartSeries& series, int i) {
    ChartCanvas& canvas = chart.canvas();
    const QRect plot = chart.plotRect();
    canvas.setPen(Qt::black, 1);
    canvas.clipTo(plot);
    canvas.moveTo(series.xToPixel(series.x(i)), series.yToPixel(series.y(i)));
    canvas.lineTo(series.xToPixel(series.endX(i)), series.yToPixel(series.endY(i)));
    canvas.setPen(Qt::red, 1);
    canvas.moveTo(series.xToPixel(series.x(i + 1)), series.yToPixel(series.y(i + 1)));
    canvas.lineTo(series.xToPixel(series.endX(i + 1)), series.yToPixel(series.endY(i + 1)));
    canvas.removeClip();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Chart chart;
    chart.resize(640, 480);
    chart.setLegendVisible(false);
    chart.bottomAxis().setMinMax(0.7, 150.0);
    chart.leftAxis().setMinMax(0.0, 1000.0);
    ChartSeries* series = chart.addSeries(ChartSeries::Kind::Arrow, "Series_dbspring");
    series->setSeriesColor(Qt::black);
    series->setXOrder(ChartSeries::XOrder::None);
    series->setArrowHeadLength(1);
    series->setArrowHeadWidth(1);
    // The red search windows, redrawn after every paint.
    chart.setAfterDraw([&chart](ChartCanvas& canvas) {
        const ChartAxis& x = chart.bottomAxis();
        const ChartAxis& y = chart.leftAxis();
        canvas.setPen(Qt::red, 1);
        canvas.moveTo(x.valueToPixel(24.0), y.valueToPixel(190.0));
        canvas.lineTo(x.valueToPixel(24.0), y.valueToPixel(210.0));
        canvas.lineTo(x.valueToPixel(26.0), y.valueToPixel(210.0));
        canvas.lineTo(x.valueToPixel(26.0), y.valueToPixel(190.0));
        canvas.lineTo(x.valueToPixel(24.0), y.valueToPixel(190.0));
    });

    QImage target(chart.size(), QImage::Format_RGB32);
    std::printf("chart 640 x 480, offscreen; median of repeated runs\n");
    std::printf("%10s %12s %18s %16s %20s\n", "segments", "fill (ms)", "full repaint (ms)",
                "its CPU (ms)", "overlay repaint (ms)");
    for (const int count : {10000, 100000, 1000000}) {
        QElapsedTimer timer;
        timer.start();
        fill(*series, count);
        const double fillMs = timer.nsecsElapsed() / 1e6;

        std::vector<qint64> full;
        std::vector<double> fullCpu;
        for (int run = 0; run < 7; ++run) {
            // Nudge the axis so the cache must be rendered again.
            chart.leftAxis().setMaximum(run % 2 ? 1000.0 : 1000.5);
            const double cpuStart = cpuMs();
            timer.start();
            chart.render(&target);
            full.push_back(timer.nsecsElapsed());
            fullCpu.push_back(cpuMs() - cpuStart);
        }
        const int rendersBefore = chart.seriesRenderCount();
        std::vector<qint64> overlay;
        for (int run = 0; run < 50; ++run) {
            drawCursorMove(chart, *series, run);
            timer.start();
            chart.render(&target);
            overlay.push_back(timer.nsecsElapsed());
        }
        if (chart.seriesRenderCount() != rendersBefore)
            std::printf("warning: overlay repaints rendered the series again\n");
        std::printf("%10d %12.1f %18.1f %16.1f %20.2f\n", count, fillMs, medianMs(full),
                    medianOf(fullCpu), medianMs(overlay));
    }
    return 0;
}
