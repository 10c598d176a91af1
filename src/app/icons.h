#pragma once

#include <QColor>
#include <QIcon>
#include <QLineF>
#include <QPolygonF>

class QPainter;

namespace app {

// Pictures drawn by the program itself, so that no image files ship with it.
QIcon window_icon(); // a coil spring
QIcon search_icon(); // a magnifying glass over a spring

// The strokes of the spring picture: two end plates and the wire between them.
// Plates are drawn with square caps, the wire with round caps and joins.
struct SpringStrokes {
    QLineF top_plate, bottom_plate;
    QPolygonF wire; // an open polyline
    double plate_width = 0, wire_width = 0;
    QColor plate_color, wire_color;
};

// The window icon on its own 32 x 32 grid, for painting it at any size and for
// writing it as a vector picture (the desktop theme icons are made from it).
constexpr int window_icon_grid = 32;
SpringStrokes window_icon_strokes();
void draw_window_icon(QPainter& p, int size);

} // namespace app
