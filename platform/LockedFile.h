#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace vm {

// Whole-file access for the small text stores (settings file, per-user store,
// host registry file), which may sit on a folder that several users share.
// Readers see either the old or the new file, never a half-written one;
// writers serialise on an advisory lock so that two processes, of one user or
// of several, changing different keys at once lose nothing. On POSIX systems
// a path that is a symbolic link reads and writes the file it points to, and
// the link stays.

enum class ReadStatus { Ok, Missing, Failed };

struct FileContents {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
    // Why the file could not be read, in words, where that is known.
    std::string problem;
};

// Beyond this size a file is no settings file, and holding it whole would
// cost many times its size in memory; such a file is neither read nor written.
inline constexpr long long kLargestSettingsFile = 64LL << 20;

// Anything but a regular file (a folder, a FIFO, a device) is refused before
// it is opened, so that nothing blocks or reads without end.
FileContents readWholeFile(const std::string& path);

// Given the current contents (nullopt when the file does not exist), returns
// the new contents, or nullopt to leave the file as it is.
using FileEdit = std::function<std::optional<std::string>(const std::optional<std::string>&)>;

enum class EditResult { Written, Unchanged, Failed };

// Locks, reads, applies `edit`, and replaces the file by write-temp, flush to
// disk and rename, keeping the file's permissions and group. The temporary
// file is private to its writer until the rename, and one left by a writer
// that died is removed by the next write. Where this user
// may not replace the file (a folder it cannot write to, a group it cannot
// give the new file), a file it can write is overwritten in place under the
// lock instead. A file that does not exist is created with `newFileMode`
// (POSIX permission bits). A read-only file, a missing folder, anything but a
// regular file in its place, an oversized file, or a lock that another
// process holds for longer than the lock patience give Failed and change
// nothing; `problem`, when given, then says why where that is known.
EditResult editFile(const std::string& path, const FileEdit& edit, unsigned newFileMode = 0666,
                    std::string* problem = nullptr);

// How long a lock is waited for before the access goes on without it (a
// reader) or fails (a writer): a hung process must not freeze every other.
std::chrono::milliseconds lockPatience();
void setLockPatience(std::chrono::milliseconds patience);

bool isDirectory(const std::string& path);
bool fileExists(const std::string& path);
// Creates the folder and its missing parents; true when it exists afterwards.
bool makeDirectories(const std::string& path, unsigned mode = 0755);

} // namespace vm
