// The theme icons that install with the program are its own window icon.
#include "app/icons.h"

#include <QImage>
#include <QPixmap>
#include <QString>
#include <gtest/gtest.h>

namespace {

QImage theme_png(int size) {
    return QImage(QStringLiteral(THEME_ICON_DIR "/tarvolin-%1.png").arg(size));
}

// Pixels where the wire colour dominates: the spring is drawn, not an empty square.
int wire_pixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.alpha() > 128 && c.blue() > 2 * c.red() + 40;
        }
    return count;
}

TEST(ThemeIcons, WindowSizeMatchesWindowIconPixelForPixel) {
    const QImage png = theme_png(32).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(png.isNull());
    const QImage window = app::window_icon().pixmap(32, 32).toImage().convertToFormat(
        QImage::Format_ARGB32);
    EXPECT_TRUE(png == window) << "the 32 px theme icon is not the window icon";
}

TEST(ThemeIcons, EverySizeIsSquareAndShowsTheSpring) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage png = theme_png(size);
        ASSERT_FALSE(png.isNull());
        EXPECT_EQ(png.size(), QSize(size, size));
        EXPECT_TRUE(png.hasAlphaChannel());
        // The wire covers a fixed share of the picture at any size, give or
        // take the blur of small sizes.
        const double share = double(wire_pixels(png)) / (size * size);
        EXPECT_GT(share, 0.08);
        EXPECT_LT(share, 0.4);
    }
}

} // namespace
