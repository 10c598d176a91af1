#pragma once

#include <QMessageBox>
#include <QString>
#include <exception>

// The program's default error report: every event handler runs through
// `guarded`, and an error that escapes the handler is shown in a modal box
// titled with the application title. The program then goes on.

namespace app {

extern const char* const application_title;

// The message as the box shows it: a full stop is appended when the last
// character sorts after ".".
QString error_box_text(const QString& message);

void show_error_box(const QString& message);

// A modal box with OK, titled with the application title: the program's
// messages and refusals.
void show_message(QWidget* parent, QMessageBox::Icon icon, const QString& text);

template <class Handler> void guarded(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        show_error_box(QString::fromUtf8(e.what()));
    } catch (...) {
        show_error_box(QStringLiteral("不明なエラーが発生しました"));
    }
}

} // namespace app
