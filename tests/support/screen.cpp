#include "support/screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace testsupport {

void settle(QWidget* widget, int milliseconds) {
    QWidget* top = widget->window();
    QElapsedTimer timer;
    timer.start();
    // The window manager-less X server of the CI exposes a window within a
    // few milliseconds; give up after two seconds and let the comparison fail.
    while (timer.elapsed() < 2000 && !(top->windowHandle() && top->windowHandle()->isExposed())) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    timer.restart();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    QApplication::processEvents();
}

QImage on_screen(QWidget* widget) {
    QWidget* top = widget->window();
    const QPoint at = widget->mapTo(top, QPoint(0, 0));
    QScreen* screen = top->screen();
    const QPixmap shot =
        screen->grabWindow(top->winId(), at.x(), at.y(), widget->width(), widget->height());
    return shot.toImage().convertToFormat(QImage::Format_RGB32);
}

QImage repainted(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int differing_pixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.width() * a.height() + b.width() * b.height();
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            n += (pa[x] & 0xffffff) != (pb[x] & 0xffffff);
    }
    return n;
}

int pixels_of(const QImage& image, const QColor& color, const QRect& rect) {
    const QRect area = rect.isNull() ? image.rect() : rect.intersected(image.rect());
    const QRgb want = color.rgb() & 0xffffff;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            n += (p[x] & 0xffffff) == want;
    }
    return n;
}

} // namespace testsupport
