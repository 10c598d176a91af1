// The main window's search start and the evaluation of the selected spring:
// reading the search panel into the conditions, opening the tables, and
// showing the computed loads, stresses and working point.
#include "app/event_guard.h"
#include "app/main.h"
#include "app/result_status.h"
#include "app/search_progress.h"
#include "app/spring_verdicts.h"
#include "chart/chart.h"
#include "chart/chart_error.h"
#include "core/catalogue/number_parse.h"
#include "core/catalogue/spring_record.h"
#include "core/catalogue/unit_system.h"
#include "core/search/conditions.h"
#include "core/search/search_start.h"
#include "core/strength/dynamic_range.h"
#include "core/strength/float_error.h"
#include "core/strength/spring_check_list.h"
#include "ui/cycle_dialog.h"
#include "ui/dynamictau_chart.h"
#include "ui/load_length_chart.h"
#include "ui/qt_text.h"
#include "ui/result_area.h"
#include "ui/search_panel.h"
#include "ui/statictau_chart.h"
#include "ui/stress_panel.h"

#include <QMessageBox>
#include <QScopeGuard>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// A large search frees as much as it keeps (old rows, reader buffers): hand
// the free pages back, so that the program holds only what the tables need.
void release_free_memory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

// ---- Search start ----------------------------------------------------------

void TForm_spring::Springselectrange_set() {
    app::SearchProgress progress(this); // the busy cursor, until the search ends
    // 1. Preparation; a failure here only cuts the preparation short.
    const double shown_factor = units::state.unit_factor;
    QString preparation_error; // reported once the search is done, however it ends
    const auto report = qScopeGuard([&] {
        if (preparation_error.isEmpty())
            return;
        progress.release();
        app::show_error_box(preparation_error);
    });
    try {
        spring_table_.close();
        maker_table_.close();
        Unitsystem_set();
        set_tauaxis(*stress_->staticChart(), units::state.unit_factor, units::state.stress_unit);
        if (stress_->linked())
            Dynrange_set();
    } catch (const ChartRangeError&) {
        // The stress axis refused its range: the search goes on without it.
    } catch (const float_error::EFloatError& e) {
        // An operating range beyond the double range: its boxes stay as they were.
        preparation_error = QString::fromUtf8(e.what());
    }
    // Values of another unit system must not stand under this one's texts and axes.
    if (units::state.unit_factor != shown_factor) {
        for (int which = 0; which < 2; ++which)
            search_->condition(which)->clearEvaluation();
        stress_->clearDots();
    }

    // 2.–6. Both search windows.
    readCondition(0);
    readCondition(1);
    search_->markUnreadable();

    // 7.–11. Spring type, diameter bounds, material and maker.
    search::Conditions& s = search::conditions;
    s.stress_ratio_limit = search::stress_ratio_limit(search_->typeItem());
    const bool rules_read = search_->readRecordRules(s);
    // The conditions as read, whether or not the search goes on.
    session_.setConditions(s);
    if (!rules_read) {
        progress.release();
        app::show_message(this, QMessageBox::NoIcon, QString::fromUtf8(search::diameter_message));
        return;
    }

    session_.beginSearch(units::state, spring_checks::kind_of_type_item(search_->typeItem()));
    verdicts_->beginSearch();

    // 12. Open both tables; the filter decides for every row. The user may
    // stop the reading, which leaves both closed.
    if (!progress.openTables(spring_table_, maker_table_))
        return;
    followMaster();
    release_free_memory();

    // 13. Fit the load-length axes to the springs found and the windows.
    fit_load_length_axes(*results_->chart(), s);
}

void TForm_spring::readCondition(int which) {
    ui::ConditionBox* box = search_->condition(which);
    search::WindowCondition& c = search::conditions.condition[static_cast<size_t>(which)];
    const search::WindowCondition read = search::read_condition(box->texts(), c);
    // A load and stress shown for another length must not stand under the
    // new length's title, even when this search evaluates no spring.
    if (read.searchedLength() != c.searchedLength())
        box->clearEvaluation();
    c = read;
    box->showSearchedLength(c.length_set);
}

// ---- Stress of the selected spring -------------------------------------------

void TForm_spring::Springstress_set() {
    verdicts_->showSelected();
    if (!catalogue::spring::has_stress_pass(search_->typeItem()))
        return;
    stress_->clearDots();
    const std::optional<strength::SpringEvaluation>& e = session_.evaluation();
    if (!e) {
        // Nothing selected, so nothing of a spring is shown.
        for (int which = 0; which < 2; ++which)
            search_->condition(which)->clearEvaluation();
        search_->clearAllowableStress();
        return;
    }
    // The loads and stresses are this spring's own; without an allowable
    // stress the hint says why, and neither chart gets a dot. The hint and the
    // dots' labels are written in the unit texts as they stand now.
    const strength::SpringValues& spring = session_.spring();
    search_->showAllowableStress(*e, spring, units::state.force_unit);
    for (int which = 0; which < 2; ++which) {
        const strength::ConditionEvaluation& c = e->conditions[static_cast<size_t>(which)];
        search_->condition(which)->showEvaluation(c, session_.units().force_decimals);
        if (e->graded() && c.stress_known)
            stress_->addStressDot(spring.material, spring.wire_dia, c.stress,
                                  units::state.stress_unit);
    }
    if (e->working_point)
        stress_->placeWorkingPoint(*e->working_point);
}

void TForm_spring::followOperatingRange() {
    if (!catalogue::spring::has_stress_pass(search_->typeItem()))
        return;
    stress_->clearWorkingPoint();
    if (const auto& e = session_.evaluation(); e && e->working_point)
        stress_->placeWorkingPoint(*e->working_point);
}

void TForm_spring::followSession() {
    verdicts_->showSelected();
    const bool stale = verdicts_->judgeAgain();
    if (status_)
        status_->setStale(stale);
}

void TForm_spring::operatingRangeChanged(const session::RangeInput& range) {
    session_.setOperatingRange(range);
    followSession();
    followOperatingRange();
}

// ---- Dynamic operating range -----------------------------------------------

void TForm_spring::Dynrange_set() {
    const bool lengths = stress_->rangeInLengths();
    stress_->showRangeUnit(QString::fromStdString(units::state.force_unit));
    const std::array<search::ConditionTexts, 2> c = search_->conditionTexts();
    const strength::RangeTexts range = strength::dynamic_range(
        {lengths ? c[0].length : c[0].force, lengths ? c[0].length_width : c[0].force_width,
         lengths ? c[1].length : c[1].force, lengths ? c[1].length_width : c[1].force_width},
        units::state.force_decimals);
    stress_->setRange(QString::fromStdString(range.min), QString::fromStdString(range.max));
}

void TForm_spring::RadioGroup_dyncalcstClick() {
    stress_->showRangeUnit(QString::fromStdString(units::state.force_unit));
    if (stress_->linked())
        Dynrange_set();
}

void TForm_spring::CheckBox_linkClick() {
    if (stress_->linked())
        Dynrange_set();
}

void TForm_spring::Edit_dynminChange(bool typed) {
    if (typed && stress_->linked()) {
        stress_->setLinked(false);
        CheckBox_linkClick();
    }
}

void TForm_spring::cyclesChanged(const session::TypedNumber& cycles) {
    // The fatigue check follows at once; the diagram's region refuses a count
    // that does not read.
    session_.setCycles(cycles);
    followSession();
    Edit_dyncycleChange();
}

void TForm_spring::Edit_dyncycleChange() {
    set_dynarea(*stress_->fatigueChart()->series(2), session_.cycles().required());
}

void TForm_spring::Button_cycleClick() {
    if (!cycle_dialog_)
        return;
    if (const std::optional<QString> cycles = cycle_dialog_->askCycles()) {
        // The count taken over brings the frequency of its duty with it.
        if (const std::optional<double> f = cycle_dialog_->excitationFrequency())
            session_.setExcitation(cycles->toStdString(), *f);
        stress_->setCycles(*cycles);
        followSession();
    }
}
