#include "ui/enter_runs_action.h"

#include <QKeyEvent>
#include <QWidget>

namespace ui {

void EnterRunsAction::watch(QWidget* control) {
    control->installEventFilter(this);
}

bool EnterRunsAction::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            emit triggered();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
