#pragma once

#include <QColor>
#include <QImage>

class QWidget;

namespace testsupport {

// Lets pending paints reach the window system: events are processed until
// the window is exposed and for a few more milliseconds, so that what the
// screen holds is what the program last drew.
void settle(QWidget* widget, int milliseconds = 60);

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
