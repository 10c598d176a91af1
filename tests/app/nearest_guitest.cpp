// The nearest-spring command through the real window: the list it shows, the
// search with a row's tolerances, and what it says when it cannot run.
#include "core/search/conditions.h"
#include "support/boxes.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"
#include "ui/grid_model.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace testsupport;

namespace {

constexpr double kN = 9.80665; // newtons in a kilogram-force

// A compression spring whose load line runs in kgf from (30, a) to (20, 4 + a).
// Against 25 +- 1 mm, 2 +- 0.05 kgf it is 20a in tolerances above the point and
// meets the grown window where x - 25 = 20a - 8(x - 25): at the factor 20a / 9,
// while that point lies on the line (factors up to 5).
SpringRow at_factor(const std::string& model, double factor) {
    const double a = 9 * factor / 20;
    return spring_row(model, 30, a * kN, 20, (4 + a) * kN);
}

struct Listed {
    QStringList titles;
    std::vector<QStringList> rows;
};

class NearestCommand : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // Ordered by factor: C-2 1.123, C-4 1.456, C-1 2.504, C-5 3.345, C-3 4.891.
        write_catalogue({at_factor("C-1", 2.504), at_factor("C-2", 1.123), at_factor("C-3", 4.891),
                         at_factor("C-4", 1.456), at_factor("C-5", 3.345)},
                        {{"KSSC", "東京都", "03", "03", "u"}});
    }
    void kgf_point() {
        find("RadioGroup_unit")->findChildren<QRadioButton*>().at(1)->click();
        type("Edit_length", "25");
        type("Edit_force", "2");
        type("Edit_forcewidth", "0.05");
    }
    // Runs the command; `inside` sees the list before it closes with `reply`.
    // The message boxes it showed; `listed` tells whether the list showed.
    QList<Box> nearest(const std::function<void(QDialog*)>& inside = {},
                       Reply reply = Reply::Reject) {
        listed = false;
        const auto look = [&](QDialog* d) {
            listed = listed || d->objectName() == QLatin1String("Form_nearest");
            if (inside)
                inside(d);
        };
        return answer_boxes([&] { find<QAction>("Button_nearest")->trigger(); }, {reply, look});
    }
    bool listed = false;
    static Listed list_of(QDialog* dialog) {
        Listed l;
        auto* grid = dialog->findChild<QTableView*>(QStringLiteral("Grid_nearest"));
        EXPECT_NE(grid, nullptr);
        const QAbstractItemModel* m = grid->model();
        for (int c = 0; c < m->columnCount(); ++c)
            l.titles << m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < m->columnCount(); ++c)
                row << m->data(m->index(r, c), Qt::DisplayRole).toString();
            l.rows.push_back(row);
        }
        return l;
    }
    QStringList grid_models() {
        QStringList list;
        for (int r = 0; r < form->gridModel()->rowCount(); ++r)
            list << form->gridModel()->text(r, 1);
        return list;
    }
    WorkingDir dir;
};

} // namespace

TEST_F(NearestCommand, ListsTheNearestByFactorInTheCurrentUnits) {
    kgf_point();
    EXPECT_TRUE(search().isEmpty());
    EXPECT_TRUE(grid_models().isEmpty()); // the tight search finds nothing

    QString title;
    Listed l;
    EXPECT_TRUE(nearest([&](QDialog* d) {
                    title = d->objectName();
                    l = list_of(d);
                }).isEmpty());
    ASSERT_TRUE(listed);
    EXPECT_EQ(title, QStringLiteral("Form_nearest"));
    EXPECT_EQ(l.titles,
              (QStringList{"メーカー", "型番", "材質", "D mm", "d mm", "lo mm", "fo kgf", "参考長",
                           "fmax kgf", "k kgf/mm", "判定", "理由", "許容差の倍率"}));
    ASSERT_EQ(l.rows.size(), 5u);
    QStringList order, factors;
    for (const QStringList& row : l.rows) {
        order << row[1];
        factors << row[12];
        // Every listed spring carries its verdict, with the reason when it is not 合格.
        EXPECT_TRUE(row[10] == "合格" ? row[11].isEmpty() : !row[11].isEmpty())
            << row.join('|').toStdString();
    }
    EXPECT_EQ(order, (QStringList{"C-2", "C-4", "C-1", "C-5", "C-3"}));
    // Rounded up: a factor shown as 1.00 or less means the search finds the spring.
    EXPECT_EQ(factors, (QStringList{"1.13", "1.46", "2.51", "3.35", "4.90"}));
    // C-2: fo = 9 * 1.123 / 20 kgf, fmax 4 kgf more, rate 0.4 kgf/mm, in three decimals.
    EXPECT_EQ(l.rows[0].mid(0, 10), (QStringList{"KSSC", "C-2", "SWP-B", "10", "1", "30", "0.505",
                                                 "20", "4.505", "0.400"}));
    // The command changes neither the conditions nor the tolerance boxes.
    EXPECT_EQ(find<QLineEdit>("Edit_forcewidth")->text(), QStringLiteral("0.05"));
    EXPECT_DOUBLE_EQ(search::conditions.condition[0].force_max, 2.05);
}

TEST_F(NearestCommand, SearchingWithARowsToleranceFindsThatSpring) {
    kgf_point();
    nearest(
        [](QDialog* d) {
            d->findChild<QTableView*>(QStringLiteral("Grid_nearest"))->selectRow(2); // C-1, 2.51
            d->findChild<QPushButton*>(QStringLiteral("Button_nearestsearch"))->click();
        },
        Reply::Accept);
    EXPECT_EQ(find<QLineEdit>("Edit_lengthwidth")->text(), QStringLiteral("2.51"));
    EXPECT_EQ(find<QLineEdit>("Edit_forcewidth")->text(), QStringLiteral("0.1255"));
    EXPECT_EQ(find<QLineEdit>("Edit_length2width")->text(), QStringLiteral("1")); // not measured
    // The search ran: the springs up to that factor, the chosen one current and evaluated.
    EXPECT_DOUBLE_EQ(search::conditions.condition[0].length_max, 27.51);
    EXPECT_EQ(grid_models(), (QStringList{"C-1", "C-2", "C-4"}));
    const int current = form->springTable().currentRow();
    ASSERT_GE(current, 0);
    EXPECT_EQ(form->gridModel()->text(current, 1), QStringLiteral("C-1"));
    EXPECT_EQ(find<QTableView>("DBGrid1")->currentIndex().row(), current);
    EXPECT_FALSE(find<QLabel>("Label_F1")->text().isEmpty());
    EXPECT_FALSE(find<QLabel>("Label_tau1")->text().isEmpty());
}

TEST_F(NearestCommand, ClosingTheListChangesNothing) {
    kgf_point();
    EXPECT_TRUE(nearest({}, Reply::Reject).isEmpty());
    EXPECT_TRUE(listed);
    EXPECT_EQ(find<QLineEdit>("Edit_lengthwidth")->text(), QStringLiteral("1"));
    EXPECT_FALSE(form->springTable().isOpen());
}

TEST_F(NearestCommand, TheOtherRulesOfTheSearchStillHold) {
    kgf_point();
    find<QComboBox>("ComboBox_material")->setCurrentText(QStringLiteral("SWO-B"));
    Listed l;
    nearest([&](QDialog* d) { l = list_of(d); });
    EXPECT_TRUE(l.rows.empty());
    find<QComboBox>("ComboBox_material")->setCurrentText(QString());
    find("RadioGroup_type")->findChildren<QRadioButton*>().at(1)->click(); // tension
    nearest([&](QDialog* d) { l = list_of(d); });
    EXPECT_TRUE(l.rows.empty());
}

TEST_F(NearestCommand, WithoutAWholeConditionItSaysSo) {
    // Length without force in one condition, force without length in the other.
    type("Edit_length", "25");
    type("Edit_force2", "20");
    const QList<Box> boxes = nearest();
    EXPECT_FALSE(listed);
    ASSERT_EQ(boxes.size(), 1);
    const Box& seen = boxes[0];
    EXPECT_EQ(seen.title, QStringLiteral("Tarvolin1.40J"));
    EXPECT_EQ(seen.text,
              QStringLiteral("長さと荷重を両方入力した選択条件がありません。近いバネを探せません"));
    EXPECT_EQ(seen.icon, 0); // a plain message
    EXPECT_FALSE(form->springTable().isOpen());
    EXPECT_EQ(find<QLineEdit>("Edit_lengthwidth")->text(), QStringLiteral("1"));
}

TEST_F(NearestCommand, ACatalogueThatFailsGivesTheSearchsMessage) {
    kgf_point();
    for (const std::string& bytes : {std::string(), std::string("<DATAPACKET><ROWDATA>")}) {
        QFile::remove(dir.file(QStringLiteral("spring_data.xml")));
        if (!bytes.empty())
            write_bytes(dir.file(QStringLiteral("spring_data.xml")), bytes);
        const QList<Box> searched = search();
        const QList<Box> nearer = nearest();
        ASSERT_EQ(searched.size(), 1);
        ASSERT_EQ(nearer.size(), 1);
        const Box& from_search = searched[0];
        const Box& from_nearest = nearer[0];
        EXPECT_EQ(from_nearest.text, from_search.text);
        EXPECT_EQ(from_nearest.title, from_search.title);
        EXPECT_EQ(from_nearest.icon, 3); // the error box
    }
}
