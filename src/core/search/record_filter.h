#pragma once

#include "core/catalogue/table.h"
#include "core/search/conditions.h"

#include <functional>

namespace search {

// Decides whether a catalogue row is visible under the conditions of the last
// search start and the unit factor in force. Rows lacking a value the
// decision needs are rejected.
void ClientDataSet_springFilterRecord(const catalogue::Record& record, bool& accept);

// The filter's rules before any geometry: every value the decision needs
// present, then type, diameters, material and maker of `c`.
bool passes_record_rules(const catalogue::Record& record, const Conditions& c);

// Whether both edges of a spring's load band, its load line with each load F (N) moved
// by -/+ plus_minus(F), meet both windows of `c`. The tolerance must be linear in the
// load, as a fraction and a tolerance grade are, so that the edges are straight.
bool load_band_meets_windows(const catalogue::Record& record, const Conditions& c,
                             double unit_factor, const std::function<double(double)>& plus_minus);
// The load line of a spring, from (lo, fo) to (lmax, fmax), with the loads
// (stored in N) in the display unit of `unit_factor`.
geometry::Segment load_line(double lo, double fo, double lmax, double fmax, double unit_factor);
geometry::Segment load_line(const catalogue::Record& record, double unit_factor);

} // namespace search
