// A file written out of sight and given its name only when complete, so that
// a failed or stopped run leaves nothing behind and never half of a file.
// Where the system has them the file has no name at all until then
// (O_TMPFILE and linkat); elsewhere it is written beside its final name,
// which is removed again on SIGINT, SIGTERM and SIGHUP.
#pragma once

#include "core/catalogue/regular_file.h"
#include "partial_files.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace cattool {

// The output cannot be written; the message names the file and the reason.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The output exists and overwriting was not asked for.
class OutputExists : public OutputError {
public:
    using OutputError::OutputError;
};

// The output is there but may not be replaced, even with --force: no regular
// file, one of the command's own inputs, or a file with other hard links.
class OutputRefused : public OutputError {
public:
    using OutputError::OutputError;
};

class OutputFile {
public:
    // A symbolic link is written through, to the file it names; an existing
    // file that is replaced keeps its mode and, where the system lets us,
    // its owner. Throws OutputExists, OutputRefused, or OutputError with the
    // system's reason when the file cannot be made.
    OutputFile(std::string path, bool overwrite, std::vector<catalogue::FileIdentity> inputs = {});
    // Drops the file unless committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Throws OutputError naming the system's reason.
    void write(std::string_view bytes);
    // Gives the complete file its name; throws when it cannot.
    void commit();

private:
    void openNamed();
    void linkInPlace();

    std::string path_;   // as given, for messages
    std::string target_; // the file itself, links followed
    bool overwrite_;
    std::vector<catalogue::FileIdentity> inputs_;
    int fd_ = -1;
    bool unnamed_ = false; // O_TMPFILE: no name until commit
    std::string partial_;  // the name while it has one that is not final
    std::unique_ptr<PartialFileName> cleanup_;
    bool committed_ = false;
};

// Throws OutputExists or OutputRefused when `path` may not be written as an
// output; `inputs` are the files the command reads.
void refuse_existing(const std::string& path, bool overwrite,
                     const std::vector<catalogue::FileIdentity>& inputs = {});

// Writes all of `bytes` to `fd`; throws "cannot write NAME: reason".
void write_all(int fd, std::string_view bytes, const std::string& name);

} // namespace cattool
