#include "partial_files.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace cattool {
namespace {

// The handler may only touch memory that is always there: fixed slots, each
// published by its flag once its name is written.
constexpr int kSlots = 8;
constexpr std::size_t kNameBytes = 4096;
char g_names[kSlots][kNameBytes];
std::atomic<int> g_used[kSlots];

const int kSignals[] = {SIGINT, SIGTERM
#if defined(SIGHUP)
                        ,
                        SIGHUP
#endif
};

extern "C" void remove_partial_files(int signal) {
    for (int i = 0; i < kSlots; ++i) {
        if (g_used[i].load() == 1) {
#if defined(_WIN32)
            std::remove(g_names[i]);
#else
            ::unlink(g_names[i]);
#endif
        }
    }
    // Then die of the signal as if it had not been caught.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void install_handlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int s : kSignals) {
            // A signal the caller ignores (nohup) stays ignored.
            if (std::signal(s, remove_partial_files) == SIG_IGN)
                std::signal(s, SIG_IGN);
        }
    });
}

} // namespace

PartialFileName::PartialFileName(const std::string& path) {
    if (path.size() >= kNameBytes)
        return;
    install_handlers();
    for (int i = 0; i < kSlots; ++i) {
        int free = 0;
        if (g_used[i].compare_exchange_strong(free, 2)) { // 2: being written
            std::memcpy(g_names[i], path.c_str(), path.size() + 1);
            g_used[i].store(1);
            slot_ = i;
            return;
        }
    }
}

PartialFileName::~PartialFileName() {
    if (slot_ >= 0)
        g_used[slot_].store(0);
}

} // namespace cattool
