#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A fresh directory that is the process's working directory while it lives;
// the previous working directory comes back, and the directory goes, with it.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path() const { return dir_.string(); }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
    std::filesystem::path previous_;
};

} // namespace testsupport
