#pragma once

#include "chart/chart.h"

// The fatigue diagram: minimum over maximum stress, both relative to the
// tensile strength, with the fixed fatigue-limit lines, the admissible region
// for a cycle count and the selected spring's working point.
Chart* make_dynamictau_chart(QWidget* parent);

void set_dhoyo(ChartSeries& series);
// The series is emptied only once the outline could be computed.
void set_dynarea(ChartSeries& series, double cycles);
void add_dtaupoint(Chart& chart, double x, double y);
