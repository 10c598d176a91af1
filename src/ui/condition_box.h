#pragma once

#include "core/search/search_start.h"
#include "core/strength/spring_evaluation.h"

#include <QGroupBox>
#include <QList>

class QLabel;
class QLineEdit;

namespace ui {

// One search condition (第1選択条件, 第2選択条件): a length and a load with
// their tolerances, and under them the load and stress of the selected
// spring at the searched length.
class ConditionBox : public QGroupBox {
    Q_OBJECT
public:
    ConditionBox(int which, QWidget* parent); // 0: the first condition, 1: the second

    search::ConditionTexts texts() const;
    // Length, its tolerance, load, its tolerance: the tab order.
    QList<QLineEdit*> edits() const;
    void setTolerances(const QString& length, const QString& force);

    // The evaluation's titles for a searched length, or none without one.
    void showSearchedLength(bool searched);
    void setForceUnit(const QString& unit);
    void setUnitTexts(const QString& load_unit, const QString& stress_unit, bool superscript);
    void showEvaluation(const strength::ConditionEvaluation& evaluation, int force_decimals);
    void clearEvaluation();

private:
    void fit();

    QLineEdit* length_;
    QLineEdit* length_width_;
    QLineEdit* force_;
    QLineEdit* force_width_;
    QLabel* force_unit_;   // Label6 / Label14
    QLabel* load_title_;   // Label16 / Label17
    QLabel* load_value_;   // Label_F1 / Label_f2
    QLabel* load_unit_;    // Label18 / Label20
    QLabel* stress_title_; // Label22 / Label21
    QLabel* stress_value_; // Label_tau1 / Label_tau2
    QLabel* stress_unit_;  // Label24 / Label25
    QLabel* superscript_;  // Label19 / Label23
};

} // namespace ui
