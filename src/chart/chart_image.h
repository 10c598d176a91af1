#pragma once

#include <QImage>
#include <QString>

class Chart;

// The chart as the screen shows it, overlays included, for reports: a raster
// image at `scale` times the widget's pixel size, or a file written whole or
// not at all.
QImage chart_image(Chart& chart, qreal scale = 2.0);

// Writes an SVG drawing when the path ends in ".svg", else a PNG at twice the
// widget's pixel size. Throws std::runtime_error with the reason on failure.
void save_chart_image(Chart& chart, const QString& path);
