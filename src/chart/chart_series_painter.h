#pragma once

#include <QRect>

class QImage;
class QPainter;
class ChartAxis;
class ChartSeries;

// Paints one series in pixel coordinates given by its axes: the segments
// clipped to the plot rectangle, the marks on top, unclipped. When the painter
// draws on image and the image suits ChartRaster, thin segments are written
// straight into it.
void paintChartSeries(QPainter& painter, QImage* image, const ChartSeries& series,
                      const QRect& plot);

// Maps values onto the pixels of an axis in bulk, with exactly the results of
// ChartAxis::valueToPixel.
void mapChartValues(const ChartAxis& axis, const double* values, int count, int* pixels);
