#include "core/catalogue/regular_file.h"

#include <cerrno>
#include <sys/stat.h>

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace catalogue {
#if defined(_WIN32)

// Windows has no FIFOs to block on; a device or directory is told by its
// descriptor all the same.
ReadableFile open_regular_file(const std::string& path) {
    ReadableFile r;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        r.error = errno;
        r.outcome = errno == ENOENT ? ReadableFile::Missing : ReadableFile::Failed;
        return r;
    }
    r.file.reset(f);
    struct _stat64 st {};
    if (_fstat64(_fileno(f), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) {
        r.file.reset();
        r.outcome = ReadableFile::NotRegular;
        return r;
    }
    r.outcome = ReadableFile::Opened;
    return r;
}

FileIdentity identity_of(const std::string&) {
    return {}; // no inode numbers to compare
}

#else

namespace {

FileIdentity identity(const struct stat& st) {
    FileIdentity id;
    id.device = static_cast<unsigned long long>(st.st_dev);
    id.inode = static_cast<unsigned long long>(st.st_ino);
    id.known = true;
    return id;
}

} // namespace

ReadableFile open_regular_file(const std::string& path) {
    ReadableFile r;
    int fd;
    do
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        r.error = errno;
        // A socket cannot be opened at all; it is there, but no file.
        r.outcome = errno == ENOENT || errno == ENOTDIR ? ReadableFile::Missing
                    : errno == ENXIO                    ? ReadableFile::NotRegular
                                                        : ReadableFile::Failed;
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        r.error = errno;
        ::close(fd);
        r.outcome = ReadableFile::NotRegular;
        return r;
    }
    // Reads of a regular file never wait, so the flag only matters for
    // anything else; clear it all the same for the stdio reads that follow.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        r.error = errno;
        ::close(fd);
        return r;
    }
    r.file.reset(f);
    r.identity = identity(st);
    r.outcome = ReadableFile::Opened;
    return r;
}

FileIdentity identity_of(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return identity(st);
}

#endif

} // namespace catalogue
