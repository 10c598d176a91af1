// Whether each listed spring will stand its duty: the check conditions dialog, the
// verdict of the selected spring beside the stress panel, the verdict columns of the
// grid, the search options that lean on the checks, and the selected spring's load
// band and limit lengths for the load-length chart. The selected spring's verdict is
// the session's; the verdicts of the listed rows are worked out here.
#pragma once

#include "core/strength/listed_verdicts.h"
#include "ui/checks_dialog.h"
#include "ui/load_length_chart.h"
#include "ui/verdict_report.h"

#include <QObject>

#include <optional>

class QMainWindow;
class QMenu;

namespace catalogue {
class Record;
class Table;
} // namespace catalogue

namespace search {
struct NearSpring;
}

namespace session {
class SearchSession;
}

namespace ui {
class ResultArea;
class VerdictPanel;
} // namespace ui

namespace app {

class SpringVerdicts : public QObject {
    Q_OBJECT

public:
    // Adds the dialog's command to `search_menu` and the verdict's view items to
    // `view_menu`.
    SpringVerdicts(QMainWindow* window, QMenu* search_menu, QMenu* view_menu,
                   catalogue::Table& springs, const session::SearchSession& session,
                   ui::ResultArea* results, ui::VerdictPanel* panel);

    const ui::CheckChoices& choices() const { return dialog_->choices(); }

    // At a search start, once the session holds the search's conditions and units:
    // the checker of the springs the search will list.
    void beginSearch();
    // The filter's part, for a row the search's own rules accepted: false to leave
    // it out. With "pass only" it checks the row and records the verdict of a row it keeps.
    bool keep(const catalogue::Record& row);
    // How many springs the last search left out as failing, when it left any out.
    std::optional<int> excludedCount() const;
    // The table opened or closed: the listed rows' verdicts follow it.
    void tableOpened();
    void tableClosed();

    // The check conditions or the duty (operating range, cycles, the duty's frequency)
    // changed: the listed rows are judged again at once, so that the grid and the
    // selected spring's verdict never disagree. True when the rows the last search left
    // out or kept may differ from a search now.
    bool judgeAgain();

    // The session's verdict of the selected spring, shown anew.
    void showSelected();
    std::optional<ui::VerdictReport> selectedReport() const;

    // The summary of a spring of the nearest list, in N and mm, for a kind of spring.
    std::optional<spring_checks::Summary>
    summarise(const search::NearSpring& spring,
              std::optional<spring_checks::SpringKind> kind) const;

    // The selected spring's band and marks for the load-length chart; none without a verdict.
    std::optional<SelectedMarks> selectedMarks() const;

signals:
    void choicesChanged(const ui::CheckChoices& choices);

private:
    void makeChecker(const spring_checks::CheckConditions& conditions);
    // The band search's part: the row's band, of the tolerance the search started with.
    bool bandMeetsWindows(const catalogue::Record& row) const;
    void showColumns(bool shown);
    // A listed row's summary, worked out the first time it is asked for.
    std::optional<spring_checks::Summary> rowSummary(int row) const;
    QString cellText(int row, int field) const;
    QVariant cellColour(int row, int field) const;

    catalogue::Table& springs_;
    const session::SearchSession& session_;
    ui::ResultArea* results_;
    ui::VerdictPanel* panel_;
    ui::TForm_checks* dialog_;
    QAction* menu_verdict_ = nullptr;
    QAction* menu_verdictcolumns_ = nullptr;

    // What the last search started with.
    ui::CheckChoices searched_;
    std::optional<spring_checks::Duty> searched_duty_;
    std::optional<spring_checks::SpringChecker> checker_;
    bool pass_only_ = false, band_search_ = false;
    double band_tolerance_ = 0;
    int excluded_ = 0;
    mutable spring_checks::ListedVerdicts listed_;
    bool listing_ = false; // listed_ holds the rows of the open table
};

} // namespace app
