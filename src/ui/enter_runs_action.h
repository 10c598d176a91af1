#pragma once

#include <QObject>

class QWidget;

namespace ui {

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

} // namespace ui
