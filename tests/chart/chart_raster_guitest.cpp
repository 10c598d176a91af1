// The line rasteriser shared by the series and the overlay canvas.
#include "chart/chart_raster.h"
#include "reference_raster.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels drawn(QPoint a, QPoint b, const QRect& clip = QRect()) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    ChartRaster raster(image);
    if (!clip.isNull())
        raster.setClip(clip);
    raster.drawLine(a.x(), a.y(), b.x(), b.y(), qRgb(255, 0, 0));
    Pixels pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(255, 0, 0))
                pixels.insert({x, y});
    return pixels;
}

TEST(ChartRaster, LinesAreTheSameInBothDirectionsWithBothEnds) {
    const std::pair<QPoint, QPoint> lines[] = {
        {{3, 4}, {40, 17}}, {{10, 2}, {13, 45}}, {{5, 5}, {30, 30}}, {{60, 1}, {2, 46}},
        {{7, 9}, {7, 9}},   {{0, 20}, {63, 20}}, {{31, 0}, {31, 47}}};
    for (const auto& [a, b] : lines) {
        const Pixels forward = drawn(a, b);
        EXPECT_EQ(forward, drawn(b, a));
        EXPECT_TRUE(forward.count({a.x(), a.y()}));
        EXPECT_TRUE(forward.count({b.x(), b.y()}));
        // One pixel per step along the major direction.
        const int steps = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())) + 1;
        EXPECT_EQ(static_cast<int>(forward.size()), steps);
    }
}

TEST(ChartRaster, PixelsLieNearestToTheExactLine) {
    // From (0, 0) to (10, 3): row = x * 0.3 rounded half up.
    const Pixels pixels = drawn({0, 0}, {10, 3});
    for (int x = 0; x <= 10; ++x)
        EXPECT_TRUE(pixels.count({x, (x * 3 + 5) / 10})) << x;
}

TEST(ChartRaster, ClipKeepsOnlyPixelsInsideAndMatchesTheUnclippedLine) {
    const QRect clip(10, 10, 20, 15);
    const Pixels whole = drawn({0, 0}, {63, 47});
    const Pixels clipped = drawn({0, 0}, {63, 47}, clip);
    ASSERT_FALSE(clipped.empty());
    for (const auto& [x, y] : clipped) {
        EXPECT_TRUE(clip.contains(x, y));
        EXPECT_TRUE(whole.count({x, y}));
    }
    for (const auto& [x, y] : whole)
        EXPECT_EQ(clipped.count({x, y}), clip.contains(x, y) ? 1u : 0u);
}

TEST(ChartRaster, HugeCoordinatesAreCutNotOverflowed) {
    const Pixels pixels = drawn({-2000000000, 20}, {2000000000, 20});
    EXPECT_EQ(pixels.size(), 64u);
    EXPECT_TRUE(drawn({-2000000000, -2000000000}, {-1000000000, 5}).empty());
}

// Draws the same lines, each in its own colour, with both rasterisers and
// reports the first line after which the images differ (-1 when never).
int firstMismatch(const std::vector<QLine>& lines, const QSize& size, const QRect& clip) {
    QImage fast(size, QImage::Format_RGB32), slow(size, QImage::Format_RGB32);
    fast.fill(Qt::white);
    slow.fill(Qt::white);
    ChartRaster raster(fast);
    raster.setClip(clip);
    ReferenceRaster reference(slow, clip);
    for (size_t i = 0; i < lines.size(); ++i) {
        const QLine& l = lines[i];
        // Colours change with every line so that a wrong or missing pixel shows.
        const QRgb color = qRgb(static_cast<int>(i % 251), static_cast<int>(i / 251 % 253), 7);
        raster.drawLine(l.x1(), l.y1(), l.x2(), l.y2(), color);
        reference.drawLine(l.x1(), l.y1(), l.x2(), l.y2(), color);
        if (fast != slow)
            return static_cast<int>(i);
    }
    return -1;
}

TEST(ChartRaster, MatchesTheExactWalkOnRandomLinesAndClips) {
    std::mt19937 rng(2024);
    const QSize size(97, 71);
    auto inRange = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 60; ++round) {
        // Clips inside, across and outside the image, and the whole image.
        QRect clip(inRange(-20, 90), inRange(-20, 65), inRange(0, 120), inRange(0, 90));
        if (round % 5 == 0)
            clip = QRect(QPoint(0, 0), size);
        std::vector<QLine> lines;
        for (int i = 0; i < 200; ++i) {
            // Mostly near the image, some long, some degenerate, some far away.
            const int spread = i % 7 == 0 ? 3000 : (i % 11 == 0 ? 3 : 150);
            const QPoint a(inRange(-spread, spread), inRange(-spread, spread));
            QPoint b = i % 13 == 0 ? a : QPoint(inRange(-spread, spread), inRange(-spread, spread));
            if (i % 17 == 0)
                b.setY(a.y()); // horizontal
            if (i % 19 == 0)
                b.setX(a.x()); // vertical
            if (i % 23 == 0)
                b = a + QPoint(inRange(-60, 60), 0) + QPoint(0, 1) * inRange(-1, 1);
            lines.emplace_back(a, b);
        }
        EXPECT_EQ(firstMismatch(lines, size, clip), -1) << "round " << round;
    }
}

TEST(ChartRaster, MatchesTheExactWalkOnSlopesNearTiesAndHugeLines) {
    std::vector<QLine> lines;
    // Every slope p/q with small terms hits the half-pixel ties of the rounding.
    for (int q = 1; q <= 24; ++q)
        for (int p = -q; p <= q; ++p) {
            lines.emplace_back(3, 40, 3 + 3 * q, 40 + 3 * p);
            lines.emplace_back(50, 5, 50 + 2 * p, 5 + 2 * q);
            lines.emplace_back(90, 60, 90 - 4 * q, 60 - 4 * p);
        }
    // Long lines whose visible part is only a sliver of them, cut from far away
    // or close to the limit where the fixed-point stepping gives way.
    const int big = 2000000000, edge = (1 << 22) - 3;
    const std::pair<QPoint, QPoint> longOnes[] = {{{-big, 10}, {big, 11}},
                                                  {{-big, -big}, {big, big}},
                                                  {{5, -big}, {6, big}},
                                                  {{-edge, -7}, {edge, 60}},
                                                  {{-edge, 30}, {edge, -edge}},
                                                  {{40, -edge}, {41, edge}},
                                                  {{-edge, -edge + 1}, {edge, edge}},
                                                  {{-3, edge}, {80, -edge}},
                                                  {{big, 3}, {-big, 70}},
                                                  {{-1000000, 999999}, {1000000, -1000000}}};
    for (const auto& [a, b] : longOnes)
        lines.emplace_back(a, b);
    EXPECT_EQ(firstMismatch(lines, QSize(97, 71), QRect(0, 0, 97, 71)), -1);
    EXPECT_EQ(firstMismatch(lines, QSize(97, 71), QRect(9, 4, 70, 50)), -1);
}

TEST(ChartRaster, MatchesTheExactWalkForEveryLineBetweenNearbyPoints) {
    // All lines between the points of a lattice a little larger than the image
    // cross every clip edge at every slope and phase the small sizes allow.
    const QSize size(12, 10);
    const QRect clips[] = {QRect(0, 0, 12, 10), QRect(2, 3, 7, 5), QRect(5, 1, 1, 8)};
    for (const QRect& clip : clips) {
        for (int x0 = -4; x0 < 16; ++x0)
            for (int y0 = -4; y0 < 14; ++y0) {
                std::vector<QLine> lines;
                for (int x1 = -4; x1 < 16; ++x1)
                    for (int y1 = -4; y1 < 14; ++y1)
                        lines.emplace_back(x0, y0, x1, y1);
                ASSERT_EQ(firstMismatch(lines, size, clip), -1)
                    << "from " << x0 << "," << y0 << " clip " << clip.x() << "," << clip.y();
            }
    }
}

// Lines in long runs of one colour, many enough for the raster to start
// skipping covered tiles, checked against the exact walk after every line.
struct Step {
    QLine line;
    QRgb color;
    QRect clip; // a null rectangle keeps the clip as it is
};

int firstMismatchInOneRaster(const std::vector<Step>& steps, QImage start) {
    QImage fast = start, slow = start;
    ChartRaster raster(fast);
    QRect clip = start.rect();
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        if (!step.clip.isNull()) {
            clip = step.clip;
            raster.setClip(clip);
        }
        const QLine& l = step.line;
        raster.drawLine(l.x1(), l.y1(), l.x2(), l.y2(), step.color);
        ReferenceRaster(slow, clip).drawLine(l.x1(), l.y1(), l.x2(), l.y2(), step.color);
        if (fast != slow)
            return static_cast<int>(i);
    }
    return -1;
}

TEST(ChartRaster, SkippingCoveredTilesChangesNoPixel) {
    std::mt19937 rng(77);
    auto inRange = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    QImage start(101, 67, QImage::Format_RGB32);
    // A background that is not one colour, with some pixels already black.
    for (int y = 0; y < start.height(); ++y)
        for (int x = 0; x < start.width(); ++x)
            start.setPixel(x, y, (x * 7 + y * 3) % 5 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, x));
    const QRgb black = qRgb(0, 0, 0), red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    std::vector<Step> steps;
    const auto addLines = [&](int count, QRgb color) {
        for (int i = 0; i < count; ++i) {
            const QPoint a(inRange(-20, 120), inRange(-20, 86));
            const QPoint b = i % 9 == 0 ? a + QPoint(inRange(-3, 3), inRange(-3, 3))
                                        : QPoint(inRange(-20, 120), inRange(-20, 86));
            steps.push_back({QLine(a, b), color, QRect()});
        }
    };
    addLines(3000, black); // covers most tiles in black
    addLines(5, red);      // a few red lines across covered tiles
    addLines(400, black);  // black must paint over the red ones again
    steps.push_back({QLine(0, 0, 100, 66), blue, QRect(20, 10, 40, 30)});
    addLines(3000, blue); // tiles covered inside the small clip only
    steps.push_back({QLine(100, 0, 0, 66), blue, QRect(0, 0, 101, 67)});
    addLines(1500, blue); // the wider clip must not trust the old coverage
    // Alternating colours, as a series with a colour per item draws.
    for (int i = 0; i < 2000; ++i)
        addLines(1, i % 3 ? red : black);
    EXPECT_EQ(firstMismatchInOneRaster(steps, start), -1);
}

TEST(ChartRaster, SkippingCoveredTilesMatchesOnABusyChart) {
    // Spring-like segments over a chart-sized image, compared once at the end.
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    QImage fast(640, 480, QImage::Format_RGB32);
    fast.fill(Qt::white);
    QImage slow = fast;
    const QRect plot(40, 30, 560, 400);
    ChartRaster raster(fast);
    raster.setClip(plot);
    ReferenceRaster reference(slow, plot);
    for (int i = 0; i < 60000; ++i) {
        const double lo = 5.0 + unit(rng) * 140.0, lmax = lo * (0.4 + 0.5 * unit(rng));
        const double fo = unit(rng) * 50.0, fmax = fo + unit(rng) * 1100.0;
        const auto px = [](double v) { return static_cast<int>(std::lround(40 + v * 3.7)); };
        const auto py = [](double v) { return static_cast<int>(std::lround(429 - v * 0.4)); };
        // Every 5000th segment in red, so that coverage has to start over.
        const QRgb color = i % 5000 == 4999 ? qRgb(255, 0, 0) : qRgb(0, 0, 0);
        raster.drawLine(px(lo), py(fo), px(lmax), py(fmax), color);
        reference.drawLine(px(lo), py(fo), px(lmax), py(fmax), color);
    }
    EXPECT_TRUE(fast == slow);
}

} // namespace
