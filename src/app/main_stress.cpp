// The main window's evaluation of the spring under the cursor: loads and
// stresses at the search lengths, the dots of both stress charts, and the
// dynamic operating range with the service-life dialog.
#include "app/event_guard.h"
#include "app/main.h"
#include "app/qt_text.h"
#include "app/radio_group.h"
#include "catalogue/grid_model.h"
#include "catalogue/number_format.h"
#include "catalogue/number_parse.h"
#include "catalogue/spring_record.h"
#include "catalogue/unit_system.h"
#include "charts/dynamictau_chart.h"
#include "charts/statictau_chart.h"
#include "cycle/cycle.h"
#include "search/conditions.h"
#include "strength/cls_sprg.h"
#include "strength/dynamic_range.h"
#include "strength/spr_mat.h"
#include "strength/working_point.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

using app::qtext;
using app::utf8;

// ---- Stress of the selected spring -------------------------------------------

void TForm_spring::Springstress_set() {
    if (RadioGroup_type->itemIndex() >= 2)
        return;
    namespace f = catalogue::spring;
    // The first failure ends the pass; what was already shown stays.
    try {
        const int row = spring_table_.isOpen() ? spring_table_.currentRow() : -1;
        auto number = [&](int field) { return row < 0 ? 0.0 : spring_table_.number(row, field); };
        const std::string material =
            row < 0 ? std::string() : std::string(spring_table_.text(row, f::material));
        const double d = number(f::wire_dia);
        const double D = number(f::coil_dia) - d;
        const double u = units::state.unit_factor;
        const double tau_a = spr_mat::allowable_stress(material, d) * u;
        const double sigma_b = spr_mat::tensile_strength(material, d) * u;

        const QString hint =
            QStringLiteral("許容応力値:") + QString::fromStdString(numfmt::fixed15(tau_a, 0)) +
            QString::fromStdString(units::state.force_unit) + QStringLiteral("/mm2");
        GroupBox1->setToolTip(hint);
        GroupBox2->setToolTip(hint);
        Chart_statictau->series(3)->clear();
        Chart_dynamictau->series(1)->clear();

        evaluateCondition(0, d, D, tau_a);
        evaluateCondition(1, d, D, tau_a);
        placeWorkingPoint(d, D, sigma_b);
    } catch (...) {
    }
}

void TForm_spring::evaluateCondition(int which, double d, double D, double tau_a) {
    const search::Conditions& s = search::conditions;
    ConditionControls& c = cond_[which];
    if (!(which == 0 ? s.length1_set : s.length2_set)) {
        clearEvaluation(c);
        return;
    }
    namespace f = catalogue::spring;
    const int row = spring_table_.currentRow();
    auto colour = [](QLabel* l, const QColor& col) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, col);
        l->setPalette(p);
    };
    try {
        const double load = cls_sprg::load_at_length(
            which == 0 ? s.length1 : s.length2, spring_table_.number(row, f::lo),
            spring_table_.number(row, f::lmax), spring_table_.number(row, f::calc_k),
            spring_table_.number(row, f::calc_fo));
        colour(c.load_value, Qt::black);
        c.load_value->setText(
            QString::fromStdString(numfmt::fixed15(load, units::state.force_decimals)));
        const double tau = cls_sprg::shear_stress(d, D, load);
        colour(c.stress_value, tau / tau_a >= s.stress_ratio_limit ? Qt::red : Qt::black);
        c.stress_value->setText(QString::fromStdString(numfmt::fixed15(tau, 0)));
        add_taupoint(*Chart_statictau, std::string(spring_table_.text(row, f::material)), d, tau);
    } catch (const cls_sprg::EStdspringException&) {
        colour(c.load_value, Qt::red);
        c.load_value->setText(QStringLiteral("範囲外"));
        c.stress_value->clear();
    }
}

void TForm_spring::placeWorkingPoint(double d, double D, double sigma_b) {
    namespace f = catalogue::spring;
    const int row = spring_table_.currentRow();
    const double a = to_decimal(utf8(Edit_dynmin->text()));
    const double b = to_decimal(utf8(Edit_dynmax->text()));
    double p1 = a, p2 = b;
    if (RadioGroup_dyncalcst->itemIndex() == 0) {
        auto load = [&](double length) {
            return cls_sprg::load_at_length(
                length, spring_table_.number(row, f::lo), spring_table_.number(row, f::lmax),
                spring_table_.number(row, f::calc_k), spring_table_.number(row, f::calc_fo));
        };
        p1 = load(a);
        p2 = load(b);
    }
    const strength::WorkingPoint wp = strength::working_point(d, D, p1, p2, sigma_b);
    add_dtaupoint(*Chart_dynamictau, wp.x, wp.y);
}

// ---- Dynamic operating range -----------------------------------------------

void TForm_spring::Dynrange_set() {
    const bool lengths = RadioGroup_dyncalcst->itemIndex() != 1;
    Label_dynunit->setText(lengths ? QStringLiteral("mm")
                                   : QString::fromStdString(units::state.force_unit));
    Label_dynunit->adjustSize();
    const ConditionControls& c1 = cond_[0];
    const ConditionControls& c2 = cond_[1];
    const std::string first = utf8((lengths ? c1.length : c1.force)->text());
    const std::string first_tolerance = utf8((lengths ? c1.length_width : c1.force_width)->text());
    const std::string second = utf8((lengths ? c2.length : c2.force)->text());
    const std::string second_tolerance = utf8((lengths ? c2.length_width : c2.force_width)->text());
    const strength::RangeTexts range = strength::dynamic_range(
        {first, first_tolerance, second, second_tolerance}, units::state.force_decimals);
    // Written by the program: the edits' modified flags stay clear.
    Edit_dynmin->setText(QString::fromStdString(range.min));
    Edit_dynmax->setText(QString::fromStdString(range.max));
}

void TForm_spring::RadioGroup_dyncalcstClick() {
    Label_dynunit->setText(RadioGroup_dyncalcst->itemIndex() == 1
                               ? QString::fromStdString(units::state.force_unit)
                               : QStringLiteral("mm"));
    Label_dynunit->adjustSize();
    if (CheckBox_link->isChecked())
        Dynrange_set();
}

void TForm_spring::CheckBox_linkClick() {
    if (CheckBox_link->isChecked())
        Dynrange_set();
}

void TForm_spring::Edit_dynminChange() {
    if (Edit_dynmin->isModified() && CheckBox_link->isChecked()) {
        CheckBox_link->setChecked(false);
        CheckBox_linkClick();
    }
}

void TForm_spring::Edit_dyncycleChange() {
    set_dynarea(*Chart_dynamictau->series(2), to_decimal(utf8(Edit_dyncycle->text())));
}

void TForm_spring::Button_cycleClick() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<TForm_cycle*>(w);
        if (dialog && dialog->exec() == QDialog::Accepted)
            Edit_dyncycle->setText(QString::fromStdString(cycle::cycle_result));
    }
}
