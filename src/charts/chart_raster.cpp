#include "charts/chart_raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Lines are cut to this box first so that the fixed-point steps below cannot overflow.
constexpr double kLimit = 1 << 22;

bool cutToLimit(double& x0, double& y0, double& x1, double& y1) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 + kLimit, kLimit - x0, y0 + kLimit, kLimit - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double sx = x0, sy = y0;
    x0 = std::round(sx + t0 * dx);
    y0 = std::round(sy + t0 * dy);
    x1 = std::round(sx + t1 * dx);
    y1 = std::round(sy + t1 * dy);
    return true;
}

} // namespace

ChartRaster::ChartRaster(QImage& image)
    : m_bits(reinterpret_cast<quint32*>(image.bits())), m_stride(image.bytesPerLine() / 4),
      m_bounds(QPoint(0, 0), image.size()), m_clip(m_bounds) {}

bool ChartRaster::usable(const QImage& image) {
    const auto format = image.format();
    return image.devicePixelRatio() == 1.0 &&
           (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
            format == QImage::Format_ARGB32_Premultiplied);
}

void ChartRaster::setClip(const QRect& clip) {
    m_clip = clip.intersected(m_bounds);
}

void ChartRaster::removeClip() {
    m_clip = m_bounds;
}

void ChartRaster::drawLine(int x0, int y0, int x1, int y1, QRgb color) {
    if (m_clip.isEmpty())
        return;
    const quint32 pixel = qPremultiply(color);
    const auto far = [](int v) { return v < -kLimit || v > kLimit; };
    if (far(x0) || far(y0) || far(x1) || far(y1)) {
        double a = x0, b = y0, c = x1, d = y1;
        if (!cutToLimit(a, b, c, d))
            return;
        drawCut(static_cast<long long>(a), static_cast<long long>(b), static_cast<long long>(c),
                static_cast<long long>(d), pixel);
        return;
    }
    drawCut(x0, y0, x1, y1, pixel);
}

namespace {

long long floorDiv(long long a, long long b) { // b > 0
    const long long q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Walks the minor coordinate along the major one exactly (Bresenham): at step k
// it is start + floor((2k * minor + major) / (2 * major)), the nearest pixel
// with halves rounded up.
class MinorWalk {
public:
    MinorWalk(long long start, long long major, long long minor, long long k)
        : m_twoMajor(2 * major), m_twoMinor(2 * minor) {
        const long long v = k * m_twoMinor + major;
        m_q = floorDiv(v, m_twoMajor);
        m_r = v - m_q * m_twoMajor;
        m_q += start;
    }
    long long value() const { return m_q; }
    void next() {
        m_r += m_twoMinor;
        if (m_r >= m_twoMajor) {
            m_r -= m_twoMajor;
            ++m_q;
        } else if (m_r < 0) {
            m_r += m_twoMajor;
            --m_q;
        }
    }

private:
    long long m_twoMajor, m_twoMinor, m_q, m_r;
};

} // namespace

void ChartRaster::drawCut(long long x0, long long y0, long long x1, long long y1, quint32 pixel) {
    const long long left = m_clip.left(), right = m_clip.right();
    const long long top = m_clip.top(), bottom = m_clip.bottom();
    long long dx = x1 - x0;
    long long dy = y1 - y0;
    if (std::llabs(dy) >= std::llabs(dx)) {
        // Steep (or a single point): one pixel per row, rows in increasing order.
        if (dy < 0) {
            std::swap(x0, x1);
            std::swap(y0, y1);
            dx = -dx;
            dy = -dy;
        }
        const long long first = std::max(y0, top);
        const long long last = std::min(y1, bottom);
        if (first > last)
            return;
        MinorWalk x(x0, std::max(dy, 1LL), dx, first - y0);
        quint32* row = m_bits + first * m_stride;
        for (long long y = first; y <= last; ++y, row += m_stride, x.next()) {
            const long long xi = x.value();
            if (xi >= left && xi <= right)
                row[xi] = pixel;
        }
    } else {
        // Flat: one pixel per column.
        if (dx < 0) {
            std::swap(x0, x1);
            std::swap(y0, y1);
            dx = -dx;
            dy = -dy;
        }
        const long long first = std::max(x0, left);
        const long long last = std::min(x1, right);
        if (first > last)
            return;
        MinorWalk y(y0, dx, dy, first - x0);
        for (long long x = first; x <= last; ++x, y.next()) {
            const long long yi = y.value();
            if (yi >= top && yi <= bottom)
                m_bits[yi * m_stride + x] = pixel;
        }
    }
}
