#pragma once

#include "core/search/nearest_search.h"
#include "ui/grid_model.h"

#include <QAbstractTableModel>
#include <vector>

// The rows of the nearest-spring list: the catalogue grid's columns, in the
// unit system the list was made in, and the factor last.
class NearestModel : public QAbstractTableModel {
    Q_OBJECT
public:
    NearestModel(std::vector<search::NearRow> rows, std::vector<SpringGridModel::Column> columns,
                 double unit_factor, QObject* parent);

    // The texts and colours of the columns whose field is below 0.
    void setExtraSource(SpringGridModel::ExtraText text, SpringGridModel::ExtraColour colour);

    const search::NearRow& nearRow(int row) const { return rows_[static_cast<size_t>(row)]; }
    int factorColumn() const { return static_cast<int>(columns_.size()); }
    int columnWidth(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString text(int row, int column) const;

private:
    std::vector<search::NearRow> rows_;
    std::vector<SpringGridModel::Column> columns_;
    double unit_factor_;
    SpringGridModel::ExtraText extra_text_;
    SpringGridModel::ExtraColour extra_colour_;
};
