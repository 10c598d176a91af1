// Whether each listed spring will stand its duty: the check conditions dialog, the
// verdict of the selected spring beside the stress panel, the verdict columns of the
// grid, the search options that lean on the checks, and the selected spring's load
// band and limit lengths on the load-length chart.
#pragma once

#include "core/strength/listed_verdicts.h"
#include "ui/checks_dialog.h"
#include "ui/verdict_report.h"

#include <QObject>

#include <optional>

class Chart;
class ChartCanvas;
class QAction;
class QMainWindow;
class SpringGridModel;

namespace catalogue {
class Record;
class Table;
} // namespace catalogue

namespace search {
struct NearSpring;
}

namespace ui {
class ResultArea;
class SearchPanel;
class StressPanel;
class VerdictPanel;
} // namespace ui

namespace app {

class SpringVerdicts : public QObject {
    Q_OBJECT

public:
    SpringVerdicts(QMainWindow* window, catalogue::Table& springs, ui::SearchPanel* search,
                   ui::ResultArea* results, ui::StressPanel* stress, ui::VerdictPanel* panel);

    const ui::CheckChoices& choices() const { return dialog_->choices(); }

    // At a search start, once the unit system and the conditions are read: the
    // checker of the springs the search will list.
    void beginSearch();
    // The filter's part, for a row the search's own rules accepted: false to leave
    // it out. With "pass only" it checks the row and records the verdict of a row it keeps.
    bool keep(const catalogue::Record& row);
    // How many springs the last search left out as failing, when it left any out.
    std::optional<int> excludedCount() const;

    // The verdict of the selected spring, shown anew; none when nothing is selected
    // or the spring type has no checks.
    void showSelected();
    std::optional<ui::VerdictReport> selectedReport() const;
    ui::DisplayUnits displayUnits() const { return units_; }

    // The summary of a spring of the nearest list, in N and mm.
    std::optional<spring_checks::Summary> summarise(const search::NearSpring& spring) const;

    // After-draw of the load-length chart: the selected spring's band and marks.
    void drawOverlays(Chart& chart) const;

private:
    spring_checks::Duty duty(spring_checks::SpringKind kind) const;
    void showColumns(bool shown);
    // A listed row's summary, worked out the first time it is asked for.
    std::optional<spring_checks::Summary> rowSummary(int row) const;
    QString cellText(int row, int field) const;
    QVariant cellColour(int row, int field) const;

    catalogue::Table& springs_;
    ui::SearchPanel* search_;
    ui::ResultArea* results_;
    ui::StressPanel* stress_;
    ui::VerdictPanel* panel_;
    ui::TForm_checks* dialog_;
    QAction* menu_verdict_ = nullptr;
    QAction* menu_verdictcolumns_ = nullptr;

    // What the last search started with.
    ui::DisplayUnits units_;
    std::optional<spring_checks::SpringKind> kind_; // none for a spring type without checks
    std::optional<spring_checks::SpringChecker> checker_;
    bool pass_only_ = false, band_search_ = false;
    double band_tolerance_ = 0;
    int excluded_ = 0;
    mutable spring_checks::ListedVerdicts listed_;
    bool listing_ = false; // listed_ holds the rows of the open table

    // The selected spring's checks, for the chart's overlays.
    std::optional<spring_checks::SpringVerdict> selected_;
    spring_checks::Record selected_record_;
};

} // namespace app
