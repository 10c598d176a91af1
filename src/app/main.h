#pragma once

#include "catalogue/table.h"

#include <QMainWindow>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class SpringGridModel;
class Chart;

namespace search {
struct Conditions;
struct NearSpring;
} // namespace search

namespace app {
class ClickableLabel;
class RadioGroup;
class SplitterBar;
} // namespace app

// The main window: it owns every control, both catalogue tables and the
// charts, and dispatches each event to the unit that handles it.
class TForm_spring : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm_spring(QWidget* parent = nullptr);
    ~TForm_spring() override;

    catalogue::Table& springTable() { return spring_table_; }
    catalogue::Table& makerTable() { return maker_table_; }
    SpringGridModel* gridModel() const { return grid_model_; }

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
    void Button_nearestClick();

    // Internal steps.
    void Paneltau_set();
    void Forceunit_set();
    void Unitsystem_set();
    void Springstress_set();
    void Dynrange_set();

private:
    void buildMenu();
    void buildNearestCommand();
    void showNearSpring(const search::NearSpring& spring);
    QWidget* buildSearchGroup();
    QWidget* buildConditionBox(int which);
    void fitConditionBox(int which);
    QWidget* buildFreeArea();
    QWidget* buildMakerBox();
    QWidget* buildResultArea();
    QWidget* buildStressPanel();
    QWidget* buildDynamicParameters();
    void setTabOrder();
    void connectHandlers();
    void setUpTables();
    void buildResultTools();

    void readCondition(int which);
    // The filter's type, diameter, material and maker rules from the search
    // controls; false, with the diameters read, when they contradict.
    bool readRecordRules(search::Conditions& s) const;
    void showMakerRow();
    void followMaster();
    void syncGridCursor();
    void evaluateCondition(int which, double d, double D, double tau_a);
    void placeWorkingPoint(double d, double D, double sigma_b);

    catalogue::Table spring_table_;
    catalogue::Table maker_table_;
    SpringGridModel* grid_model_ = nullptr;

    // Menu.
    QAction* Exit1 = nullptr;
    QAction* menu_statictau = nullptr;
    QAction* menu_dynamictau = nullptr;
    QAction* SpringDesiner1 = nullptr;
    QAction* Button_nearest = nullptr;

    // Region 1: search conditions.
    app::RadioGroup* RadioGroup_type = nullptr;
    app::RadioGroup* RadioGroup_unit = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    struct ConditionControls {
        QLineEdit* length;
        QLineEdit* length_width;
        QLineEdit* force;
        QLineEdit* force_width;
        QLabel* force_unit;   // Label6 / Label14
        QLabel* load_title;   // Label16 / Label17
        QLabel* load_value;   // Label_F1 / Label_f2
        QLabel* load_unit;    // Label18 / Label20
        QLabel* stress_title; // Label22 / Label21
        QLabel* stress_value; // Label_tau1 / Label_tau2
        QLabel* stress_unit;  // Label24 / Label25
        QLabel* superscript;  // Label19 / Label23
    };
    ConditionControls cond_[2]{};
    static void clearEvaluation(ConditionControls& c);
    QLineEdit* Edit_coildia_outer_min = nullptr;
    QLineEdit* Edit_coildia_outer_max = nullptr;
    QLineEdit* Edit_coildia_inner_min = nullptr;
    QLineEdit* Edit_coildia_inner_max = nullptr;
    QComboBox* ComboBox_maker = nullptr;
    QComboBox* ComboBox_material = nullptr;
    QPushButton* Serch_Btn = nullptr;
    QLabel* DBText1 = nullptr;
    QLabel* Label_maker_tel = nullptr;
    QLabel* DBText_tel = nullptr;
    app::ClickableLabel* DBText_url = nullptr;

    // Region 2: load-length chart and grid.
    Chart* DBChart1 = nullptr;
    QTableView* DBGrid1 = nullptr;

    // Regions 3 and 4: stress charts.
    app::SplitterBar* Splitter_tau = nullptr;
    QWidget* Paneltau = nullptr;
    Chart* Chart_statictau = nullptr;
    app::SplitterBar* Splitter_dstau = nullptr;
    QWidget* Panel_dynamictau = nullptr;
    Chart* Chart_dynamictau = nullptr;
    QCheckBox* CheckBox_link = nullptr;
    app::RadioGroup* RadioGroup_dyncalcst = nullptr;
    QLineEdit* Edit_dynmin = nullptr;
    QLineEdit* Edit_dynmax = nullptr;
    QLabel* Label_dynunit = nullptr;
    QLineEdit* Edit_dyncycle = nullptr;
    QPushButton* Button_cycle = nullptr;
};
