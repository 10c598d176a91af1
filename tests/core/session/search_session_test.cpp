// The session of a search: what each input changes of the selected spring's
// evaluation and verdict, and what it leaves as the search left it.
#include "core/catalogue/number_parse.h"
#include "core/catalogue/unit_system.h"
#include "core/session/search_session.h"
#include "core/strength/spr_mat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

using session::RangeInput;
using session::SearchSession;
using session::TypedNumber;
using spring_checks::Kind;
using spring_checks::SpringKind;

// SWP-B, d = 1, outer diameter 10: 0 N at 30 mm, rising 1 N/mm towards 20 mm.
strength::SpringValues values(double factor = 1.0) {
    strength::SpringValues s;
    s.material = "SWP-B";
    s.wire_dia = 1;
    s.coil_dia = 10;
    s.lo = 30;
    s.lmax = 20;
    s.fo = 0;
    s.k = 1 * factor;
    return s;
}

// The material text is borrowed, as from a table.
spring_checks::Record record(std::string_view material = "SWP-B") {
    spring_checks::Record r;
    r.material = material;
    r.lo = 30;
    r.fo = 0;
    r.lmax = 20;
    r.k = 1;
    r.coil_dia = 10;
    r.wire_dia = 1;
    r.turn = 10;
    return r;
}

search::Conditions searched_at(double first, double second) {
    search::Conditions c;
    c.condition[0].length = first;
    c.condition[0].length_set = true;
    c.condition[1].length = second;
    c.condition[1].length_set = true;
    c.stress_ratio_limit = 0.8;
    return c;
}

units::UnitSystemState kgf() {
    units::UnitSystemState u;
    u.force_unit = "kgf";
    u.stress_unit = "kgf/mm^2";
    u.unit_factor = units::kgf_factor;
    u.force_decimals = 3;
    return u;
}

bool has_check(const spring_checks::SpringVerdict& v, Kind kind) {
    return std::any_of(v.checks.begin(), v.checks.end(),
                       [kind](const spring_checks::Check& c) { return c.kind == kind; });
}

// A session after a search in kgf at 25 and 22 mm, with a spring selected.
void search_in_kgf(SearchSession& s) {
    s.setConditions(searched_at(25, 22));
    s.beginSearch(kgf(), SpringKind::Compression);
    s.setCycles(TypedNumber::read("1E7"));
    s.select(values(units::kgf_factor), record());
}

TEST(SearchSession, ASearchsConditionsAndUnitsGiveTheEvaluationAndVerdict) {
    SearchSession s;
    search_in_kgf(s);
    ASSERT_TRUE(s.evaluation());
    const strength::SpringEvaluation& e = *s.evaluation();
    EXPECT_DOUBLE_EQ(e.conditions[0].load, 5 * units::kgf_factor);
    EXPECT_DOUBLE_EQ(e.conditions[1].load, 8 * units::kgf_factor);
    // The allowable stress in the search's stress unit.
    EXPECT_DOUBLE_EQ(e.allowable_stress, spr_mat::allowable_stress("SWP-B", 1) * units::kgf_factor);
    ASSERT_TRUE(s.verdict());
    // The checks read newtons and both searched lengths.
    const spring_checks::SpringVerdict expected =
        spring_checks::check_spring(record(), s.duty(SpringKind::Compression), s.checkConditions());
    ASSERT_EQ(s.verdict()->checks.size(), expected.checks.size());
    EXPECT_EQ(s.duty(SpringKind::Compression).length1, 25);
    EXPECT_EQ(s.duty(SpringKind::Compression).length2, 22);
    EXPECT_EQ(s.verdict()->overall, expected.overall);
}

TEST(SearchSession, AChangedOperatingRangeMovesTheWorkingPointAndTheFatigueCheck) {
    SearchSession s;
    search_in_kgf(s);
    EXPECT_FALSE(s.evaluation()->working_point);
    EXPECT_FALSE(has_check(*s.verdict(), Kind::Fatigue));

    s.setOperatingRange({TypedNumber::read("28"), TypedNumber::read("24"), true});
    ASSERT_TRUE(s.evaluation()->working_point);
    EXPECT_TRUE(has_check(*s.verdict(), Kind::Fatigue));
    const strength::WorkingPoint lengths = *s.evaluation()->working_point;

    // The same loads typed in kgf: the evaluation takes them as typed, the checks in newtons.
    s.setOperatingRange({TypedNumber::read(std::to_string(2 * units::kgf_factor)),
                         TypedNumber::read(std::to_string(6 * units::kgf_factor)), false});
    ASSERT_TRUE(s.evaluation()->working_point);
    EXPECT_NEAR(s.evaluation()->working_point->x, lengths.x, 1e-6);
    EXPECT_NEAR(s.evaluation()->working_point->y, lengths.y, 1e-6);
    const auto range = s.duty(SpringKind::Compression).range;
    ASSERT_TRUE(range);
    EXPECT_EQ(range->given, spring_checks::OperatingRange::Given::Loads);
    EXPECT_NEAR(range->first, 2, 1e-5);
    EXPECT_NEAR(range->second, 6, 1e-5);

    // One end that does not read: no range at all.
    s.setOperatingRange({TypedNumber::read("28"), TypedNumber::read("x"), true});
    EXPECT_FALSE(s.evaluation()->working_point);
    EXPECT_FALSE(s.duty(SpringKind::Compression).range);
    EXPECT_FALSE(has_check(*s.verdict(), Kind::Fatigue));
}

TEST(SearchSession, TheCycleCountReachesTheChecksAsRead) {
    SearchSession s;
    search_in_kgf(s);
    s.setOperatingRange({TypedNumber::read("28"), TypedNumber::read("24"), true});
    ASSERT_TRUE(has_check(*s.verdict(), Kind::Fatigue));
    s.setCycles(TypedNumber::read("abc"));
    EXPECT_FALSE(s.duty(SpringKind::Compression).cycles);
    EXPECT_FALSE(has_check(*s.verdict(), Kind::Fatigue));
    EXPECT_EQ(s.cycles().text, "abc");
    try {
        s.cycles().required();
        ADD_FAILURE() << "a count that does not read has no value";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
    s.setCycles(TypedNumber::read("1E6"));
    EXPECT_EQ(s.cycles().required(), 1e6);
    EXPECT_TRUE(has_check(*s.verdict(), Kind::Fatigue));
}

TEST(SearchSession, ACursorMoveWorksBothOutForTheNewSpring) {
    SearchSession s;
    search_in_kgf(s);
    const double first_load = s.evaluation()->conditions[0].load;
    strength::SpringValues stiffer = values(units::kgf_factor);
    stiffer.k = 2 * units::kgf_factor;
    spring_checks::Record stiffer_record = record();
    stiffer_record.k = 2;
    s.select(stiffer, stiffer_record);
    EXPECT_DOUBLE_EQ(s.evaluation()->conditions[0].load, 2 * first_load);
    EXPECT_EQ(s.record().k, 2);

    // A grade the material table lacks: loads still, no allowable stress, and the
    // verdict of this spring, not of the one before.
    strength::SpringValues unknown = values(units::kgf_factor);
    unknown.material = "XYZ";
    std::string material = "XYZ";
    s.select(unknown, record(material));
    material = "changed"; // the session keeps its own copy of the text
    EXPECT_EQ(s.record().material, "XYZ");
    EXPECT_FALSE(s.evaluation()->graded());
    EXPECT_DOUBLE_EQ(s.evaluation()->conditions[0].load, first_load);
    ASSERT_TRUE(s.verdict());
    EXPECT_EQ(s.verdict()->overall,
              spring_checks::check_spring(record("XYZ"), s.duty(SpringKind::Compression),
                                          s.checkConditions())
                  .overall);
}

TEST(SearchSession, AnEmptyResultHasNeitherEvaluationNorVerdict) {
    SearchSession s;
    search_in_kgf(s);
    s.clearSelection();
    EXPECT_FALSE(s.selected());
    EXPECT_FALSE(s.evaluation());
    EXPECT_FALSE(s.verdict());
    // Inputs that change without a spring work nothing out.
    s.setOperatingRange({TypedNumber::read("28"), TypedNumber::read("24"), true});
    EXPECT_FALSE(s.evaluation());
    EXPECT_FALSE(s.verdict());
}

TEST(SearchSession, AUnitChangeWithoutASearchLeavesTheSearchsUnits) {
    units::reset_state();
    SearchSession s;
    search_in_kgf(s);
    const double load = s.evaluation()->conditions[0].load;
    units::select_unit_texts(2); // the designer picks gf but does not search
    units::apply_unit_system(2, 0);
    s.select(values(units::kgf_factor), record());
    EXPECT_EQ(s.units().force_unit, "kgf");
    EXPECT_EQ(s.units().unit_factor, units::kgf_factor);
    EXPECT_DOUBLE_EQ(s.evaluation()->conditions[0].load, load);
    EXPECT_DOUBLE_EQ(s.evaluation()->allowable_stress,
                     spr_mat::allowable_stress("SWP-B", 1) * units::kgf_factor);
    units::reset_state();
}

TEST(SearchSession, WithoutChecksOrUnderConditionsTheyCannotTakeThereIsNoVerdict) {
    SearchSession s;
    s.setConditions(searched_at(25, 22));
    s.beginSearch(units::UnitSystemState{}, std::nullopt); // a type without checks
    s.select(values(), record());
    EXPECT_TRUE(s.evaluation());
    EXPECT_FALSE(s.verdict());

    s.beginSearch(units::UnitSystemState{}, SpringKind::Extension);
    EXPECT_TRUE(s.verdict());
    spring_checks::CheckConditions bad;
    bad.load_tolerance = 1.5;
    s.setCheckConditions(bad);
    EXPECT_TRUE(s.evaluation());
    EXPECT_FALSE(s.verdict()); // rather than the verdict of before
}

} // namespace
