#include "app/form_keys.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace app {

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

namespace {

class ShowStartOnFocusOut final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            if (auto* edit = qobject_cast<QLineEdit*>(watched))
                edit->setCursorPosition(0);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void show_start_after_editing(QLineEdit* edit) {
    edit->installEventFilter(new ShowStartOnFocusOut(edit));
}

} // namespace app
