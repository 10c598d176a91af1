#include "problem.h"

namespace cattool {

void FileProblems::report(Problem problem) {
    if (problem.file.empty())
        problem.file = file_;
    ++(problem.severity == Severity::Error ? errors_ : warnings_);
    next_.report(std::move(problem));
}

} // namespace cattool
