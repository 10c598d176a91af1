#include "support/modal.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

namespace testsupport {

ModalSeen answer_modal(const std::function<void()>& action, bool accept,
                       const std::function<void(QDialog*)>& before_closing) {
    ModalSeen seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (!seen.shown) {
            seen.shown = true;
            seen.title = dialog->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                seen.text = box->text();
                seen.icon = box->icon();
            }
        }
        if (before_closing)
            before_closing(dialog);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    poll.start();
    action();
    poll.stop();
    return seen;
}

} // namespace testsupport
