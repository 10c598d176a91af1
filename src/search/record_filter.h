#pragma once

#include "catalogue/table.h"
#include "search/conditions.h"

namespace search {

// Decides whether a catalogue row is visible under the conditions of the last
// search start and the unit factor in force. Rows lacking a value the
// decision needs are rejected.
void ClientDataSet_springFilterRecord(const catalogue::Record& record, bool& accept);

// The filter's rules before any geometry: every value the decision needs
// present, then type, diameters, material and maker of `c`.
bool passes_record_rules(const catalogue::Record& record, const Conditions& c);

} // namespace search
