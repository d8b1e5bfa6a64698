#pragma once

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
};

FileContents readWholeFile(const std::string& path);

// Given the current contents (nullopt when the file does not exist), returns
// the new contents, or nullopt to leave the file as it is.
using FileEdit = std::function<std::optional<std::string>(const std::optional<std::string>&)>;

enum class EditResult { Written, Unchanged, Failed };

// Locks, reads, applies `edit`, and replaces the file by write-temp, flush to
// disk and rename, keeping the file's permissions and group. Where this user
// may not replace the file (a folder it cannot write to, a group it cannot
// give the new file), a file it can write is overwritten in place under the
// lock instead. A file that does not exist is created with `newFileMode`
// (POSIX permission bits). A read-only file, a missing folder or a folder in
// place of the file give Failed and change nothing.
EditResult editFile(const std::string& path, const FileEdit& edit, unsigned newFileMode = 0666);

bool isDirectory(const std::string& path);
bool fileExists(const std::string& path);
// Creates the folder and its missing parents; true when it exists afterwards.
bool makeDirectories(const std::string& path, unsigned mode = 0755);

} // namespace vm
