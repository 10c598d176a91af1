// tarvolin-catalogue import CSV -o FILE
#pragma once

#include "csv_text.h"
#include "exit_status.h"
#include "report.h"

#include <ostream>
#include <string>

namespace cattool {

struct ImportOptions {
    std::string csv;
    std::string output;
    bool utf8 = false;  // write the packet in UTF-8 instead of code page 932
    bool force = false; // overwrite an existing output
    CsvEncoding csv_encoding = CsvEncoding::Auto;
    Format format = Format::Text;
    bool progress = false;
};

// Builds a catalogue or maker packet (told apart by the header's field
// names) from a CSV file whose first record names the fields in any order.
// Every row goes through the checks of `check`; on any error nothing is
// written and the result is kProblems. kUnreadable when the CSV cannot be
// read, the output exists without `force`, or it cannot be written.
int run_import(const ImportOptions& options, std::ostream& out, std::ostream& err);

} // namespace cattool
