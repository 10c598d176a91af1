// Tolerances as springs are ordered, as the window shows them: a JIS grade chosen in
// the check conditions gives each listed spring its band, its fit in the bore, and the
// natural frequency is held against the frequency of a duty taken over from the
// service-life dialog.
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"
#include "ui/checks_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace testsupport;

namespace {

// SWP-B, 9 mm mean coil diameter, 1 mm wire; loads 0 at 30 mm rising towards 20 mm.
// The rate 78500 / (8 x 729 x n) gives n active coils.
SpringRow with_coils(const std::string& model, double n, double turn) {
    const double k = 78500.0 / (8 * 729 * n);
    SpringRow r = spring_row(model, 30, 0, 20, 10 * k);
    r.turn = turn;
    return r;
}

class GradedVerdicts : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        type("Edit_length", QStringLiteral("25"));
        type("Edit_lengthwidth", QString());
    }

    QTableView* grid() { return find<QTableView>("DBGrid1"); }
    ui::TForm_checks* checks() { return find<ui::TForm_checks>("Form_checks"); }
    void chooseGrade(int item) {
        checks()->findChild<QComboBox*>("ComboBox_loadgrade")->setCurrentIndex(item);
        checks()->findChild<QPushButton*>("BitBtn_checksok")->click();
    }
    // The list's row whose check starts with `start`, as "value | limit | margin | verdict
    // | reason"; empty when none.
    QString listRow(const QString& start) {
        const QAbstractItemModel* m = find<QTableView>("Grid_verdict")->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            if (!m->index(r, 0).data().toString().startsWith(start))
                continue;
            QStringList cells;
            for (int c = 1; c <= 5; ++c)
                cells << m->index(r, c).data().toString();
            return cells.join(QStringLiteral(" | "));
        }
        return {};
    }
    QString verdict() { return find<QLabel>("Label_verdict")->text(); }

    WorkingDir dir;
};

} // namespace

TEST_F(GradedVerdicts, AGradeGivesEachSpringTheBandOfItsActiveCoils) {
    write_catalogue({with_coils("n8", 8, 10), with_coils("n12", 12, 14)}, {});
    auto* tolerance = checks()->findChild<QLineEdit*>("Edit_loadtolerance");
    ASSERT_EQ(checks()->findChild<QComboBox*>("ComboBox_loadgrade")->currentText(),
              QStringLiteral("数値指定"));
    EXPECT_TRUE(tolerance->isEnabled());
    chooseGrade(1);
    EXPECT_FALSE(tolerance->isEnabled()) << "the grade takes the percentage's place";
    ASSERT_TRUE(search().isEmpty());
    ASSERT_EQ(grid()->model()->rowCount(), 2);

    // n8: 8.41 N at 25 mm, +/-5 %; n12: 5.61 N, +/-4 %.
    grid()->selectRow(0);
    EXPECT_EQ(listRow(QStringLiteral("荷重公差 (25 mm)")),
              QStringLiteral("7.99 – 8.83 N | JIS B 2704 1級 | ±5 % | 合格 | 荷重の公差範囲"));
    grid()->selectRow(1);
    EXPECT_TRUE(listRow(QStringLiteral("荷重公差 (25 mm)")).contains(QStringLiteral("±4 %")));

    // Back to the stated percentage, which the grade left as it was.
    chooseGrade(0);
    EXPECT_TRUE(tolerance->isEnabled());
    EXPECT_TRUE(listRow(QStringLiteral("荷重公差 (25 mm)")).contains(QStringLiteral("±10 %")));
}

TEST_F(GradedVerdicts, AnExtensionSpringsBandFollowsItsInitialTension) {
    // 4 N of initial tension at 30 mm, 1 N/mm (13.46 active coils) towards 60 mm:
    // 14 N at 40 mm, +/-(4 x 0.15 + 10 x 0.08) = 1.4 N with grade 2.
    SpringRow e = spring_row("E-1", 30, 4, 60, 34);
    e.type = "tension";
    e.turn = 14;
    write_catalogue({e}, {});
    find("RadioGroup_type")->findChildren<QRadioButton*>().at(1)->click();
    type("Edit_length", QStringLiteral("40"));
    chooseGrade(2);
    ASSERT_TRUE(search().isEmpty());
    grid()->selectRow(0);
    EXPECT_TRUE(listRow(QStringLiteral("荷重公差 (40 mm)"))
                    .startsWith(QStringLiteral("12.60 – 15.40 N | JIS B 2704 2級 | ±10 %")))
        << listRow(QStringLiteral("荷重公差")).toStdString();
}

TEST_F(GradedVerdicts, AnIndexOutsideTheGradesTablesLeavesTheBandAbsent) {
    // 1 mm wire on a 2.5 mm mean diameter: index 2.5; 100 N/mm gives 6.28 active coils.
    SpringRow stubby = spring_row("stubby", 30, 0, 20, 5);
    stubby.coil_dia = 3.5;
    stubby.k = 100;
    stubby.fmax = 1000;
    stubby.turn = 8;
    write_catalogue({stubby}, {});
    ASSERT_TRUE(search().isEmpty());
    grid()->selectRow(0);
    const QString without = verdict();
    chooseGrade(2);
    EXPECT_TRUE(
        listRow(QStringLiteral("荷重公差"))
            .endsWith(QStringLiteral("未判定: ばね指数が 3～22 の外: JIS の等級に公差がない")))
        << listRow(QStringLiteral("荷重公差")).toStdString();
    EXPECT_NE(verdict(), QStringLiteral("合格"));
    if (without != QStringLiteral("不可")) {
        EXPECT_EQ(verdict(), QStringLiteral("注意")) << "the missing band makes a caution at most";
    }
}

TEST_F(GradedVerdicts, TheOuterDiameterWithItsToleranceMustFitTheBore) {
    write_catalogue({with_coils("n8", 8, 10)}, {});
    type("Edit_coildia_outer_max", QStringLiteral("10.2"));
    ASSERT_TRUE(search().isEmpty());
    ASSERT_EQ(grid()->model()->rowCount(), 1);
    grid()->selectRow(0);
    EXPECT_TRUE(listRow(QStringLiteral("コイル径の公差")).isEmpty()) << "no grade, no fit check";
    // Grade 2 at index 9: +/-2 %, at least 0.3 mm: 10.30 mm in a 10.2 mm bore.
    chooseGrade(2);
    EXPECT_EQ(verdict(), QStringLiteral("注意"));
    EXPECT_EQ(find<QLabel>("Label_verdictreason")->text(),
              QStringLiteral("外径 10.30 mm (公差込み) > 上限 10.20 mm"));
    EXPECT_EQ(grid()->model()->index(0, 11).data().toString(),
              QStringLiteral("外径 10.30 mm (公差込み) > 上限 10.20 mm"));
}

TEST_F(GradedVerdicts, TheDutysFrequencyComesWithACountTakenOverAndGoesWithATypedOne) {
    // 8 active coils: 549 Hz, below 13 x 100 Hz for a pitch time of 0.01 s.
    write_catalogue({with_coils("n8", 8, 10)}, {});
    ASSERT_TRUE(search().isEmpty());
    grid()->selectRow(0);
    EXPECT_TRUE(listRow(QStringLiteral("固有振動数")).startsWith(QStringLiteral("549.2 Hz | —")));

    expect_no_box([&] { find<QPushButton>("Button_cycle")->click(); },
                  {Reply::Accept, [](QDialog* dialog) {
                       dialog->findChild<QLineEdit*>("Edit_pt")->setText(QStringLiteral("0.01"));
                   }});
    EXPECT_EQ(verdict(), QStringLiteral("注意"));
    EXPECT_EQ(find<QLabel>("Label_verdictreason")->text(),
              QStringLiteral("固有振動数 549 Hz < 13 × 100 Hz: 共振のおそれ"));
    EXPECT_TRUE(
        listRow(QStringLiteral("固有振動数")).startsWith(QStringLiteral("549.2 Hz | 13 × 100 Hz")));
    const QAbstractItemModel* m = find<QTableView>("Grid_verdict")->model();
    bool named = false;
    for (int r = 0; r < m->rowCount(); ++r)
        named |= m->index(r, 0).data().toString() == QStringLiteral("加振周波数 f") &&
                 m->index(r, 1).data().toString().startsWith(QStringLiteral("100 Hz"));
    EXPECT_TRUE(named) << "the assumptions name the frequency";
    // The grid's verdict of the row follows the duty as the panel does.
    EXPECT_EQ(grid()->model()->index(0, 11).data().toString(),
              QStringLiteral("固有振動数 549 Hz < 13 × 100 Hz: 共振のおそれ"));

    // A count typed by hand has no frequency: the check informs again.
    type("Edit_dyncycle", QStringLiteral("1E7"));
    EXPECT_TRUE(listRow(QStringLiteral("固有振動数")).startsWith(QStringLiteral("549.2 Hz | —")));
    EXPECT_FALSE(grid()->model()->index(0, 11).data().toString().contains(QStringLiteral("共振")));
}
