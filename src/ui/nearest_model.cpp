#include "ui/nearest_model.h"

#include "core/catalogue/spring_record.h"
#include "core/catalogue/unit_system.h"

namespace f = catalogue::spring;

NearestModel::NearestModel(std::vector<search::NearRow> rows,
                           std::vector<SpringGridModel::Column> columns, double unit_factor,
                           QObject* parent)
    : QAbstractTableModel(parent), rows_(std::move(rows)), columns_(std::move(columns)),
      unit_factor_(unit_factor) {}

int NearestModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int NearestModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : factorColumn() + 1;
}

int NearestModel::columnWidth(int column) const {
    return column < factorColumn() ? columns_[static_cast<size_t>(column)].width : 84;
}

void NearestModel::setExtraSource(SpringGridModel::ExtraText text,
                                  SpringGridModel::ExtraColour colour) {
    extra_text_ = std::move(text);
    extra_colour_ = std::move(colour);
}

QString NearestModel::text(int row, int column) const {
    const search::NearRow& r = nearRow(row);
    if (column == factorColumn())
        return SpringGridModel::numberText(r.factor, 2);
    const SpringGridModel::Column& c = columns_[static_cast<size_t>(column)];
    if (c.field < 0)
        return extra_text_ ? extra_text_(row, c.field) : QString();
    const search::NearSpring& s = r.spring;
    // The calculated fields are the stored newtons in the unit of the list.
    int field = c.field;
    const bool calculated = field >= f::calc_fo;
    if (calculated)
        field = field == f::calc_fo ? f::fo : field == f::calc_fmax ? f::fmax : f::k;
    const auto i = static_cast<size_t>(field);
    if (s.null[i])
        return {};
    if (field <= f::material)
        return QString::fromStdString(s.text[i]);
    const double v = calculated ? units::to_display_unit(s.number[i], unit_factor_) : s.number[i];
    return SpringGridModel::numberText(v, c.decimals);
}

QVariant NearestModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::ForegroundRole && index.column() != factorColumn() && extra_colour_) {
        const int field = columns_[static_cast<size_t>(index.column())].field;
        if (field < 0)
            return extra_colour_(index.row(), field);
    }
    return {};
}

QVariant NearestModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return section == factorColumn() ? QStringLiteral("許容差の倍率")
                                         : columns_[static_cast<size_t>(section)].title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}
