#pragma once

#include <QString>
#include <functional>

class QDialog;

namespace testsupport {

// What a modal box showed while an action ran.
struct ModalSeen {
    bool shown = false;
    QString title;
    QString text;
    int icon = -1; // QMessageBox::Icon, when it was a message box
};

// Runs `action`; the first modal box it opens is read and closed with
// `accept` (OK) or rejected. Boxes opened later in the same action are
// closed the same way; only the first is reported.
ModalSeen answer_modal(const std::function<void()>& action, bool accept = true,
                       const std::function<void(QDialog*)>& before_closing = {});

} // namespace testsupport
