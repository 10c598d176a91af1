#pragma once

#include "core/catalogue/table.h"
#include "core/strength/spring_evaluation.h"
#include "ui/verdict_report.h"

#include <QMainWindow>

#include <optional>

class QAction;
class SpringGridModel;

namespace ui {
class MakerBox;
class ResultArea;
class SearchPanel;
class SplitterBar;
class StressPanel;
class VerdictPanel;
} // namespace ui

namespace app {
class SpringVerdicts;
}

// The main window: it creates the panels, connects them, and runs the
// handlers that tie them together when an event fires.
class TForm_spring : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm_spring(QWidget* parent = nullptr);
    ~TForm_spring() override;

    catalogue::Table& springTable() { return spring_table_; }
    catalogue::Table& makerTable() { return maker_table_; }
    SpringGridModel* gridModel() const;
    // The verdict the window shows for the selected spring; none while it shows none.
    std::optional<ui::VerdictReport> selectedVerdict() const;
    // The unit system of the last search, in which the verdict is written.
    ui::DisplayUnits displayUnits() const;
    // The conditions the verdict is checked under.
    const spring_checks::CheckConditions& checkConditions() const;

    // Event handlers, each run through the error guard when an event fires.
    void FormCreate();
    void Exit1Click();
    void SpringDesiner1Click();
    void menu_statictauClick();
    void menu_dynamictauClick();
    void DBText_urlClick();
    void Springselectrange_set();
    void RadioGroup_unitClick();
    void RadioGroup_typeClick();
    void ClientDataSet_makerAfterOpen();
    void ClientDataSet_makerAfterClose();
    void DataSource_springDataChange();
    void DBChart1AfterDraw();
    void RadioGroup_dyncalcstClick();
    void CheckBox_linkClick();
    void Edit_dynminChange();
    void Edit_dyncycleChange();
    void Button_cycleClick();

    // Internal steps.
    void Paneltau_set();
    void Forceunit_set();
    void Unitsystem_set();
    void Springstress_set();
    void Dynrange_set();

private:
    void buildMenu();
    void chainTabOrder();
    void connectHandlers();
    void setUpTables();

    void readCondition(int which);
    // The evaluation of the selected spring into `spring`; nothing when no
    // spring is selected.
    std::optional<strength::SpringEvaluation> evaluateSelected(strength::SpringValues& spring);
    // The working point moves with the operating range, not only with the cursor.
    void followOperatingRange();
    void showMakerRow();
    void followMaster();

    catalogue::Table spring_table_;
    catalogue::Table maker_table_;

    // Menu.
    QAction* Exit1 = nullptr;
    QAction* menu_statictau = nullptr;
    QAction* menu_dynamictau = nullptr;
    QAction* SpringDesiner1 = nullptr;

    // The panels, top to bottom.
    ui::MakerBox* maker_ = nullptr;
    ui::SearchPanel* search_ = nullptr;
    ui::ResultArea* results_ = nullptr;
    ui::SplitterBar* Splitter_tau = nullptr;
    ui::StressPanel* stress_ = nullptr;
    ui::VerdictPanel* verdict_ = nullptr;
    app::SpringVerdicts* verdicts_ = nullptr;
};
