#pragma once

#include "chart/chart_ticks.h"

#include <QRect>
#include <QStringList>

class ChartAxis;
class QPainter;

// The laid-out scale of one axis: its ticks, their label texts and the room the
// axis needs outside the plot rectangle (ticks, labels and title).
struct ChartAxisScale {
    ChartTicks ticks;
    QStringList labels;
    int thickness = 0;
    // How far the first and the last label reach past the ends of the axis.
    int overhangStart = 0;
    int overhangEnd = 0;
};

// Chooses ticks for an axis pixelLength pixels long so that labels keep clear
// of each other, and measures the room it needs. A hidden axis needs none.
ChartAxisScale layoutChartAxis(const ChartAxis& axis, int pixelLength);

// Grid lines across the plot, painted under the series.
void paintChartAxisGrid(QPainter& painter, const ChartAxis& axis, const ChartAxisScale& scale,
                        const QRect& plot);

// Axis line, ticks, labels and title, painted along the matching plot edge.
void paintChartAxis(QPainter& painter, const ChartAxis& axis, const ChartAxisScale& scale,
                    const QRect& plot);
