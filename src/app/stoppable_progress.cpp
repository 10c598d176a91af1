#include "app/stoppable_progress.h"

#include "app/event_guard.h"

#include <QApplication>
#include <QProgressDialog>

#include <algorithm>

namespace app {
namespace {

int show_delay_ms = 500;
// The dialog is brought up to date, and its events processed, this often;
// in between a step costs one look at the clock.
constexpr qint64 kLookMs = 30;
constexpr int kSteps = 1000;

} // namespace

void StoppableProgress::setShowDelay(int ms) {
    show_delay_ms = ms;
}

StoppableProgress::StoppableProgress(QWidget* window, QString label)
    : window_(window), label_(std::move(label)) {
    clock_.start();
}

StoppableProgress::~StoppableProgress() = default;

void StoppableProgress::restart(QString label) {
    label_ = std::move(label);
    clock_.start();
    next_look_ms_ = 0;
    if (dialog_)
        dialog_->setLabelText(label_);
}

void StoppableProgress::close() {
    if (dialog_) {
        dialog_.reset();
        // The busy cursor of the work, as it was before the dialog.
        QApplication::changeOverrideCursor(Qt::WaitCursor);
    }
}

bool StoppableProgress::step(double fraction) {
    const qint64 now = clock_.elapsed();
    if (stopped_ || now < next_look_ms_)
        return !stopped_;
    next_look_ms_ = now + kLookMs;
    if (!dialog_) {
        if (now < show_delay_ms)
            return true;
        dialog_ = std::make_unique<QProgressDialog>(label_, QString::fromUtf8("中止"), 0, kSteps,
                                                    window_);
        dialog_->setWindowTitle(QString::fromUtf8(application_title));
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        QObject::connect(dialog_.get(), &QProgressDialog::canceled, dialog_.get(),
                         [this] { stopped_ = true; });
        // The button is to be aimed at: the cursor shows work going on behind.
        QApplication::changeOverrideCursor(Qt::BusyCursor);
        dialog_->show();
    }
    dialog_->setValue(static_cast<int>(std::clamp(fraction, 0.0, 1.0) * kSteps));
    // Paints the dialog and lets its button work; the modality holds off
    // input to every other window.
    QApplication::processEvents();
    return !stopped_;
}

} // namespace app
