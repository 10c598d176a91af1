#include "ui/grid_model.h"

#include "core/catalogue/number_format.h"

SpringGridModel::SpringGridModel(const catalogue::Table& table, std::vector<Column> columns,
                                 QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns)) {}

void SpringGridModel::setExtraSource(ExtraText text, ExtraColour colour) {
    extra_text_ = std::move(text);
    extra_colour_ = std::move(colour);
}

void SpringGridModel::setColumns(std::vector<Column> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    endResetModel();
}

void SpringGridModel::setTitle(int column, const QString& title) {
    columns_[static_cast<size_t>(column)].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void SpringGridModel::setDecimals(int column, int decimals) {
    columns_[static_cast<size_t>(column)].decimals = decimals;
    if (rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

void SpringGridModel::reload() {
    beginResetModel();
    endResetModel();
}

void SpringGridModel::refreshExtra() {
    const int rows = rowCount();
    for (int c = 0; c < columnCount() && rows > 0; ++c) {
        if (columns_[static_cast<size_t>(c)].field < 0)
            emit dataChanged(index(0, c), index(rows - 1, c));
    }
}

int SpringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_.isOpen() ? 0 : table_.recordCount();
}

int SpringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString SpringGridModel::text(int row, int column) const {
    const Column& c = columns_[static_cast<size_t>(column)];
    if (c.field < 0)
        return extra_text_ ? extra_text_(row, c.field) : QString();
    if (table_.isNull(row, c.field))
        return {};
    if (table_.fieldKind(c.field) == catalogue::FieldKind::Text) {
        const std::string_view t = table_.text(row, c.field);
        return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    }
    return numberText(table_.number(row, c.field), c.decimals);
}

QString SpringGridModel::numberText(double value, int decimals) {
    return QString::fromStdString(decimals >= 0 ? numfmt::display_format(value, decimals)
                                                : numfmt::general15(value));
}

QVariant SpringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    const int field = column(index.column()).field;
    if (role == Qt::ForegroundRole && field < 0 && extra_colour_)
        return extra_colour_(index.row(), field);
    return {};
}

QVariant SpringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return columns_[static_cast<size_t>(section)].title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}
