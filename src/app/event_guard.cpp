#include "app/event_guard.h"

#include <QApplication>
#include <QMessageBox>

namespace app {

const char* const application_title = "Tarvolin1.40J";

QString error_box_text(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void show_error_box(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(application_title),
                    error_box_text(message), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace app
