#include "platform/LockedFile.h"

#include "platform/posix/FileLock.h"
#include "platform/posix/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file at the end of a chain of symbolic links, existing or not. A shared
// file is often reached through a link, and it is the file, not the link,
// that must change, with one lock for all the names it is reached by. A loop
// is left unresolved, and opening it then fails.
std::string followLinks(std::string path) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++hop) {
        const fs::path target = fs::read_symlink(path, error);
        if (error)
            break;
        path = target.is_absolute() ? target.string() : folderOf(path) + "/" + target.string();
    }
    return path;
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

struct OpenedFile {
    UniqueFd fd;
    ReadStatus status = ReadStatus::Failed;
    struct stat st {};
    std::string problem;
};

constexpr const char* kNotAFile = "it is not a regular file";
constexpr const char* kTooLarge = "it is larger than 64 MB";

// What the name stands for now: a regular file of a sane size, nothing, or
// something that is refused unopened.
OpenedFile examine(const std::string& path) {
    OpenedFile file;
    if (::stat(path.c_str(), &file.st) != 0)
        file.status =
            errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
    else if (!S_ISREG(file.st.st_mode))
        file.problem = kNotAFile;
    else if (file.st.st_size > kLargestSettingsFile)
        file.problem = kTooLarge;
    else
        file.status = ReadStatus::Ok;
    return file;
}

OpenedFile openForReading(const std::string& path) {
    OpenedFile file = examine(path);
    if (file.status != ReadStatus::Ok)
        return file;
    // Not blocking: the name may have been swapped for a FIFO since it was
    // examined, and what was opened is checked again.
    file.fd = UniqueFd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.fd.ok())
        file.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    else if (::fstat(file.fd.get(), &file.st) != 0 || !S_ISREG(file.st.st_mode)) {
        file.status = ReadStatus::Failed;
        file.problem = kNotAFile;
    }
    return file;
}

FileContents readAll(const OpenedFile& file) {
    FileContents result{file.status, {}, file.problem};
    if (file.status != ReadStatus::Ok)
        return result;
    result.bytes.reserve(static_cast<size_t>(file.st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return {ReadStatus::Failed, {}, {}};
        }
        if (n == 0)
            return result;
        result.bytes.append(buffer, static_cast<size_t>(n));
        // A file that grows while it is read is bounded all the same.
        if (static_cast<long long>(result.bytes.size()) > kLargestSettingsFile)
            return {ReadStatus::Failed, {}, kTooLarge};
    }
}

enum class Replace { Done, NotPermitted, Failed };

Replace outcomeOf(int error) {
    return error == EACCES || error == EPERM ? Replace::NotPermitted : Replace::Failed;
}

// The new file must carry the old one's group, or the group's other members
// would lose it. The owner is kept as well where this process may (root), so
// that editing another user's private file does not take it from them.
bool carryOwnership(int fd, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    if (now.st_uid != old.st_uid && ::fchown(fd, old.st_uid, old.st_gid) == 0)
        return true;
    return now.st_gid == old.st_gid || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
}

// A writer's temporary file: hidden, named after the file it replaces, so that
// one left by a writer that died is known for what it is.
std::string tempPrefix(const std::string& path) {
    const std::string folder = folderOf(path);
    const auto slash = path.find_last_of('/');
    return (slash == std::string::npos ? "." : folder + "/.") +
           path.substr(slash == std::string::npos ? 0 : slash + 1) + ".tmp-";
}

// Called under the exclusive lock, which every writer holds for as long as its
// temporary file exists: any such file found now is a dead writer's.
void removeDeadWritersFiles(const std::string& path) {
    namespace fs = std::filesystem;
    const std::string prefix = fs::path(tempPrefix(path)).filename().string();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folderOf(path), error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix))
            fs::remove(entry.path(), error);
    }
}

// Write-temp, flush and rename: a crash leaves the old or the new file. The
// temporary file stays private (0600, as made) until it is whole, since it
// may hold enciphered passwords.
// `old` is the file being replaced, or null when it is being created.
Replace replaceFile(const std::string& path, std::string_view bytes, const struct stat* old,
                    mode_t newMode) {
    std::string temp = tempPrefix(path) + "XXXXXX";
    UniqueFd out(::mkostemp(temp.data(), O_CLOEXEC));
    if (!out.ok())
        return outcomeOf(errno);
    // The owner and mode are given once the bytes are all in, and flushed
    // with them, so that the renamed file is whole in both. chown may clear
    // the set-id bits, so the mode comes after it.
    const bool replaced = writeAll(out.get(), bytes) && (!old || carryOwnership(out.get(), *old)) &&
                          ::fchmod(out.get(), old ? old->st_mode & 07777 : newMode) == 0 &&
                          ::fsync(out.get()) == 0 && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!replaced) {
        const int error = errno;
        ::unlink(temp.c_str());
        return outcomeOf(error);
    }
    // Deliberately unchecked: the new file is in place either way; a folder
    // that cannot be flushed only leaves the rename less certain to survive
    // a power cut.
    UniqueFd folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.ok())
        (void)::fsync(folder.get());
    return Replace::Done;
}

// For where a replace is not permitted. A crash halfway through leaves a
// damaged file, so the room is reserved first: a full disk then fails before
// any byte changes. Readers are kept out by the lock the caller holds.
bool overwriteInPlace(const std::string& path, std::string_view bytes) {
    UniqueFd out(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    if (!out.ok())
        return false;
    const off_t size = static_cast<off_t>(bytes.size());
    // Other failures to reserve (a file system that cannot) still let the
    // write be tried.
    const int reserved = size > 0 ? ::posix_fallocate(out.get(), 0, size) : 0;
    if (reserved == ENOSPC || reserved == EDQUOT)
        return false;
    return writeAll(out.get(), bytes) && ::ftruncate(out.get(), size) == 0 &&
           ::fsync(out.get()) == 0;
}

} // namespace

FileContents readWholeFile(const std::string& path) {
    const std::string target = followLinks(path);
    const OpenedFile file = openForReading(target);
    if (file.status != ReadStatus::Ok)
        return readAll(file);
    // Only an in-place write can be seen half done (a replace leaves this
    // descriptor on the old, whole file), and the shared lock waits it out.
    // Where no lock can be had (a lock file this user cannot open, a file
    // system without locks, a writer that hangs) the file is read all the
    // same: refusing would lose the settings outright.
    const UniqueFd lock = lockDataFile(target, LockKind::Shared, file.st.st_mode);
    return readAll(file);
}

EditResult editFile(const std::string& path, const FileEdit& edit, unsigned newFileMode,
                    std::string* problem) {
    const auto fail = [&](const std::string& why) {
        if (problem)
            *problem = why;
        return EditResult::Failed;
    };
    const std::string target = followLinks(path);
    if (!isDirectory(folderOf(target)))
        return fail("");
    // Refused before any lock is made beside it: /dev/zero.lock is no file
    // of ours to create.
    const OpenedFile examined = examine(target);
    if (!examined.problem.empty())
        return fail(examined.problem);
    const mode_t newMode = static_cast<mode_t>(newFileMode) & 07777 & ~currentUmask();
    const mode_t dataMode = examined.status == ReadStatus::Ok ? examined.st.st_mode : newMode;
    bool timedOut = false;
    const UniqueFd lock = lockDataFile(target, LockKind::Exclusive, dataMode, &timedOut);
    if (!lock.ok())
        return fail(timedOut ? "another program has kept it locked for too long" : "");

    const OpenedFile file = openForReading(target);
    const FileContents current = readAll(file);
    if (current.status == ReadStatus::Failed)
        return fail(current.problem);
    const bool exists = current.status == ReadStatus::Ok;
    if (exists && isReadOnly(file.st, target))
        return fail("it is read-only");

    const std::optional<std::string> replacement =
        edit(exists ? std::optional<std::string>(current.bytes) : std::nullopt);
    if (!replacement)
        return EditResult::Unchanged;
    if (static_cast<long long>(replacement->size()) > kLargestSettingsFile)
        return fail(kTooLarge);
    removeDeadWritersFiles(target);
    switch (replaceFile(target, *replacement, exists ? &file.st : nullptr, newMode)) {
    case Replace::Done:
        return EditResult::Written;
    case Replace::NotPermitted:
        // A folder closed to this user, a sticky folder, or a group the new
        // file could not be given: the file itself is writable, so it is
        // written where it is, which keeps its owner, group and mode.
        return exists && overwriteInPlace(target, *replacement) ? EditResult::Written : fail("");
    case Replace::Failed:
        return fail("");
    }
    return fail("");
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
