#include "support/boxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace testsupport {
namespace {

std::string described(const QList<Box>& boxes) {
    std::string out;
    for (const Box& b : boxes)
        out += "\n  [" + b.title.toStdString() + "] " + b.text.toStdString();
    return out;
}

// A message box is answered by clicking the button a user would (OK or Yes to
// accept; Cancel, No or Close to reject), so that exec() returns what it
// returns for that click; any other dialog through accept() or reject().
void close(QDialog* dialog, Reply reply) {
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        for (QAbstractButton* button : box->buttons()) {
            const QMessageBox::ButtonRole role = box->buttonRole(button);
            const bool yes = role == QMessageBox::AcceptRole || role == QMessageBox::YesRole;
            const bool no = role == QMessageBox::RejectRole || role == QMessageBox::NoRole;
            if (reply == Reply::Accept ? yes : no) {
                button->click();
                return;
            }
        }
    }
    if (reply == Reply::Accept)
        dialog->accept();
    else
        dialog->reject();
}

} // namespace

BoxAnswerer::BoxAnswerer(Answer answer) : answer_(std::move(answer)) {
    qApp->installEventFilter(this);
}

BoxAnswerer::~BoxAnswerer() {
    qApp->removeEventFilter(this);
}

bool BoxAnswerer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow())
            answerWhenShown(dialog);
    }
    return false;
}

void BoxAnswerer::answerWhenShown(QDialog* dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(dialog))
        boxes_.append({box->windowTitle(), box->text(), box->icon()});
    const bool progress = qobject_cast<QProgressDialog*>(dialog) != nullptr;
    const Answer answer = answer_;
    QMetaObject::invokeMethod(
        dialog,
        [dialog, answer, progress] {
            if (answer.inside)
                answer.inside(dialog);
            if (progress || !dialog->isVisible())
                return;
            close(dialog, answer.reply);
        },
        Qt::QueuedConnection);
}

DialogWatchdog::DialogWatchdog(int patience_ms) : patience_ms_(patience_ms) {
    qApp->installEventFilter(this);
}

DialogWatchdog::~DialogWatchdog() {
    qApp->removeEventFilter(this);
}

bool DialogWatchdog::eventFilter(QObject* watched, QEvent* event) {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (event->type() != QEvent::Show || !dialog || !dialog->isWindow() ||
        qobject_cast<QProgressDialog*>(dialog))
        return false;
    const int showing = ++showings_[dialog];
    const QPointer<QDialog> shown(dialog);
    const QString title = dialog->windowTitle();
    QTimer::singleShot(patience_ms_, this, [this, shown, showing, title] {
        if (!shown || !shown->isVisible() || showings_.value(shown.data()) != showing)
            return;
        ADD_FAILURE() << "a dialog was left unanswered: " << title.toStdString();
        shown->done(-1);
    });
    return false;
}

QList<Box> answer_boxes(const std::function<void()>& action, const Answer& answer) {
    BoxAnswerer answerer(answer);
    action();
    return answerer.boxes();
}

Box expect_box(const std::function<void()>& action, const Answer& answer) {
    const QList<Box> boxes = answer_boxes(action, answer);
    if (boxes.size() != 1) {
        ADD_FAILURE() << "expected one message box, " << boxes.size() << " showed"
                      << described(boxes);
        return {};
    }
    return boxes.front();
}

void expect_no_box(const std::function<void()>& action, const Answer& answer) {
    const QList<Box> boxes = answer_boxes(action, answer);
    EXPECT_TRUE(boxes.isEmpty()) << "unexpected message boxes:" << described(boxes);
}

} // namespace testsupport
