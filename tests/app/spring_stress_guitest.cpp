// The evaluation of the spring under the cursor, through the window.
#include "chart/chart.h"
#include "support/boxes.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace testsupport;

namespace {

SpringRow spring(const std::string& model, const std::string& material, double wire, double lo,
                 double lmax) {
    SpringRow r = spring_row(model, lo, 0, lmax, 2.0 * std::abs(lo - lmax)); // 2 N/mm
    r.material = material;
    r.wire_dia = wire;
    return r;
}

class SpringStress : public MainWindowTest {
protected:
    WorkingDir dir;
};

} // namespace

TEST_F(SpringStress, WorkedExampleShowsLoadStressHintAndDot) {
    write_catalogue({spring("A", "SWP-B", 1.0, 30, 20), spring("short", "SWP-B", 1.0, 30, 27),
                     spring("odd", "SWO-B", 1.5, 30, 20)},
                    {});
    type("Edit_length", "25");
    type("Edit_lengthwidth", ""); // the length counts, the window stays open
    search();
    EXPECT_EQ(find<QLabel>("Label_F1")->text(), QStringLiteral("10.00"));
    EXPECT_EQ(find<QLabel>("Label_tau1")->text(), QStringLiteral("229"));
    EXPECT_EQ(find<QLabel>("Label_tau1")->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(find<QGroupBox>("GroupBox1")->toolTip(), QStringLiteral("許容応力値:1121N/mm2"));
    EXPECT_EQ(find<QGroupBox>("GroupBox2")->toolTip(), QStringLiteral("許容応力値:1121N/mm2"));
    EXPECT_TRUE(find<QLabel>("Label_f2")->text().isEmpty());
    ChartSeries* dots = find<Chart>("Chart_statictau")->series(3);
    ASSERT_EQ(dots->count(), 1);
    EXPECT_EQ(dots->label(0), QStringLiteral("SWP-B 229MPa"));
    EXPECT_DOUBLE_EQ(dots->x(0), 1.0);
    EXPECT_NEAR(dots->y(0), 229.18, 0.01);
    EXPECT_EQ(dots->color(0), find<Chart>("Chart_statictau")->series(0)->seriesColor());

    // Out of the spring's range: the load reads 範囲外 in red.
    find<QTableView>("DBGrid1")->selectRow(1);
    EXPECT_EQ(find<QLabel>("Label_F1")->text(), QStringLiteral("範囲外"));
    EXPECT_EQ(find<QLabel>("Label_F1")->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(find<QLabel>("Label_tau1")->text().isEmpty());
    EXPECT_EQ(dots->count(), 0);

    // Back in range: black again.
    find<QTableView>("DBGrid1")->selectRow(0);
    EXPECT_EQ(find<QLabel>("Label_F1")->palette().color(QPalette::WindowText), QColor(Qt::black));
}

// A spring whose grade gives no allowable stress shows its own load and
// stress, in black, with the reason in the hint and no dot on either chart;
// never the numbers of the spring selected before it.
TEST_F(SpringStress, WithoutAnAllowableStressTheSpringsOwnNumbersShow) {
    SpringRow unknown = spring("unknown", "SWPB", 1.0, 30, 20);
    unknown.fmax = 30; // 3 N/mm: 15 N at 25 mm
    unknown.k = 3;
    write_catalogue(
        {spring("A", "SWP-B", 1.0, 30, 20), spring("odd", "SWO-B", 1.5, 30, 20), unknown}, {});
    type("Edit_length", "25");
    type("Edit_lengthwidth", "");
    find<QCheckBox>("CheckBox_link")->setChecked(false);
    type("Edit_dynmin", "22");
    type("Edit_dynmax", "25");
    search();
    ChartSeries* dots = find<Chart>("Chart_statictau")->series(3);
    ChartSeries* point = find<Chart>("Chart_dynamictau")->series(1);
    ASSERT_EQ(dots->count(), 1);
    ASSERT_EQ(point->count(), 1);

    // A wire outside its grade: tau0 = 8 x 8.5 x 10 / (pi 1.5^3) = 64.1 MPa.
    find<QTableView>("DBGrid1")->selectRow(1);
    EXPECT_EQ(find<QLabel>("Label_F1")->text(), QStringLiteral("10.00"));
    EXPECT_EQ(find<QLabel>("Label_tau1")->text(), QStringLiteral("64"));
    EXPECT_EQ(find<QLabel>("Label_tau1")->palette().color(QPalette::WindowText), QColor(Qt::black));
    const QString hint = find<QGroupBox>("GroupBox1")->toolTip();
    EXPECT_TRUE(hint.startsWith(QStringLiteral("許容応力値:なし (線径 1.5 mm は SWO-B の範囲")))
        << hint.toStdString();
    EXPECT_EQ(find<QGroupBox>("GroupBox2")->toolTip(), hint);
    EXPECT_EQ(dots->count(), 0);
    EXPECT_EQ(point->count(), 0);

    // A grade the table does not know: 15 N, tau0 = 8 x 9 x 15 / pi = 344 MPa.
    find<QTableView>("DBGrid1")->selectRow(2);
    EXPECT_EQ(find<QLabel>("Label_F1")->text(), QStringLiteral("15.00"));
    EXPECT_EQ(find<QLabel>("Label_tau1")->text(), QStringLiteral("344"));
    EXPECT_EQ(find<QGroupBox>("GroupBox1")->toolTip(),
              QStringLiteral("許容応力値:なし (材質「SWPB」は材料表にありません)"));
    EXPECT_EQ(dots->count(), 0);
    EXPECT_EQ(point->count(), 0);

    // Back to a graded spring: its dots come back.
    find<QTableView>("DBGrid1")->selectRow(0);
    EXPECT_EQ(find<QLabel>("Label_tau1")->text(), QStringLiteral("229"));
    EXPECT_EQ(dots->count(), 1);
    EXPECT_EQ(point->count(), 1);
}

TEST_F(SpringStress, WorkingPointForEqualEndsLiesOnTheDiagonal) {
    write_catalogue({spring("A", "SWP-B", 1.0, 30, 20)}, {});
    type("Edit_length", "25");
    find<QCheckBox>("CheckBox_link")->setChecked(false); // keep the range typed here
    type("Edit_dynmin", "25");
    type("Edit_dynmax", "25");
    search();
    ChartSeries* point = find<Chart>("Chart_dynamictau")->series(1);
    ASSERT_EQ(point->count(), 1);
    EXPECT_NEAR(point->x(0), 0.1475, 0.0001);
    EXPECT_NEAR(point->y(0), 0.1475, 0.0001);
}

// The working point moves with the operating range at once, without another
// search or another row.
TEST_F(SpringStress, TheWorkingPointFollowsTheOperatingRange) {
    write_catalogue({spring("A", "SWP-B", 1.0, 30, 20)}, {});
    find<QCheckBox>("CheckBox_link")->setChecked(false);
    type("Edit_dynmin", "25");
    type("Edit_dynmax", "25");
    search();
    ChartSeries* point = find<Chart>("Chart_dynamictau")->series(1);
    ASSERT_EQ(point->count(), 1);
    EXPECT_NEAR(point->x(0), point->y(0), 1e-12); // equal ends: on the diagonal

    // 22 mm: 16 N against 10 N, so the point leaves the diagonal at 10/16.
    find<QLineEdit>("Edit_dynmax")->setText(QStringLiteral("22"));
    ASSERT_EQ(point->count(), 1);
    EXPECT_NEAR(point->x(0) / point->y(0), 10.0 / 16.0, 1e-9);

    // Read as loads, 25 and 22 N stand in the ratio 22/25.
    find("RadioGroup_dyncalcst")->findChildren<QRadioButton*>().at(1)->click();
    ASSERT_EQ(point->count(), 1);
    EXPECT_NEAR(point->x(0) / point->y(0), 22.0 / 25.0, 1e-9);

    // A range that does not read places none.
    find<QLineEdit>("Edit_dynmin")->setText(QString());
    EXPECT_EQ(point->count(), 0);
}

// A search that finds no spring selects none, so nothing of the spring shown
// before stays: not under the same conditions, nor under another unit system
// or length.
class StaleEvaluation : public SpringStress {
protected:
    void SetUp() override {
        SpringStress::SetUp();
        write_catalogue({spring("A", "SWP-B", 1.0, 30, 20)}, {});
        type("Edit_length", "25");
        type("Edit_lengthwidth", "");
        type("Edit_length2", "22");
        type("Edit_length2width", "");
        search();
        ASSERT_EQ(label("Label_F1"), QStringLiteral("10.00"));
        ASSERT_EQ(label("Label_f2"), QStringLiteral("16.00"));
        ASSERT_EQ(dots()->count(), 2);
        ASSERT_EQ(working_point()->count(), 1);
        // From here on the catalogue has no spring the search accepts.
        write_catalogue({}, {});
    }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    ChartSeries* dots() { return find<Chart>("Chart_statictau")->series(3); }
    ChartSeries* working_point() { return find<Chart>("Chart_dynamictau")->series(1); }
    void pick_unit(int item) {
        find("RadioGroup_unit")->findChildren<QRadioButton*>().at(item)->click();
    }
};

TEST_F(StaleEvaluation, UnchangedConditionsShowNothing) {
    search();
    for (const char* name : {"Label_F1", "Label_tau1", "Label_f2", "Label_tau2"})
        EXPECT_TRUE(label(name).isEmpty()) << name;
    EXPECT_EQ(find<QGroupBox>("GroupBox1")->toolTip(), QString());
    EXPECT_EQ(find<QGroupBox>("GroupBox2")->toolTip(), QStringLiteral("許容応力値"));
    EXPECT_EQ(dots()->count(), 0);
    EXPECT_EQ(working_point()->count(), 0);
}

TEST_F(StaleEvaluation, AnotherUnitSystemClearsBothConditionsAndTheDots) {
    pick_unit(2);
    search();
    for (const char* name : {"Label_F1", "Label_tau1", "Label_f2", "Label_tau2"})
        EXPECT_TRUE(label(name).isEmpty()) << name;
    EXPECT_EQ(dots()->count(), 0);
    EXPECT_EQ(working_point()->count(), 0);
    EXPECT_EQ(label("Label18"), QStringLiteral("gf"));
}

TEST_F(StaleEvaluation, TheTitlesFollowTheNewLengthsWithNothingUnderThem) {
    type("Edit_length", "26");
    search();
    EXPECT_EQ(label("Label16"), QStringLiteral("26時荷重"));
    EXPECT_TRUE(label("Label_F1").isEmpty());
    EXPECT_TRUE(label("Label_f2").isEmpty());

    // The spring found again is evaluated at the new length.
    write_catalogue({spring("A", "SWP-B", 1.0, 30, 20)}, {});
    search();
    EXPECT_EQ(label("Label_F1"), QStringLiteral("8.00"));
    EXPECT_EQ(label("Label_f2"), QStringLiteral("16.00"));
    EXPECT_EQ(dots()->count(), 2);
}
