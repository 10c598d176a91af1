#pragma once

#include "catalogue/table.h"

namespace search {

// Decides whether a catalogue row is visible under the conditions of the last
// search start and the unit factor in force. Rows lacking a value the
// decision needs are rejected.
void ClientDataSet_springFilterRecord(const catalogue::Record& record, bool& accept);

} // namespace search
