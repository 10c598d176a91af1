#include "core/catalogue/regular_file.h"

#include <cerrno>
#include <sys/stat.h>

#if defined(_WIN32)
#include "core/catalogue/native_path.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace catalogue {
#if defined(_WIN32)

int errno_of_windows_error(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    default:
        return EIO;
    }
}

namespace {

// A handle on whatever the path names, links followed; directories open
// too, so that they can be told apart from files.
HANDLE open_handle(const std::string& path, DWORD access) {
    return CreateFileW(native_path(path).c_str(), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

WindowsFileFacts file_facts(void* handle) {
    WindowsFileFacts facts;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info))
        return facts; // a pipe, a console, a device
    facts.regular = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    facts.links = info.nNumberOfLinks;
    facts.identity.device = info.dwVolumeSerialNumber;
    facts.identity.inode =
        static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    facts.identity.known = true;
    return facts;
}

// Windows has no FIFOs to block on, but named pipes and devices (NUL, CON,
// COM1) open as files do: names of devices are refused before any open,
// anything else is asked what it is once open.
ReadableFile open_regular_file(const std::string& path) {
    ReadableFile r;
    if (is_windows_device_name(path)) {
        r.outcome = ReadableFile::NotRegular;
        return r;
    }
    const HANDLE handle = open_handle(path, GENERIC_READ);
    if (handle == INVALID_HANDLE_VALUE) {
        r.error = errno_of_windows_error(GetLastError());
        r.outcome = r.error == ENOENT ? ReadableFile::Missing : ReadableFile::Failed;
        return r;
    }
    const WindowsFileFacts facts = file_facts(handle);
    if (!facts.regular) {
        CloseHandle(handle);
        r.outcome = ReadableFile::NotRegular;
        return r;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        r.error = errno;
        CloseHandle(handle);
        return r;
    }
    std::FILE* f = _fdopen(fd, "rb");
    if (!f) {
        r.error = errno;
        _close(fd);
        return r;
    }
    r.file.reset(f);
    r.identity = facts.identity;
    r.outcome = ReadableFile::Opened;
    return r;
}

FileIdentity identity_of(const std::string& path) {
    if (is_windows_device_name(path))
        return {};
    const HANDLE handle = open_handle(path, 0);
    if (handle == INVALID_HANDLE_VALUE)
        return {};
    const FileIdentity id = file_facts(handle).identity;
    CloseHandle(handle);
    return id;
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
