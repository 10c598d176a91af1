// Names of output files not yet complete, removed when the process is
// stopped by SIGINT, SIGTERM or SIGHUP, so that Ctrl+C or kill leaves no
// half file behind.
#pragma once

#include <string>

namespace cattool {

// Keeps a name while it lives; the file itself is the owner's business.
class PartialFileName {
public:
    explicit PartialFileName(const std::string& path);
    ~PartialFileName();
    PartialFileName(const PartialFileName&) = delete;
    PartialFileName& operator=(const PartialFileName&) = delete;

private:
    int slot_ = -1; // -1 when every slot was taken: then nothing is removed
};

} // namespace cattool
