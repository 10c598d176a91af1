// The search start read through the real window: conditions, labels,
// diameter validation, and the rows the record filter lets through.
#include "core/catalogue/unit_system.h"
#include "core/search/conditions.h"
#include "support/boxes.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"
#include "ui/grid_model.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace testsupport;
using search::conditions;

namespace {

constexpr double open_bound = 1.7e100;

SpringRow row(const std::string& model, const std::string& type, double lo, double fo, double lmax,
              double fmax, double coil = 10, double wire = 1, const std::string& material = "SWP-B",
              const std::string& maker = "KSSC") {
    SpringRow r = spring_row(model, lo, fo, lmax, fmax);
    r.type = type;
    r.coil_dia = coil;
    r.wire_dia = wire;
    r.material = material;
    r.maker = maker;
    return r;
}

class SearchStart : public MainWindowTest {
protected:
    QStringList models() {
        QStringList list;
        for (int r = 0; r < form->gridModel()->rowCount(); ++r)
            list << form->gridModel()->text(r, 1);
        return list;
    }
    void click_radio(const char* group, int item) {
        find(group)->findChildren<QRadioButton*>().at(item)->click();
    }
    WorkingDir dir;
};

} // namespace

TEST_F(SearchStart, WorkedExampleStoresWindowsAndShowsTheLoadLine) {
    write_catalogue({}, {});
    type("Edit_length", "25");
    type("Edit_force", "20");
    EXPECT_TRUE(search().isEmpty());

    EXPECT_DOUBLE_EQ(conditions.condition[0].length_min, 24);
    EXPECT_DOUBLE_EQ(conditions.condition[0].length_max, 26);
    EXPECT_DOUBLE_EQ(conditions.condition[0].force_min, 19.9);
    EXPECT_DOUBLE_EQ(conditions.condition[0].force_max, 20.1);
    EXPECT_TRUE(conditions.condition[0].length_set);
    EXPECT_DOUBLE_EQ(conditions.condition[0].length, 25);
    const geometry::Window w = conditions.condition[0].window;
    EXPECT_EQ(w[0].x, 24);
    EXPECT_EQ(w[0].y, 19.9);
    EXPECT_EQ(w[1].y, 20.1);
    EXPECT_EQ(w[2].x, 26);
    EXPECT_EQ(w[3].y, 19.9);
    for (double v : {conditions.condition[1].length_min, conditions.condition[1].force_min})
        EXPECT_EQ(v, -open_bound);
    for (double v : {conditions.condition[1].length_max, conditions.condition[1].force_max})
        EXPECT_EQ(v, open_bound);
    EXPECT_EQ(conditions.condition[1].window[2].x, open_bound);
    EXPECT_FALSE(conditions.condition[1].length_set);

    EXPECT_EQ(find<QLabel>("Label16")->text(), QStringLiteral("25時荷重"));
    for (const char* shown : {"Label16", "Label18", "Label22", "Label24"})
        EXPECT_TRUE(find(shown)->isVisible()) << shown;
    for (const char* hidden : {"Label19", "Label17", "Label20", "Label21", "Label25", "Label23"})
        EXPECT_FALSE(find(hidden)->isVisible()) << hidden;
    EXPECT_EQ(conditions.spring_type, "compress");
    EXPECT_DOUBLE_EQ(conditions.stress_ratio_limit, 0.8);
}

TEST_F(SearchStart, LabelKeepsTheTextAsTypedAndALengthWithoutToleranceStillCounts) {
    write_catalogue({}, {});
    type("Edit_length2", " 2.50E1 ");
    type("Edit_length2width", "");
    search();
    EXPECT_EQ(find<QLabel>("Label17")->text(), QStringLiteral(" 2.50E1 時荷重"));
    EXPECT_TRUE(conditions.condition[1].length_set);
    EXPECT_DOUBLE_EQ(conditions.condition[1].length, 25);
    EXPECT_EQ(conditions.condition[1].length_min, -open_bound);
    EXPECT_EQ(conditions.condition[1].length_max, open_bound);

    // A later search without the length hides the row again and keeps the old value.
    type("Edit_length2", "abc");
    search();
    EXPECT_FALSE(conditions.condition[1].length_set);
    EXPECT_DOUBLE_EQ(conditions.condition[1].length, 25);
    EXPECT_FALSE(find("Label17")->isVisible());
}

TEST_F(SearchStart, BoundsBeyondTheDoubleRangeAreOpen) {
    write_catalogue({}, {});
    type("Edit_length", "1e308");
    type("Edit_lengthwidth", "1e308");
    type("Edit_force", "-1e308");
    type("Edit_forcewidth", "1e308");
    search();
    EXPECT_EQ(conditions.condition[0].length_max, open_bound);
    EXPECT_EQ(conditions.condition[0].length_min, -open_bound);
    EXPECT_EQ(conditions.condition[0].force_min, -open_bound);
    EXPECT_TRUE(conditions.condition[0].length_set);
}

TEST_F(SearchStart, NegativeToleranceIsStoredAsComputed) {
    write_catalogue({}, {});
    type("Edit_length", "25");
    type("Edit_lengthwidth", "-1");
    type("Edit_force", "10");
    search();
    EXPECT_DOUBLE_EQ(conditions.condition[0].length_min, 26);
    EXPECT_DOUBLE_EQ(conditions.condition[0].length_max, 24);
}

TEST_F(SearchStart, TensionSetsItsTypeAndStressLimit) {
    write_catalogue({}, {});
    click_radio("RadioGroup_type", 1);
    search();
    EXPECT_EQ(conditions.spring_type, "tension");
    EXPECT_DOUBLE_EQ(conditions.stress_ratio_limit, 0.64);
}

struct DiameterCase {
    const char* name;
    const char* outer_min;
    const char* outer_max;
    const char* inner_min;
    const char* inner_max;
    bool refused;
};

class DiameterValidation : public SearchStart,
                           public ::testing::WithParamInterface<DiameterCase> {};

TEST_P(DiameterValidation, RefusesOnlyContradictoryBounds) {
    const DiameterCase& c = GetParam();
    write_catalogue({row("A", "compress", 30, 0, 20, 40)}, {});
    type("Edit_coildia_outer_min", c.outer_min);
    type("Edit_coildia_outer_max", c.outer_max);
    type("Edit_coildia_inner_min", c.inner_min);
    type("Edit_coildia_inner_max", c.inner_max);
    const QList<Box> boxes = search();
    EXPECT_EQ(boxes.size(), c.refused ? 1 : 0);
    if (c.refused && !boxes.isEmpty()) {
        const Box& seen = boxes[0];
        EXPECT_EQ(seen.text, QStringLiteral("コイル内、外径の条件が不適です。検索できません"));
        EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    }
    EXPECT_EQ(form->springTable().isOpen(), !c.refused);
    EXPECT_EQ(form->makerTable().isOpen(), !c.refused);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, DiameterValidation,
    ::testing::Values(DiameterCase{"outer_min_above_outer_max", "12", "10", "", "", true},
                      DiameterCase{"equal_outer_bounds", "10", "10", "", "", false},
                      DiameterCase{"inner_min_above_inner_max", "", "", "8", "6", true},
                      DiameterCase{"equal_inner_bounds", "", "", "6", "6", false},
                      DiameterCase{"inner_min_equal_to_outer_max", "", "10", "10", "", true},
                      DiameterCase{"inner_min_below_outer_max", "", "10", "9.9", "", false},
                      DiameterCase{"inner_max_alone", "", "8", "", "9", false},
                      DiameterCase{"outer_min_alone", "12", "", "", "", false},
                      DiameterCase{"zero_is_not_given", "12", "0", "", "", false},
                      DiameterCase{"negative_is_not_given", "12", "-5", "", "", false},
                      DiameterCase{"text_is_not_given", "12", "x", "", "", false}),
    [](const ::testing::TestParamInfo<DiameterCase>& test) {
        return std::string(test.param.name);
    });

TEST_F(SearchStart, RefusedSearchKeepsTheLastMaterialAndMaker) {
    write_catalogue({row("A", "compress", 30, 0, 20, 40)}, {});
    find<QComboBox>("ComboBox_material")->setCurrentText("SWP-B");
    search();
    EXPECT_EQ(conditions.sel_material, "SWP-B");
    find<QComboBox>("ComboBox_material")->setCurrentText("SWO-B");
    type("Edit_coildia_outer_min", "5");
    type("Edit_coildia_outer_max", "4");
    search();
    EXPECT_EQ(conditions.sel_material, "SWP-B");
    EXPECT_DOUBLE_EQ(conditions.coildia_outer_min, 5);
    EXPECT_EQ(form->gridModel()->rowCount(), 0);
}

TEST_F(SearchStart, FilterKeepsTypeDiametersMaterialAndMakerExactly) {
    write_catalogue({row("type-case", "Compress", 30, 0, 20, 40),
                     row("tension", "tension", 20, 1, 30, 41),
                     row("outer-10", "compress", 30, 0, 20, 40, 10, 1),
                     row("outer-10.5", "compress", 30, 0, 20, 40, 10.5, 1),
                     row("inner-8", "compress", 30, 0, 20, 40, 10, 1),
                     row("swp", "compress", 30, 0, 20, 40, 10, 1, "SWP"),
                     row("showa", "compress", 30, 0, 20, 40, 10, 1, "SWP-B", "昌和発条")},
                    {});
    search();
    EXPECT_EQ(models(), (QStringList{"outer-10", "outer-10.5", "inner-8", "swp", "showa"}));

    type("Edit_coildia_outer_max", "10");
    type("Edit_coildia_inner_max", "8");
    search();
    EXPECT_EQ(models(), (QStringList{"outer-10", "inner-8", "swp", "showa"}));

    type("Edit_coildia_inner_min", "8.0001");
    search();
    EXPECT_TRUE(models().isEmpty());

    type("Edit_coildia_inner_min", "");
    find<QComboBox>("ComboBox_material")->setCurrentText("SWP");
    search();
    EXPECT_EQ(models(), (QStringList{"swp"}));

    find<QComboBox>("ComboBox_material")->setCurrentText("");
    find<QComboBox>("ComboBox_maker")->setCurrentText("昌和発条");
    search();
    EXPECT_EQ(models(), (QStringList{"showa"}));
}

TEST_F(SearchStart, LoadLineMustMeetBothWindows) {
    write_catalogue({row("through", "compress", 30, 0, 20, 40),
                     row("stiff", "compress", 30, 0, 20, 80),
                     row("touching", "compress", 30, 0, 24, 19.9)},
                    {});
    type("Edit_length", "25");
    type("Edit_force", "20");
    search();
    EXPECT_EQ(models(), (QStringList{"through", "touching"}));

    type("Edit_force", "30");
    search();
    EXPECT_TRUE(models().isEmpty());

    // Only the second condition given: the first window covers the plane.
    type("Edit_length", "");
    type("Edit_force", "");
    type("Edit_length2", "25");
    type("Edit_force2", "40");
    search();
    EXPECT_EQ(models(), (QStringList{"stiff"}));
}

TEST_F(SearchStart, RowsLackingFilterValuesAreSkipped) {
    std::string packet = spring_packet({row("good", "compress", 30, 0, 20, 40)});
    packet.insert(packet.find("</ROWDATA>"),
                  "<ROW modelNo=\"no-lo\" type=\"compress\" fo=\"0\" lmax=\"20\" "
                  "fmax=\"40\" coil_dia=\"10\" wire_dia=\"1\"/>\n");
    write_cp932("spring_data.xml", packet);
    write_cp932("spring_maker.xml", maker_packet({}));
    EXPECT_TRUE(search().isEmpty());
    EXPECT_EQ(models(), (QStringList{"good"}));
}

class UnitSystems : public SearchStart {};

TEST_F(UnitSystems, ForcesAreSearchedInTheUnitTheyWereTypedIn) {
    // 100 kgf is 980.665 N: only the second spring passes through it.
    write_catalogue(
        {row("100N", "compress", 30, 0, 20, 200), row("100kgf", "compress", 30, 0, 20, 1961.33)},
        {});
    type("Edit_length", "25");
    type("Edit_force", "100");
    type("Edit_forcewidth", "1");
    search();
    EXPECT_EQ(models(), (QStringList{"100N"}));
    click_radio("RadioGroup_unit", 1);
    search();
    EXPECT_EQ(models(), (QStringList{"100kgf"}));
}

TEST_F(UnitSystems, LabelsChangeAtOnceTheGridAtTheNextSearch) {
    write_catalogue({row("A", "compress", 30, 0, 20, 9.80665)}, {});
    search();
    EXPECT_EQ(form->gridModel()->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), "fo N");
    EXPECT_EQ(form->gridModel()->text(0, 8), "9.81");

    click_radio("RadioGroup_unit", 1);
    EXPECT_EQ(find<QLabel>("Label6")->text(), "kgf");
    EXPECT_EQ(find<QLabel>("Label14")->text(), "kgf");
    EXPECT_EQ(form->gridModel()->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), "fo N");
    EXPECT_EQ(form->gridModel()->text(0, 8), "9.81");

    search();
    EXPECT_EQ(form->gridModel()->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(),
              "fo kgf");
    EXPECT_EQ(form->gridModel()->headerData(8, Qt::Horizontal, Qt::DisplayRole).toString(),
              "fmax kgf");
    EXPECT_EQ(form->gridModel()->headerData(9, Qt::Horizontal, Qt::DisplayRole).toString(),
              "k kgf/mm");
    EXPECT_EQ(form->gridModel()->text(0, 8), "1.000");
    EXPECT_EQ(form->gridModel()->text(0, 6), "0.000");
    EXPECT_EQ(units::state.force_decimals, 3);
}

TEST_F(UnitSystems, GramForceShowsWholeNumbers) {
    SpringRow r = row("A", "compress", 30, 0, 20, 10);
    r.k = 1;
    write_catalogue({r}, {});
    click_radio("RadioGroup_unit", 2);
    search();
    EXPECT_EQ(form->gridModel()->text(0, 9), "102");
    EXPECT_EQ(form->gridModel()->headerData(9, Qt::Horizontal, Qt::DisplayRole).toString(),
              "k gf/mm");
    EXPECT_EQ(units::state.unit_factor, 101.97162129779282);
    EXPECT_EQ(units::state.force_decimals, 0);
}

TEST_F(UnitSystems, SuperscriptSitsRightAfterTheStressUnit) {
    write_catalogue({}, {});
    type("Edit_length", "25");
    type("Edit_length2", "20");
    for (int item : {1, 2}) {
        click_radio("RadioGroup_unit", item);
        search();
        for (auto [unit, sup] :
             {std::pair{"Label24", "Label19"}, std::pair{"Label25", "Label23"}}) {
            auto* u = find<QLabel>(unit);
            EXPECT_EQ(u->text(), item == 1 ? "kgf/mm" : "gf/mm");
            EXPECT_EQ(find(sup)->x(), u->x() + u->width()) << sup;
            EXPECT_TRUE(find(sup)->isVisible()) << sup;
        }
    }
    click_radio("RadioGroup_unit", 0);
    search();
    EXPECT_EQ(find<QLabel>("Label24")->text(), "MPa");
    EXPECT_FALSE(find("Label19")->isVisible());
    EXPECT_FALSE(find("Label23")->isVisible());
}

TEST(UnitCaptions, TorsionCarriesTheTorqueSuffix) {
    units::UnitSystemState s;
    s.force_unit = "N";
    s.torque_suffix = "mm";
    const units::UnitCaptions c = units::unit_captions(0, 2, s);
    EXPECT_EQ(c.axis_title, "発生トルク\u3000Nmm");
    EXPECT_EQ(c.column6, "tqo Nmm");
    EXPECT_EQ(c.column8, "tqmax Nmm");
    EXPECT_EQ(c.column9, "k Nmm/deg");
    s.force_unit = "kgf";
    s.torque_suffix = "";
    const units::UnitCaptions k = units::unit_captions(1, 0, s);
    EXPECT_EQ(k.axis_title, "発生力\u3000kgf");
    EXPECT_EQ(k.column9, "k kgf/mm");
}

// Full-width digits typed with the input method on count as the digits they
// are; a box that still does not read is marked until its text changes, so
// that no condition is dropped without a word.
TEST_F(SearchStart, FullWidthDigitsCountAndUnreadableBoxesAreMarked) {
    // 40 N at 30 mm for A, 10 N for B.
    write_catalogue({row("A", "compress", 50, 0, 30, 40), row("B", "compress", 50, 0, 30, 10)}, {});
    type("Edit_length", "３０");
    type("Edit_force", "４０");
    type("Edit_forcewidth", "１");
    EXPECT_TRUE(search().isEmpty());
    EXPECT_TRUE(conditions.condition[0].length_set);
    EXPECT_DOUBLE_EQ(conditions.condition[0].length, 30);
    EXPECT_EQ(models(), QStringList{QStringLiteral("A")});
    for (const char* name : {"Edit_length", "Edit_force", "Edit_forcewidth"})
        EXPECT_TRUE(find<QLineEdit>(name)->styleSheet().isEmpty()) << name;

    // Not a number: the condition is not given, and the box says so.
    type("Edit_force", "４０N");
    type("Edit_coildia_outer_max", "x");
    EXPECT_TRUE(search().isEmpty());
    EXPECT_EQ(models().size(), 2);
    const QString why = QStringLiteral("数値として読めないため、この条件は使われていません");
    for (const char* name : {"Edit_force", "Edit_coildia_outer_max"}) {
        EXPECT_TRUE(find<QLineEdit>(name)->styleSheet().contains(QStringLiteral("red"))) << name;
        EXPECT_EQ(find<QLineEdit>(name)->toolTip(), why) << name;
    }
    EXPECT_TRUE(find<QLineEdit>("Edit_length")->styleSheet().isEmpty());
    EXPECT_TRUE(find<QLineEdit>("Edit_force2")->styleSheet().isEmpty()); // empty is not marked

    // Any change of the text takes the mark away.
    type("Edit_force", "40");
    EXPECT_TRUE(find<QLineEdit>("Edit_force")->styleSheet().isEmpty());
    EXPECT_TRUE(find<QLineEdit>("Edit_force")->toolTip().isEmpty());
    EXPECT_FALSE(find<QLineEdit>("Edit_coildia_outer_max")->styleSheet().isEmpty());
}
