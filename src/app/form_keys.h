#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

namespace app {

// Enter or Return on any watched control runs one action, as the default
// button of a dialog-like form does. The key is taken, so an editable combo
// box does not also act on it.
class EnterRunsAction : public QObject {
    Q_OBJECT
public:
    explicit EnterRunsAction(QObject* parent) : QObject(parent) {}
    void watch(QWidget* control);

signals:
    void triggered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// A line edit that loses the focus shows the start of its text, so that a
// long number is not read by its last digits ("5099" for 0.5099).
void show_start_after_editing(QLineEdit* edit);

} // namespace app
