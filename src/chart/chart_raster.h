#pragma once

#include <QImage>
#include <QRect>

#include <vector>

// Draws one-pixel solid lines straight into a 32-bit image. Several times
// faster than QPainter's cosmetic lines for a million segments, and the one
// rasteriser behind both the series and the overlay canvas, so a stroke drawn
// over a segment covers exactly its pixels.
//
// A raster that draws many lines remembers which 16 x 16 tiles already hold
// nothing but the colour being drawn and skips the parts of later lines of
// that colour inside them: the result is the same, and a million segments
// over one plot paint over most of it hundreds of times. So while a raster
// lives nothing else may change the image inside its clip.
class ChartRaster {
public:
    // The image must be Format_RGB32 or Format_ARGB32(_Premultiplied) at a
    // device pixel ratio of 1 (see usable()).
    explicit ChartRaster(QImage& image);

    static bool usable(const QImage& image);

    void setClip(const QRect& clip);
    void removeClip();
    // Both ends are drawn; pixels are those nearest to the exact line along the
    // major direction, the same whichever end comes first.
    void drawLine(int x0, int y0, int x1, int y1, QRgb color);

private:
    // The steps of one line inside the clip. index addresses the pixel of the
    // first step; step i lies i steps further along the major axis and
    // (fixed + i * slope) >> 32 pixels along the minor one.
    struct Span {
        bool steep;
        long long majorFirst, minorFirst, count, fixed, slope;
        qsizetype index;
    };
    struct Tile {
        quint32 generation = 0; // valid only when equal to m_generation
        quint32 written = 0;    // pixels drawn since the tile was last looked at
        quint32 budget = 0;     // pixels to draw before looking again
    };
    static constexpr int kTileShift = 4;
    static constexpr int kTile = 1 << kTileShift;
    static constexpr quint32 kMaxBudget = 1u << 16;
    static constexpr long long kTilesAfter = 1 << 16; // pixels drawn without tiles

    void drawCut(long long x0, long long y0, long long x1, long long y1, quint32 pixel);
    void walkSpan(const Span& span, quint32 pixel);
    void walkSpanByTiles(const Span& span, quint32 pixel);
    size_t tileIndex(long long tx, long long ty) const {
        return static_cast<size_t>(ty) * static_cast<size_t>(m_tileColumns) +
               static_cast<size_t>(tx);
    }
    void wrote(size_t t, long long pixels);
    bool tileHolds(size_t t, quint32 pixel) const;
    void forgetCoverage();

    quint32* m_bits;
    qsizetype m_stride; // in pixels
    QRect m_bounds;
    QRect m_clip;
    int m_tileColumns;
    int m_tileRows;
    std::vector<Tile> m_tiles; // empty until the raster has drawn kTilesAfter pixels
    // Per tile: m_generation when every pixel inside the clip holds m_tilePixel.
    // Apart from the counts, so that the test on every piece of a line stays
    // in the first-level cache.
    std::vector<quint32> m_cover;
    quint32 m_generation = 1;
    quint32 m_tilePixel = 0;
    long long m_drawn = 0;
};
