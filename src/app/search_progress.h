#pragma once

#include "app/stoppable_progress.h"
#include "core/catalogue/read_progress.h"
#include "ui/busy_cursor.h"

#include <QString>

#include <optional>

class QWidget;

namespace catalogue {
class Table;
}

namespace app {

// What the user sees of a search while it runs: the busy cursor from its
// start to its end, and, once the reading of a table has taken half a
// second, a modal dialog showing how much of the file is read, with a button
// that stops the search. Only the dialog's own events are processed while it
// shows; its modality holds off every other input.
class SearchProgress : public catalogue::ReadProgress {
public:
    explicit SearchProgress(QWidget* window);
    ~SearchProgress() override;
    SearchProgress(const SearchProgress&) = delete;
    SearchProgress& operator=(const SearchProgress&) = delete;

    // The cursor back as it was, for a message that ends the search.
    void release();

    // Opens the catalogue, then the maker table. False when the user stopped
    // the search: both tables are then closed and the message has been shown.
    bool openTables(catalogue::Table& spring, catalogue::Table& maker);

    bool advance(std::uint64_t read, std::uint64_t total) override;
    void done() override;

    // How long a reading runs before the dialog shows (500 ms); tests make
    // it shorter.
    static void setShowDelay(int ms);

private:
    QWidget* window_;
    std::optional<ui::BusyCursor> busy_;
    StoppableProgress progress_;
};

} // namespace app
