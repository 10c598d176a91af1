#include "app/search_progress.h"

#include "app/event_guard.h"
#include "core/catalogue/table.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

#include <algorithm>

namespace app {
namespace {

const char* const kStoppedMessage = "検索を中止しました";

QString reading(const catalogue::Table& table) {
    return QString::fromUtf8("%1 を読み込んでいます").arg(QString::fromStdString(table.fileName()));
}

} // namespace

void SearchProgress::setShowDelay(int ms) {
    StoppableProgress::setShowDelay(ms);
}

SearchProgress::SearchProgress(QWidget* window) : window_(window), progress_(window, {}) {
    busy_.emplace();
}

SearchProgress::~SearchProgress() {
    progress_.close();
    release();
}

void SearchProgress::release() {
    busy_.reset();
}

bool SearchProgress::openTables(catalogue::Table& spring, catalogue::Table& maker) {
    try {
        for (catalogue::Table* table : {&spring, &maker}) {
            progress_.restart(reading(*table));
            table->open(this);
        }
    } catch (const catalogue::ReadCancelled&) {
        progress_.close();
        spring.close();
        maker.close();
        release();
        show_message(window_, QMessageBox::NoIcon, QString::fromUtf8(kStoppedMessage));
        return false;
    }
    return true;
}

bool SearchProgress::advance(std::uint64_t read, std::uint64_t total) {
    return progress_.step(
        total > 0 ? static_cast<double>(std::min(read, total)) / static_cast<double>(total) : 0.0);
}

void SearchProgress::done() {
    // The tables' own work after the reading (their notifications, message
    // boxes) runs without the dialog.
    progress_.close();
}

} // namespace app
