#include "app/main.h"

#include "app/about.h"
#include "app/datasheet_commands.h"
#include "app/event_guard.h"
#include "app/grid_views.h"
#include "app/icons.h"
#include "app/maker_rows.h"
#include "app/nearest_command.h"
#include "app/result_status.h"
#include "app/result_tools.h"
#include "app/spring_verdicts.h"
#include "app/stress_view.h"
#include "app/version.h"
#include "app/web_opener.h"
#include "app/window_shares.h"
#include "chart/chart.h"
#include "core/catalogue/spring_record.h"
#include "core/catalogue/unit_system.h"
#include "core/search/nearest_search.h"
#include "core/search/record_filter.h"
#include "ui/busy_cursor.h"
#include "ui/cycle_dialog.h"
#include "ui/dynamictau_chart.h"
#include "ui/edit_start.h"
#include "ui/enter_runs_action.h"
#include "ui/grid_model.h"
#include "ui/load_length_chart.h"
#include "ui/maker_box.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/result_area.h"
#include "ui/search_panel.h"
#include "ui/splitter_bar.h"
#include "ui/spring_columns.h"
#include "ui/statictau_chart.h"
#include "ui/stress_panel.h"
#include "ui/verdict_panel.h"

#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using ui::qtext;

namespace {

// Runs a handler of the window through the error guard.
template <class Handler> auto guard(TForm_spring* window, Handler handler) {
    return [window, handler] { app::guarded([window, handler] { (window->*handler)(); }); };
}

} // namespace

TForm_spring::TForm_spring(QWidget* parent)
    : QMainWindow(parent), spring_table_("ClientDataSet_spring", "spring_data.xml"),
      maker_table_("ClientDataSet_maker", "spring_maker.xml") {
    setObjectName(QStringLiteral("Form_spring"));
    setWindowTitle(QStringLiteral("Tarvolin Ver." TARVOLIN_VERSION "J"));
    setWindowIcon(app::window_icon());
    QFont face(QStringLiteral("ＭＳ Ｐゴシック"));
    face.setPixelSize(12);
    setFont(face);

    menus_ = app::build_window_menus(this);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    maker_ = new ui::MakerBox(client);
    search_ = new ui::SearchPanel(maker_, client);
    search_->searchButton()->setIcon(app::search_icon());
    results_ = new ui::ResultArea(spring_table_, client);
    stress_ = new ui::StressPanel(client);
    auto* stress_view =
        new app::StressView(this, client, stress_, menus_.menu_statictau, menus_.menu_dynamictau);
    column->addWidget(search_);
    column->addWidget(results_, 1);
    // The verdict stands beside the stress panel; the window's default size
    // grows by it, so that the stress panel keeps its own default width.
    verdict_ = new ui::VerdictPanel(client);
    // As high as the stress panel at its default, also when that panel is hidden.
    verdict_->setDefaultHeight(stress_->minimumHeight());
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(0);
    bottom->addWidget(stress_, 1);
    bottom->addWidget(verdict_);
    column->addWidget(stress_view->splitter());
    column->addLayout(bottom);
    setCentralWidget(client);

    // The session starts with what the panels show before any event.
    session_.setOperatingRange(stress_->operatingRange());
    session_.setCycles(stress_->cycles());

    auto* nearest =
        new app::NearestCommand(this, menus_.search, session_, search_, results_->model(),
                                spring_table_, [this] { Springselectrange_set(); });
    verdicts_ = new app::SpringVerdicts(this, menus_.search, menus_.view, spring_table_, session_,
                                        results_, verdict_);
    session_.setCheckConditions(verdicts_->choices().conditions);
    nearest->setVerdicts([this](const search::NearSpring& s) {
        return verdicts_->summarise(s, spring_checks::kind_of_type_item(search_->typeItem()));
    });
    chainTabOrder();
    setUpTables();
    connectHandlers();
    status_ = app::add_result_tools(this, results_, stress_, menus_.file, menus_.Exit1,
                                    [this] { Springselectrange_set(); });
    datasheet_ = new app::DatasheetCommands(
        this, session_, spring_table_, maker_table_,
        {results_->chart(), stress_->staticChart(), stress_->fatigueChart()});
    datasheet_->addTo(menus_.file, menus_.Exit1);

    // 791 x 600 outside the frame: 783 x 573 inside it, menu bar included.
    // Wider where the fonts need it.
    resize(QSize(783 + verdict_->sizeHint().width(), 573).expandedTo(minimumSizeHint()));
    new app::WindowShares(this, size(), results_->chart(), stress_, stress_->staticChart(),
                          verdict_);
    move(190, 104);
    app::guarded([this] { FormCreate(); });
}

TForm_spring::~TForm_spring() {
    // The tables are members and go before the child widgets: the panels
    // that read them must go first.
    delete takeCentralWidget();
}

SpringGridModel* TForm_spring::gridModel() const {
    return results_->model();
}

std::optional<ui::VerdictReport> TForm_spring::selectedVerdict() const {
    return verdicts_->selectedReport();
}

void TForm_spring::setCycleDialog(TForm_cycle* dialog) {
    cycle_dialog_ = dialog;
}

void TForm_spring::chainTabOrder() {
    const QList<QWidget*> chain =
        search_->searchControls() + search_->groupButtons() + stress_->tabChain();
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TForm_spring::setUpTables() {
    spring_table_.setFields(catalogue::spring::stored_fields());
    spring_table_.setCalcFields(
        catalogue::spring::calculated_fields(), [](const catalogue::Record& r, double* calc) {
            catalogue::spring::calculate_fields(r, units::state.unit_factor, calc);
        });
    spring_table_.setFilter([this](const catalogue::Record& r) {
        bool accept = true;
        search::ClientDataSet_springFilterRecord(r, accept);
        return accept && verdicts_->keep(r);
    });
    // One listener per event of the table, calling the parts in this order.
    spring_table_.addAfterOpen([this] {
        // The verdicts know the listed rows before the grid asks for their cells.
        verdicts_->tableOpened();
        results_->model()->reload();
        results_->fitColumns();
        {
            // The hourglass while the chart walks every row of a large catalogue.
            const ui::BusyCursor busy;
            fill_spring_series(*results_->chart()->series(0), spring_table_);
        }
        datasheet_->followSelection();
    });
    spring_table_.addAfterClose([this] {
        session_.clearSelection();
        verdicts_->tableClosed();
        results_->model()->reload();
        results_->chart()->series(0)->clear();
        status_->clearCount();
        datasheet_->followSelection();
    });
    spring_table_.addDataChange([this] {
        session_.selectRow(spring_table_);
        followMaster();
        results_->showCurrentRow(spring_table_.currentRow());
        DataSource_springDataChange();
        datasheet_->followSelection();
    });

    maker_table_.setFields(catalogue::maker::fields());
    maker_table_.setOrderField(catalogue::maker::maker);
    maker_table_.addAfterOpen([this] {
        ClientDataSet_makerAfterOpen();
        // A search has succeeded once both tables are open, the maker table last.
        if (spring_table_.isOpen())
            status_->showCount(spring_table_.recordCount(), verdicts_->excludedCount());
    });
    maker_table_.addAfterClose([this] {
        ClientDataSet_makerAfterClose();
        status_->clearCount();
    });
    maker_table_.addDataChange([this] { showMakerRow(); });
}

void TForm_spring::connectHandlers() {
    // The panel reports the range whenever it changes, also when the handlers
    // below set it from the search conditions.
    connect(stress_, &ui::StressPanel::operatingRangeChanged, this,
            [this](const session::RangeInput& range) {
                app::guarded([this, &range] { operatingRangeChanged(range); });
            });
    connect(stress_, &ui::StressPanel::cyclesChanged, this,
            [this](const session::TypedNumber& cycles) {
                app::guarded([this, &cycles] { cyclesChanged(cycles); });
            });
    connect(stress_, &ui::StressPanel::calculationClicked, this,
            guard(this, &TForm_spring::RadioGroup_dyncalcstClick));
    connect(stress_, &ui::StressPanel::linkClicked, this,
            guard(this, &TForm_spring::CheckBox_linkClick));
    connect(stress_, &ui::StressPanel::minimumChanged, this,
            [this](bool typed) { app::guarded([this, typed] { Edit_dynminChange(typed); }); });
    connect(stress_, &ui::StressPanel::cycleButtonClicked, this,
            guard(this, &TForm_spring::Button_cycleClick));
    connect(verdicts_, &app::SpringVerdicts::choicesChanged, this,
            [this](const ui::CheckChoices& choices) {
                app::guarded([this, &choices] {
                    session_.setCheckConditions(choices.conditions);
                    followSession();
                });
            });
    results_->chart()->setAfterDraw([this](ChartCanvas&) { DBChart1AfterDraw(); });
    connect(menus_.Exit1, &QAction::triggered, this, guard(this, &TForm_spring::Exit1Click));
    connect(menus_.SpringDesiner1, &QAction::triggered, this,
            guard(this, &TForm_spring::SpringDesiner1Click));
    connect(search_->searchButton(), &QPushButton::clicked, this,
            guard(this, &TForm_spring::Springselectrange_set));
    connect(search_->unitGroup(), &ui::RadioGroup::itemClicked, this,
            guard(this, &TForm_spring::RadioGroup_unitClick));
    connect(search_->typeGroup(), &ui::RadioGroup::itemClicked, this,
            guard(this, &TForm_spring::RadioGroup_typeClick));
    connect(maker_, &ui::MakerBox::urlClicked, this, guard(this, &TForm_spring::DBText_urlClick));
    // Enter starts the search from any search control, as in a dialog.
    auto* enter = new ui::EnterRunsAction(this);
    for (QWidget* w : search_->searchControls()) {
        auto* combo = qobject_cast<QComboBox*>(w);
        enter->watch(combo ? combo->lineEdit() : w);
    }
    connect(enter, &ui::EnterRunsAction::triggered, search_->searchButton(), &QPushButton::click);
    for (QLineEdit* e : findChildren<QLineEdit*>())
        ui::show_start_after_editing(e);

    QTableView* grid = results_->grid();
    app::keep_current_row_highlighted(grid);
    app::show_elided_texts_as_tips(grid, grid->horizontalHeader());
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    app::guarded([this, row = current.row()] { spring_table_.setCurrentRow(row); });
            });
}

// ---- Start-up --------------------------------------------------------------

void TForm_spring::FormCreate() {
    // The unit state starts in N and MPa with factor 1: create_forms() has
    // reset every module's state before it made this window.
    set_statictau(*stress_->staticChart(), units::state.unit_factor, units::state.stress_unit);
    set_dhoyo(*stress_->fatigueChart()->series(0));
    set_dynarea(*stress_->fatigueChart()->series(2), session_.cycles().required());
}

// ---- Menu ------------------------------------------------------------------

void TForm_spring::Exit1Click() {
    close();
}

void TForm_spring::SpringDesiner1Click() {
    // Owned by the window until closed with OK, as the About command always did.
    auto* box = new TAboutBox(this);
    if (box->exec() == QDialog::Accepted)
        delete box;
}

// ---- Maker box -------------------------------------------------------------

void TForm_spring::ClientDataSet_makerAfterOpen() {
    maker_->setTelCaptionShown(true);
    app::check_maker_fields(maker_table_); // the texts bound to the table need their fields
}

void TForm_spring::ClientDataSet_makerAfterClose() {
    maker_->setTelCaptionShown(false);
    showMakerRow();
}

void TForm_spring::showMakerRow() {
    app::show_maker_row(*maker_, maker_table_);
}

void TForm_spring::followMaster() {
    app::follow_spring_maker(maker_table_, spring_table_);
}

void TForm_spring::DBText_urlClick() {
    if (maker_table_.isOpen())
        app::open_with_shell(app::current_maker_url(maker_table_));
}

// ---- Catalogue cursor ------------------------------------------------------

void TForm_spring::DataSource_springDataChange() {
    // None of the overlays can fail: a row without its values draws no
    // highlight, and the pixel mapping takes any value.
    Chart& chart = *results_->chart();
    Springline_erase(chart);
    Springline_draw(chart, spring_table_);
    Selectwindow_draw(chart, session_.conditions());
    Springstress_set();
}

void TForm_spring::DBChart1AfterDraw() {
    Selectwindow_draw(*results_->chart(), session_.conditions());
    Springline_draw(*results_->chart(), spring_table_);
    if (const std::optional<SelectedMarks> marks = verdicts_->selectedMarks())
        draw_selected_marks(*results_->chart(), *marks);
}

// ---- Units -----------------------------------------------------------------

void TForm_spring::RadioGroup_unitClick() {
    units::select_unit_texts(search_->unitItem());
    Forceunit_set();
}

void TForm_spring::RadioGroup_typeClick() {
    units::select_type_suffix(search_->typeItem());
    Forceunit_set();
}

void TForm_spring::Forceunit_set() {
    const QString unit =
        QString::fromStdString(units::state.force_unit + units::state.torque_suffix);
    for (int which = 0; which < 2; ++which)
        search_->condition(which)->setForceUnit(unit);
    if (!stress_->rangeInLengths())
        stress_->showRangeUnit(QString::fromStdString(units::state.force_unit));
}

void TForm_spring::Unitsystem_set() {
    const units::UnitCaptions captions =
        units::apply_unit_system(search_->unitItem(), search_->typeItem());
    const units::UnitSystemState& s = units::state;
    for (int which = 0; which < 2; ++which)
        search_->condition(which)->setUnitTexts(
            QString::fromStdString(s.force_unit + s.torque_suffix),
            QString::fromStdString(captions.stress_label), captions.superscript);
    results_->chart()->leftAxis().setTitle(QString::fromStdString(captions.axis_title));
    ui::caption_force_columns(*results_->model(), captions);
    // The search start reads both conditions next, which places the units.
}
