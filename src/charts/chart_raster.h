#pragma once

#include <QImage>
#include <QRect>

// Draws one-pixel solid lines straight into a 32-bit image. Several times
// faster than QPainter's cosmetic lines for a million segments, and the one
// rasteriser behind both the series and the overlay canvas, so a stroke drawn
// over a segment covers exactly its pixels.
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
    void drawCut(long long x0, long long y0, long long x1, long long y1, quint32 pixel);

    quint32* m_bits;
    qsizetype m_stride; // in pixels
    QRect m_bounds;
    QRect m_clip;
};
