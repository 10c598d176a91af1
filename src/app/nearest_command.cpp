#include "app/nearest_command.h"

#include "app/event_guard.h"
#include "core/catalogue/unit_system.h"
#include "core/search/nearest_search.h"
#include "core/search/search_start.h"
#include "core/session/search_session.h"
#include "ui/busy_cursor.h"
#include "ui/nearest_form.h"
#include "ui/qt_text.h"
#include "ui/search_panel.h"
#include "ui/spring_columns.h"
#include "ui/verdict_report.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>

namespace app {
namespace {

constexpr int kNearestCount = 20;

const char* const no_condition_message =
    "長さと荷重を両方入力した選択条件がありません。近いバネを探せません";

} // namespace

NearestCommand::NearestCommand(QMainWindow* window, QMenu* menu,
                               const session::SearchSession& session, ui::SearchPanel* search,
                               SpringGridModel* grid, catalogue::Table& springs,
                               std::function<void()> run_search)
    : QObject(window), window_(window), session_(session), search_(search), grid_(grid),
      springs_(springs), run_search_(std::move(run_search)) {
    action_ = menu->addAction(QStringLiteral("近いバネを探す(&N)"));
    action_->setObjectName(QStringLiteral("Button_nearest"));
    action_->setToolTip(
        QStringLiteral("検索条件に近いバネを、許容差を広げる倍率の小さい順に示します"));
    connect(action_, &QAction::triggered, this,
            [this] { guarded([this] { Button_nearestClick(); }); });
}

void NearestCommand::message(const char* text) {
    show_message(window_, QMessageBox::NoIcon, QString::fromUtf8(text));
}

void NearestCommand::Button_nearestClick() {
    // The controls are read as the search start reads them, but nothing is
    // stored: the conditions change only at a search start.
    search::NearestQuery query;
    search::add_conditions(query, search_->conditionTexts());
    if (query.measured.empty()) {
        message(no_condition_message);
        return;
    }
    // A type item without a catalogue code keeps the type of the last search.
    query.rules.spring_type = session_.conditions().spring_type;
    if (!search_->readRecordRules(query.rules)) {
        message(search::diameter_message);
        return;
    }

    // The list is in the unit system the next search will apply.
    const units::UnitCaptions captions =
        units::unit_captions(search_->unitItem(), search_->typeItem(), units::state);
    query.unit_factor = captions.factor;
    std::vector<search::NearRow> rows;
    {
        const ui::BusyCursor busy;
        rows = search::nearest_springs(query, kNearestCount);
    }
    std::vector<SpringGridModel::Column> columns = grid_->columns();
    ui::caption_force_columns(columns, captions);

    // The verdicts of the few springs listed, worked out once for the list.
    std::vector<std::optional<spring_checks::Summary>> verdicts;
    if (verdicts_) {
        for (const search::NearRow& r : rows)
            verdicts.push_back(verdicts_(r.spring));
    }
    const auto verdict_text = [verdicts](int row, int field) -> QString {
        const auto& v = verdicts.at(static_cast<size_t>(row));
        if (!v)
            return {};
        return field == ui::field_verdict ? ui::verdict_word(v->verdict) : ui::summary_reason(*v);
    };
    const auto verdict_colour = [verdicts](int row, int field) -> QVariant {
        const auto& v = verdicts.at(static_cast<size_t>(row));
        if (!v || field != ui::field_verdict)
            return {};
        return ui::verdict_colour(v->verdict);
    };

    search::NearRow chosen;
    {
        TForm_nearest list(std::move(rows), std::move(columns), captions.factor, window_,
                           verdicts_ ? SpringGridModel::ExtraText(verdict_text)
                                     : SpringGridModel::ExtraText(),
                           verdicts_ ? SpringGridModel::ExtraColour(verdict_colour)
                                     : SpringGridModel::ExtraColour());
        if (list.exec() != QDialog::Accepted || !list.chosenRow())
            return;
        chosen = *list.chosenRow();
    }
    for (const search::WidenedTolerance& t : chosen.tolerances)
        search_->condition(t.condition)->setTolerances(ui::qtext(t.length), ui::qtext(t.force));
    run_search_();
    if (const int row = search::row_of(springs_, chosen.spring); row >= 0)
        springs_.setCurrentRow(row);
}

} // namespace app
