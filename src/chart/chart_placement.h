#pragma once

#include <QRectF>

class Chart;
class QPainter;

// Paints the chart as the screen shows it, overlays of the last paint
// included, into `target` of another painter (a printer, a PDF page): scaled
// to fit with the widget's own aspect ratio and centred, so that texts and
// lines keep their proportions. Series are drawn as vector lines. Returns the
// rectangle the chart took.
QRectF paint_chart_in(Chart& chart, QPainter& painter, const QRectF& target);
