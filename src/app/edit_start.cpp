#include "app/edit_start.h"

#include <QEvent>
#include <QLineEdit>

namespace app {

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
