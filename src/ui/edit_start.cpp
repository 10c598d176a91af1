#include "ui/edit_start.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace ui {

namespace {

class ShowStartOnFocusOut final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            // Only when the user moves on: a message box or menu that takes
            // the keyboard for a moment must leave the text, its cursor and
            // its selection where typing goes on.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            auto* edit = qobject_cast<QLineEdit*>(watched);
            if (edit && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                edit->setCursorPosition(0);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void show_start_after_editing(QLineEdit* edit) {
    edit->installEventFilter(new ShowStartOnFocusOut(edit));
}

} // namespace ui
