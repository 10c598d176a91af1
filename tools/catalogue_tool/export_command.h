// tarvolin-catalogue export FILE -o CSV
#pragma once

#include "csv_text.h"
#include "exit_status.h"

#include <ostream>
#include <string>

namespace cattool {

struct ExportOptions {
    std::string packet;
    std::string output;
    CsvEncoding csv_encoding = CsvEncoding::Utf8; // UTF-8 is written with a byte-order mark
    bool force = false;
    bool progress = false;
};

// Writes the rows of a catalogue or maker packet as CSV: a header naming the
// record's fields in record order, then one record per row with the values
// as the packet has them, texts decoded. Import reads it back unchanged.
// kClean when written; kUnreadable when the packet cannot be read, the
// output exists without `force`, or it cannot be written.
int run_export(const ExportOptions& options, std::ostream& out, std::ostream& err);

} // namespace cattool
