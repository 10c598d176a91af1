// What the commands print: every problem as it is found, a line per file that
// could not be read, and a summary at the end; as text or as JSON.
#pragma once

#include "problem.h"

#include <memory>
#include <ostream>
#include <string>

namespace cattool {

struct FileSummary {
    std::string file;
    std::string kind; // "spring", "maker" or "csv"; empty when unreadable
    long rows = 0;
    int errors = 0;
    int warnings = 0;
    bool unreadable = false;
    std::string reason; // why the file could not be read
};

struct Summary {
    int files = 0;
    long rows = 0;
    int errors = 0;
    int warnings = 0;
    int unreadable = 0;
    std::string outcome; // what the command did, e.g. "wrote spring_data.xml"
};

class Reporter : public ProblemSink {
public:
    virtual void fileDone(const FileSummary& file) = 0;
    virtual void finish(const Summary& summary) = 0;
};

enum class Format { Text, Json };

std::unique_ptr<Reporter> make_reporter(Format format, std::ostream& out);

// Spreadsheet name of a column: 1 -> "A", 27 -> "AA".
std::string column_name(int column);

} // namespace cattool
