#include "problem.h"

namespace cattool {

void FileProblems::report(Problem problem) {
    if (problem.file.empty())
        problem.file = file_;
    if (problem.severity == Severity::Error) {
        ++errors_;
    } else {
        ++warnings_;
        const auto [at, added] = warnings_by_code_.try_emplace(problem.code, 0);
        if (added)
            codes_seen_.push_back(problem.code);
        if (++at->second > kSameWarnings)
            return;
    }
    next_.report(std::move(problem));
}

void FileProblems::finish() {
    for (const auto& code : codes_seen_) {
        const int more = warnings_by_code_[code] - kSameWarnings;
        if (more <= 0)
            continue;
        Problem p;
        p.severity = Severity::Warning;
        p.code = code;
        p.file = file_;
        p.message = "… and " + std::to_string(more) + " more warning" + (more == 1 ? "" : "s") +
                    " like these (" + code + ")";
        next_.report(std::move(p));
    }
    warnings_by_code_.clear();
    codes_seen_.clear();
}

} // namespace cattool
