#pragma once

#include <QWidget>

class Chart;
class QTableView;
class SpringGridModel;

namespace catalogue {
class Table;
}

namespace ui {

// The springs found: the load-length chart, a splitter, and the grid over
// the catalogue table.
class ResultArea : public QWidget {
    Q_OBJECT
public:
    // `springs` must outlive the area: the grid reads it.
    ResultArea(const catalogue::Table& springs, QWidget* parent);

    Chart* chart() const { return chart_; }
    QTableView* grid() const { return grid_; }
    SpringGridModel* model() const { return model_; }

    // Moves the grid's cursor to the table's current row.
    void showCurrentRow(int row);
    // Each column as wide as its title and the widest text it shows (on a
    // bounded sample of a large result), never narrower than it starts and
    // never wider than a readable bound; the user may resize them after.
    void fitColumns();

private:
    Chart* chart_;
    SpringGridModel* model_;
    QTableView* grid_;
};

} // namespace ui
