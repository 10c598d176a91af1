#pragma once

#include <cstdint>
#include <stdexcept>

namespace catalogue {

// Lets whoever opens a table follow the reading of its file and stop it.
// Called on the opening thread after every batch of rows, and every few tens
// of milliseconds while the file is read without rows (blanks, comments).
class ReadProgress {
public:
    virtual ~ReadProgress() = default;
    // `read` of `total` bytes of the file are read; false stops the reading.
    virtual bool advance(std::uint64_t read, std::uint64_t total) = 0;
    // The file is read whole; what the table does with it comes next.
    virtual void done() {}
};

// The reading was stopped through ReadProgress; the table stays closed.
class ReadCancelled : public std::runtime_error {
public:
    ReadCancelled() : std::runtime_error("reading stopped") {}
};

} // namespace catalogue
