// What a verdict rests on, as the designer reads it: the quantities the checks took,
// catalogue coil counts that cannot both be true, an extension spring's own rows, the
// list's room in the panel, and the list's verdicts under changed check conditions.
#include "app/grid_actions.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"
#include "ui/checks_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>

using namespace testsupport;

namespace {

// SWP-B, 10 mm outer and 9 mm mean coil diameter, 1 mm wire, 8 coils in all.
// "fits": 2 N/mm gives 6.73 active coils, which 8 coils in all can have.
// "mean": 1 N/mm gives 13.46 active coils: a catalogue that meant 10 mm as the mean
//         diameter, or one whose rate or coil count is wrong.
std::vector<SpringRow> catalogue() {
    return {spring_row("fits", 30, 0, 20, 20), spring_row("mean", 30, 0, 20, 10)};
}

class SignedVerdicts : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        write_catalogue(catalogue(), {});
        type("Edit_length", QStringLiteral("25"));
        type("Edit_lengthwidth", QString());
    }

    QTableView* grid() { return find<QTableView>("DBGrid1"); }
    QTableView* list() { return find<QTableView>("Grid_verdict"); }
    QString cell(int row, int column) {
        return grid()->model()->index(row, column).data().toString();
    }
    // The text of the list's value column on the row titled `title`; empty when none.
    QString listValue(const QString& title) {
        const QAbstractItemModel* m = list()->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            if (m->index(r, 0).data().toString() == title)
                return m->index(r, 1).data().toString();
        }
        return {};
    }
    QStringList listColumn(int column) {
        QStringList texts;
        const QAbstractItemModel* m = list()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            texts << m->index(r, column).data().toString();
        return texts;
    }
    ui::TForm_checks* checks() { return find<ui::TForm_checks>("Form_checks"); }

    WorkingDir dir;
};

} // namespace

TEST_F(SignedVerdicts, CoilCountsThatCannotBothBeTrueReadCautionEverywhere) {
    ASSERT_TRUE(search().isEmpty());
    ASSERT_EQ(grid()->model()->rowCount(), 2);
    const QString why =
        QStringLiteral("カタログ値の不整合: ばね定数からの有効巻数 13.46 > 総巻数 8");
    EXPECT_EQ(cell(0, 10) + " | " + cell(0, 11), QStringLiteral("合格 | "));
    EXPECT_EQ(cell(1, 10) + " | " + cell(1, 11), QStringLiteral("注意 | ") + why);

    grid()->selectRow(1);
    EXPECT_EQ(find<QLabel>("Label_verdict")->text(), QStringLiteral("注意"));
    EXPECT_EQ(find<QLabel>("Label_verdictreason")->text(), why);
    const int coils =
        static_cast<int>(listColumn(0).indexOf(QStringLiteral("カタログ値の整合 (総巻数 8)")));
    ASSERT_GE(coils, 0);
    EXPECT_EQ(listColumn(4).at(coils), QStringLiteral("注意"));
    EXPECT_EQ(listColumn(5).at(coils), why);
    // The checks that rest on the active coils name those they used.
    EXPECT_TRUE(
        listColumn(5).contains(QStringLiteral("固有振動数 (両端固定) (有効巻数 13.46 で計算)")));
    EXPECT_TRUE(listValue(QStringLiteral("有効巻数")).contains(QStringLiteral("総巻数と不整合")));

    grid()->findChild<app::GridActions*>()->copyAllAction()->trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("\t注意\t") + why));
}

TEST_F(SignedVerdicts, TheAssumptionsNameWhatTheChecksTookInTheSearchsUnits) {
    ASSERT_TRUE(search().isEmpty());
    grid()->selectRow(0);
    EXPECT_EQ(listValue(QStringLiteral("平均径 Dm")), QStringLiteral("9.00 mm (外径 − 線径)"));
    EXPECT_EQ(listValue(QStringLiteral("ばね指数")), QStringLiteral("9.00 (Dm/d)"));
    EXPECT_EQ(listValue(QStringLiteral("有効巻数")),
              QStringLiteral("6.73 (k と G = 78500 MPa から)"));
    EXPECT_EQ(listValue(QStringLiteral("総巻数")), QStringLiteral("8 (カタログ)"));
    EXPECT_EQ(listValue(QStringLiteral("横弾性係数 G")), QStringLiteral("78500 MPa"));
    EXPECT_EQ(listValue(QStringLiteral("縦弾性係数 E")), QStringLiteral("206000 MPa"));
    const QString tensile = listValue(QStringLiteral("引張強さ σB"));
    const QString allowable = listValue(QStringLiteral("許容応力 τa"));
    ASSERT_TRUE(tensile.endsWith(QStringLiteral(" MPa"))) << tensile.toStdString();
    ASSERT_TRUE(allowable.endsWith(QStringLiteral(" MPa"))) << allowable.toStdString();
    const double taua = allowable.chopped(4).toDouble();
    EXPECT_GT(tensile.chopped(4).toDouble(), taua);
    // The static row's limit as a stress: 0.8 τa, beside the allowable-stress curve.
    const int row =
        static_cast<int>(listColumn(0).indexOf(QStringLiteral("静的応力比 τ0/τa (25 mm)")));
    ASSERT_GE(row, 0);
    EXPECT_EQ(listColumn(2).at(row),
              QStringLiteral("0.8 τa = %1 MPa").arg(QString::number(0.8 * taua, 'f', 0)));

    // In kgf-mm the stresses are kgf/mm².
    find("RadioGroup_unit")->findChildren<QRadioButton*>().at(1)->click();
    type("Edit_force", QString());
    ASSERT_TRUE(search().isEmpty());
    grid()->selectRow(0);
    EXPECT_TRUE(listValue(QStringLiteral("横弾性係数 G")).endsWith(QStringLiteral(" kgf/mm²")));
}

TEST_F(SignedVerdicts, AnExtensionSpringListsNoSeatingAndItsInitialStressRange) {
    SpringRow e = spring_row("E-1", 30, 4, 60, 34);
    e.type = "tension";
    e.turn = 14; // 13.46 active coils between the hooks
    write_catalogue({e}, {});
    find("RadioGroup_type")->findChildren<QRadioButton*>().at(1)->click();
    type("Edit_length", QStringLiteral("40"));
    ASSERT_TRUE(search().isEmpty());
    ASSERT_EQ(grid()->model()->rowCount(), 1);
    grid()->selectRow(0);
    for (const QString& value : listColumn(1)) {
        EXPECT_FALSE(value.startsWith(QStringLiteral("座り"))) << value.toStdString();
        EXPECT_FALSE(value.startsWith(QStringLiteral("端部"))) << value.toStdString();
    }
    // tau0 at fo 91.67 MPa inside 68.55 – 111.02 MPa; its margin over the nearer end.
    const int row = static_cast<int>(listColumn(0).indexOf(QStringLiteral("初応力")));
    ASSERT_GE(row, 0);
    EXPECT_EQ(listColumn(1).at(row), QStringLiteral("92 MPa"));
    EXPECT_EQ(listColumn(2).at(row), QStringLiteral("69 – 111 MPa"));
    EXPECT_EQ(listColumn(3).at(row), QStringLiteral("17 %"));
    EXPECT_EQ(listColumn(4).at(row), QStringLiteral("合格"));
}

TEST_F(SignedVerdicts, TheCountSaysWhenTheListLeftOutLeansOnConditionsChangedSince) {
    checks()->findChild<QCheckBox*>("CheckBox_passonly")->setChecked(true);
    checks()->findChild<QPushButton*>("BitBtn_checksok")->click();
    ASSERT_TRUE(search().isEmpty());
    QLabel* hits = find<QLabel>("Label_hits");
    ASSERT_EQ(hits->text(), QStringLiteral("2 件（不可 0 件を除外）"));
    // One end free: "fits" buckles, and reads so at once, though it stays listed.
    checks()
        ->findChild<QGroupBox*>("RadioGroup_seating")
        ->findChildren<QRadioButton*>()
        .at(0)
        ->click();
    checks()->findChild<QPushButton*>("BitBtn_checksok")->click();
    EXPECT_EQ(cell(0, 10), QStringLiteral("不可"));
    EXPECT_EQ(hits->text(), QStringLiteral("2 件（不可 0 件を除外）（条件変更後 未再検索）"));
    ASSERT_TRUE(search().isEmpty());
    EXPECT_EQ(hits->text(), QStringLiteral("0 件（不可 2 件を除外）"));
}

TEST_F(SignedVerdicts, AtTheDefaultSizeTheListShowsCheckValueLimitAndVerdict) {
    // In every unit system: the kgf and gf stresses are the longest limits.
    for (int unit = 0; unit < 3; ++unit) {
        SCOPED_TRACE(unit);
        find("RadioGroup_unit")->findChildren<QRadioButton*>().at(unit)->click();
        ASSERT_TRUE(search().isEmpty());
        grid()->selectRow(1);
        QApplication::processEvents();
        QTableView* view = list();
        const int right = view->columnViewportPosition(4) + view->columnWidth(4);
        EXPECT_LE(right, view->viewport()->width()) << "the verdict column is cut";
        EXPECT_EQ(view->horizontalScrollBar()->value(), 0);
        // A text may wrap at its spaces, but no word of a check's value, limit, margin
        // or verdict is cut.
        const QFontMetrics metrics = view->fontMetrics();
        const int checks = static_cast<int>(listColumn(0).indexOf(QStringLiteral("平均径 Dm")));
        ASSERT_GT(checks, 0);
        for (int column = 1; column <= 4; ++column) {
            for (const QString& text : listColumn(column).mid(0, checks)) {
                for (const QString& word : text.split(u' '))
                    EXPECT_LE(metrics.horizontalAdvance(word), view->columnWidth(column))
                        << text.toStdString();
            }
        }
    }
}

TEST_F(SignedVerdicts, HidingTheChartsLeavesTheListItsRoom) {
    ASSERT_TRUE(search().isEmpty());
    grid()->selectRow(0);
    QApplication::processEvents();
    // The rows the list shows whole, and their cells' width.
    const auto shown = [this] {
        QTableView* view = list();
        int rows = 0;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            rows += view->rowViewportPosition(r) >= 0 &&
                    view->rowViewportPosition(r) + view->rowHeight(r) <= view->viewport()->height();
        return rows;
    };
    const int rows = shown();
    const int width = list()->width();
    // One chart hidden: the stress panel stays, and so does the list.
    find<QAction>("menu_statictau")->trigger();
    QApplication::processEvents();
    EXPECT_GE(shown(), rows);
    EXPECT_GE(list()->width(), width);
    // Both hidden: the window gives up the stress panel's height, as it always did, and
    // the list takes the whole width, where no check needs a second line.
    find<QAction>("menu_dynamictau")->trigger();
    QApplication::processEvents();
    EXPECT_GT(list()->width(), 2 * width);
    for (int r = 0; r < rows; ++r)
        EXPECT_LE(list()->rowHeight(r), list()->fontMetrics().height() + 8) << r;
}
