#include "app/spring_verdicts.h"

#include "app/event_guard.h"
#include "chart/chart.h"
#include "core/catalogue/spring_record.h"
#include "core/catalogue/table.h"
#include "core/search/nearest_search.h"
#include "core/search/record_filter.h"
#include "core/session/search_session.h"
#include "ui/result_area.h"
#include "ui/spring_columns.h"
#include "ui/verdict_panel.h"

#include <QMainWindow>
#include <QMenu>

#include <algorithm>
#include <cmath>

namespace app {

using spring_checks::Kind;
using spring_checks::Verdict;

namespace {

QAction* toggle(QMenu* menu, const QString& name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setCheckable(true);
    a->setChecked(true);
    return a;
}

bool same_duty(const spring_checks::Duty& a, const spring_checks::Duty& b) {
    const auto same_range = [](const auto& x, const auto& y) {
        return x.has_value() == y.has_value() &&
               (!x || (x->given == y->given && x->first == y->first && x->second == y->second));
    };
    return a.kind == b.kind && a.length1 == b.length1 && a.length2 == b.length2 &&
           same_range(a.range, b.range) && a.cycles == b.cycles &&
           a.excitation_frequency == b.excitation_frequency && a.bore == b.bore && a.rod == b.rod;
}

bool same_choices(const ui::CheckChoices& a, const ui::CheckChoices& b) {
    return a.conditions == b.conditions && a.pass_only == b.pass_only &&
           a.tolerance_search == b.tolerance_search;
}

} // namespace

SpringVerdicts::SpringVerdicts(QMainWindow* window, QMenu* search_menu, QMenu* view_menu,
                               catalogue::Table& springs, const session::SearchSession& session,
                               ui::ResultArea* results, ui::VerdictPanel* panel)
    : QObject(window), springs_(springs), session_(session), results_(results), panel_(panel),
      dialog_(new ui::TForm_checks(window)) {
    QAction* open = search_menu->addAction(QStringLiteral("判定条件(&J)..."));
    open->setObjectName(QStringLiteral("Button_checks"));
    connect(open, &QAction::triggered, dialog_, [this] { dialog_->exec(); });

    view_menu->addSeparator();
    menu_verdict_ = toggle(view_menu, QStringLiteral("menu_verdict"), QStringLiteral("判定(&V)"));
    menu_verdictcolumns_ =
        toggle(view_menu, QStringLiteral("menu_verdictcolumns"), QStringLiteral("判定列(&C)"));
    connect(menu_verdict_, &QAction::toggled, panel_, &QWidget::setVisible);
    connect(menu_verdictcolumns_, &QAction::toggled, this,
            [this](bool shown) { guarded([this, shown] { showColumns(shown); }); });
    connect(dialog_, &ui::TForm_checks::choicesChanged, this, &SpringVerdicts::choicesChanged);

    results_->model()->setExtraSource(
        [this](int row, int field) { return cellText(row, field); },
        [this](int row, int field) { return cellColour(row, field); });
    showColumns(true);
}

void SpringVerdicts::tableOpened() {
    listing_ = checker_.has_value();
    if (listing_)
        listed_.extendUnknown(static_cast<std::size_t>(springs_.recordCount()));
}

void SpringVerdicts::tableClosed() {
    listed_.clear();
    listing_ = false;
}

void SpringVerdicts::beginSearch() {
    const ui::CheckChoices& c = choices();
    searched_ = c;
    pass_only_ = c.pass_only;
    band_search_ = c.tolerance_search;
    band_tolerance_ = c.conditions.load_tolerance;
    excluded_ = 0;
    listed_.clear();
    makeChecker(c.conditions);
    searched_duty_.reset();
    if (const std::optional<spring_checks::SpringKind> kind = session_.kind())
        searched_duty_ = session_.duty(*kind);
}

void SpringVerdicts::makeChecker(const spring_checks::CheckConditions& conditions) {
    checker_.reset();
    if (const std::optional<spring_checks::SpringKind> kind = session_.kind()) {
        try {
            checker_.emplace(session_.duty(*kind), conditions);
        } catch (const spring_checks::EspringCheckException&) {
            // Conditions the checks cannot take (a length beyond the double range):
            // the list goes without verdicts and leaves nothing out for them.
        }
    }
}

bool SpringVerdicts::judgeAgain() {
    if (!listing_)
        return false;
    // The verdicts known so far were worked out under the old conditions and duty.
    makeChecker(choices().conditions);
    listing_ = checker_.has_value();
    listed_.clear();
    if (listing_)
        listed_.extendUnknown(static_cast<std::size_t>(springs_.recordCount()));
    results_->model()->refreshExtra();
    const ui::CheckChoices& now = choices();
    const bool leans =
        searched_.pass_only || searched_.tolerance_search || now.pass_only || now.tolerance_search;
    const bool same_duty_as_searched = !searched_duty_ || !session_.kind() ||
                                       same_duty(*searched_duty_, session_.duty(*session_.kind()));
    // The band search reads the windows and the tolerance, not the duty.
    return (leans && !same_choices(searched_, now)) ||
           (searched_.pass_only && !same_duty_as_searched);
}

bool SpringVerdicts::keep(const catalogue::Record& row) {
    if (band_search_ && !bandMeetsWindows(row))
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

bool SpringVerdicts::bandMeetsWindows(const catalogue::Record& row) const {
    std::optional<spring_checks::LoadTolerance> tolerance =
        spring_checks::LoadTolerance::fraction(band_tolerance_);
    if (searched_.conditions.jis_grade) {
        // The grade's band is the spring's own; one the grade gives no band is not
        // judged by it (its checks say why).
        if (!checker_)
            return true;
        tolerance = checker_->check(spring_checks::check_record(row)).assumed.load_tolerance;
        if (!tolerance)
            return true;
    }
    return search::load_band_meets_windows(
        row, session_.conditions(), session_.units().unit_factor,
        [&tolerance](double load) { return tolerance->at(load); });
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
    if (field == ui::field_verdict)
        return ui::verdict_word(s->verdict);
    if (!ui::summary_needs_verdict(*s))
        return ui::summary_reason(*s);
    // The few reasons that name the spring's numbers take them from its whole verdict.
    const spring_checks::SpringVerdict verdict =
        checker_->check(spring_checks::check_record(springs_, row));
    return ui::summary_reason(*s, &verdict);
}

QVariant SpringVerdicts::cellColour(int row, int field) const {
    if (field != ui::field_verdict)
        return {};
    const std::optional<spring_checks::Summary> s = rowSummary(row);
    return s ? QVariant(ui::verdict_colour(s->verdict)) : QVariant();
}

void SpringVerdicts::showSelected() {
    panel_->showReport(selectedReport());
    results_->chart()->update();
}

std::optional<ui::VerdictReport> SpringVerdicts::selectedReport() const {
    return ui::selected_report(session_);
}

std::optional<spring_checks::Summary>
SpringVerdicts::summarise(const search::NearSpring& spring,
                          std::optional<spring_checks::SpringKind> kind) const {
    if (!kind)
        return std::nullopt;
    try {
        const spring_checks::Record r = spring_checks::check_record(
            [&spring](int field) { return std::string_view(spring.text.at(field)); },
            [&spring](int field) { return spring.number.at(field); });
        return spring_checks::summarise(
            spring_checks::check_spring(r, session_.duty(*kind), session_.checkConditions()));
    } catch (const spring_checks::EspringCheckException&) {
        return std::nullopt;
    }
}

std::optional<SelectedMarks> SpringVerdicts::selectedMarks() const {
    const int row = springs_.isOpen() ? springs_.currentRow() : -1;
    const std::optional<spring_checks::SpringVerdict>& verdict = session_.verdict();
    if (!verdict || row < 0)
        return std::nullopt;
    namespace f = catalogue::spring;
    double v[5];
    springs_.numbers(row, {f::lo, f::lmax, f::calc_fo, f::calc_fmax, f::calc_k}, v);
    SelectedMarks marks;
    marks.lo = v[0];
    marks.lmax = v[1];
    marks.fo = v[2];
    marks.fmax = v[3];
    marks.k = v[4];
    // The band of the tolerance the verdict states, which works in newtons.
    if (const std::optional<spring_checks::LoadTolerance>& t = verdict->assumed.load_tolerance) {
        const double factor = session_.units().unit_factor;
        const auto band = [&](double load) {
            const double d = t->at(load / factor) * factor;
            return catalogue::spring::LoadBand{load - d, load + d};
        };
        marks.band_at_lo = band(marks.fo);
        marks.band_at_lmax = band(marks.fmax);
    }
    const auto first = [&](Kind kind) -> const spring_checks::Check* {
        for (const spring_checks::Check& check : verdict->checks) {
            if (check.kind == kind)
                return &check;
        }
        return nullptr;
    };
    if (const spring_checks::Check* ln = first(Kind::MinimumLength))
        marks.minimum_length = ln->limit;
    // The buckling limit is a deflection from the free length of the load line.
    if (const spring_checks::Check* sk = first(Kind::Buckling); sk && std::isfinite(sk->limit)) {
        const spring_checks::Record& r = session_.record();
        marks.buckling_length = r.lo + r.fo / r.k - sk->limit;
    }
    return marks;
}

} // namespace app
