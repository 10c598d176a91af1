#pragma once

#include "chart/chart.h"

#include <string>

// The static stress chart: allowable static stress of three wire grades over
// the wire diameter, in MPa on the hidden right axis, and the selected
// spring's stresses as labelled dots in the display unit on the left axis.
Chart* make_statictau_chart(QWidget* parent);

// `factor` takes MPa into the display stress unit, which `stress_unit` names.
void set_statictau(Chart& chart, double factor = 1.0, const std::string& stress_unit = "MPa");
void set_tauaxis(Chart& chart, double factor, const std::string& stress_unit);
void add_taupoint(Chart& chart, const std::string& designation, double x, double y,
                  const std::string& stress_unit);
