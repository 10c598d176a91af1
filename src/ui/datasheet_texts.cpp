#include "ui/datasheet_texts.h"

#include "core/catalogue/number_format.h"
#include "core/catalogue/spring_record.h"
#include "core/catalogue/table.h"
#include "ui/qt_text.h"

#include <QCoreApplication>

#include <array>
#include <cmath>

namespace ui {
namespace {

const QString dash = QStringLiteral("—");

QString general(double v) {
    return QString::fromStdString(numfmt::general15(v));
}

// A value with its unit, or a dash for a value the catalogue leaves empty.
QString with_unit(const std::optional<double>& v, const QString& unit, int decimals = -1) {
    if (!v)
        return dash;
    const QString number =
        decimals < 0 ? general(*v) : QString::fromStdString(numfmt::display_format(*v, decimals));
    return unit.isEmpty() ? number : number + u' ' + unit;
}

QString type_name(const QString& code) {
    if (code == QLatin1String("compress"))
        return QCoreApplication::translate("datasheet", "圧縮ばね");
    if (code == QLatin1String("tension"))
        return QCoreApplication::translate("datasheet", "引張ばね");
    return code;
}

QString condition_name(size_t which) {
    return which == 0 ? QCoreApplication::translate("datasheet", "第1選択条件")
                      : QCoreApplication::translate("datasheet", "第2選択条件");
}

bool bounded(double min, double max) {
    return min > -search::bound_limit && max < search::bound_limit;
}

// "25 ± 1 mm" for a window the search used.
QString window_side(double min, double max, const QString& unit) {
    return QStringLiteral("%1 ± %2 %3")
        .arg(general((min + max) / 2), general((max - min) / 2), unit);
}

QString force_text(double v, const DisplayUnits& units) {
    return QString::fromStdString(numfmt::fixed15(v, units.force_decimals)) + u' ' +
           units.force_unit;
}

QString stress_text(double v, const DisplayUnits& units) {
    // As the condition boxes show it, whole in every unit system.
    return QString::fromStdString(numfmt::fixed15(v, 0)) + u' ' + units.stress_unit;
}

} // namespace

SpringFacts spring_facts(const catalogue::Table& springs, int row) {
    namespace f = catalogue::spring;
    const auto number = [&](int field) {
        return springs.isNull(row, field) ? std::nullopt
                                          : std::optional<double>(springs.number(row, field));
    };
    SpringFacts s;
    s.model_number = qtext(springs.text(row, f::modelNo));
    s.maker = qtext(springs.text(row, f::maker));
    s.type = qtext(springs.text(row, f::type));
    s.material = qtext(springs.text(row, f::material));
    s.lo = number(f::lo);
    s.lmax = number(f::lmax);
    s.coil_dia = number(f::coil_dia);
    s.wire_dia = number(f::wire_dia);
    s.turn = number(f::turn);
    // The loads and the rate as the grid shows them: the calculated fields
    // in the display unit, which follow their stored values.
    s.fo = springs.isNull(row, f::fo) ? std::nullopt : number(f::calc_fo);
    s.fmax = springs.isNull(row, f::fmax) ? std::nullopt : number(f::calc_fmax);
    s.k = springs.isNull(row, f::k) ? std::nullopt : number(f::calc_k);
    return s;
}

MakerFacts maker_facts(const catalogue::Table& makers, const QString& spring_maker) {
    namespace m = catalogue::maker;
    const int row = makers.isOpen() ? makers.currentRow() : -1;
    if (row < 0)
        return {spring_maker, {}, {}, {}, {}};
    return {qtext(makers.text(row, m::maker)), qtext(makers.text(row, m::adress)),
            qtext(makers.text(row, m::tel)), qtext(makers.text(row, m::fax)),
            qtext(makers.text(row, m::url))};
}

std::vector<DatasheetItem> spring_items(const SpringFacts& spring, const MakerFacts& maker,
                                        const CatalogueSource& source) {
    const QString date =
        source.file_date.isEmpty()
            ? QCoreApplication::translate("datasheet", "日付不明")
            : QCoreApplication::translate("datasheet", "%1 更新").arg(source.file_date);
    return {{QCoreApplication::translate("datasheet", "メーカー"), maker.name},
            {QCoreApplication::translate("datasheet", "住所"), maker.address},
            {QCoreApplication::translate("datasheet", "電話"), maker.tel},
            {QCoreApplication::translate("datasheet", "FAX"), maker.fax},
            {QStringLiteral("Web"), maker.url},
            {QCoreApplication::translate("datasheet", "種類"), type_name(spring.type)},
            {QCoreApplication::translate("datasheet", "材質"), spring.material},
            {QCoreApplication::translate("datasheet", "カタログ"), source.folder},
            {QCoreApplication::translate("datasheet", "カタログの日付"),
             QStringLiteral("spring_data.xml ") + date}};
}

std::vector<DatasheetItem> catalogue_items(const SpringFacts& s, const DisplayUnits& units) {
    const QString mm = QStringLiteral("mm");
    const QString force = units.force_unit;
    const int decimals = units.force_decimals;
    std::optional<double> mean_dia;
    if (s.coil_dia && s.wire_dia)
        mean_dia = *s.coil_dia - *s.wire_dia;
    return {
        {QCoreApplication::translate("datasheet", "自由長 lo"), with_unit(s.lo, mm)},
        {QCoreApplication::translate("datasheet", "自由長時荷重 fo"),
         with_unit(s.fo, force, decimals)},
        {QCoreApplication::translate("datasheet", "参考長 lmax"), with_unit(s.lmax, mm)},
        {QCoreApplication::translate("datasheet", "最大荷重 fmax"),
         with_unit(s.fmax, force, decimals)},
        {QCoreApplication::translate("datasheet", "ばね定数 k"),
         with_unit(s.k, force + QStringLiteral("/mm"), decimals)},
        {QCoreApplication::translate("datasheet", "外径 D"), with_unit(s.coil_dia, mm)},
        {QCoreApplication::translate("datasheet", "平均径 Dm"), with_unit(mean_dia, mm)},
        {QCoreApplication::translate("datasheet", "線径 d"), with_unit(s.wire_dia, mm)},
        {QCoreApplication::translate("datasheet", "総巻数 turn"), with_unit(s.turn, QString())}};
}

std::vector<DatasheetItem> search_items(const search::Conditions& conditions,
                                        const DisplayUnits& units, const DutyTexts& duty) {
    std::vector<DatasheetItem> items;
    for (size_t which = 0; which < 2; ++which) {
        const search::WindowCondition& c = conditions.condition[which];
        const QString name = condition_name(which);
        QString length = QCoreApplication::translate("datasheet", "指定なし");
        if (bounded(c.length_min, c.length_max))
            length = window_side(c.length_min, c.length_max, QStringLiteral("mm"));
        else if (c.length_set)
            length =
                QCoreApplication::translate("datasheet", "%1 mm (幅なし)").arg(general(c.length));
        QString force = QCoreApplication::translate("datasheet", "指定なし");
        if (bounded(c.force_min, c.force_max))
            force = window_side(c.force_min, c.force_max, units.force_unit);
        items.push_back({QCoreApplication::translate("datasheet", "%1 長さ").arg(name), length});
        items.push_back({QCoreApplication::translate("datasheet", "%1 荷重").arg(name), force});
    }
    const QString range = duty.first.isEmpty() && duty.second.isEmpty()
                              ? QCoreApplication::translate("datasheet", "指定なし")
                              : QCoreApplication::translate("datasheet", "%1 ～ %2 %3")
                                    .arg(duty.first, duty.second,
                                         duty.lengths ? QStringLiteral("mm") : units.force_unit);
    items.push_back({QCoreApplication::translate("datasheet", "動作範囲"), range});
    items.push_back({QCoreApplication::translate("datasheet", "繰返し回数"),
                     duty.cycles.isEmpty()
                         ? QCoreApplication::translate("datasheet", "指定なし")
                         : QCoreApplication::translate("datasheet", "%1 回").arg(duty.cycles)});
    return items;
}

std::vector<DatasheetItem> assumed_items(const VerdictReport& report) {
    std::vector<DatasheetItem> items;
    for (const AssumedValue& a : report.assumed)
        items.push_back({a.name, a.value});
    return items;
}

std::vector<DatasheetLength>
length_rows(const strength::SpringEvaluation& e, const search::Conditions& conditions,
            const DisplayUnits& units,
            const std::optional<spring_checks::LoadTolerance>& tolerance) {
    using State = strength::ConditionEvaluation::State;
    std::vector<DatasheetLength> rows;
    for (size_t which = 0; which < 2; ++which) {
        const strength::ConditionEvaluation& c = e.conditions[which];
        if (c.state == State::NotSearched)
            continue;
        DatasheetLength row;
        row.condition = condition_name(which);
        row.length = general(conditions.condition[which].length) + QStringLiteral(" mm");
        row.stress = dash;
        row.allowable = e.graded() ? stress_text(e.allowable_stress, units)
                                   : QCoreApplication::translate("datasheet", "なし");
        row.ratio = dash;
        if (c.state == State::OutOfRange) {
            row.load = QCoreApplication::translate("datasheet", "範囲外");
            row.load_out_of_range = true;
        } else {
            row.load = force_text(c.load, units);
            if (tolerance) {
                // The tolerance works in newtons; the evaluation's loads are in the display unit.
                const double plus_minus = tolerance->at(c.load / units.factor) * units.factor;
                QString stated =
                    QStringLiteral("±%1 %").arg(QString::fromStdString(numfmt::general15(
                        std::round(std::fabs(tolerance->fraction_of(c.load / units.factor)) *
                                   1000) /
                        10)));
                if (const std::optional<int> grade = tolerance->grade())
                    stated +=
                        QCoreApplication::translate("datasheet", ", JIS B 2704 %1級").arg(*grade);
                row.band = QStringLiteral("%1 – %2 (%3)")
                               .arg(QString::fromStdString(
                                        numfmt::fixed15(c.load - plus_minus, units.force_decimals)),
                                    force_text(c.load + plus_minus, units), stated);
            }
            if (c.stress_known) {
                row.stress = stress_text(c.stress, units);
                if (e.graded() && e.allowable_stress > 0)
                    row.ratio =
                        QString::fromStdString(numfmt::fixed15(c.stress / e.allowable_stress, 2));
            }
            row.over_limit = c.over_limit;
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace ui
