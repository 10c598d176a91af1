// A plain line rasteriser for the chart tests to compare against.
#pragma once

#include <QImage>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

// The rasteriser as first written: the exact integer walk over every step
// along the major axis, each pixel tested against the clip. Slow and plain,
// it is the yardstick for the stepping and clipping shortcuts.
class ReferenceRaster {
public:
    ReferenceRaster(QImage& image, const QRect& clip)
        : m_image(image), m_clip(clip.intersected(image.rect())) {}

    void drawLine(int x0, int y0, int x1, int y1, QRgb color) {
        if (m_clip.isEmpty())
            return;
        constexpr double limit = 1 << 22;
        const auto far = [](int v) { return v < -limit || v > limit; };
        if (!far(x0) && !far(y0) && !far(x1) && !far(y1)) {
            walk(x0, y0, x1, y1, color);
            return;
        }
        double a = x0, b = y0, c = x1, d = y1, t0 = 0.0, t1 = 1.0;
        const double dx = c - a, dy = d - b;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {a + limit, limit - a, b + limit, limit - b};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0.0) {
                if (q[i] < 0.0)
                    return;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0.0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            if (t0 > t1)
                return;
        }
        walk(std::llround(a + t0 * dx), std::llround(b + t0 * dy), std::llround(a + t1 * dx),
             std::llround(b + t1 * dy), color);
    }

private:
    static long long floorDiv(long long a, long long b) {
        const long long q = a / b;
        return (a % b != 0 && a < 0) ? q - 1 : q;
    }
    void walk(long long x0, long long y0, long long x1, long long y1, QRgb color) {
        const bool steep = std::llabs(y1 - y0) >= std::llabs(x1 - x0);
        if (steep ? y1 < y0 : x1 < x0) {
            std::swap(x0, x1);
            std::swap(y0, y1);
        }
        const long long major = std::max(steep ? y1 - y0 : x1 - x0, 1LL);
        const long long minor = steep ? x1 - x0 : y1 - y0;
        const long long from = steep ? y0 : x0, to = steep ? y1 : x1;
        for (long long a = from; a <= to; ++a) {
            const long long b =
                (steep ? x0 : y0) + floorDiv(2 * (a - from) * minor + major, 2 * major);
            const long long x = steep ? b : a, y = steep ? a : b;
            if (m_clip.contains(static_cast<int>(x), static_cast<int>(y)))
                m_image.setPixel(static_cast<int>(x), static_cast<int>(y), color);
        }
    }

    QImage& m_image;
    QRect m_clip;
};
