#include "charts/chart_canvas.h"

#include "charts/chart_raster.h"
#include "charts/chart_recording_canvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Coordinates within this bound go to the painter as they are; longer lines
// are cut first so that the rasteriser never sees values near the int limits.
constexpr double kSafeCoordinate = 1 << 20;

// Liang-Barsky: cuts the segment to the square of +-kSafeCoordinate.
bool cutToSafeRange(double& x0, double& y0, double& x1, double& y1) {
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 + kSafeCoordinate, kSafeCoordinate - x0, y0 + kSafeCoordinate,
                         kSafeCoordinate - y0};
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
    const double sx = x0;
    const double sy = y0;
    x0 = std::round(sx + t0 * dx);
    y0 = std::round(sy + t0 * dy);
    x1 = std::round(sx + t1 * dx);
    y1 = std::round(sy + t1 * dy);
    return true;
}

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
    m_painter.setClipping(false);
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
    if (m_image && m_thinSolid) {
        ChartRaster raster(*m_image);
        if (m_clipped)
            raster.setClip(m_clip);
        raster.drawLine(m_position.x(), m_position.y(), x, y, m_color.rgba());
    } else if (isSafe(m_position) && isSafe(to)) {
        m_painter.drawLine(m_position, to);
    } else {
        double x0 = m_position.x(), y0 = m_position.y(), x1 = x, y1 = y;
        if (cutToSafeRange(x0, y0, x1, y1))
            m_painter.drawLine(QLineF(x0, y0, x1, y1).toLine());
    }
    m_position = to;
    if (m_copy)
        m_copy->lineTo(x, y);
}

void ChartPainterCanvas::clipTo(const QRect& rect) {
    m_painter.setClipRect(rect);
    m_clipped = true;
    m_clip = rect;
    if (m_copy)
        m_copy->clipTo(rect);
}

void ChartPainterCanvas::removeClip() {
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
