// The conditions of the checks of every listed spring: seating, ends, loading, the
// load tolerance (a percentage, or a tolerance grade of JIS B 2704) and the two search
// options that lean on the checks. The choices
// last for the run; the dialog is made once and shown again with exec().
#pragma once

#include "core/strength/spring_check_list.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class RadioGroup;

struct CheckChoices {
    spring_checks::CheckConditions conditions;
    bool tolerance_search = false; // list a spring only when its whole load band meets the windows
    bool pass_only = false;        // leave out the springs that fail
};

class TForm_checks : public QDialog {
    Q_OBJECT

public:
    explicit TForm_checks(QWidget* parent = nullptr);

    const CheckChoices& choices() const { return choices_; }

    // Shows the choices in force; OK takes the controls over, Cancel leaves them.
    int exec() override;

signals:
    // OK took the controls over.
    void choicesChanged(const ui::CheckChoices& choices);

private:
    void showChoices();
    void validate();
    void accept() override;

    CheckChoices choices_;
    RadioGroup* RadioGroup_seating = nullptr;
    RadioGroup* RadioGroup_ends = nullptr;
    RadioGroup* RadioGroup_loading = nullptr;
    QComboBox* ComboBox_loadgrade = nullptr;
    QLineEdit* Edit_loadtolerance = nullptr;
    QLabel* Label_loadtoleranceerror = nullptr;
    QCheckBox* CheckBox_tolerancesearch = nullptr;
    QCheckBox* CheckBox_passonly = nullptr;
    QPushButton* BitBtn_checksok = nullptr;
    QPushButton* BitBtn_checkscancel = nullptr;
};

} // namespace ui
