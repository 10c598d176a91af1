#include "app/search_progress.h"

#include "app/event_guard.h"
#include "core/catalogue/table.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

namespace app {
namespace {

int show_delay_ms = 500;
// The dialog is brought up to date, and its events processed, this often;
// in between a batch of rows costs one look at the clock.
constexpr qint64 kLookMs = 30;
constexpr int kSteps = 1000;

const char* const kStoppedMessage = "検索を中止しました";

} // namespace

void SearchProgress::setShowDelay(int ms) {
    show_delay_ms = ms;
}

SearchProgress::SearchProgress(QWidget* window) : window_(window) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busy_ = true;
}

SearchProgress::~SearchProgress() {
    dialog_.reset();
    release();
}

void SearchProgress::release() {
    if (busy_)
        QApplication::restoreOverrideCursor();
    busy_ = false;
}

bool SearchProgress::openTables(catalogue::Table& spring, catalogue::Table& maker) {
    try {
        for (catalogue::Table* table : {&spring, &maker}) {
            file_ = QString::fromStdString(table->fileName());
            clock_.start();
            next_look_ms_ = 0;
            table->open(this);
        }
    } catch (const catalogue::ReadCancelled&) {
        dialog_.reset();
        spring.close();
        maker.close();
        release();
        show_message(window_, QMessageBox::NoIcon, QString::fromUtf8(kStoppedMessage));
        return false;
    }
    return true;
}

bool SearchProgress::advance(std::uint64_t read, std::uint64_t total) {
    const qint64 now = clock_.elapsed();
    if (stopped_ || now < next_look_ms_)
        return !stopped_;
    next_look_ms_ = now + kLookMs;
    if (!dialog_) {
        if (now < show_delay_ms)
            return true;
        dialog_ =
            std::make_unique<QProgressDialog>(QString::fromUtf8("%1 を読み込んでいます").arg(file_),
                                              QString::fromUtf8("中止"), 0, kSteps, window_);
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
    const auto step =
        total > 0 ? static_cast<int>(std::min<std::uint64_t>(read, total) * kSteps / total) : 0;
    dialog_->setValue(step);
    // Paints the dialog and lets its button work; the modality holds off
    // input to every other window.
    QApplication::processEvents();
    return !stopped_;
}

void SearchProgress::done() {
    // The tables' own work after the reading (their notifications, message
    // boxes) runs without the dialog.
    if (dialog_) {
        dialog_.reset();
        QApplication::changeOverrideCursor(Qt::WaitCursor);
    }
}

} // namespace app
