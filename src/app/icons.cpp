#include "app/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace app {
namespace {

// A compression spring seen from the side: a zigzag between two end plates.
SpringStrokes spring_strokes(const QRectF& r, const QColor& wire) {
    SpringStrokes s;
    s.top_plate = QLineF(r.left(), r.top(), r.right(), r.top());
    s.bottom_plate = QLineF(r.left(), r.bottom(), r.right(), r.bottom());
    s.plate_width = r.width() / 14.0;
    s.plate_color = QColor(64, 64, 64);
    s.wire << QPointF(r.center().x(), r.top());
    const int turns = 5;
    for (int i = 0; i < turns; ++i) {
        const double y = r.top() + r.height() * (i + 0.5) / turns;
        s.wire << QPointF(i % 2 ? r.left() + r.width() * 0.15 : r.right() - r.width() * 0.15, y);
    }
    s.wire << QPointF(r.center().x(), r.bottom());
    s.wire_width = r.width() / 10.0;
    s.wire_color = wire;
    return s;
}

void draw_spring(QPainter& p, const SpringStrokes& s) {
    p.setPen(QPen(s.plate_color, s.plate_width));
    p.drawLine(s.top_plate);
    p.drawLine(s.bottom_plate);
    QPainterPath path(s.wire.first());
    for (int i = 1; i < s.wire.size(); ++i)
        path.lineTo(s.wire[i]);
    p.setPen(QPen(s.wire_color, s.wire_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

} // namespace

SpringStrokes window_icon_strokes() {
    return spring_strokes(QRectF(7, 3, 18, 26), QColor(0, 0, 160));
}

void draw_window_icon(QPainter& p, int size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double scale = double(size) / window_icon_grid;
    p.scale(scale, scale);
    draw_spring(p, window_icon_strokes());
    p.restore();
}

QIcon window_icon() {
    QPixmap pixmap(window_icon_grid, window_icon_grid);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    draw_window_icon(p, window_icon_grid);
    return QIcon(pixmap);
}

QIcon search_icon() {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw_spring(p, spring_strokes(QRectF(2, 3, 10, 18), QColor(0, 0, 160)));
    p.setPen(QPen(QColor(40, 40, 40), 2.2));
    p.setBrush(QColor(200, 230, 255, 160));
    p.drawEllipse(QPointF(14, 10), 6, 6);
    p.setPen(QPen(QColor(120, 70, 20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18.5, 14.5), QPointF(22, 21));
    return QIcon(pixmap);
}

} // namespace app
