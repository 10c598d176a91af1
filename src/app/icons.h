#pragma once

#include <QIcon>

namespace app {

// Pictures drawn by the program itself, so that no image files ship with it.
QIcon window_icon(); // a coil spring
QIcon search_icon(); // a magnifying glass over a spring

} // namespace app
