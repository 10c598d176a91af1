#include "output_file.h"

#include "core/catalogue/native_path.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <random>
#include <sys/stat.h>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace cattool {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void system_failure(const std::string& what, int error) {
    throw OutputError(what + ": " + std::strerror(error));
}

// The file a path finally names: symbolic links are followed, also to a
// file that does not exist yet, so that the output replaces the file and
// never the link.
std::string follow_links(const std::string& path) {
    if (catalogue::is_windows_device_name(path))
        return path;
    fs::path p = catalogue::native_path(path);
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)))
            return catalogue::utf8_path(p);
        const fs::path to = fs::read_symlink(p, ec);
        if (ec)
            system_failure("cannot write " + path, ec.value());
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    system_failure("cannot write " + path, ELOOP);
}

// What an output that is already there is.
struct Existing {
    bool regular = false;
    unsigned long long links = 1;
    catalogue::FileIdentity identity;
#if !defined(_WIN32)
    struct stat st {}; // its mode and owner, for the file that replaces it
#endif
};

#if defined(_WIN32)

[[noreturn]] void windows_failure(const std::string& what, DWORD error) {
    system_failure(what, catalogue::errno_of_windows_error(error));
}

std::optional<Existing> existing(const std::string& target, const std::string& path) {
    Existing e;
    if (catalogue::is_windows_device_name(target))
        return e; // NUL, CON, COM1, a pipe: there, and no file
    const HANDLE handle = CreateFileW(catalogue::native_path(target).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::nullopt;
        windows_failure("cannot write " + path, error);
    }
    const catalogue::WindowsFileFacts facts = catalogue::file_facts(handle);
    CloseHandle(handle);
    e.regular = facts.regular;
    e.links = facts.links;
    e.identity = facts.identity;
    return e;
}

#else

std::string directory_of(const std::string& file) {
    const fs::path dir = fs::path(file).parent_path();
    return dir.empty() ? "." : dir.string();
}

std::optional<Existing> existing(const std::string& target, const std::string& path) {
    Existing e;
    if (::stat(target.c_str(), &e.st) != 0) {
        if (errno != ENOENT)
            system_failure("cannot write " + path, errno);
        return std::nullopt;
    }
    e.regular = S_ISREG(e.st.st_mode);
    e.links = static_cast<unsigned long long>(e.st.st_nlink);
    e.identity.device = static_cast<unsigned long long>(e.st.st_dev);
    e.identity.inode = static_cast<unsigned long long>(e.st.st_ino);
    e.identity.known = true;
    return e;
}

#endif

void refuse(const std::string& path, const Existing& e, bool overwrite,
            const std::vector<catalogue::FileIdentity>& inputs) {
    if (!e.regular)
        throw OutputRefused(path + ": not a regular file");
    if (std::find(inputs.begin(), inputs.end(), e.identity) != inputs.end())
        throw OutputRefused(path + " is an input of this command; it cannot be its output too");
    if (!overwrite)
        throw OutputExists(path + " exists; use --force to overwrite it");
    if (e.links > 1) {
        const auto others = e.links - 1;
        throw OutputRefused(path + " has " + std::to_string(others) + " other hard link" +
                            (others == 1 ? "" : "s") +
                            "; rewriting it would break them, so it is left as it is");
    }
}

std::string random_suffix() {
    static std::random_device random;
    return ".partial-" + std::to_string(random() % 1000000);
}

} // namespace

void refuse_existing(const std::string& path, bool overwrite,
                     const std::vector<catalogue::FileIdentity>& inputs) {
    if (const auto e = existing(follow_links(path), path))
        refuse(path, *e, overwrite, inputs);
}

void write_all(int fd, std::string_view bytes, const std::string& name) {
    while (!bytes.empty()) {
#if defined(_WIN32)
        const int n = ::_write(
            fd, bytes.data(), static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30)));
#else
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
#endif
        if (n < 0) {
            if (errno == EINTR)
                continue;
            system_failure("cannot write " + name, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

#if defined(_WIN32)

OutputFile::OutputFile(std::string path, bool overwrite,
                       std::vector<catalogue::FileIdentity> inputs)
    : path_(std::move(path)), target_(follow_links(path_)), overwrite_(overwrite),
      inputs_(std::move(inputs)) {
    if (const auto e = existing(target_, path_))
        refuse(path_, *e, overwrite_, inputs_);
    openNamed();
}

// Windows has no unnamed files: the output is written beside its final name,
// open for deletion by anyone, so that the clean-up on Ctrl+C or a closed
// console can remove it while it is still open.
void OutputFile::openNamed() {
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 16 && fd_ < 0 && error == ERROR_FILE_EXISTS; ++attempt) {
        partial_ = target_ + random_suffix();
        cleanup_ = std::make_unique<PartialFileName>(partial_);
        const HANDLE handle =
            CreateFileW(catalogue::native_path(partial_).c_str(), GENERIC_WRITE | DELETE,
                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            continue;
        }
        fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
        if (fd_ < 0) {
            CloseHandle(handle);
            DeleteFileW(catalogue::native_path(partial_).c_str());
            error = ERROR_TOO_MANY_OPEN_FILES;
        }
    }
    if (fd_ < 0) {
        cleanup_.reset();
        partial_.clear();
        windows_failure("cannot write " + path_, error);
    }
}

OutputFile::~OutputFile() {
    if (fd_ >= 0)
        ::_close(fd_);
    if (!committed_ && !partial_.empty())
        DeleteFileW(catalogue::native_path(partial_).c_str());
}

void OutputFile::write(std::string_view bytes) {
    write_all(fd_, bytes, path_);
}

void OutputFile::commit() {
    // The output may have appeared, or changed, while we wrote.
    refuse_existing(path_, overwrite_, inputs_);
    const int fd = fd_;
    fd_ = -1;
    if (::_close(fd) != 0)
        system_failure("cannot write " + path_, errno);
    const std::wstring from = catalogue::native_path(partial_).wstring();
    const std::wstring to = catalogue::native_path(target_).wstring();
    if (overwrite_) {
        // ReplaceFileW keeps the replaced file's access rights; a file that is
        // not there yet is simply moved in. Its attributes are set again, as
        // not every ReplaceFileW keeps them (Wine's does not).
        const DWORD attributes = GetFileAttributesW(to.c_str());
        if (!ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                          nullptr, nullptr) &&
            !MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            windows_failure("cannot write " + path_, GetLastError());
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if (attributes != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesW(to.c_str(), (attributes & kKept) | FILE_ATTRIBUTE_ARCHIVE);
    } else if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
        // Without MOVEFILE_REPLACE_EXISTING nothing that is there is replaced.
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
            throw OutputExists(path_ + " exists; use --force to overwrite it");
        windows_failure("cannot write " + path_, error);
    }
    committed_ = true;
    partial_.clear();
    cleanup_.reset();
}

#else

OutputFile::OutputFile(std::string path, bool overwrite,
                       std::vector<catalogue::FileIdentity> inputs)
    : path_(std::move(path)), target_(follow_links(path_)), overwrite_(overwrite),
      inputs_(std::move(inputs)) {
    const std::optional<Existing> replacing = existing(target_, path_);
    if (replacing)
        refuse(path_, *replacing, overwrite_, inputs_);
#if defined(O_TMPFILE)
    fd_ = ::open(directory_of(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    unnamed_ = fd_ >= 0;
#endif
    if (fd_ < 0)
        openNamed(); // the file system has no unnamed files
    if (replacing) {
        // The new file stands in for the old one: same permissions, same
        // owner (which only a privileged user may give away).
        const struct stat& st = replacing->st;
        if (::fchmod(fd_, st.st_mode & 07777) != 0)
            system_failure("cannot write " + path_, errno);
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(fd_, st.st_uid, st.st_gid) != 0) {
            // Not ours to give: the file is ours now, as any rewrite by
            // its user would leave it.
        }
    }
}

void OutputFile::openNamed() {
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
        partial_ = target_ + random_suffix();
        cleanup_ = std::make_unique<PartialFileName>(partial_);
        fd_ = ::open(partial_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        const int error = errno;
        cleanup_.reset();
        partial_.clear();
        system_failure("cannot write " + path_, error);
    }
}

OutputFile::~OutputFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !partial_.empty())
        ::unlink(partial_.c_str());
}

void OutputFile::write(std::string_view bytes) {
    write_all(fd_, bytes, path_);
}

void OutputFile::linkInPlace() {
#if defined(O_TMPFILE)
    // Give the unnamed file a name: the final one when nothing may be
    // replaced (linkat never replaces), else one beside it to rename.
    const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
    const auto link_as = [&](const std::string& name) {
        return ::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    };
    if (!overwrite_) {
        if (link_as(target_))
            return;
        if (errno == EEXIST)
            throw OutputExists(path_ + " exists; use --force to overwrite it");
        system_failure("cannot write " + path_, errno);
    }
    for (int attempt = 0; attempt < 16 && partial_.empty(); ++attempt) {
        const std::string name = target_ + random_suffix();
        cleanup_ = std::make_unique<PartialFileName>(name);
        if (link_as(name))
            partial_ = name;
        else if (errno != EEXIST)
            system_failure("cannot write " + path_, errno);
    }
    if (partial_.empty())
        system_failure("cannot write " + path_, EEXIST);
#endif
}

void OutputFile::commit() {
    // The output may have appeared, or changed, while we wrote.
    refuse_existing(path_, overwrite_, inputs_);
    if (unnamed_)
        linkInPlace();
    if (!partial_.empty()) {
        if (overwrite_) {
            if (::rename(partial_.c_str(), target_.c_str()) != 0)
                system_failure("cannot write " + path_, errno);
        } else {
            // A hard link never replaces what is there.
            if (::link(partial_.c_str(), target_.c_str()) != 0) {
                if (errno == EEXIST)
                    throw OutputExists(path_ + " exists; use --force to overwrite it");
                system_failure("cannot write " + path_, errno);
            }
            ::unlink(partial_.c_str());
        }
    }
    committed_ = true;
    partial_.clear();
    cleanup_.reset();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR)
        system_failure("cannot write " + path_, errno); // too late to take the file back
}

#endif

} // namespace cattool
