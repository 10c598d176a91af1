#pragma once

#include "chart/chart.h"

#include <string>

// The static stress chart: allowable static stress of three wire grades over
// the wire diameter, in MPa on the hidden right axis, and the selected
// spring's stresses as labelled dots in the display unit on the left axis.
Chart* make_statictau_chart(QWidget* parent);

void set_statictau(Chart& chart);
void set_tauaxis(Chart& chart);
void add_taupoint(Chart& chart, const std::string& designation, double x, double y);
