#include "platform/posix/FileLock.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

namespace vm {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::atomic<std::chrono::milliseconds::rep> patienceMs{10'000};

enum class Wait { Locked, TimedOut, Failed };

// flock cannot wait for a limited time, so the lock is tried again and again,
// at short intervals: a lock that is given up between tries is soon taken.
Wait waitFor(int fd, LockKind kind, Clock::time_point deadline) {
    const int operation = (kind == LockKind::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    auto pause = 1ms;
    for (;;) {
        if (::flock(fd, operation) == 0)
            return Wait::Locked;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return Wait::Failed;
        const auto now = Clock::now();
        if (now >= deadline)
            return Wait::TimedOut;
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, 10ms);
    }
}

bool isAbsent(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) != 0 && errno == ENOENT;
}

bool sameFile(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// The lock file holds nothing, so everyone may read it: flock is content with
// a read-only descriptor, and then whoever reaches the folder can take the
// lock, whatever the creator's umask or group. It is writable by those who
// may write the data file as well, because over NFS an exclusive flock turns
// into a POSIX write lock, which needs a descriptor open for writing. The
// mode is set explicitly rather than left to the creator's umask, since one
// user's private umask would otherwise lock every other user out.
mode_t lockFileMode(mode_t dataMode) {
    return 0644 | (dataMode & 0022);
}

struct LockFile {
    UniqueFd fd;
    bool created = false;
    // Absent, and this process may not create it (a folder it cannot write).
    bool cannotBeMade = false;
};

LockFile openLockFile(const std::string& path, mode_t dataMode) {
    // A second round covers another process creating the file between our
    // two opens; failing it too means a name that can be neither opened nor
    // created, such as a dangling symbolic link.
    for (int round = 0; round < 2; ++round) {
        int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0 && (errno == EACCES || errno == EROFS))
            fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0)
            return {.fd = UniqueFd(fd)};
        if (errno != ENOENT)
            return {};
        const mode_t mode = lockFileMode(dataMode);
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            // Deliberately unchecked: the file is ours, so fchmod fails only
            // where a file system ignores modes, and the lock works as it is.
            (void)::fchmod(fd, mode);
            return {.fd = UniqueFd(fd), .created = true};
        }
        if (errno != EEXIST)
            return {.fd = UniqueFd(), .created = false, .cannotBeMade = true};
    }
    return {};
}

// A process that found no lock file and could not make one locks the data
// file itself. Whoever makes the lock file therefore waits once for such
// holders, and they look for a lock file again after locking, so the two
// kinds of lock never guard the file at the same moment.
void waitOutDataFileLocks(const std::string& dataPath, LockKind kind, Clock::time_point deadline) {
    UniqueFd data(::open(dataPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    // Deliberately unchecked: a data file this process cannot open is one it
    // will not read or write, and one it cannot lock lies on a file system
    // without locks or is held by a hung process; either way there is nothing
    // more to wait for.
    if (data.ok())
        (void)waitFor(data.get(), kind, deadline);
}

} // namespace

std::chrono::milliseconds lockPatience() {
    return std::chrono::milliseconds(patienceMs.load());
}

void setLockPatience(std::chrono::milliseconds patience) {
    patienceMs.store(patience.count());
}

UniqueFd lockDataFile(const std::string& dataPath, LockKind kind, mode_t dataMode, bool* timedOut) {
    const auto deadline = Clock::now() + lockPatience();
    const auto waited = [&](int fd) {
        const Wait result = waitFor(fd, kind, deadline);
        if (timedOut)
            *timedOut = result == Wait::TimedOut;
        return result == Wait::Locked;
    };
    // The lock lives beside the file because a replace swaps the file itself,
    // and a lock on a replaced file protects nothing.
    const std::string lockPath = dataPath + ".lock";
    for (;;) {
        LockFile lock = openLockFile(lockPath, dataMode);
        if (lock.fd.ok()) {
            if (!waited(lock.fd.get()))
                return UniqueFd();
            if (lock.created)
                waitOutDataFileLocks(dataPath, kind, deadline);
            return std::move(lock.fd);
        }
        if (!lock.cannotBeMade)
            return UniqueFd();
        // No lock file can be made only where the folder is closed to this
        // process, which then cannot replace the file either and can only
        // write it in place: the file's own inode stays put and can carry the
        // lock.
        UniqueFd data(::open(dataPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (!data.ok() || !waited(data.get()))
            return UniqueFd();
        if (isAbsent(lockPath) && sameFile(data.get(), dataPath))
            return data;
    }
}

} // namespace vm
