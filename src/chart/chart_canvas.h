#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPoint>
#include <QRect>

#include <optional>

class QPainter;

// Pen drawing in the pixel coordinates of a chart, for the program's overlays.
// Abstract so that the drawing can be recorded or sent somewhere else.
class ChartCanvas {
public:
    virtual ~ChartCanvas() = default;

    virtual void setPen(const QColor& color, int width = 1, Qt::PenStyle style = Qt::SolidLine) = 0;
    virtual void moveTo(int x, int y) = 0;
    // Draws from the current position to (x, y), which becomes the current position.
    virtual void lineTo(int x, int y) = 0;
    virtual void clipTo(const QRect& rect) = 0;
    virtual void removeClip() = 0;

    void moveTo(QPoint p) { moveTo(p.x(), p.y()); }
    void lineTo(QPoint p) { lineTo(p.x(), p.y()); }
};

class ChartRecordingCanvas;
class QImage;

// A canvas that draws with a painter. When the painter draws on a 32-bit
// image, given as image, thin solid lines go through the same rasteriser as
// the series, so a stroke over a segment covers exactly its pixels. Every call
// can also be copied into a recording.
class ChartPainterCanvas final : public ChartCanvas {
public:
    explicit ChartPainterCanvas(QPainter& painter, QImage* image = nullptr,
                                ChartRecordingCanvas* copy = nullptr);
    ~ChartPainterCanvas() override;

    void setPen(const QColor& color, int width = 1, Qt::PenStyle style = Qt::SolidLine) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void clipTo(const QRect& rect) override;
    void removeClip() override;
    using ChartCanvas::lineTo;
    using ChartCanvas::moveTo;

private:
    QPainter& m_painter;
    QImage* m_image;
    ChartRecordingCanvas* m_copy;
    QPoint m_position;
    QColor m_color = Qt::black;
    bool m_thinSolid = true;
    bool m_clipped = false;
    QRect m_clip;
    // The painter's clip when the canvas was made: every clip stays inside it.
    std::optional<QPainterPath> m_outer;
};
