#include "app/event_guard.h"

#include "app/version.h"

#include <QApplication>
#include <QMessageBox>

namespace app {

const char* const application_title = "Tarvolin" TARVOLIN_VERSION_TWO_PLACES "J";

QString error_box_text(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void show_error_box(const QString& message) {
    show_message(QApplication::activeWindow(), QMessageBox::Critical, error_box_text(message));
}

void show_message(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QString::fromUtf8(application_title), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace app
