// The command line of tarvolin-catalogue: its subcommands and options.
#pragma once

#include <ostream>

namespace cattool {

// Parses the arguments and runs the command; returns the exit status. Usage
// errors give 2, like a file that cannot be read.
int run_cli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace cattool
