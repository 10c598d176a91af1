#include "output_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

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
    fs::path p = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)))
            return p.string();
        const fs::path to = fs::read_symlink(p, ec);
        if (ec)
            system_failure("cannot write " + path, ec.value());
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    system_failure("cannot write " + path, ELOOP);
}

std::string directory_of(const std::string& file) {
    const fs::path dir = fs::path(file).parent_path();
    return dir.empty() ? "." : dir.string();
}

// What an existing output is; false when there is none.
bool existing(const std::string& target, const std::string& path, struct stat& st) {
    if (::stat(target.c_str(), &st) == 0)
        return true;
    if (errno != ENOENT)
        system_failure("cannot write " + path, errno);
    return false;
}

void refuse(const std::string& path, const struct stat& st, bool overwrite,
            const std::vector<catalogue::FileIdentity>& inputs) {
    if (!S_ISREG(st.st_mode))
        throw OutputRefused(path + ": not a regular file");
    catalogue::FileIdentity id;
    id.device = static_cast<unsigned long long>(st.st_dev);
    id.inode = static_cast<unsigned long long>(st.st_ino);
    id.known = true;
    if (std::find(inputs.begin(), inputs.end(), id) != inputs.end())
        throw OutputRefused(path + " is an input of this command; it cannot be its output too");
    if (!overwrite)
        throw OutputExists(path + " exists; use --force to overwrite it");
    if (st.st_nlink > 1) {
        const auto others = static_cast<unsigned long long>(st.st_nlink - 1);
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
    struct stat st {};
    if (existing(follow_links(path), path, st))
        refuse(path, st, overwrite, inputs);
}

void write_all(int fd, std::string_view bytes, const std::string& name) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            system_failure("cannot write " + name, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

OutputFile::OutputFile(std::string path, bool overwrite,
                       std::vector<catalogue::FileIdentity> inputs)
    : path_(std::move(path)), target_(follow_links(path_)), overwrite_(overwrite),
      inputs_(std::move(inputs)) {
    struct stat st {};
    const bool replacing = existing(target_, path_, st);
    if (replacing)
        refuse(path_, st, overwrite_, inputs_);
#if defined(O_TMPFILE)
    fd_ = ::open(directory_of(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    unnamed_ = fd_ >= 0;
#endif
    if (fd_ < 0)
        openNamed(); // the file system has no unnamed files
    if (replacing) {
        // The new file stands in for the old one: same permissions, same
        // owner (which only a privileged user may give away).
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

} // namespace cattool
