// The progress of a long piece of work the user may stop: once it has run for
// half a second, a modal dialog titled with the application's title shows how far
// it is, with a "中止" button. Only the dialog's own events are processed while it
// shows; its modality holds off every other input. The search's reading, the copy
// of many rows and the CSV file all show it.
#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace app {

class StoppableProgress {
public:
    StoppableProgress(QWidget* window, QString label);
    ~StoppableProgress();
    StoppableProgress(const StoppableProgress&) = delete;
    StoppableProgress& operator=(const StoppableProgress&) = delete;

    // How far the work is, from 0 to 1; false once the user stopped it. Cheap
    // between looks at the dialog.
    bool step(double fraction);
    bool stopped() const { return stopped_; }
    // The dialog goes; the work goes on (or ends) without it.
    void close();
    // A new piece of work from 0, under another label; the dialog stays if shown.
    void restart(QString label);

    // How long work runs before the dialog shows (500 ms); tests make it shorter.
    static void setShowDelay(int ms);

private:
    QWidget* window_;
    QString label_;
    bool stopped_ = false;
    QElapsedTimer clock_;
    qint64 next_look_ms_ = 0;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace app
