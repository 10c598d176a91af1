#include "app/main.h"

#include "app/about.h"
#include "app/clickable_label.h"
#include "app/event_guard.h"
#include "app/form_keys.h"
#include "app/grid_views.h"
#include "app/icons.h"
#include "app/qt_text.h"
#include "app/radio_group.h"
#include "app/search_progress.h"
#include "app/splitter_bar.h"
#include "app/web_opener.h"
#include "catalogue/grid_model.h"
#include "catalogue/number_format.h"
#include "catalogue/number_parse.h"
#include "catalogue/spring_record.h"
#include "catalogue/unit_system.h"
#include "charts/dynamictau_chart.h"
#include "charts/load_length_chart.h"
#include "charts/statictau_chart.h"
#include "cycle/cycle.h"
#include "search/conditions.h"
#include "search/record_filter.h"
#include "search/search_start.h"
#include "strength/cls_sprg.h"
#include "strength/dynamic_range.h"
#include "strength/spr_mat.h"
#include "strength/working_point.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QVBoxLayout>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using app::qtext;
using app::utf8;

namespace {

// A search of a large catalogue frees as much as it keeps: the previous
// rows and the reader's buffers. Hand the free pages back to the system so
// that the program holds only what the open tables need.
void release_free_memory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

TForm_spring::TForm_spring(QWidget* parent)
    : QMainWindow(parent), spring_table_("ClientDataSet_spring", "spring_data.xml"),
      maker_table_("ClientDataSet_maker", "spring_maker.xml") {
    setObjectName(QStringLiteral("Form_spring"));
    setWindowTitle(QStringLiteral("Tarvolin Ver.1.4J"));
    setWindowIcon(app::window_icon());
    QFont face(QStringLiteral("ＭＳ Ｐゴシック"));
    face.setPixelSize(12);
    setFont(face);

    buildMenu();
    buildNearestCommand();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildSearchGroup());
    column->addWidget(buildResultArea(), 1);
    QWidget* stress = buildStressPanel();
    Splitter_tau = new app::SplitterBar(app::SplitterBar::Target::BottomNeighbour, stress, client);
    Splitter_tau->setObjectName(QStringLiteral("Splitter_tau"));
    Splitter_tau->hide();
    column->addWidget(Splitter_tau);
    column->addWidget(stress);
    setCentralWidget(client);

    setTabOrder();
    setUpTables();
    connectHandlers();
    buildResultTools();

    // 791 x 600 outside the frame: 783 x 573 inside it, menu bar included.
    // Wider where the fonts need it.
    resize(QSize(783, 573).expandedTo(minimumSizeHint()));
    move(190, 104);
    app::guarded([this] { FormCreate(); });
}

TForm_spring::~TForm_spring() {
    // The tables are members and go before the child widgets: the grid must
    // stop reading them first.
    DBGrid1->setModel(nullptr);
    delete grid_model_;
}

void TForm_spring::setUpTables() {
    spring_table_.setFields(catalogue::spring::stored_fields());
    spring_table_.setCalcFields(catalogue::spring::calculated_fields(),
                                [](const catalogue::Record& r, double* calc) {
                                    const double u = units::state.unit_factor;
                                    namespace f = catalogue::spring;
                                    calc[0] = units::to_display_unit(r.number(f::fo), u);
                                    calc[1] = units::to_display_unit(r.number(f::fmax), u);
                                    calc[2] = units::to_display_unit(r.number(f::k), u);
                                });
    spring_table_.setFilter([](const catalogue::Record& r) {
        bool accept = true;
        search::ClientDataSet_springFilterRecord(r, accept);
        return accept;
    });
    spring_table_.addAfterOpen([this] {
        grid_model_->reload();
        // The hourglass while the chart walks every row of a large catalogue.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        fill_spring_series(*DBChart1->series(0), spring_table_);
    });
    spring_table_.addAfterClose([this] {
        grid_model_->reload();
        DBChart1->series(0)->clear();
    });
    spring_table_.addDataChange([this] {
        followMaster();
        syncGridCursor();
        DataSource_springDataChange();
    });

    maker_table_.setFields(catalogue::maker::fields());
    maker_table_.setOrderField(catalogue::maker::maker);
    maker_table_.addAfterOpen([this] { ClientDataSet_makerAfterOpen(); });
    maker_table_.addAfterClose([this] { ClientDataSet_makerAfterClose(); });
    maker_table_.addDataChange([this] { showMakerRow(); });
}

void TForm_spring::connectHandlers() {
    connect(RadioGroup_dyncalcst, &app::RadioGroup::itemClicked, this,
            [this] { app::guarded([this] { RadioGroup_dyncalcstClick(); }); });
    connect(CheckBox_link, &QCheckBox::clicked, this,
            [this] { app::guarded([this] { CheckBox_linkClick(); }); });
    connect(Edit_dynmin, &QLineEdit::textChanged, this,
            [this] { app::guarded([this] { Edit_dynminChange(); }); });
    connect(Edit_dyncycle, &QLineEdit::textChanged, this,
            [this] { app::guarded([this] { Edit_dyncycleChange(); }); });
    connect(Button_cycle, &QPushButton::clicked, this,
            [this] { app::guarded([this] { Button_cycleClick(); }); });
    DBChart1->setAfterDraw([this](ChartCanvas&) { DBChart1AfterDraw(); });
    connect(Exit1, &QAction::triggered, this, [this] { app::guarded([this] { Exit1Click(); }); });
    connect(SpringDesiner1, &QAction::triggered, this,
            [this] { app::guarded([this] { SpringDesiner1Click(); }); });
    // The view handlers decide from the check mark as it was before the click.
    connect(menu_statictau, &QAction::triggered, this, [this](bool checked) {
        menu_statictau->setChecked(!checked);
        app::guarded([this] { menu_statictauClick(); });
    });
    connect(menu_dynamictau, &QAction::triggered, this, [this](bool checked) {
        menu_dynamictau->setChecked(!checked);
        app::guarded([this] { menu_dynamictauClick(); });
    });
    connect(Serch_Btn, &QPushButton::clicked, this,
            [this] { app::guarded([this] { Springselectrange_set(); }); });
    connect(RadioGroup_unit, &app::RadioGroup::itemClicked, this,
            [this] { app::guarded([this] { RadioGroup_unitClick(); }); });
    connect(RadioGroup_type, &app::RadioGroup::itemClicked, this,
            [this] { app::guarded([this] { RadioGroup_typeClick(); }); });
    connect(DBText_url, &app::ClickableLabel::clicked, this,
            [this] { app::guarded([this] { DBText_urlClick(); }); });
    // Enter starts the search from any search control, as in a dialog.
    auto* enter = new app::EnterRunsAction(this);
    for (const ConditionControls& c : cond_)
        for (QLineEdit* e : {c.length, c.length_width, c.force, c.force_width})
            enter->watch(e);
    for (QLineEdit* e : {Edit_coildia_outer_min, Edit_coildia_outer_max, Edit_coildia_inner_min,
                         Edit_coildia_inner_max})
        enter->watch(e);
    for (QComboBox* c : {ComboBox_maker, ComboBox_material})
        enter->watch(c->lineEdit());
    enter->watch(Serch_Btn);
    connect(enter, &app::EnterRunsAction::triggered, Serch_Btn, &QPushButton::click);
    for (QLineEdit* e : findChildren<QLineEdit*>())
        app::show_start_after_editing(e);

    app::keep_current_row_highlighted(DBGrid1);
    app::show_elided_texts_as_tips(DBGrid1, DBGrid1->horizontalHeader());
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    app::guarded([this, row = current.row()] { spring_table_.setCurrentRow(row); });
            });
}

// ---- Start-up --------------------------------------------------------------

void TForm_spring::FormCreate() {
    units::state.force_unit = "N";
    units::state.stress_unit = "MPa";
    units::state.unit_factor = 1.0;
    set_statictau(*Chart_statictau);
    set_dhoyo(*Chart_dynamictau->series(0));
    set_dynarea(*Chart_dynamictau->series(2), to_decimal(utf8(Edit_dyncycle->text())));
}

// ---- Menu ------------------------------------------------------------------

void TForm_spring::Exit1Click() {
    close();
}

void TForm_spring::SpringDesiner1Click() {
    auto* box = new TAboutBox(this);
    if (box->exec() == QDialog::Accepted)
        delete box;
}

void TForm_spring::menu_statictauClick() {
    if (menu_statictau->isChecked()) {
        menu_statictau->setChecked(false);
        Splitter_dstau->hide();
        Chart_statictau->hide();
    } else {
        menu_statictau->setChecked(true);
        Chart_statictau->show();
        Splitter_dstau->show();
    }
    Paneltau_set();
}

void TForm_spring::menu_dynamictauClick() {
    if (menu_dynamictau->isChecked()) {
        menu_dynamictau->setChecked(false);
        Panel_dynamictau->hide();
    } else {
        menu_dynamictau->setChecked(true);
        Panel_dynamictau->show();
    }
    Paneltau_set();
}

void TForm_spring::Paneltau_set() {
    if (menu_statictau->isChecked() || menu_dynamictau->isChecked()) {
        if (Paneltau->isVisibleTo(this))
            return;
        resize(width(), height() + Paneltau->height());
        Paneltau->show();
        Splitter_tau->show();
    } else {
        // Hidden first, so that the window's minimum height lets it shrink.
        Splitter_tau->hide();
        Paneltau->hide();
        centralWidget()->layout()->activate();
        layout()->activate();
        resize(width(), height() - Paneltau->height());
    }
}

// ---- Maker box -------------------------------------------------------------

void TForm_spring::ClientDataSet_makerAfterOpen() {
    Label_maker_tel->show();
    namespace m = catalogue::maker;
    // The texts bound to the maker table need their fields.
    if (!maker_table_.isBound(m::tel))
        throw catalogue::TableError("DBText_tel: 項目 'tel' が見つかりません");
    if (!maker_table_.isBound(m::url))
        throw catalogue::TableError("DBText_url: 項目 'url' が見つかりません");
}

void TForm_spring::ClientDataSet_makerAfterClose() {
    Label_maker_tel->hide();
    showMakerRow();
}

void TForm_spring::showMakerRow() {
    namespace m = catalogue::maker;
    const int row = maker_table_.isOpen() ? maker_table_.currentRow() : -1;
    auto field_text = [&](int field) {
        return row < 0 ? QString() : qtext(maker_table_.text(row, field));
    };
    DBText1->setText(field_text(m::maker));
    DBText_tel->setText(field_text(m::tel));
    DBText_url->setText(field_text(m::url));
    DBText_url->adjustSize();
}

void TForm_spring::followMaster() {
    if (!maker_table_.isOpen())
        return;
    const int row = spring_table_.currentRow();
    maker_table_.setRange(row < 0 ? std::string_view()
                                  : spring_table_.text(row, catalogue::spring::maker));
}

void TForm_spring::DBText_urlClick() {
    if (!maker_table_.isOpen())
        return;
    const int row = maker_table_.currentRow();
    app::open_with_shell(row < 0 ? QString()
                                 : qtext(maker_table_.text(row, catalogue::maker::url)));
}

// ---- Catalogue cursor ------------------------------------------------------

void TForm_spring::syncGridCursor() {
    const int row = spring_table_.currentRow();
    if (row < 0 || DBGrid1->currentIndex().row() == row)
        return;
    const QModelIndex index = grid_model_->index(row, 0);
    DBGrid1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
}

void TForm_spring::DataSource_springDataChange() {
    // Each step ends silently on an error of its own.
    try {
        Springline_erase(*DBChart1);
    } catch (...) {
    }
    try {
        Springline_draw(*DBChart1, spring_table_);
    } catch (...) {
    }
    Selectwindow_draw(*DBChart1, search::conditions);
    Springstress_set();
}

void TForm_spring::DBChart1AfterDraw() {
    Selectwindow_draw(*DBChart1, search::conditions);
    try {
        Springline_draw(*DBChart1, spring_table_);
    } catch (...) {
    }
}

// ---- Units -----------------------------------------------------------------

void TForm_spring::RadioGroup_unitClick() {
    units::select_unit_texts(RadioGroup_unit->itemIndex());
    Forceunit_set();
}

void TForm_spring::RadioGroup_typeClick() {
    units::select_type_suffix(RadioGroup_type->itemIndex());
    Forceunit_set();
}

void TForm_spring::Forceunit_set() {
    const QString unit =
        QString::fromStdString(units::state.force_unit + units::state.torque_suffix);
    cond_[0].force_unit->setText(unit);
    cond_[0].force_unit->adjustSize();
    cond_[1].force_unit->setText(cond_[0].force_unit->text());
    cond_[1].force_unit->adjustSize();
    if (RadioGroup_dyncalcst->itemIndex() == 1) {
        Label_dynunit->setText(QString::fromStdString(units::state.force_unit));
        Label_dynunit->adjustSize();
    }
}

void TForm_spring::Unitsystem_set() {
    units::UnitSystemState& s = units::state;
    for (ConditionControls& c : cond_) {
        c.load_unit->setText(QString::fromStdString(s.force_unit + s.torque_suffix));
        c.load_unit->adjustSize();
    }
    const units::UnitCaptions captions =
        units::unit_captions(RadioGroup_unit->itemIndex(), RadioGroup_type->itemIndex(), s);
    s.force_decimals = captions.decimals;
    DBChart1->leftAxis().setTitle(QString::fromStdString(captions.axis_title));
    grid_model_->setTitle(6, QString::fromStdString(captions.column6));
    grid_model_->setTitle(8, QString::fromStdString(captions.column8));
    grid_model_->setTitle(9, QString::fromStdString(captions.column9));

    s.unit_factor = captions.factor;
    for (int column : {6, 8, 9})
        grid_model_->setDecimals(column, captions.decimals);
    for (ConditionControls& c : cond_) {
        c.stress_unit->setText(QString::fromStdString(captions.stress_label));
        c.stress_unit->adjustSize();
        c.superscript->setVisible(captions.superscript);
    }
    // The search start reads both conditions next, which places the units.
}

// ---- Search start ----------------------------------------------------------

void TForm_spring::readCondition(int which) {
    ConditionControls& c = cond_[which];
    search::Conditions& s = search::conditions;
    const search::Bounds force =
        search::read_bounds(utf8(c.force->text()), utf8(c.force_width->text()));
    const search::Bounds length =
        search::read_bounds(utf8(c.length->text()), utf8(c.length_width->text()));
    (which == 0 ? s.force1_min : s.force2_min) = force.min;
    (which == 0 ? s.force1_max : s.force2_max) = force.max;
    (which == 0 ? s.length1_min : s.length2_min) = length.min;
    (which == 0 ? s.length1_max : s.length2_max) = length.max;

    const auto value = parse_decimal(utf8(c.length->text()));
    bool& length_set = which == 0 ? s.length1_set : s.length2_set;
    double& shown_length = which == 0 ? s.length1 : s.length2;
    // A load and stress shown for another length must not stand under the
    // new length's title, even when this search evaluates no spring.
    if (length_set != value.has_value() || (value && shown_length != *value))
        clearEvaluation(c);
    length_set = value.has_value();
    if (value) {
        shown_length = *value;
        c.load_title->setText(c.length->text() + QStringLiteral("時荷重"));
        c.load_title->adjustSize();
        for (QLabel* l : {c.load_title, c.load_unit, c.stress_unit, c.stress_title})
            l->show();
    } else {
        for (QLabel* l : {c.load_title, c.load_unit, c.superscript, c.stress_unit, c.stress_title})
            l->hide();
    }
    fitConditionBox(which);
    (which == 0 ? s.window1 : s.window2) = search::window_corners(length, force);
}

void TForm_spring::clearEvaluation(ConditionControls& c) {
    c.load_value->clear();
    c.stress_value->clear();
}

bool TForm_spring::readRecordRules(search::Conditions& s) const {
    // A type item without a catalogue code keeps the type of before.
    if (const auto code = search::spring_type_code(RadioGroup_type->itemIndex()))
        s.spring_type = *code;
    s.coildia_outer_min = search::read_diameter_bound(utf8(Edit_coildia_outer_min->text()));
    s.coildia_outer_max = search::read_diameter_bound(utf8(Edit_coildia_outer_max->text()));
    s.coildia_inner_min = search::read_diameter_bound(utf8(Edit_coildia_inner_min->text()));
    s.coildia_inner_max = search::read_diameter_bound(utf8(Edit_coildia_inner_max->text()));
    if (!search::diameters_valid(s.coildia_outer_min, s.coildia_outer_max, s.coildia_inner_min,
                                 s.coildia_inner_max))
        return false;
    // As typed.
    s.sel_material = utf8(ComboBox_material->currentText());
    s.sel_maker = utf8(ComboBox_maker->currentText());
    return true;
}

void TForm_spring::Springselectrange_set() {
    app::SearchProgress progress(this); // the busy cursor, until the search ends
    // 1. Preparation; a failure here only cuts the preparation short.
    const double shown_factor = units::state.unit_factor;
    try {
        spring_table_.close();
        maker_table_.close();
        Unitsystem_set();
        set_tauaxis(*Chart_statictau);
        if (CheckBox_link->isChecked())
            Dynrange_set();
    } catch (...) {
    }
    // Values computed in another unit system must not stand under this one's
    // unit texts and axes.
    if (units::state.unit_factor != shown_factor) {
        for (ConditionControls& c : cond_)
            clearEvaluation(c);
        Chart_statictau->series(3)->clear();
        Chart_dynamictau->series(1)->clear();
    }

    // 2.–6. Both search windows.
    readCondition(0);
    readCondition(1);

    // 7.–11. Spring type, diameter bounds, material and maker.
    search::Conditions& s = search::conditions;
    s.stress_ratio_limit = search::stress_ratio_limit(RadioGroup_type->itemIndex());
    if (!readRecordRules(s)) {
        progress.release();
        QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(app::application_title),
                        QString::fromUtf8(search::diameter_message), QMessageBox::Ok, this);
        box.exec();
        return;
    }

    // 12. Open both tables; the filter decides for every row. The user may
    // stop the reading, which leaves both closed.
    if (!progress.openTables(spring_table_, maker_table_))
        return;
    followMaster();
    release_free_memory();

    // 13. Fit the load-length axes to the springs found and the windows.
    fit_load_length_axes(*DBChart1, s);
}
