#include "ui/spring_columns.h"

#include "core/catalogue/spring_record.h"

#include <array>
#include <utility>

namespace ui {
namespace {

std::array<std::pair<SpringColumn, QString>, 3> force_titles(const units::UnitCaptions& c) {
    return {{{column_fo, QString::fromStdString(c.column6)},
             {column_fmax, QString::fromStdString(c.column8)},
             {column_k, QString::fromStdString(c.column9)}}};
}

} // namespace

std::vector<SpringGridModel::Column> spring_columns() {
    namespace f = catalogue::spring;
    return {
        {f::maker, QStringLiteral("メーカー"), 76},   {f::modelNo, QStringLiteral("型番"), 85},
        {f::material, QStringLiteral("材質"), 71},    {f::coil_dia, QStringLiteral("D mm"), 36},
        {f::wire_dia, QStringLiteral("d mm"), 34},    {f::lo, QStringLiteral("lo mm"), 40},
        {f::calc_fo, QStringLiteral("fo N"), 40},     {f::lmax, QStringLiteral("参考長"), 47},
        {f::calc_fmax, QStringLiteral("fmax N"), 44}, {f::calc_k, QStringLiteral("k N/mm"), 52}};
}

std::vector<SpringGridModel::Column> verdict_columns() {
    return {{field_verdict, QStringLiteral("判定"), 40},
            {field_reason, QStringLiteral("理由"), 120}};
}

void caption_force_columns(std::vector<SpringGridModel::Column>& columns,
                           const units::UnitCaptions& captions) {
    for (const auto& [column, title] : force_titles(captions)) {
        columns[column].title = title;
        columns[column].decimals = captions.decimals;
    }
}

void caption_force_columns(SpringGridModel& model, const units::UnitCaptions& captions) {
    for (const auto& [column, title] : force_titles(captions)) {
        model.setTitle(column, title);
        model.setDecimals(column, captions.decimals);
    }
}

} // namespace ui
