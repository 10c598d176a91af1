// One finding of a check, and where findings go.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace cattool {

// Errors make a file unusable or a row wrong for the search; an import stops
// on them. Warnings are worth a look but leave the row usable.
enum class Severity { Error, Warning };

struct Problem {
    Severity severity = Severity::Error;
    std::string code;    // stable identifier for scripts, e.g. "rate-mismatch"
    std::string file;    // set by whoever reports for a file
    int row = 0;         // 0 for a problem of the file as a whole
    int column = 0;      // CSV column (1 = A), 0 where there is none
    std::string field;   // record field, empty when none applies
    std::string message; // UTF-8
};

class ProblemSink {
public:
    virtual ~ProblemSink() = default;
    virtual void report(Problem problem) = 0;
};

// Warnings of one kind passed on per file; the rest are only counted.
constexpr int kSameWarnings = 20;

// Counts what passes through on its way to another sink, with the file name
// filled in. Of each kind of warning (its code) the first kSameWarnings pass;
// finish() then says how many more there were. Errors all pass.
class FileProblems : public ProblemSink {
public:
    FileProblems(std::string file, ProblemSink& next) : file_(std::move(file)), next_(next) {}
    void report(Problem problem) override;
    // Reports "… and N more" for every kind of warning that was held back.
    void finish();
    int errors() const { return errors_; }
    int warnings() const { return warnings_; }

private:
    std::string file_;
    ProblemSink& next_;
    int errors_ = 0;
    int warnings_ = 0;
    std::map<std::string, int> warnings_by_code_;
    std::vector<std::string> codes_seen_; // first-seen order
};

} // namespace cattool
