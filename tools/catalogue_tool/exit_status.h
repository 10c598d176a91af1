// Exit statuses of every command.
#pragma once

namespace cattool {

enum ExitStatus {
    kClean = 0,      // nothing wrong; the output, if any, is written
    kProblems = 1,   // problems found; an import writes nothing then
    kUnreadable = 2, // a file cannot be read or written, or the command line is wrong
};

} // namespace cattool
