#include "maker_cross_check.h"

#include "row_checker.h"

#include <algorithm>
#include <utility>

namespace cattool {

void MakerCrossCheck::addMakers(const std::string& file, const std::set<std::string>& names) {
    maker_files_.push_back(file);
    makers_.insert(names.begin(), names.end());
}

void MakerCrossCheck::addUses(const MakerUses& uses, ProblemSink& sink) {
    catalogues_.push_back({uses, &sink});
}

void MakerCrossCheck::report() const {
    if (maker_files_.empty())
        return;
    std::string where;
    for (const auto& f : maker_files_)
        where += (where.empty() ? "" : ", ") + f;
    for (const auto& catalogue : catalogues_) {
        std::vector<std::pair<int, const std::string*>> missing;
        for (const auto& [maker, rows] : catalogue.uses) {
            if (makers_.count(maker) == 0) {
                for (const int row : rows)
                    missing.emplace_back(row, &maker);
            }
        }
        std::sort(missing.begin(), missing.end());
        for (const auto& [row, maker] : missing) {
            Problem p;
            p.severity = Severity::Warning;
            p.code = "unknown-maker";
            p.row = row;
            p.field = "maker";
            p.message = quoted(*maker) + " has no row in " + where + ": the maker box stays empty";
            catalogue.sink->report(std::move(p));
        }
    }
}

} // namespace cattool
