#pragma once

#include "core/catalogue/table.h"

#include <QAbstractTableModel>

#include <functional>
#include <vector>

// The catalogue grid's model: a thin view over the open table. Stored floats
// show in their shortest general form, fields with a display format in that
// fixed-point pattern, empty values as empty cells.
class SpringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        int field; // a field of the table, or below 0 one the extra source gives
        QString title;
        int width;
        int decimals = -1; // display format "0", "0.00", ...; -1 for none
    };

    SpringGridModel(const catalogue::Table& table, std::vector<Column> columns, QObject* parent);

    const Column& column(int index) const { return columns_[static_cast<size_t>(index)]; }
    const std::vector<Column>& columns() const { return columns_; }
    // The texts and colours of the columns whose field is below 0, by row and field.
    using ExtraText = std::function<QString(int row, int field)>;
    using ExtraColour = std::function<QVariant(int row, int field)>;
    void setExtraSource(ExtraText text, ExtraColour colour);
    void setColumns(std::vector<Column> columns);

    void setTitle(int column, const QString& title);
    void setDecimals(int column, int decimals);
    // Call after the table opened or closed.
    void reload();
    // The extra source's texts changed: the columns it gives are read again.
    void refreshExtra();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString text(int row, int column) const;
    // A number as a cell of `decimals` shows it: that fixed-point pattern, or
    // the shortest general form for -1.
    static QString numberText(double value, int decimals);

private:
    const catalogue::Table& table_;
    std::vector<Column> columns_;
    ExtraText extra_text_;
    ExtraColour extra_colour_;
};
