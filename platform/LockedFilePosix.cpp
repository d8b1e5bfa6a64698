#include "platform/LockedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {

namespace {

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }

private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool isReadOnly(const struct stat& st, const std::string& path) {
    // Root may write anything; a file without any write bit still counts as
    // read-only, as a read-only attribute does on Windows.
    return ::access(path.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

} // namespace

FileContents readWholeFile(const std::string& path) {
    FileContents result;
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.ok()) {
        result.status =
            errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        result.status = ReadStatus::Failed;
        return result;
    }
    result.bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.status = ReadStatus::Failed;
            result.bytes.clear();
            return result;
        }
        if (n == 0)
            break;
        result.bytes.append(buffer, static_cast<size_t>(n));
    }
    result.status = ReadStatus::Ok;
    return result;
}

EditResult editFile(const std::string& path, const FileEdit& edit, unsigned newFileMode) {
    const std::string folder = folderOf(path);
    if (!isDirectory(folder) || isDirectory(path))
        return EditResult::Failed;

    // The lock lives beside the file because the file itself is replaced by
    // each write, and a lock on a replaced file protects nothing.
    Fd lock(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (!lock.ok())
        return EditResult::Failed;
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return EditResult::Failed;
    }

    const FileContents current = readWholeFile(path);
    if (current.status == ReadStatus::Failed)
        return EditResult::Failed;
    const bool exists = current.status == ReadStatus::Ok;
    mode_t mode = static_cast<mode_t>(newFileMode) & ~currentUmask();
    if (exists) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || isReadOnly(st, path))
            return EditResult::Failed;
        mode = st.st_mode & 07777;
    }

    const std::optional<std::string> replacement =
        edit(exists ? std::optional<std::string>(current.bytes) : std::nullopt);
    if (!replacement)
        return EditResult::Unchanged;

    std::string temp = path + ".XXXXXX";
    Fd out(::mkostemp(temp.data(), O_CLOEXEC));
    if (!out.ok())
        return EditResult::Failed;
    bool ok = writeAll(out.get(), *replacement) && ::fchmod(out.get(), mode) == 0 &&
              ::fsync(out.get()) == 0;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return EditResult::Failed;
    }
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.ok())
        ::fsync(dir.get());
    return EditResult::Written;
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool makeDirectories(const std::string& path, unsigned mode) {
    if (path.empty() || isDirectory(path))
        return !path.empty();
    const auto slash = path.find_last_of('/', path.size() - 2);
    if (slash != std::string::npos && slash > 0 && !makeDirectories(path.substr(0, slash), mode))
        return false;
    return ::mkdir(path.c_str(), static_cast<mode_t>(mode)) == 0 || isDirectory(path);
}

} // namespace vm
