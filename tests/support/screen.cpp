#include "support/screen.h"

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace testsupport {

namespace {

// Counts the paint events of one window's widgets.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* top) : top_(top) { qApp->installEventFilter(this); }
    ~PaintCount() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == top_)
                ++count;
        }
        return false;
    }

private:
    QWidget* top_;
};

} // namespace

void settle(QWidget* widget) {
    QWidget* top = widget->window();
    ASSERT_TRUE(top->windowHandle() && QTest::qWaitForWindowExposed(top->windowHandle()))
        << "the window was never exposed";
    PaintCount paints(top);
    int quiet = 0;
    const bool calm = QTest::qWaitFor([&] {
        // After the round trip, whatever the window system did in answer to
        // the program (configure, expose) waits in the queue.
        QGuiApplication::sync();
        paints.count = 0;
        QApplication::processEvents();
        quiet = paints.count == 0 ? quiet + 1 : 0;
        return quiet >= 2;
    });
    EXPECT_TRUE(calm) << "the window kept painting";
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
