#pragma once

#include "core/cycle/cycle_formula.h"

#include <QDialog>

#include <optional>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Service-life dialog: turns a machine's duty into the number of load cycles
// a spring has to survive. Created once and shown again and again with
// exec(); the entries, the OK button and cycle::cycle_result carry over from
// one showing to the next. Closed with Accepted by OK, which is possible only
// while the entries give a result, and with Rejected otherwise.
class TForm_cycle : public QDialog {
    Q_OBJECT

public:
    explicit TForm_cycle(QWidget* parent = nullptr);

    void setVisible(bool visible) override;

    // Shows the dialog; the count it gives when closed with OK, as written on the button.
    std::optional<QString> askCycles();
    // The frequency (Hz) that the duty of the last count drives the spring at: operations
    // per cycle over the pitch time; none for a duty that gives none.
    std::optional<double> excitationFrequency() const { return excitation_; }

public slots:
    // Recomputes from all entries. On success stores the text in
    // cycle::cycle_result and shows it on OK; on any failure only disables
    // OK, leaving its caption and the stored result of the last success.
    void calc_cycle();

protected:
    void showEvent(QShowEvent* event) override;

private:
    int working_days() const;
    void set_ok_enabled(bool enabled);
    void show_no_result();

    std::string result_; // the text of the last count computed
    std::optional<double> excitation_;

    QGroupBox* GroupBox_cycleparameter = nullptr;
    QLabel* Label_pt = nullptr;
    QLineEdit* Edit_pt = nullptr;
    QLabel* Label_kai = nullptr;
    QLineEdit* Edit_kai = nullptr;
    QLabel* Label_kadou = nullptr;
    QLineEdit* Edit_kadou = nullptr;
    QLabel* Label_time = nullptr;
    QLineEdit* Edit_time = nullptr;
    QGroupBox* RadioGroup_taisei = nullptr;
    QRadioButton* taisei_items[3] = {};
    QLabel* Label_taiou = nullptr;
    QLineEdit* Edit_tayou = nullptr;
    QPushButton* BitBtn_ok = nullptr;
    QPushButton* BitBtn_cancel = nullptr;
};
