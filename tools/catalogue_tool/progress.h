// A row count on stderr while a large file is read, so that a long run shows
// that it is alive.
#pragma once

#include <ostream>
#include <string>

namespace cattool {

class Progress {
public:
    // `out` null: silent. On a terminal the count is rewritten in place;
    // elsewhere (a log) each count is a line of its own. Nothing is shown for
    // files of up to `threshold` rows.
    Progress(std::ostream* out, bool terminal, std::string label, long threshold = 200000,
             long step = 100000);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void row() {
        if (++rows_ % step_ == 0)
            show();
    }
    // Ends the display with the final count, if anything was shown.
    void finish();

private:
    void show();

    std::ostream* out_;
    bool terminal_;
    std::string label_;
    long threshold_;
    long step_;
    long rows_ = 0;
    bool shown_ = false;
};

// Whether stderr is a terminal.
bool stderr_is_terminal();

} // namespace cattool
