#include "chart/chart_canvas.h"

#include "chart/chart_raster.h"
#include "chart/chart_recording_canvas.h"
#include "chart/chart_segment_cut.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Coordinates within this bound go to the painter as they are; longer lines
// are cut first so that the rasteriser never sees values near the int limits.
constexpr double kSafeCoordinate = 1 << 20;

bool isSafe(QPoint p) {
    return std::abs(p.x()) <= kSafeCoordinate && std::abs(p.y()) <= kSafeCoordinate;
}

} // namespace

ChartPainterCanvas::ChartPainterCanvas(QPainter& painter, QImage* image, ChartRecordingCanvas* copy)
    : m_painter(painter), m_image(image && ChartRaster::usable(*image) ? image : nullptr),
      m_copy(copy) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setPen(QPen(Qt::black, 1));
    if (m_painter.hasClipping())
        m_outer = m_painter.clipPath();
}

ChartPainterCanvas::~ChartPainterCanvas() {
    m_painter.restore();
}

void ChartPainterCanvas::setPen(const QColor& color, int width, Qt::PenStyle style) {
    m_painter.setPen(QPen(color, std::max(1, width), style));
    m_color = color;
    m_thinSolid = width <= 1 && style == Qt::SolidLine;
    if (m_copy)
        m_copy->setPen(color, width, style);
}

void ChartPainterCanvas::moveTo(int x, int y) {
    m_position = QPoint(x, y);
    if (m_copy)
        m_copy->moveTo(x, y);
}

void ChartPainterCanvas::lineTo(int x, int y) {
    const QPoint to(x, y);
    if (to == m_position) {
        // A line that ends where it starts has no length and draws nothing.
    } else if (m_image && m_thinSolid) {
        ChartRaster raster(*m_image);
        if (m_clipped)
            raster.setClip(m_clip);
        raster.drawLine(m_position.x(), m_position.y(), x, y, m_color.rgba());
    } else if (isSafe(m_position) && isSafe(to)) {
        m_painter.drawLine(m_position, to);
    } else {
        double x0 = m_position.x(), y0 = m_position.y(), x1 = x, y1 = y;
        if (cut_segment_to_square(x0, y0, x1, y1, kSafeCoordinate))
            m_painter.drawLine(QLineF(x0, y0, x1, y1).toLine());
    }
    m_position = to;
    if (m_copy)
        m_copy->lineTo(x, y);
}

void ChartPainterCanvas::clipTo(const QRect& rect) {
    if (m_outer) {
        m_painter.setClipPath(*m_outer);
        m_painter.setClipRect(rect, Qt::IntersectClip);
    } else {
        m_painter.setClipRect(rect);
    }
    m_clipped = true;
    m_clip = rect;
    if (m_copy)
        m_copy->clipTo(rect);
}

void ChartPainterCanvas::removeClip() {
    if (m_outer)
        m_painter.setClipPath(*m_outer);
    else
        m_painter.setClipping(false);
    m_clipped = false;
    if (m_copy)
        m_copy->removeClip();
}

void ChartRecordingCanvas::setPen(const QColor& color, int width, Qt::PenStyle style) {
    Op op{Op::Type::Pen, {}, {}, color, width, style};
    m_ops.push_back(op);
}

void ChartRecordingCanvas::moveTo(int x, int y) {
    m_ops.push_back(Op{Op::Type::Move, QPoint(x, y), {}, {}, 1, Qt::SolidLine});
}

void ChartRecordingCanvas::lineTo(int x, int y) {
    m_ops.push_back(Op{Op::Type::Line, QPoint(x, y), {}, {}, 1, Qt::SolidLine});
}

void ChartRecordingCanvas::clipTo(const QRect& rect) {
    m_ops.push_back(Op{Op::Type::Clip, {}, rect, {}, 1, Qt::SolidLine});
}

void ChartRecordingCanvas::removeClip() {
    m_ops.push_back(Op{Op::Type::Unclip, {}, {}, {}, 1, Qt::SolidLine});
}

std::vector<ChartRecordingCanvas::Line> ChartRecordingCanvas::lines() const {
    std::vector<Line> result;
    QPoint position;
    QColor color = Qt::black;
    int width = 1;
    bool clipped = false;
    QRect clip;
    for (const Op& op : m_ops) {
        switch (op.type) {
        case Op::Type::Pen:
            color = op.color;
            width = op.width;
            break;
        case Op::Type::Move:
            position = op.point;
            break;
        case Op::Type::Line:
            result.push_back(Line{position, op.point, color, width, clipped, clip});
            position = op.point;
            break;
        case Op::Type::Clip:
            clipped = true;
            clip = op.rect;
            break;
        case Op::Type::Unclip:
            clipped = false;
            clip = QRect();
            break;
        }
    }
    return result;
}

void ChartRecordingCanvas::replay(ChartCanvas& target) const {
    for (const Op& op : m_ops) {
        switch (op.type) {
        case Op::Type::Pen:
            target.setPen(op.color, op.width, op.style);
            break;
        case Op::Type::Move:
            target.moveTo(op.point);
            break;
        case Op::Type::Line:
            target.lineTo(op.point);
            break;
        case Op::Type::Clip:
            target.clipTo(op.rect);
            break;
        case Op::Type::Unclip:
            target.removeClip();
            break;
        }
    }
}
