#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace catalogue {

// Where a file lives, to tell whether two paths name the same file.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool known = false;
    bool operator==(const FileIdentity& o) const {
        return known && o.known && device == o.device && inode == o.inode;
    }
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

struct ReadableFile {
    enum Outcome { Opened, Missing, NotRegular, Failed };
    FileHandle file; // set when Opened
    Outcome outcome = Failed;
    int error = 0; // errno of a failed open
    FileIdentity identity;
};

// Opens `path` for reading when it is a regular file. The file is opened
// first, without waiting for a FIFO's writer or a device, and then the open
// descriptor is asked what it is, so that nothing can be swapped in between
// the look and the open. FIFOs, devices, directories and sockets are
// refused as NotRegular; no call here blocks on them.
ReadableFile open_regular_file(const std::string& path);

// The identity of whatever `path` names (links followed); not known when
// there is nothing. Paths are UTF-8.
FileIdentity identity_of(const std::string& path);

#if defined(_WIN32)
// What an open Windows handle is: a regular file on disk (not a directory,
// pipe, console or device), how many names it has and where it lives.
struct WindowsFileFacts {
    bool regular = false;
    unsigned long links = 0;
    FileIdentity identity;
};
WindowsFileFacts file_facts(void* handle);

// The errno value that stands for a Windows error code, for messages.
int errno_of_windows_error(unsigned long error);
#endif

} // namespace catalogue
