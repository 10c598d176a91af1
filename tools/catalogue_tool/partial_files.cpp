#include "partial_files.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>

#if defined(_WIN32)
#include <windows.h>
#else
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

const int kSignals[] = {
    SIGINT, SIGTERM
#if defined(SIGHUP)
    ,
    SIGHUP
#endif
#if defined(SIGBREAK)
    ,
    SIGBREAK // Ctrl+Break
#endif
};

void remove_all() {
    for (int i = 0; i < kSlots; ++i) {
        if (g_used[i].load() == 1) {
#if defined(_WIN32)
            // Windows runs this on a thread of its own, not inside a signal:
            // converting the name is safe there. The file is open for
            // deletion and goes when the process closes it.
            wchar_t wide[kNameBytes];
            if (MultiByteToWideChar(CP_UTF8, 0, g_names[i], -1, wide, kNameBytes) > 0)
                DeleteFileW(wide);
#else
            ::unlink(g_names[i]);
#endif
        }
    }
}

#if defined(_WIN32)
// Closing the console, logging off and shutting down end the process
// without a signal.
BOOL WINAPI on_console_event(DWORD event) {
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        remove_all();
    return FALSE; // and then what Windows does by default
}
#endif

extern "C" void remove_partial_files(int signal) {
    remove_all();
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
#if defined(_WIN32)
        SetConsoleCtrlHandler(on_console_event, TRUE);
#endif
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
