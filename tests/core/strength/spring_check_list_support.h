// Crafted springs, their duties and the helpers that read a verdict, shared
// by the tests of the checks of one spring.
#pragma once

#include "core/strength/spring_check_list.h"

#include "core/strength/spr_mat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace checklist_test {

using namespace spring_checks;

inline constexpr double kInf = std::numeric_limits<double>::infinity();

// One check as tests/core/strength/reference_values.py prints it (crafted springs block).
struct Row {
    Kind kind;
    Site site;
    Verdict verdict;
    double at, value, limit, margin;
};

inline void expect_close(double actual, double expected, const char* what) {
    if (std::isinf(expected))
        EXPECT_EQ(actual, expected) << what;
    else
        EXPECT_NEAR(actual, expected, 1e-13 * std::max(1.0, std::fabs(expected))) << what;
}

inline void expect_rows(const std::vector<Check>& checks, const std::vector<Row>& rows) {
    ASSERT_EQ(checks.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "check " << i);
        const Check& c = checks[i];
        const Row& r = rows[i];
        EXPECT_EQ(c.kind, r.kind);
        EXPECT_EQ(c.site, r.site);
        EXPECT_EQ(c.verdict, r.verdict);
        expect_close(c.at, r.at, "at");
        expect_close(c.value, r.value, "value");
        expect_close(c.limit, r.limit, "limit");
        expect_close(c.margin, r.margin, "margin");
        EXPECT_FALSE(c.reason.empty());
    }
}

inline std::vector<Check> all_checks(const SpringVerdict& v) {
    return {v.checks.begin(), v.checks.end()};
}

inline std::vector<Check> not_ok(const SpringVerdict& v) {
    std::vector<Check> out;
    for (const Check& c : v.checks) {
        if (c.verdict != Verdict::Ok)
            out.push_back(c);
    }
    return out;
}

inline const Check* find(const SpringVerdict& v, Kind kind, Site site) {
    for (const Check& c : v.checks) {
        if (c.kind == kind && c.site == site)
            return &c;
    }
    return nullptr;
}

// The reason of the i-th of the checks; empty when there are fewer.
inline std::string_view reason(const std::vector<Check>& checks, std::size_t i) {
    return i < checks.size() ? checks[i].reason : std::string_view();
}

// The check of that kind at that site; a failure and a blank check when there is none.
inline const Check& get(const SpringVerdict& v, Kind kind, Site site) {
    static const Check none{};
    const Check* c = find(v, kind, site);
    if (!c) {
        ADD_FAILURE() << "no check " << static_cast<int>(kind) << " at " << static_cast<int>(site);
        return none;
    }
    return *c;
}

using Missing = std::set<std::tuple<Kind, Site, std::string>>;

inline Missing absent_of(const SpringVerdict& v) {
    Missing out;
    for (const Absent& a : v.absent)
        out.insert({a.kind, a.site, std::string(a.reason)});
    return out;
}

// The crafted springs of reference_values.py: compression spring A, extension spring E.
inline Record record_a() {
    return {"SWP-B", 50, 0, 25, 1, 10, 1, 15.5};
}
inline Duty duty_a() {
    return {SpringKind::Compression, 35.0, 30.0,
            OperatingRange{OperatingRange::Given::Lengths, 30, 35}, 1e7};
}
inline Record record_e() {
    return {"SWP-B", 30, 4, 60, 1, 10, 1, 14};
}
inline Duty duty_e() {
    return {SpringKind::Extension, 40.0, 50.0,
            OperatingRange{OperatingRange::Given::Lengths, 40, 50}, 1e7};
}

inline SpringVerdict check(const Record& r, const Duty& d, const CheckConditions& c = {}) {
    return check_spring(r, d, c);
}

} // namespace checklist_test
