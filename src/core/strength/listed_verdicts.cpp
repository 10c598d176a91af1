#include "core/strength/listed_verdicts.h"

#include "core/catalogue/spring_record.h"

#include <algorithm>
#include <stdexcept>

namespace spring_checks {

Record check_record(const catalogue::Record& row) {
    return check_record([&row](int field) { return row.text(field); },
                        [&row](int field) { return row.number(field); });
}

Record check_record(const catalogue::Table& table, int row) {
    return check_record(table.record(row));
}

Summary summarise(const SpringVerdict& verdict) {
    Summary s;
    s.verdict = verdict.overall;
    s.inconsistent = std::any_of(verdict.checks.begin(), verdict.checks.end(), [](const Check& c) {
        return c.kind == Kind::Coils && c.verdict != Verdict::Ok;
    });
    if (verdict.overall != Verdict::Ok) {
        const auto worst =
            std::find_if(verdict.checks.begin(), verdict.checks.end(),
                         [&](const Check& c) { return c.verdict == verdict.overall; });
        s.reason = worst->reason;
    } else if (!verdict.absent.empty()) {
        s.verdict = Verdict::Caution;
        s.reason = verdict.absent[0].reason;
        s.unchecked = true;
    }
    return s;
}

namespace {
constexpr std::uint16_t kUnchecked = 0x4;
constexpr std::uint16_t kInconsistent = 0x8;
constexpr int kReasonShift = 4;
constexpr std::size_t kNoReason = 0; // index 0 stands for "no reason"
} // namespace

void ListedVerdicts::clear() {
    cells_.clear();
    cells_.shrink_to_fit();
}

void ListedVerdicts::add(const Summary& s) {
    cells_.push_back(cell(s));
}

void ListedVerdicts::extendUnknown(std::size_t rows) {
    if (rows > cells_.size())
        cells_.resize(rows, kUnknown);
}

void ListedVerdicts::set(std::size_t stored_row, const Summary& s) {
    cells_.at(stored_row) = cell(s);
}

std::uint16_t ListedVerdicts::cell(const Summary& s) {
    std::size_t index = kNoReason;
    if (!s.reason.empty()) {
        // The reasons are a few dozen constant texts: compare where they lie.
        const auto it = std::find_if(reasons_.begin(), reasons_.end(), [&](std::string_view r) {
            return r.data() == s.reason.data() && r.size() == s.reason.size();
        });
        if (it == reasons_.end()) {
            if (reasons_.size() >= (0xffffu >> kReasonShift) - 1)
                throw std::length_error("Too many distinct verdict reasons.");
            reasons_.push_back(s.reason);
            index = reasons_.size();
        } else {
            index = static_cast<std::size_t>(it - reasons_.begin()) + 1;
        }
    }
    return static_cast<std::uint16_t>(
        static_cast<unsigned>(s.verdict) | (s.unchecked ? kUnchecked : 0u) |
        (s.inconsistent ? kInconsistent : 0u) | (index << kReasonShift));
}

Summary ListedVerdicts::at(std::size_t stored_row) const {
    const std::uint16_t c = cells_.at(stored_row);
    if (c == kUnknown)
        throw std::logic_error("The verdict of this row is not known yet.");
    Summary s;
    s.verdict = static_cast<Verdict>(c & 0x3);
    s.unchecked = (c & kUnchecked) != 0;
    s.inconsistent = (c & kInconsistent) != 0;
    const std::size_t index = c >> kReasonShift;
    if (index != kNoReason)
        s.reason = reasons_[index - 1];
    return s;
}

} // namespace spring_checks
