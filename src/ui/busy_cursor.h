// The hourglass over the whole program while something takes a moment.
#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace ui {

// Shows the wait cursor for its lifetime; the cursor of before comes back however
// the scope ends.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace ui
