#pragma once

#include <QObject>

#include <optional>
#include <vector>

class QAction;
class QMenu;
class QTableView;
class SpringGridModel;

namespace app {

// What a designer takes away from the result grid: the current row or all
// rows on the clipboard (Ctrl+C copies the current row) and the rows as a
// CSV file, from the grid's context menu; the save action also goes into the
// File menu.
class GridActions : public QObject {
    Q_OBJECT
public:
    GridActions(QTableView* grid, SpringGridModel* model);

    QAction* copyRowAction() const { return copy_row_; }
    QAction* copyAllAction() const { return copy_all_; }
    QAction* saveCsvAction() const { return save_csv_; }
    // Ctrl+G from anywhere in the window: the grid takes the keyboard, so that
    // a keyboard user reaches the springs although the grid is no tab stop.
    QAction* focusAction() const { return focus_; }
    QMenu* menu() const { return menu_; }

    void copyCurrentRow();
    // Many rows take a while: a progress with 中止 shows, and stopping leaves the
    // clipboard as it was.
    void copyAllRows();
    // Asks for the file and its encoding, then writes it; failures in a box.
    void saveCsv();

    // Model columns in the order the grid shows them.
    std::vector<int> shownColumns() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateActions();
    // The text of every row; none when the user stopped it.
    std::optional<QString> allRowsText() const;

    QTableView* grid_;
    SpringGridModel* model_;
    QMenu* menu_;
    QAction* copy_row_;
    QAction* copy_all_;
    QAction* save_csv_;
    QAction* focus_;
};

} // namespace app
