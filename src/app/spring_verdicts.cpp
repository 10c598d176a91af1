#include "app/spring_verdicts.h"

#include "app/event_guard.h"
#include "chart/chart.h"
#include "chart/chart_canvas.h"
#include "chart/chart_series.h"
#include "core/catalogue/number_parse.h"
#include "core/catalogue/spring_record.h"
#include "core/catalogue/table.h"
#include "core/catalogue/unit_system.h"
#include "core/search/conditions.h"
#include "core/search/nearest_search.h"
#include "core/search/record_filter.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/result_area.h"
#include "ui/search_panel.h"
#include "ui/spring_columns.h"
#include "ui/stress_panel.h"
#include "ui/verdict_panel.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <cmath>

namespace app {

using spring_checks::Kind;
using spring_checks::Verdict;
using ui::qtext;
using ui::utf8;

namespace {

// The stress unit as the labels write it with their superscript.
QString stress_unit_text(const std::string& unit) {
    QString text = qtext(unit);
    return text.replace(QStringLiteral("^2"), QStringLiteral("²"));
}

ui::DisplayUnits display_units() {
    const units::UnitSystemState& s = units::state;
    ui::DisplayUnits u;
    u.factor = s.unit_factor;
    u.force_unit = qtext(s.force_unit);
    u.stress_unit = stress_unit_text(s.stress_unit);
    u.force_decimals = s.force_decimals;
    // MPa and gf/mm² read well as whole numbers, kgf/mm² needs two places.
    u.stress_decimals = s.unit_factor < 1 ? 2 : 0;
    return u;
}

std::optional<double> read_number(const QLineEdit* edit) {
    const std::optional<double> v = parse_decimal(utf8(edit->text()));
    return v && std::isfinite(*v) ? v : std::nullopt;
}

// The kind of spring a spring type item stands for; none for a type without checks.
std::optional<spring_checks::SpringKind> checked_kind(int type_item) {
    switch (type_item) {
    case 0:
        return spring_checks::SpringKind::Compression;
    case 1:
        return spring_checks::SpringKind::Extension;
    default:
        return std::nullopt;
    }
}

QAction* toggle(QMenu* menu, const QString& name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setCheckable(true);
    a->setChecked(true);
    return a;
}

} // namespace

SpringVerdicts::SpringVerdicts(QMainWindow* window, catalogue::Table& springs,
                               ui::SearchPanel* search, ui::ResultArea* results,
                               ui::StressPanel* stress, ui::VerdictPanel* panel)
    : QObject(window), springs_(springs), search_(search), results_(results), stress_(stress),
      panel_(panel), dialog_(new ui::TForm_checks(window)), units_(display_units()) {
    if (auto* menu = window->findChild<QMenu*>(QStringLiteral("Search1"))) {
        QAction* open = menu->addAction(QStringLiteral("判定条件(&J)..."));
        open->setObjectName(QStringLiteral("Button_checks"));
        connect(open, &QAction::triggered, dialog_, [this] { dialog_->exec(); });
    }
    if (auto* view = window->findChild<QMenu*>(QStringLiteral("V1"))) {
        view->addSeparator();
        menu_verdict_ = toggle(view, QStringLiteral("menu_verdict"), QStringLiteral("判定(&V)"));
        menu_verdictcolumns_ =
            toggle(view, QStringLiteral("menu_verdictcolumns"), QStringLiteral("判定列(&C)"));
        connect(menu_verdict_, &QAction::toggled, panel_, &QWidget::setVisible);
        connect(menu_verdictcolumns_, &QAction::toggled, this,
                [this](bool shown) { guarded([this, shown] { showColumns(shown); }); });
    }
    connect(dialog_, &ui::TForm_checks::choicesChanged, this,
            [this] { guarded([this] { showSelected(); }); });
    // The operating range and the cycle count change the fatigue check at once.
    for (QLineEdit* e : {stress_->rangeMin(), stress_->rangeMax(), stress_->cycleEdit()})
        connect(e, &QLineEdit::textChanged, this, [this] { guarded([this] { showSelected(); }); });
    connect(stress_->calculationGroup(), &ui::RadioGroup::itemClicked, this,
            [this] { guarded([this] { showSelected(); }); });

    results_->model()->setExtraSource(
        [this](int row, int field) { return cellText(row, field); },
        [this](int row, int field) { return cellColour(row, field); });
    // Before the window's own listeners, which fit the grid's columns to the rows.
    springs_.addAfterOpen([this] {
        listing_ = checker_.has_value();
        if (listing_)
            listed_.extendUnknown(static_cast<std::size_t>(springs_.recordCount()));
    });
    springs_.addAfterClose([this] {
        listed_.clear();
        listing_ = false;
    });
    showColumns(true);
}

spring_checks::Duty SpringVerdicts::duty(spring_checks::SpringKind kind) const {
    spring_checks::Duty d;
    d.kind = kind;
    const search::Conditions& c = search::conditions;
    d.length1 = c.condition[0].searchedLength();
    d.length2 = c.condition[1].searchedLength();
    const std::optional<double> first = read_number(stress_->rangeMin());
    const std::optional<double> second = read_number(stress_->rangeMax());
    if (first && second) {
        spring_checks::OperatingRange range;
        if (stress_->rangeInLengths()) {
            range = {spring_checks::OperatingRange::Given::Lengths, *first, *second};
        } else {
            // The range's loads are in the display unit; the checks read newtons.
            range = {spring_checks::OperatingRange::Given::Loads, *first / units_.factor,
                     *second / units_.factor};
        }
        if (std::isfinite(range.first) && std::isfinite(range.second))
            d.range = range;
    }
    d.cycles = read_number(stress_->cycleEdit());
    return d;
}

void SpringVerdicts::beginSearch() {
    units_ = display_units();
    kind_ = checked_kind(search_->typeGroup()->itemIndex());
    const ui::CheckChoices& c = choices();
    pass_only_ = c.pass_only;
    band_search_ = c.tolerance_search;
    band_tolerance_ = c.conditions.load_tolerance;
    excluded_ = 0;
    listed_.clear();
    checker_.reset();
    if (kind_) {
        try {
            checker_.emplace(duty(*kind_), c.conditions);
        } catch (const spring_checks::EspringCheckException&) {
            // Conditions the checks cannot take (a length beyond the double range):
            // the list goes without verdicts and leaves nothing out for them.
        }
    }
}

bool SpringVerdicts::keep(const catalogue::Record& row) {
    if (band_search_ && !search::load_band_meets_windows(row, search::conditions,
                                                         units::state.unit_factor, band_tolerance_))
        return false;
    // Without "pass only" a row's verdict is worked out when the grid, the copy or
    // the CSV first asks for it, by the same checker: the search reads no slower.
    if (!checker_ || !pass_only_)
        return true;
    const spring_checks::Summary s =
        spring_checks::summarise(checker_->check(spring_checks::check_record(row)));
    if (s.verdict == Verdict::Fail) {
        ++excluded_;
        return false;
    }
    listed_.add(s);
    return true;
}

std::optional<int> SpringVerdicts::excludedCount() const {
    if (!pass_only_ || !listing_)
        return std::nullopt;
    return excluded_;
}

void SpringVerdicts::showColumns(bool shown) {
    SpringGridModel* model = results_->model();
    std::vector<SpringGridModel::Column> columns = model->columns();
    columns.erase(std::remove_if(columns.begin(), columns.end(),
                                 [](const SpringGridModel::Column& c) { return c.field < 0; }),
                  columns.end());
    if (shown) {
        for (const SpringGridModel::Column& c : ui::verdict_columns())
            columns.push_back(c);
    }
    model->setColumns(std::move(columns));
    results_->fitColumns();
}

std::optional<spring_checks::Summary> SpringVerdicts::rowSummary(int row) const {
    if (!listing_ || !springs_.isOpen())
        return std::nullopt;
    const auto stored = static_cast<std::size_t>(springs_.storedRow(row));
    if (stored >= listed_.size())
        return std::nullopt;
    if (!listed_.known(stored))
        listed_.set(stored, spring_checks::summarise(
                                checker_->check(spring_checks::check_record(springs_, row))));
    return listed_.at(stored);
}

QString SpringVerdicts::cellText(int row, int field) const {
    const std::optional<spring_checks::Summary> s = rowSummary(row);
    if (!s)
        return {};
    return field == ui::field_verdict ? ui::verdict_word(s->verdict) : ui::summary_reason(*s);
}

QVariant SpringVerdicts::cellColour(int row, int field) const {
    if (field != ui::field_verdict)
        return {};
    const std::optional<spring_checks::Summary> s = rowSummary(row);
    return s ? QVariant(ui::verdict_colour(s->verdict)) : QVariant();
}

void SpringVerdicts::showSelected() {
    selected_.reset();
    const int row = springs_.isOpen() ? springs_.currentRow() : -1;
    if (row >= 0 && kind_) {
        selected_record_ = spring_checks::check_record(springs_, row);
        try {
            selected_ =
                spring_checks::check_spring(selected_record_, duty(*kind_), choices().conditions);
        } catch (const spring_checks::EspringCheckException&) {
            // Conditions the checks cannot take: no verdict rather than an old one.
        }
    }
    if (selected_)
        panel_->showReport(ui::verdict_report(*selected_, choices().conditions, units_));
    else
        panel_->showReport(std::nullopt);
    results_->chart()->update();
}

std::optional<ui::VerdictReport> SpringVerdicts::selectedReport() const {
    return panel_->report();
}

std::optional<spring_checks::Summary>
SpringVerdicts::summarise(const search::NearSpring& spring) const {
    const std::optional<spring_checks::SpringKind> kind =
        checked_kind(search_->typeGroup()->itemIndex());
    if (!kind)
        return std::nullopt;
    namespace f = catalogue::spring;
    spring_checks::Record r;
    r.material = spring.text[f::material];
    r.lo = spring.number[f::lo];
    r.fo = spring.number[f::fo];
    r.lmax = spring.number[f::lmax];
    r.k = spring.number[f::k];
    r.coil_dia = spring.number[f::coil_dia];
    r.wire_dia = spring.number[f::wire_dia];
    r.turn = spring.number[f::turn];
    try {
        return spring_checks::summarise(
            spring_checks::check_spring(r, duty(*kind), choices().conditions));
    } catch (const spring_checks::EspringCheckException&) {
        return std::nullopt;
    }
}

void SpringVerdicts::drawOverlays(Chart& chart) const {
    const int row = springs_.isOpen() ? springs_.currentRow() : -1;
    if (!selected_ || row < 0)
        return;
    namespace f = catalogue::spring;
    double v[5];
    springs_.numbers(row, {f::lo, f::lmax, f::calc_fo, f::calc_fmax, f::calc_k}, v);
    const double lo = v[0], lmax = v[1], fo = v[2], fmax = v[3], k = v[4];
    const ChartSeries& s = *chart.series(0);
    ChartCanvas& c = chart.canvas();
    c.clipTo(chart.plotRect());
    // The band: the load line with the loads at both ends of the tolerance.
    const double t = choices().conditions.load_tolerance;
    if (t > 0) {
        c.setPen(QColor(255, 120, 120), 1, Qt::DashLine);
        for (const double scale : {1 - t, 1 + t}) {
            c.moveTo(s.xToPixel(lo), s.yToPixel(fo * scale));
            c.lineTo(s.xToPixel(lmax), s.yToPixel(fmax * scale));
        }
    }
    // Marks across the load line carried on, where the spring reaches Ln and where
    // it buckles.
    const auto mark = [&](double length, const QColor& colour) {
        if (!std::isfinite(length))
            return;
        const int x = s.xToPixel(length);
        const int y = s.yToPixel(fo + k * (lo - length));
        c.setPen(colour, 2);
        c.moveTo(x, y - 7);
        c.lineTo(x, y + 8);
        c.moveTo(x - 4, y);
        c.lineTo(x + 5, y);
    };
    const auto first = [&](Kind kind) -> const spring_checks::Check* {
        for (const spring_checks::Check& check : selected_->checks) {
            if (check.kind == kind)
                return &check;
        }
        return nullptr;
    };
    if (const spring_checks::Check* ln = first(Kind::MinimumLength))
        mark(ln->limit, QColor(0, 0, 200));
    if (const spring_checks::Check* sk = first(Kind::Buckling); sk && std::isfinite(sk->limit)) {
        const spring_checks::Record& r = selected_record_;
        mark(r.lo + r.fo / r.k - sk->limit, QColor(160, 0, 160));
    }
    c.removeClip();
}

} // namespace app
