// tarvolin-catalogue check FILE...
#pragma once

#include "exit_status.h"
#include "report.h"

#include <ostream>
#include <string>
#include <vector>

namespace cattool {

struct CheckOptions {
    std::vector<std::string> files;
    Format format = Format::Text;
    bool progress = false; // also when stderr is not a terminal
};

// Checks each file as a catalogue or maker packet (told apart by the fields
// it declares) and, when both kinds are given, the catalogue's makers against
// the maker rows. Returns kClean, kProblems, or kUnreadable when a file could
// not be read at all.
int run_check(const CheckOptions& options, std::ostream& out, std::ostream& err);

// The same, reporting to `reporter`; progress goes to `progress_out` unless null.
int check_files(const std::vector<std::string>& files, Reporter& reporter,
                std::ostream* progress_out, bool terminal);

} // namespace cattool
