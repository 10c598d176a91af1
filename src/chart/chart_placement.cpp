#include "chart/chart_placement.h"

#include "chart/chart.h"

#include <QPainter>

#include <algorithm>

QRectF paint_chart_in(Chart& chart, QPainter& painter, const QRectF& target) {
    const QSizeF size = chart.size();
    if (size.isEmpty() || target.isEmpty())
        return {};
    const qreal scale = std::min(target.width() / size.width(), target.height() / size.height());
    const QSizeF placed = size * scale;
    const QRectF at(target.x() + (target.width() - placed.width()) / 2,
                    target.y() + (target.height() - placed.height()) / 2, placed.width(),
                    placed.height());
    painter.save();
    painter.translate(at.topLeft());
    painter.scale(scale, scale);
    // The chart paints its whole widget rectangle; nothing of it may spill
    // over the rest of the page.
    painter.setClipRect(QRectF(QPointF(0, 0), size), Qt::IntersectClip);
    chart.renderExport(painter);
    painter.restore();
    return at;
}
