#include "support/scratch_dir.h"

#include <chrono>
#include <stdexcept>
#include <system_error>

namespace testsupport {

ScratchDir::ScratchDir() : previous_(std::filesystem::current_path()) {
    const auto base = std::filesystem::temp_directory_path();
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate =
            base / ("tarvolin-test-" + std::to_string(stamp) + "-" + std::to_string(attempt));
        if (std::filesystem::create_directory(candidate)) {
            dir_ = candidate;
            std::filesystem::current_path(dir_);
            return;
        }
    }
    throw std::runtime_error("no scratch directory could be made");
}

ScratchDir::~ScratchDir() {
    std::error_code ignored; // a destructor cannot report; the directory is temporary
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(dir_, ignored);
}

} // namespace testsupport
