#include "core/strength/spr_mat.h"

#include "core/strength/float_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using spr_mat::allowable_stress;
using spr_mat::EspringMaterialException;
using spr_mat::tensile_strength;

const char* const kOutOfRange = "Wire diameter is out of range.";
const char* const kUnlisted = "Material is not resistorated.";

// Message of the EspringMaterialException that f throws, or a marker when it throws none.
template <class F> std::string material_error(F f) {
    try {
        f();
    } catch (const EspringMaterialException& e) {
        return e.what();
    }
    return "<no exception>";
}

// Each test starts from the start-up state of the unit.
class SprMat : public ::testing::Test {
protected:
    void SetUp() override { spr_mat::reset_current_material(); }
    void TearDown() override { spr_mat::reset_current_material(); }
};

struct Expected {
    const char* designation;
    double d;
    double allowable; // MPa
    double tensile;   // MPa
};

// Printed by value, so that the listed test names do not hold the address of
// the designation, which may differ from one run of the program to the next.
void PrintTo(const Expected& e, std::ostream* os) {
    *os << e.designation << " d=" << e.d;
}

// Hand-checked values, given to 0.01 MPa.
class SprMatWorked : public SprMat, public ::testing::WithParamInterface<Expected> {};

TEST_P(SprMatWorked, MatchesToHundredthMPa) {
    const Expected& e = GetParam();
    EXPECT_NEAR(allowable_stress(e.designation, e.d), e.allowable, 0.005);
    EXPECT_NEAR(tensile_strength(e.designation, e.d), e.tensile, 0.005);
}

INSTANTIATE_TEST_SUITE_P(Values, SprMatWorked,
                         ::testing::Values(Expected{"SWP-B", 1.0, 1120.94, 1805.61},
                                           Expected{"SWP-B", 0.5, 1174.13, 1942.43},
                                           Expected{"SWP-B", 6.0, 788.62, 1258.85},
                                           Expected{"SUS304WPB", 1.0, 839.25, 1302.05},
                                           Expected{"SWO-B", 2.0, 948.15, 1379.41},
                                           Expected{"SWO-B", 3.0, 884.39, 1273.52}));

// Output of tests/core/strength/reference_values.py (first block): every grade at both
// range limits and near the geometric middle of its range.
class SprMatReference : public SprMat, public ::testing::WithParamInterface<Expected> {};

TEST_P(SprMatReference, MatchesIndependentEvaluation) {
    const Expected& e = GetParam();
    const double a = allowable_stress(e.designation, e.d);
    const double b = tensile_strength(e.designation, e.d);
    EXPECT_NEAR(a, e.allowable, 1e-12 * std::fabs(e.allowable));
    if (e.tensile == 0.0)
        EXPECT_EQ(b, 0.0); // grades without tensile-strength data
    else
        EXPECT_NEAR(b, e.tensile, 1e-12 * std::fabs(e.tensile));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(AllGrades, SprMatReference, ::testing::ValuesIn(std::vector<Expected>{
{"SUS-WH2", 0.08, 923.4351984516612, 1451.8987725728048},
{"SUS-WH2", 0.693, 870.2848373049844, 1349.7523124978652},
{"SUS-WH2", 6.0, 552.4723622533346, 936.139729563511},
{"SUS-WH1", 0.08, 680.4795372077677, 1098.5052868252903},
{"SUS-WH1", 0.681, 679.1369600448838, 1061.6727025904881},
{"SUS-WH1", 5.8, 461.95380369879496, 794.4456718222614},
{"SWP-A", 0.08, 1138.4785020321347, 1937.0542191123634},
{"SWP-A", 0.693, 1066.4959767700807, 1711.783808417543},
{"SWP-A", 6.0, 725.6234627907195, 1145.95994531729},
{"SWP-B", 0.08, 1197.681682355039, 2140.968749245066},
{"SWP-B", 0.693, 1154.7392216393396, 1883.5571704018207},
{"SWP-B", 6.0, 788.6203864740894, 1258.8492923572667},
{"SWPV", 2.1, 832.0844844302941, 1369.3188986911239},
{"SWPV", 3.305, 789.7181956334497, 1318.6421490941868},
{"SWPV", 5.2, 733.0091285311364, 1225.3532446618144},
{"SWOCV", 2.1, 774.773319231313, 0.0},
{"SWOCV", 3.305, 774.4887755420114, 0.0},
{"SWOCV", 5.2, 717.5751602788495, 0.0},
{"SWOCVV", 2.1, 848.6077997676972, 1263.9288784083478},
{"SWOCVV", 4.583, 821.6007303034334, 1201.8668817009475},
{"SWOCVV", 10.0, 753.005526185329, 1088.4089816768865},
{"SWO-A", 2.0, 883.8321160315229, 1295.0978889210176},
{"SWO-A", 4.899, 718.3173307273253, 1085.4322601979977},
{"SWO-A", 12.0, 647.5977488821403, 925.2581248813219},
{"SWO-B", 2.0, 948.1496790663757, 1379.4083005955856},
{"SWO-B", 4.899, 792.8587285434771, 1157.8421561728214},
{"SWO-B", 12.0, 692.1845342823797, 1021.0467407656703},
{"SW-B", 0.08, 948.9144648923213, 1635.854959872681},
{"SW-B", 0.894, 856.5692121257904, 1402.0532084632855},
{"SW-B", 10.0, 506.0007111793756, 842.5092930822204},
{"SW-C", 0.08, 1076.3374387958117, 1883.2248901756145},
{"SW-C", 0.894, 985.6451565158695, 1593.201168059476},
{"SW-C", 10.0, 596.9939212889547, 932.4154057292299},
{"SUP4", 8.0, 632.5289360559681, 0.0},
{"SUP4", 14.142, 632.3187934111429, 0.0},
{"SUP4", 25.0, 588.3989987491605, 0.0},
{"SUP6", 8.0, 730.5759553572692, 0.0},
{"SUP6", 17.436, 730.2711852804829, 0.0},
{"SUP6", 38.0, 706.0789679202867, 0.0},
{"SUP9", 8.0, 729.869046209446, 0.0},
{"SUP9", 21.909, 729.9181225706799, 0.0},
{"SUP9", 60.0, 706.3357437435493, 0.0},
{"SUP10", 8.0, 730.0313331016049, 0.0},
{"SUP10", 23.152, 729.956833625333, 0.0},
{"SUP10", 67.0, 716.4307880664245, 0.0},
{"SUP11", 8.0, 729.6761373706496, 0.0},
{"SUP11", 25.298, 729.2678857661006, 0.0},
{"SUP11", 80.0, 707.4983045217701, 0.0},
}));
// clang-format on

struct Range {
    const char* designation;
    double d_min;
    double d_max;
};

// The limits are inclusive; the next double outside fails, and so does 1e-4 mm outside.
class SprMatRange : public SprMat, public ::testing::WithParamInterface<Range> {};

TEST_P(SprMatRange, LimitsAreInclusive) {
    const Range& r = GetParam();
    EXPECT_NO_THROW(allowable_stress(r.designation, r.d_min));
    EXPECT_NO_THROW(tensile_strength(r.designation, r.d_max));
    for (const double d : {std::nextafter(r.d_min, 0.0), r.d_min - 1e-4,
                           std::nextafter(r.d_max, 1e9), r.d_max + 1e-4}) {
        SCOPED_TRACE(d);
        EXPECT_EQ(material_error([&] { allowable_stress(r.designation, d); }), kOutOfRange);
        EXPECT_EQ(material_error([&] { tensile_strength(r.designation, d); }), kOutOfRange);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllDesignations, SprMatRange,
    ::testing::Values(Range{"SUS-WH2", 0.08, 6}, Range{"SUS304WPB", 0.08, 6},
                      Range{"SUS-WPB", 0.08, 6}, Range{"SUS", 0.08, 6}, Range{"SUS-WH1", 0.08, 5.8},
                      Range{"SUS304WPA", 0.08, 5.8}, Range{"SUS-WPA", 0.08, 5.8},
                      Range{"SWP-A", 0.08, 6}, Range{"SWP-B", 0.08, 6}, Range{"SWP", 0.08, 6},
                      Range{"SWPV", 2.1, 5.2}, Range{"SWOCV", 2.1, 5.2}, Range{"SWOCVV", 2.1, 10},
                      Range{"SWO-A", 2, 12}, Range{"SWO-B", 2, 12}, Range{"SW-B", 0.08, 10},
                      Range{"SW-C", 0.08, 10}, Range{"SUP4", 8, 25}, Range{"SUP6", 8, 38},
                      Range{"SUP9", 8, 60}, Range{"SUP10", 8, 67}, Range{"SUP11", 8, 80}));

TEST_F(SprMat, DesignationsOfOneGroupGiveIdenticalResults) {
    const std::vector<std::vector<const char*>> groups = {
        {"SUS-WH2", "SUS304WPB", "SUS-WPB", "SUS"},
        {"SUS-WH1", "SUS304WPA", "SUS-WPA"},
        {"SWP-B", "SWP"}};
    for (const auto& group : groups) {
        for (const double d : {0.08, 0.37, 1.0, 4.4, 5.8}) {
            const double a = allowable_stress(group.front(), d);
            const double b = tensile_strength(group.front(), d);
            for (const char* other : group) {
                SCOPED_TRACE(std::string(other) + " at " + std::to_string(d));
                EXPECT_EQ(allowable_stress(other, d), a);
                EXPECT_EQ(tensile_strength(other, d), b);
            }
        }
    }
    // Distinct grades really differ.
    EXPECT_NE(allowable_stress("SUS", 1.0), allowable_stress("SUS-WPA", 1.0));
    EXPECT_NE(allowable_stress("SWP", 1.0), allowable_stress("SWP-A", 1.0));
}

TEST_F(SprMat, LookupIsExactByteForByte) {
    for (const char* name : {"swp-b", "SWP-B ", " SWP-B", "SWP-", "SWPB", "SUS304", "SWP-B\t"}) {
        SCOPED_TRACE(name);
        spr_mat::reset_current_material();
        EXPECT_EQ(material_error([&] { allowable_stress(name, 1.0); }), kUnlisted);
    }
    const std::string with_nul("SWP\0", 4);
    EXPECT_EQ(material_error([&] { allowable_stress(with_nul, 1.0); }), kUnlisted);
}

TEST_F(SprMat, UnlistedDesignationStaysCurrentWithAZeroSet) {
    EXPECT_EQ(material_error([] { allowable_stress("SWP-X", 1.0); }), kUnlisted);
    // Same designation again: no lookup, the empty range 0..0 rejects every positive diameter.
    for (const double d : {1.0, 0.08, 1e-300, 50.0}) {
        EXPECT_EQ(material_error([&] { allowable_stress("SWP-X", d); }), kOutOfRange);
        EXPECT_EQ(material_error([&] { tensile_strength("SWP-X", d); }), kOutOfRange);
    }
    // d = 0 fits the range 0..0 but has no logarithm.
    EXPECT_THROW(allowable_stress("SWP-X", 0.0), float_error::EFloatError);
    // A listed designation loads its own set again.
    EXPECT_NEAR(allowable_stress("SWP-B", 1.0), 1120.94, 0.005);
    // Coming back to the unlisted one looks it up again.
    EXPECT_EQ(material_error([] { tensile_strength("SWP-X", 1.0); }), kUnlisted);
}

TEST_F(SprMat, SelectMaterialOfUnlistedDesignationThrows) {
    EXPECT_EQ(material_error([] { spr_mat::select_material("XYZ"); }), kUnlisted);
    EXPECT_EQ(material_error([] { allowable_stress("XYZ", 1.0); }), kOutOfRange);
    EXPECT_NO_THROW(spr_mat::select_material("SWO-B"));
    EXPECT_NEAR(tensile_strength("SWO-B", 2.0), 1379.41, 0.005);
}

TEST_F(SprMat, EmptyFirstDesignationMatchesTheInitialState) {
    // No lookup happens, so the failure is the range of the zero set, not the lookup.
    EXPECT_EQ(material_error([] { allowable_stress("", 1.0); }), kOutOfRange);
    EXPECT_EQ(material_error([] { tensile_strength("", 0.5); }), kOutOfRange);
    EXPECT_THROW(allowable_stress("", 0.0), float_error::EFloatError);
}

TEST_F(SprMat, EmptyDesignationAfterAGradeIsUnlisted) {
    allowable_stress("SWP-B", 1.0);
    EXPECT_EQ(material_error([] { allowable_stress("", 1.0); }), kUnlisted);
}

TEST_F(SprMat, AlternatingDesignationsGiveTheirOwnValues) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(allowable_stress("SWP-B", 1.0), 1120.94, 0.005);
        EXPECT_NEAR(tensile_strength("SWO-B", 3.0), 1273.52, 0.005);
        EXPECT_NEAR(tensile_strength("SUS304WPB", 1.0), 1302.05, 0.005);
        EXPECT_NEAR(allowable_stress("SWO-B", 2.0), 948.15, 0.005);
    }
}

TEST_F(SprMat, OutOfRangeKeepsTheCurrentMaterial) {
    EXPECT_EQ(material_error([] { allowable_stress("SWO-B", 1.0); }), kOutOfRange);
    EXPECT_NEAR(allowable_stress("SWO-B", 3.0), 884.39, 0.005);
}

TEST_F(SprMat, NanDiameterIsAFloatingPointError) {
    EXPECT_THROW(allowable_stress("SWP-B", std::nan("")), float_error::EFloatError);
}

TEST(SprMatException, IsAStdExceptionCarryingTheMessage) {
    spr_mat::reset_current_material();
    try {
        allowable_stress("SWP-B", 7.0);
        FAIL() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), kOutOfRange);
    }
    spr_mat::reset_current_material();
}

} // namespace
