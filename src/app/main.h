#pragma once

#include "app/window_menus.h"
#include "core/catalogue/table.h"
#include "core/session/search_session.h"
#include "ui/verdict_report.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>

class QAction;
class QMenu;
class SpringGridModel;
class TForm_cycle;

namespace ui {
class MakerBox;
class ResultArea;
class SearchPanel;
class StressPanel;
class VerdictPanel;
} // namespace ui

namespace app {
class DatasheetCommands;
class ResultStatus;
class SpringVerdicts;
} // namespace app

// The main window: it creates the panels, connects them, and runs the
// handlers that tie them together when an event fires. What the last search
// and its selected spring are lives in its session, which the panels feed.
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
    // The service-life dialog that 寿命 shows; none until one is handed over.
    void setCycleDialog(TForm_cycle* dialog);

    // Opens the maker's web address, as a click on it does.
    void DBText_urlClick();

private:
    // Event handlers, each run through the error guard when an event fires.
    void FormCreate();
    void Exit1Click();
    void SpringDesiner1Click();
    void Springselectrange_set();
    void RadioGroup_unitClick();
    void RadioGroup_typeClick();
    void ClientDataSet_makerAfterOpen();
    void ClientDataSet_makerAfterClose();
    void DataSource_springDataChange();
    void DBChart1AfterDraw();
    void RadioGroup_dyncalcstClick();
    void CheckBox_linkClick();
    void Edit_dynminChange(bool typed);
    void Edit_dyncycleChange();
    void Button_cycleClick();

    // Internal steps.
    void Forceunit_set();
    void Unitsystem_set();
    void Springstress_set();
    void Dynrange_set();

    void chainTabOrder();
    void connectHandlers();
    void setUpTables();

    void readCondition(int which);
    // The working point moves with the operating range, not only with the cursor.
    void followOperatingRange();
    // The session's check conditions or duty changed: the selected spring's verdict
    // is shown anew and the listed rows are judged again.
    void followSession();
    void operatingRangeChanged(const session::RangeInput& range);
    void cyclesChanged(const session::TypedNumber& cycles);
    void showMakerRow();
    void followMaster();

    catalogue::Table spring_table_;
    catalogue::Table maker_table_;
    session::SearchSession session_;

    // Menu.
    app::WindowMenus menus_;

    // The panels, top to bottom.
    ui::MakerBox* maker_ = nullptr;
    ui::SearchPanel* search_ = nullptr;
    ui::ResultArea* results_ = nullptr;
    ui::StressPanel* stress_ = nullptr;
    ui::VerdictPanel* verdict_ = nullptr;
    app::SpringVerdicts* verdicts_ = nullptr;
    app::DatasheetCommands* datasheet_ = nullptr;
    app::ResultStatus* status_ = nullptr;
    QPointer<TForm_cycle> cycle_dialog_;
};
