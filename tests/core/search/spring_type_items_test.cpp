// What each item of the spring type selector stands for, everywhere it counts: the
// catalogue code the filter compares, the torque suffix of the units, the red rule's
// stress ratio, the kind of spring the checks take and whether the stress pass runs.
#include "core/catalogue/spring_record.h"
#include "core/catalogue/unit_system.h"
#include "core/search/search_start.h"
#include "core/strength/spring_check_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using spring_checks::SpringKind;

struct TypeItem {
    int item;
    std::optional<std::string> code;
    std::string torque_suffix;
    double ratio_limit;
    std::optional<SpringKind> kind;
    bool stress_pass;
};

class SpringTypeItems : public ::testing::TestWithParam<TypeItem> {
protected:
    void TearDown() override { units::reset_state(); }
};

TEST_P(SpringTypeItems, MeanTheSameTypeEverywhere) {
    const TypeItem& t = GetParam();
    EXPECT_EQ(search::spring_type_code(t.item), t.code);
    units::select_type_suffix(t.item);
    EXPECT_EQ(units::state.torque_suffix, t.torque_suffix);
    EXPECT_EQ(search::stress_ratio_limit(t.item), t.ratio_limit);
    EXPECT_EQ(spring_checks::kind_of_type_item(t.item), t.kind);
    EXPECT_EQ(catalogue::spring::has_stress_pass(t.item), t.stress_pass);
    // A torsion spring's forces are torques in every caption.
    const units::UnitCaptions c = units::unit_captions(0, t.item, units::state);
    EXPECT_EQ(c.column6.rfind("tqo ", 0) == 0, t.torque_suffix == "mm") << c.column6;
}

INSTANTIATE_TEST_SUITE_P(
    Items, SpringTypeItems,
    ::testing::Values(TypeItem{0, "compress", "", 0.8, SpringKind::Compression, true},
                      TypeItem{1, "tension", "", 0.64, SpringKind::Extension, true},
                      TypeItem{2, "torsion", "mm", 0.8, std::nullopt, false},
                      TypeItem{3, "compton", "", 0.8, std::nullopt, false},
                      // Beyond the items: no code, the compression limit, no checks.
                      TypeItem{4, std::nullopt, "", 0.8, std::nullopt, false}));

} // namespace
