// The line rasteriser shared by the series and the overlay canvas.
#include "charts/chart_raster.h"

#include <QImage>

#include <gtest/gtest.h>

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

} // namespace
