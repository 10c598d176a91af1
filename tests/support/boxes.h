#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QDialog;

namespace testsupport {

// What a message box showed.
struct Box {
    QString title;
    QString text;
    int icon = -1; // QMessageBox::Icon
};

enum class Reply { Accept, Reject };

// What to do with each dialog that shows: `inside` runs first (it may read,
// fill in or click; closing the dialog itself is fine), then the dialog is
// accepted or rejected if it is still open.
struct Answer {
    Reply reply = Reply::Accept;
    std::function<void(QDialog*)> inside;
};

// While it lives, every dialog that shows is answered from its own show
// event, through a call queued on that dialog: the call runs in the loop the
// dialog itself runs, so a box opened from inside an answer is answered in
// turn. Message boxes are recorded in the order they showed.
// - A progress dialog is only shown to `inside`; it closes with its work.
// A dialog that stays open all the same is the DialogWatchdog's.
class BoxAnswerer : public QObject {
public:
    explicit BoxAnswerer(Answer answer = {});
    ~BoxAnswerer() override;

    const QList<Box>& boxes() const { return boxes_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void answerWhenShown(QDialog* dialog);

    Answer answer_;
    QList<Box> boxes_;
};

// Watches every dialog that shows, for the whole run of a test program: one
// still open `patience_ms` after it showed fails the test with its title and
// is closed with done(-1), so that the test goes on instead of hanging until
// CTest's timeout.
class DialogWatchdog : public QObject {
public:
    // Long enough for any answer on a loaded machine, short enough that a
    // lost box costs seconds.
    explicit DialogWatchdog(int patience_ms = 10000);
    ~DialogWatchdog() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int patience_ms_;
    QHash<QObject*, int> showings_; // per dialog, so that an earlier showing's
                                    // alarm does not close a later one
};

// Runs `action` under a BoxAnswerer: the message boxes it showed, in order.
QList<Box> answer_boxes(const std::function<void()>& action, const Answer& answer = {});

// Runs `action` and expects exactly one message box: that box. Fails the
// test (and gives an empty box) when none or more than one showed.
Box expect_box(const std::function<void()>& action, const Answer& answer = {});

// Runs `action` and fails the test if it showed a message box.
void expect_no_box(const std::function<void()>& action, const Answer& answer = {});

} // namespace testsupport
