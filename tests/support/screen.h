#pragma once

#include <QColor>
#include <QImage>

class QWidget;

namespace testsupport {

// Waits for the frame a user would see: the window exposed, the window
// system's answers to every request of the program handled, and two passes
// of the event loop in a row that paint nothing. Fails the test when that
// does not come within seconds.
void settle(QWidget* widget);

// What the screen shows of widget: read back from its window (the backing
// store on the offscreen platform, the X server's pixels under X11), not
// painted anew.
QImage on_screen(QWidget* widget);

// The same widget painted anew, for comparison with what the screen shows.
QImage repainted(QWidget* widget);

// Pixels that differ between two images of the same size (all of them when
// the sizes differ).
int differing_pixels(const QImage& a, const QImage& b);

// Pixels of exactly this colour, inside rect when one is given.
int pixels_of(const QImage& image, const QColor& color, const QRect& rect = QRect());

} // namespace testsupport
