#include "chart/chart_raster.h"
#include "chart/chart_segment_cut.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Lines are cut to this box first so that the fixed-point steps below cannot overflow.
constexpr double kLimit = 1 << 22;

} // namespace

ChartRaster::ChartRaster(QImage& image)
    : m_bits(reinterpret_cast<quint32*>(image.bits())), m_stride(image.bytesPerLine() / 4),
      m_bounds(QPoint(0, 0), image.size()), m_clip(m_bounds),
      m_tileColumns((image.width() + kTile - 1) / kTile),
      m_tileRows((image.height() + kTile - 1) / kTile) {}

bool ChartRaster::usable(const QImage& image) {
    const auto format = image.format();
    return image.devicePixelRatio() == 1.0 &&
           (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
            format == QImage::Format_ARGB32_Premultiplied);
}

void ChartRaster::setClip(const QRect& clip) {
    m_clip = clip.intersected(m_bounds);
    // Coverage was judged inside the old clip only.
    forgetCoverage();
}

void ChartRaster::removeClip() {
    m_clip = m_bounds;
    forgetCoverage();
}

void ChartRaster::drawLine(int x0, int y0, int x1, int y1, QRgb color) {
    if (m_clip.isEmpty())
        return;
    const quint32 pixel = qPremultiply(color);
    if (pixel != m_tilePixel) {
        // Tiles covered by the previous colour are covered no more.
        forgetCoverage();
        m_tilePixel = pixel;
    }
    const auto beyond = [](int v) { return v < -kLimit || v > kLimit; };
    if (beyond(x0) || beyond(y0) || beyond(x1) || beyond(y1)) {
        double a = x0, b = y0, c = x1, d = y1;
        if (!cut_segment_to_square(a, b, c, d, kLimit))
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

long long ceilDiv(long long a, long long b) { // b > 0
    return -floorDiv(-a, b);
}

// The pixels of one line, one per step along the major axis: at step k the
// minor coordinate is minorStart + floor((2k * minor + major) / (2 * major)),
// the nearest pixel with halves rounded up (exact Bresenham). major > 0,
// |minor| <= major.
struct Walk {
    long long minorStart, major, minor;

    long long at(long long k) const {
        return minorStart + floorDiv(2 * k * minor + major, 2 * major);
    }

    // Narrows the steps [first, last] to those whose minor coordinate lies in
    // [lo, hi]; the minor coordinate is monotonic in k, so they form one range.
    // Returns false when none is left.
    bool narrow(long long& first, long long& last, long long lo, long long hi) const {
        const long long m = major;
        if (minor == 0) {
            const long long v = at(0);
            return v >= lo && v <= hi && first <= last;
        }
        const long long low = lo - minorStart, high = hi - minorStart;
        if (minor > 0) {
            // at(k) >= lo  <=>  2k*minor + m >= 2m*low
            first = std::max(first, ceilDiv(2 * m * low - m, 2 * minor));
            // at(k) <= hi  <=>  2k*minor + m < 2m*(high + 1)
            last = std::min(last, floorDiv(2 * m * (high + 1) - m - 1, 2 * minor));
        } else {
            const long long d = -minor;
            // at(k) <= hi  <=>  m - 2k*d < 2m*(high + 1)
            first = std::max(first, floorDiv(m - 2 * m * (high + 1), 2 * d) + 1);
            // at(k) >= lo  <=>  m - 2k*d >= 2m*low
            last = std::min(last, floorDiv(m - 2 * m * low, 2 * d));
        }
        return first <= last;
    }
};

} // namespace

void ChartRaster::drawCut(long long x0, long long y0, long long x1, long long y1, quint32 pixel) {
    const long long left = m_clip.left(), right = m_clip.right();
    const long long top = m_clip.top(), bottom = m_clip.bottom();
    const bool steep = std::llabs(y1 - y0) >= std::llabs(x1 - x0);
    // Major axis first, walked in increasing order; a single point counts as steep.
    long long a0 = steep ? y0 : x0, a1 = steep ? y1 : x1;
    long long b0 = steep ? x0 : y0, b1 = steep ? x1 : y1;
    if (a1 < a0) {
        std::swap(a0, a1);
        std::swap(b0, b1);
    }
    const long long majorLo = steep ? top : left, majorHi = steep ? bottom : right;
    const long long minorLo = steep ? left : top, minorHi = steep ? right : bottom;
    const Walk walk{b0, std::max(a1 - a0, 1LL), b1 - b0};
    // Only the steps whose pixel lies inside the clip are walked.
    long long first = std::max(a0, majorLo) - a0;
    long long last = std::min(a1, majorHi) - a0;
    if (first > last || !walk.narrow(first, last, minorLo, minorHi))
        return;

    // Pixel index = major * majorStep + minor * minorStep.
    const qsizetype majorStep = steep ? m_stride : 1;
    const qsizetype minorStep = steep ? 1 : m_stride;
    const long long count = last - first + 1;
    const long long minorFirst = walk.at(first);
    qsizetype index = (a0 + first) * majorStep + minorFirst * minorStep;

    // The minor coordinate as 32.32 fixed point relative to minorFirst, with
    // the start and the slope rounded up. Each step adds less than 2^-32 of
    // error; the exact value's fraction is a multiple of 1 / (2 * major), so
    // the integer part stays exact while count * 2 * major <= 2^32.
    const long long twoMajor = 2 * walk.major;
    const long long rest = 2 * first * walk.minor + walk.major - (minorFirst - b0) * twoMajor;
    if (count * twoMajor <= (1LL << 32)) {
        const long long fixed =
            static_cast<long long>(((static_cast<unsigned long long>(rest) << 32) +
                                    static_cast<unsigned long long>(twoMajor) - 1) /
                                   static_cast<unsigned long long>(twoMajor));
        const long long slope = ceilDiv(walk.minor * (1LL << 32), walk.major);
        const Span span{steep, a0 + first, minorFirst, count, fixed, slope, index};
        if (m_tiles.empty()) {
            walkSpan(span, pixel);
            // A raster that draws a lot starts keeping track of covered tiles.
            m_drawn += count;
            if (m_drawn >= kTilesAfter) {
                m_tiles.resize(static_cast<size_t>(m_tileColumns) * m_tileRows);
                m_cover.resize(m_tiles.size());
            }
        } else {
            walkSpanByTiles(span, pixel);
        }
        return;
    }

    // Very long lines (only when cut from far away): the exact integer walk.
    long long r = rest;
    const long long step = 2 * walk.minor;
    for (long long i = 0; i < count; ++i, index += majorStep) {
        m_bits[index] = pixel;
        r += step;
        if (r >= twoMajor) {
            r -= twoMajor;
            index += minorStep;
        } else if (r < 0) {
            r += twoMajor;
            index -= minorStep;
        }
    }
}

void ChartRaster::walkSpan(const Span& span, quint32 pixel) {
    quint32* const bits = m_bits;
    qsizetype index = span.index;
    long long fixed = span.fixed;
    if (span.steep) {
        for (long long i = 0; i < span.count; ++i, index += m_stride, fixed += span.slope)
            bits[index + (fixed >> 32)] = pixel;
    } else {
        for (long long i = 0; i < span.count; ++i, ++index, fixed += span.slope)
            bits[index + (fixed >> 32) * m_stride] = pixel;
    }
}

void ChartRaster::walkSpanByTiles(const Span& span, quint32 pixel) {
    const qsizetype majorStep = span.steep ? m_stride : 1;
    const qsizetype minorStep = span.steep ? 1 : m_stride;
    // Tile index = tile major * majorTiles + tile minor * minorTiles.
    const size_t majorTiles = span.steep ? static_cast<size_t>(m_tileColumns) : 1;
    const size_t minorTiles = span.steep ? 1 : static_cast<size_t>(m_tileColumns);
    quint32* const bits = m_bits;
    const quint32* const cover = m_cover.data();
    const quint32 generation = m_generation;
    const bool rising = span.slope >= 0;
    qsizetype index = span.index;
    long long fixed = span.fixed;
    size_t majorTile = static_cast<size_t>(span.majorFirst >> kTileShift) * majorTiles;
    // One piece of the line within one tile row (steep) or column (flat):
    // the minor coordinate moves by at most a pixel a step, so the piece lies
    // in one tile or two neighbours.
    const auto piece = [&](long long len) {
        const long long lastStep = (len - 1) * span.slope;
        const long long m0 = span.minorFirst + ((rising ? fixed : fixed + lastStep) >> 32);
        const long long m1 = span.minorFirst + ((rising ? fixed + lastStep : fixed) >> 32);
        const size_t t0 = majorTile + static_cast<size_t>(m0 >> kTileShift) * minorTiles;
        const size_t t1 = majorTile + static_cast<size_t>(m1 >> kTileShift) * minorTiles;
        if (cover[t0] == generation && cover[t1] == generation) {
            fixed += len * span.slope;
            index += len * majorStep;
        } else {
            for (long long i = 0; i < len; ++i, index += majorStep, fixed += span.slope)
                bits[index + (fixed >> 32) * minorStep] = pixel;
            wrote(t0, len);
            if (t1 != t0)
                wrote(t1, len);
        }
        majorTile += majorTiles;
    };
    long long left = span.count;
    const long long head = std::min(left, kTile - (span.majorFirst & (kTile - 1)));
    piece(head);
    left -= head;
    for (; left >= kTile; left -= kTile)
        piece(kTile);
    if (left > 0)
        piece(left);
}

void ChartRaster::forgetCoverage() {
    if (++m_generation == 0) {
        // The stamps wrapped around: clear them so that none looks current.
        std::fill(m_tiles.begin(), m_tiles.end(), Tile());
        std::fill(m_cover.begin(), m_cover.end(), 0u);
        m_generation = 1;
    }
}

void ChartRaster::wrote(size_t t, long long pixels) {
    Tile& tile = m_tiles[t];
    if (tile.generation != m_generation)
        tile = Tile{m_generation, 0, kTile * kTile};
    tile.written += static_cast<quint32>(pixels);
    if (tile.written < tile.budget)
        return;
    // Enough has been drawn here to look whether the tile is covered yet; if
    // not, look again only after twice as much, so that tiles on the edge of
    // the drawing are not scanned over and over.
    tile.written = 0;
    if (tileHolds(t, m_tilePixel))
        m_cover[t] = m_generation;
    else if (tile.budget < kMaxBudget)
        tile.budget *= 2;
}

bool ChartRaster::tileHolds(size_t t, quint32 pixel) const {
    // Only the pixels inside the clip count: the others are never drawn.
    const int tx = static_cast<int>(t % static_cast<size_t>(m_tileColumns));
    const int ty = static_cast<int>(t / static_cast<size_t>(m_tileColumns));
    const QRect area = QRect(tx * kTile, ty * kTile, kTile, kTile).intersected(m_clip);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const quint32* row = m_bits + y * m_stride;
        for (int x = area.left(); x <= area.right(); ++x)
            if (row[x] != pixel)
                return false;
    }
    return true;
}
