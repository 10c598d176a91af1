// Whether each listed spring will stand its duty, as the window shows it: the
// selected spring's verdict list, the grid's verdict columns and their copy, the
// check conditions dialog, the search options that lean on the checks, and the
// selected spring's band and limit marks on the load-length chart.
#include "app/grid_actions.h"
#include "chart/chart.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"
#include "ui/checks_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace testsupport;

namespace {

// SWP-B, 9 mm mean coil diameter, 1 mm wire, 8 coils, unground: Lc 9.5 mm.
// "pass": 2 N/mm from 30 mm, 10 N at 25 mm, tau0/taua 0.20; Ln 10.99 mm; it cannot
//         buckle with both ends fixed, but does with one end free (sK 1.97 mm).
// "stress": 10 N/mm, 50 N at 25 mm, tau0/taua 1.02.
// "short": 24 coils, Lc 25.5 mm and Ln 27.0 mm, so 25 mm is too short; but its rate
//          gives 6.73 active coils, which 24 coils in all cannot have.
std::vector<SpringRow> crafted() {
    SpringRow pass = spring_row("pass", 30, 0, 20, 20);
    SpringRow stress = spring_row("stress", 30, 0, 20, 100);
    stress.turn = 4; // 1.35 active coils
    SpringRow short_ = spring_row("short", 30, 0, 20, 20);
    short_.turn = 24;
    return {pass, stress, short_};
}

class Verdicts : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        write_catalogue(crafted(), {});
        type("Edit_length", QStringLiteral("25"));
        type("Edit_lengthwidth", QString());
    }

    QTableView* grid() { return find<QTableView>("DBGrid1"); }
    QTableView* list() { return find<QTableView>("Grid_verdict"); }
    QString verdict() { return find<QLabel>("Label_verdict")->text(); }
    ui::TForm_checks* checks() { return find<ui::TForm_checks>("Form_checks"); }

    void select(int row) { grid()->selectRow(row); }

    // The rows of the verdict list as text, "項目 | 判定 | 理由".
    QStringList listRows() {
        QStringList rows;
        const QAbstractItemModel* m = list()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            rows << m->index(r, 0).data().toString() + " | " + m->index(r, 1).data().toString() +
                        " | " + m->index(r, 4).data().toString() + " | " +
                        m->index(r, 5).data().toString();
        return rows;
    }
    // A note row (前提, 荷重範囲) holds its text in the value column.
    bool listHasNote(const QString& title, const QString& text) {
        const QAbstractItemModel* m = list()->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            if (m->index(r, 0).data().toString() == title &&
                m->index(r, 1).data().toString() == text)
                return list()->columnSpan(r, 1) == 5;
        }
        return false;
    }
    bool listHas(const QString& check_start, const QString& verdict_word, const QString& reason) {
        const QAbstractItemModel* m = list()->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            if (m->index(r, 0).data().toString().startsWith(check_start) &&
                m->index(r, 4).data().toString() == verdict_word &&
                m->index(r, 5).data().toString() == reason)
                return true;
        }
        return false;
    }
    // The grid's 判定 and 理由 cells of a row.
    QString cells(int row) {
        const QAbstractItemModel* m = grid()->model();
        return m->index(row, 10).data().toString() + " | " + m->index(row, 11).data().toString();
    }
    // Sets the dialog's controls and presses OK, as the designer does in it.
    void chooseSeating(int item) {
        checks()
            ->findChild<QGroupBox*>("RadioGroup_seating")
            ->findChildren<QRadioButton*>()
            .at(item)
            ->click();
        checks()->findChild<QPushButton*>("BitBtn_checksok")->click();
    }

    WorkingDir dir;
};

} // namespace

TEST_F(Verdicts, EachFailingCheckShowsItsReasonInTheListTheColumnsAndTheCopy) {
    ASSERT_TRUE(search().isEmpty());
    ASSERT_EQ(grid()->model()->rowCount(), 3);
    EXPECT_EQ(grid()->model()->headerData(10, Qt::Horizontal).toString(), QStringLiteral("判定"));
    EXPECT_EQ(grid()->model()->headerData(11, Qt::Horizontal).toString(), QStringLiteral("理由"));

    select(0);
    EXPECT_EQ(verdict(), QStringLiteral("合格")) << listRows().join('\n').toStdString();
    EXPECT_EQ(find<QLabel>("Label_verdict")->styleSheet(), QStringLiteral("color: #008000"));
    EXPECT_TRUE(listHas("静的応力比 τ0/τa (25 mm)", "合格", "応力比 τ0/τa は 0.8 未満"));
    EXPECT_TRUE(listHasNote("前提", "座り: 両端固定 (ν=0.5)"));
    EXPECT_TRUE(listHasNote("荷重範囲", "25時荷重 9.00 – 11.00 N (±10 %)"));
    EXPECT_EQ(cells(0), QStringLiteral("合格 | "));

    select(1);
    EXPECT_EQ(verdict(), QStringLiteral("不可"));
    EXPECT_EQ(find<QLabel>("Label_verdict")->styleSheet(), QStringLiteral("color: #ff0000"));
    EXPECT_TRUE(listHas("静的応力比 τ0/τa (25 mm)", "不可", "応力比 τ0/τa が 0.8 以上"));
    EXPECT_EQ(cells(1), QStringLiteral("不可 | 応力比 τ0/τa が 0.8 以上"));

    select(2);
    EXPECT_EQ(verdict(), QStringLiteral("不可"));
    // 24 coils in all but 6.73 active ones from the rate: the catalogue's values
    // disagree, and the check that rests on the active coils says which it used.
    EXPECT_TRUE(
        listHas("最小使用長さ (25 mm)", "不可", "最小使用長さより短い (有効巻数 6.73 で計算)"));
    EXPECT_EQ(cells(2), QStringLiteral("不可 | 最小使用長さより短い (カタログ値の不整合あり)"));

    // The fatigue check follows the operating range and the cycle count at once.
    find<QCheckBox>("CheckBox_link")->setChecked(false);
    type("Edit_dynmin", QStringLiteral("20"));
    type("Edit_dynmax", QStringLiteral("25"));
    type("Edit_dyncycle", QStringLiteral("1E7"));
    select(1);
    EXPECT_TRUE(listHas("疲れ強さ τmax/σB", "不可", "作動点が疲れ強さの許容域外"))
        << listRows().join('\n').toStdString();

    // The copy carries the verdict columns like the others.
    grid()->findChild<app::GridActions*>()->copyAllAction()->trigger();
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\t判定\t理由")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("\t不可\t応力比 τ0/τa が 0.8 以上")));
    EXPECT_TRUE(
        lines[3].endsWith(QStringLiteral("\t不可\t最小使用長さより短い (カタログ値の不整合あり)")));

    // Hidden columns leave the grid and the copy.
    find<QAction>("menu_verdictcolumns")->trigger();
    EXPECT_EQ(grid()->model()->columnCount(), 10);
    grid()->findChild<app::GridActions*>()->copyAllAction()->trigger();
    EXPECT_FALSE(QApplication::clipboard()->text().contains(QStringLiteral("判定")));
}

TEST_F(Verdicts, AChangedSeatingAppliesAtOnceToTheSelectedSpringAndToTheList) {
    ASSERT_TRUE(search().isEmpty());
    select(0);
    ASSERT_EQ(verdict(), QStringLiteral("合格"));
    ASSERT_EQ(cells(0), QStringLiteral("合格 | "));
    chooseSeating(0); // one end fixed, the other free
    EXPECT_EQ(verdict(), QStringLiteral("不可"));
    EXPECT_TRUE(listHas("座屈 (25 mm)", "不可", "座屈のおそれ (一端固定・他端自由 ν=2)"));
    EXPECT_TRUE(listHasNote("前提", "座り: 一端固定・他端自由 (ν=2)"));
    // The grid and the panel never disagree: the listed rows are judged again at once.
    EXPECT_EQ(cells(0), QStringLiteral("不可 | 座屈のおそれ (一端固定・他端自由 ν=2)"));
    // Nothing the list leaves out leans on the checks, so the count stands as it is.
    EXPECT_EQ(find<QLabel>("Label_hits")->text(), QStringLiteral("3 件"));
    search();
    EXPECT_EQ(cells(0), QStringLiteral("不可 | 座屈のおそれ (一端固定・他端自由 ν=2)"));
}

TEST_F(Verdicts, TheDialogStartsWithItsDefaultsAndKeepsOkOffForABadTolerance) {
    // Opened from the search menu; the view menu shows and hides the verdicts.
    EXPECT_TRUE(find<QMenu>("Search1")->actions().contains(find<QAction>("Button_checks")));
    EXPECT_EQ(find<QAction>("Button_checks")->text(), QStringLiteral("判定条件(&J)..."));
    for (const char* toggle : {"menu_verdict", "menu_verdictcolumns"}) {
        EXPECT_TRUE(find<QMenu>("V1")->actions().contains(find<QAction>(toggle))) << toggle;
        EXPECT_TRUE(find<QAction>(toggle)->isChecked()) << toggle;
    }
    find<QAction>("menu_verdict")->trigger();
    EXPECT_TRUE(find("Panel_verdict")->isHidden());

    ui::TForm_checks* d = checks();
    const auto checked = [d](const char* group) {
        const QList<QRadioButton*> items =
            d->findChild<QGroupBox*>(group)->findChildren<QRadioButton*>();
        for (int i = 0; i < items.size(); ++i) {
            if (items[i]->isChecked())
                return items[i]->text();
        }
        return QString();
    };
    EXPECT_EQ(checked("RadioGroup_seating"), QStringLiteral("両端固定 (ν=0.5)"));
    EXPECT_EQ(checked("RadioGroup_ends"), QStringLiteral("非研削"));
    EXPECT_EQ(checked("RadioGroup_loading"), QStringLiteral("静的"));
    auto* tolerance = d->findChild<QLineEdit*>("Edit_loadtolerance");
    auto* ok = d->findChild<QPushButton*>("BitBtn_checksok");
    EXPECT_EQ(tolerance->text(), QStringLiteral("10"));
    EXPECT_FALSE(d->findChild<QCheckBox*>("CheckBox_tolerancesearch")->isChecked());
    EXPECT_FALSE(d->findChild<QCheckBox*>("CheckBox_passonly")->isChecked());
    EXPECT_TRUE(ok->isEnabled());

    const auto problem = [d] { return d->findChild<QLabel*>("Label_loadtoleranceerror")->text(); };
    for (const char* bad : {"abc", "-1", "50", "1e400"}) {
        tolerance->setText(QString::fromLatin1(bad));
        EXPECT_FALSE(ok->isEnabled()) << bad;
        EXPECT_FALSE(problem().isEmpty()) << bad;
    }
    tolerance->setText(QStringLiteral("０")); // full width, and 0 means no band
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(problem().isEmpty());
    ok->click();
    EXPECT_EQ(d->choices().conditions.load_tolerance, 0);

    // Cancel leaves the choices as they were.
    tolerance->setText(QStringLiteral("20"));
    d->findChild<QPushButton*>("BitBtn_checkscancel")->click();
    EXPECT_EQ(d->choices().conditions.load_tolerance, 0);
}

TEST_F(Verdicts, TheSearchOptionsLeaveOutFailingSpringsAndBandsThatMissAWindow) {
    // 25 ± 0.1 mm at 10 ± 0.5 N: "pass" (10 N at 25 mm) and "wide" (10.4 N,
    // 2.08 N/mm) are listed.
    SpringRow wide = spring_row("wide", 30, 0, 20, 20.8);
    write_catalogue({crafted()[0], crafted()[1], wide}, {});
    type("Edit_lengthwidth", QStringLiteral("0.1"));
    type("Edit_force", QStringLiteral("10"));
    type("Edit_forcewidth", QStringLiteral("0.5"));
    ASSERT_TRUE(search().isEmpty());
    EXPECT_EQ(grid()->model()->rowCount(), 2);

    // With a band of ±5 %, the upper edge of "wide" stays above 10.5 N.
    checks()->findChild<QLineEdit*>("Edit_loadtolerance")->setText(QStringLiteral("5"));
    checks()->findChild<QCheckBox*>("CheckBox_tolerancesearch")->setChecked(true);
    checks()->findChild<QPushButton*>("BitBtn_checksok")->click();
    search();
    ASSERT_EQ(grid()->model()->rowCount(), 1);
    EXPECT_EQ(grid()->model()->index(0, 1).data().toString(), QStringLiteral("pass"));

    // Pass only: no force condition, so "stress" is listed and then left out.
    checks()->findChild<QCheckBox*>("CheckBox_tolerancesearch")->setChecked(false);
    checks()->findChild<QCheckBox*>("CheckBox_passonly")->setChecked(true);
    checks()->findChild<QPushButton*>("BitBtn_checksok")->click();
    type("Edit_force", QString());
    type("Edit_forcewidth", QString());
    search();
    EXPECT_EQ(grid()->model()->rowCount(), 2);
    EXPECT_EQ(find<QLabel>("Label_hits")->text(), QStringLiteral("2 件（不可 1 件を除外）"));
    for (int r = 0; r < grid()->model()->rowCount(); ++r)
        EXPECT_NE(grid()->model()->index(r, 1).data().toString(), QStringLiteral("stress"));
}

TEST_F(Verdicts, TheChartShowsTheSelectedSpringsBandAndLimitMarks) {
    type("Edit_length", QStringLiteral("12"));
    SpringRow low = spring_row("low", 30, 0, 11, 38); // reaches below Ln 10.99 mm
    write_catalogue({low}, {});
    ASSERT_TRUE(search().isEmpty());
    select(0);
    Chart* chart = find<Chart>("DBChart1");
    chart->grab();
    int band = 0, ln = 0;
    for (const auto& l : chart->lastPaintStrokes()) {
        band += l.color == QColor(255, 120, 120) && l.from != l.to;
        ln += l.color == QColor(0, 0, 200) && l.from != l.to;
    }
    EXPECT_EQ(band, 2);
    EXPECT_EQ(ln, 2);

    // No band with no tolerance.
    checks()->findChild<QLineEdit*>("Edit_loadtolerance")->setText(QStringLiteral("0"));
    checks()->findChild<QPushButton*>("BitBtn_checksok")->click();
    chart->grab();
    band = 0;
    for (const auto& l : chart->lastPaintStrokes())
        band += l.color == QColor(255, 120, 120);
    EXPECT_EQ(band, 0);
}

TEST_F(Verdicts, AUnitChangeAndAnEmptyResultLeaveNoOldVerdict) {
    ASSERT_TRUE(search().isEmpty());
    select(0);
    EXPECT_TRUE(listHasNote("荷重範囲", "25時荷重 9.00 – 11.00 N (±10 %)"));
    find("RadioGroup_unit")->findChildren<QRadioButton*>().at(1)->click();
    search();
    select(0);
    EXPECT_TRUE(listHasNote("荷重範囲", "25時荷重 0.918 – 1.122 kgf (±10 %)"))
        << listRows().join('\n').toStdString();
    for (const QString& row : listRows())
        EXPECT_FALSE(row.contains(QStringLiteral(" N")) || row.contains(QStringLiteral("MPa")))
            << row.toStdString();

    type("Edit_length", QStringLiteral("100"));
    type("Edit_lengthwidth", QStringLiteral("1"));
    search();
    EXPECT_EQ(grid()->model()->rowCount(), 0);
    EXPECT_EQ(verdict(), QString());
    EXPECT_EQ(list()->model()->rowCount(), 0);
}
