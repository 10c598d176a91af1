#include "app/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace app {
namespace {

// A compression spring seen from the side: a zigzag between two end plates.
void draw_spring(QPainter& p, const QRectF& r, const QColor& wire) {
    p.setPen(QPen(QColor(64, 64, 64), r.width() / 14.0));
    p.drawLine(QPointF(r.left(), r.top()), QPointF(r.right(), r.top()));
    p.drawLine(QPointF(r.left(), r.bottom()), QPointF(r.right(), r.bottom()));
    QPainterPath path(QPointF(r.center().x(), r.top()));
    const int turns = 5;
    for (int i = 0; i < turns; ++i) {
        const double y = r.top() + r.height() * (i + 0.5) / turns;
        path.lineTo(i % 2 ? r.left() + r.width() * 0.15 : r.right() - r.width() * 0.15, y);
    }
    path.lineTo(r.center().x(), r.bottom());
    p.setPen(QPen(wire, r.width() / 10.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

} // namespace

QIcon window_icon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw_spring(p, QRectF(7, 3, 18, 26), QColor(0, 0, 160));
    return QIcon(pixmap);
}

QIcon search_icon() {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw_spring(p, QRectF(2, 3, 10, 18), QColor(0, 0, 160));
    p.setPen(QPen(QColor(40, 40, 40), 2.2));
    p.setBrush(QColor(200, 230, 255, 160));
    p.drawEllipse(QPointF(14, 10), 6, 6);
    p.setPen(QPen(QColor(120, 70, 20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18.5, 14.5), QPointF(22, 21));
    return QIcon(pixmap);
}

} // namespace app
