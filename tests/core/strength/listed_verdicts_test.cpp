// The verdict a designer reads for a spring, and its two-byte store per listed row.
#include "core/strength/listed_verdicts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace spring_checks;

namespace {

constexpr std::string_view kFirstFail = "first fail";
constexpr std::string_view kSecondFail = "second fail";
constexpr std::string_view kCaution = "caution";
constexpr std::string_view kMissing = "missing";

SpringVerdict verdict_of(std::initializer_list<Verdict> checks, bool with_absent) {
    SpringVerdict v;
    std::string_view fails[] = {kFirstFail, kSecondFail};
    int fail = 0;
    for (const Verdict c : checks) {
        const std::string_view reason = c == Verdict::Fail      ? fails[fail++]
                                        : c == Verdict::Caution ? kCaution
                                                                : "ok";
        v.checks.push_back({Kind::StaticStress, Site::Length1, c, 0, 0, 0, 0, reason});
        v.overall = std::max(v.overall, c);
    }
    if (with_absent)
        v.absent.push_back({Kind::Fatigue, Site::Spring, kMissing});
    return v;
}

} // namespace

TEST(Summarise, TheWorstCheckMadeGivesTheReasonAndAMissingCheckIsNeverAPass) {
    const Summary fail =
        summarise(verdict_of({Verdict::Ok, Verdict::Caution, Verdict::Fail, Verdict::Fail}, true));
    EXPECT_EQ(fail.verdict, Verdict::Fail);
    EXPECT_EQ(fail.reason, kFirstFail);
    EXPECT_FALSE(fail.unchecked);

    const Summary caution = summarise(verdict_of({Verdict::Ok, Verdict::Caution}, false));
    EXPECT_EQ(caution.verdict, Verdict::Caution);
    EXPECT_EQ(caution.reason, kCaution);

    const Summary pass = summarise(verdict_of({Verdict::Ok}, false));
    EXPECT_EQ(pass.verdict, Verdict::Ok);
    EXPECT_TRUE(pass.reason.empty());

    // Everything made passed, but a check could not be made.
    const Summary unchecked = summarise(verdict_of({Verdict::Ok}, true));
    EXPECT_EQ(unchecked.verdict, Verdict::Caution);
    EXPECT_EQ(unchecked.reason, kMissing);
    EXPECT_TRUE(unchecked.unchecked);
}

TEST(ListedVerdicts, EachRowReadsBackAsStoredAndEqualTextsElsewhereStayApart) {
    // Two texts of equal content at different places are different reasons.
    static const std::string copy(kFirstFail);
    ListedVerdicts listed;
    const std::vector<Summary> rows = {{Verdict::Fail, kFirstFail, false},
                                       {Verdict::Ok, {}, false},
                                       {Verdict::Caution, kMissing, true},
                                       {Verdict::Fail, copy, false, true},
                                       {Verdict::Caution, kMissing, true, true},
                                       {Verdict::Fail, kFirstFail, false}};
    for (const Summary& s : rows)
        listed.add(s);
    ASSERT_EQ(listed.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Summary s = listed.at(i);
        EXPECT_EQ(s.verdict, rows[i].verdict) << i;
        EXPECT_EQ(s.reason.data(), rows[i].reason.data()) << i;
        EXPECT_EQ(s.unchecked, rows[i].unchecked) << i;
        EXPECT_EQ(s.inconsistent, rows[i].inconsistent) << i;
    }
    EXPECT_THROW(listed.at(rows.size()), std::out_of_range);

    // Rows left to be worked out later are not known until set, and never read.
    listed.extendUnknown(rows.size() + 2);
    ASSERT_EQ(listed.size(), rows.size() + 2);
    EXPECT_TRUE(listed.known(rows.size() - 1));
    EXPECT_FALSE(listed.known(rows.size()));
    EXPECT_THROW(listed.at(rows.size()), std::logic_error);
    listed.set(rows.size() + 1, {Verdict::Caution, kCaution, false});
    EXPECT_EQ(listed.at(rows.size() + 1).reason.data(), kCaution.data());
    EXPECT_FALSE(listed.known(rows.size()));
    listed.clear();
    EXPECT_EQ(listed.size(), 0u);
}
