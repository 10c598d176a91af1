#pragma once

#include "core/search/nearest_search.h"
#include "ui/grid_model.h"

#include <QDialog>
#include <vector>

class NearestModel;
class QPushButton;
class QTableView;

// The list of the springs nearest to the search conditions. It closes with
// Accepted when the user asks to search with a row's tolerances.
class TForm_nearest : public QDialog {
    Q_OBJECT
public:
    // `extra_text` and `extra_colour` give the columns whose field is below 0.
    TForm_nearest(std::vector<search::NearRow> rows, std::vector<SpringGridModel::Column> columns,
                  double unit_factor, QWidget* parent, SpringGridModel::ExtraText extra_text = {},
                  SpringGridModel::ExtraColour extra_colour = {});

    // The row under the cursor; nullptr when the list is empty.
    const search::NearRow* chosenRow() const;

private:
    NearestModel* model_ = nullptr;
    QTableView* Grid_nearest = nullptr;
    QPushButton* Button_nearestsearch = nullptr;
};
