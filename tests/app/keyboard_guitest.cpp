// The search form as a keyboard and mouse user meets it: Enter starts the
// search, typed texts stay as typed, edits show the start of their text, the
// grid's highlight stays on the current row and elided texts show as tips.
#include "app/grid_views.h"
#include "core/search/conditions.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolTip>

using namespace testsupport;

namespace {

class Keyboard : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        QApplication::setActiveWindow(form);
        QApplication::processEvents();
    }
    int rows() { return find<QTableView>("DBGrid1")->model()->rowCount(); }
    std::vector<SpringRow> springs(int n) {
        std::vector<SpringRow> rows;
        for (int i = 0; i < n; ++i)
            rows.push_back(spring_row("S" + std::to_string(i), 30 + i, 0, 20, 10));
        return rows;
    }
    WorkingDir dir;
};

} // namespace

TEST_F(Keyboard, EnterInAnySearchControlStartsTheSearch) {

    int n = 0;
    auto expect_search_on = [&](QWidget* w, Qt::Key key, const char* name) {
        write_catalogue(springs(++n), {});
        w->setFocus();
        QTest::keyClick(w, key);
        EXPECT_EQ(rows(), n) << name;
    };
    for (const char* name : search_edits) {
        auto* e = find<QLineEdit>(name);
        e->clear(); // no bound, no window: every spring is listed
        expect_search_on(e, Qt::Key_Return, name);
    }
    expect_search_on(find<QLineEdit>("Edit_length"), Qt::Key_Enter, "keypad Enter");
    for (const char* name : {"ComboBox_maker", "ComboBox_material"})
        expect_search_on(find<QComboBox>(name)->lineEdit(), Qt::Key_Return, name);
    expect_search_on(find<QPushButton>("Serch_Btn"), Qt::Key_Return, "the search button");
    // Elsewhere Enter does nothing of the kind.
    write_catalogue(springs(++n), {});
    QTest::keyClick(find<QLineEdit>("Edit_dyncycle"), Qt::Key_Return);
    EXPECT_EQ(rows(), n - 1);
}

TEST_F(Keyboard, TypedMaterialAndMakerStayAsTyped) {
    auto* material = find<QComboBox>("ComboBox_material");
    auto* maker = find<QComboBox>("ComboBox_maker");
    material->lineEdit()->setFocus();
    QTest::keyClicks(material->lineEdit(), "swp-b");
    EXPECT_EQ(material->currentText(), QStringLiteral("swp-b"));
    QTest::keyClicks(maker->lineEdit(), "kss");
    EXPECT_EQ(maker->currentText(), QStringLiteral("kss"));
    write_catalogue(springs(1), {});
    QTest::keyClick(material->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(search::conditions.sel_material, "swp-b");
    EXPECT_EQ(search::conditions.sel_maker, "kss");
    EXPECT_EQ(material->currentText(), QStringLiteral("swp-b"));
    EXPECT_EQ(material->count(), 5); // nothing was added to the list
}

TEST_F(Keyboard, AnEditThatLosesTheFocusShowsTheStartOfItsText) {
    auto* width = find<QLineEdit>("Edit_forcewidth");
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, "0.5099");
    EXPECT_EQ(width->cursorPosition(), 6);
    find<QLineEdit>("Edit_length2")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(width->text(), QStringLiteral("0.5099"));
    EXPECT_EQ(width->cursorPosition(), 0);
}

TEST_F(Keyboard, GridHighlightStaysOnTheCurrentRow) {
    write_catalogue(springs(3), {});
    search();
    auto* grid = find<QTableView>("DBGrid1");
    grid->resize(grid->width(), 300);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(1, 1)).center());
    ASSERT_EQ(form->springTable().currentRow(), 1);
    // Below the last row: no row there, the spring stays selected and highlighted.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      QPoint(20, grid->viewport()->height() - 4));
    EXPECT_EQ(form->springTable().currentRow(), 1);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(1, {}));
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 1);
}

TEST_F(Keyboard, ElidedCellsAndTitlesShowTheirWholeText) {
    const std::string long_name = "C-2020-40-WITH-A-LONG-SUFFIX";
    write_catalogue({spring_row(long_name, 40, 0, 30, 15), spring_row("C1", 40, 0, 30, 15)}, {});
    find("RadioGroup_unit")->findChildren<QRadioButton*>().at(1)->click();
    search();
    auto* grid = find<QTableView>("DBGrid1");
    // A search fits the columns to their texts; the user narrows two again.
    const int fmax = 8;
    grid->setColumnWidth(1, 85);
    grid->setColumnWidth(fmax, 44);
    const QPoint model_cell = grid->visualRect(grid->model()->index(0, 1)).center();
    const QPoint short_cell = grid->visualRect(grid->model()->index(1, 1)).center();
    EXPECT_EQ(app::elided_cell_text(grid, model_cell), QString::fromStdString(long_name));
    EXPECT_EQ(app::elided_cell_text(grid, short_cell), QString());
    QHeaderView* header = grid->horizontalHeader();
    const QPoint title(header->sectionViewportPosition(fmax) + 5, header->height() / 2);
    EXPECT_EQ(app::elided_title_text(header, title), QStringLiteral("fmax kgf"));
    const QPoint maker(header->sectionViewportPosition(0) + 5, header->height() / 2);
    EXPECT_EQ(app::elided_title_text(header, maker), QString());

    // The grid shows the text as its tool tip.
    QHelpEvent help(QEvent::ToolTip, model_cell, grid->viewport()->mapToGlobal(model_cell));
    QApplication::sendEvent(grid->viewport(), &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QString::fromStdString(long_name));
}

// The grid is no tab stop; Ctrl+G reaches it from any control, and the tab
// order stays as it was.
TEST_F(Keyboard, CtrlGTakesTheKeyboardToTheGridAndTheTabOrderStays) {
    write_catalogue(springs(3), {});
    search();
    auto* grid = find<QTableView>("DBGrid1");
    auto* length = find<QLineEdit>("Edit_length");
    length->setFocus();
    ASSERT_TRUE(length->hasFocus());
    QTest::keyClick(length, Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->focusPolicy(), Qt::ClickFocus);
    // From the grid, the arrow keys move the cursor through the springs.
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(form->springTable().currentRow(), 1);
    // The command shows its keys in the grid's menu.
    auto* focus = form->findChild<QAction*>(QStringLiteral("Action_focusgrid"));
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
}
