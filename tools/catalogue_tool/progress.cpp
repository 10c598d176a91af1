#include "progress.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace cattool {

Progress::Progress(std::ostream* out, bool terminal, std::string label, long threshold, long step)
    : out_(out), terminal_(terminal), label_(std::move(label)), threshold_(threshold),
      step_(step > 0 ? step : 1) {}

Progress::~Progress() {
    finish();
}

void Progress::show() {
    if (!out_ || rows_ <= threshold_)
        return;
    if (terminal_)
        *out_ << '\r' << label_ << ": " << rows_ << " rows" << std::flush;
    else
        *out_ << label_ << ": " << rows_ << " rows\n" << std::flush;
    shown_ = true;
}

void Progress::finish() {
    if (!shown_)
        return;
    shown_ = false;
    *out_ << (terminal_ ? "\r" : "") << label_ << ": " << rows_ << " rows, done\n" << std::flush;
}

bool stderr_is_terminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

} // namespace cattool
