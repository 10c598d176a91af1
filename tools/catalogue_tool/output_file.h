// A file written beside its final name and moved there only when complete,
// so that a failed run leaves nothing behind and never half of a file.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cattool {

// The output exists and overwriting was not asked for.
class OutputExists : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class OutputFile {
public:
    // Throws OutputExists, or std::runtime_error when the file cannot be made.
    OutputFile(std::string path, bool overwrite);
    // Removes the partial file unless committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(std::string_view bytes);
    // Moves the complete file to its name; throws when it cannot.
    void commit();

private:
    std::string path_;
    std::string partial_;
    bool overwrite_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
};

// Throws OutputExists when `path` exists and `overwrite` is false.
void refuse_existing(const std::string& path, bool overwrite);

} // namespace cattool
