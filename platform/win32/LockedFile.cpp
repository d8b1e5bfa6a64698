#include "platform/LockedFile.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <string_view>
#include <thread>

namespace vm {

namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (ok())
            ::CloseHandle(h_);
    }
    HANDLE get() const { return h_; }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }

private:
    HANDLE h_;
};

DWORD attributes(const std::string& path) {
    return ::GetFileAttributesW(wide(path).c_str());
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

std::atomic<std::chrono::milliseconds::rep> patienceMs{10'000};

enum class Wait { Done, TimedOut, Failed };

// Tries `attempt` again and again at short intervals while it fails with one
// of the `passing` errors, those of a cause that goes away, until the lock
// patience is spent.
template <class Attempt> Wait persist(Attempt attempt, std::initializer_list<DWORD> passing) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + lockPatience();
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (attempt())
            return Wait::Done;
        const DWORD error = ::GetLastError();
        if (std::find(passing.begin(), passing.end(), error) == passing.end())
            return Wait::Failed;
        const auto now = Clock::now();
        if (now >= deadline)
            return Wait::TimedOut;
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(10));
    }
}

// LockFileEx waits without limit or not at all.
Wait lockExclusively(HANDLE file) {
    return persist(
        [&] {
            OVERLAPPED whole{};
            return ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                                MAXDWORD, MAXDWORD, &whole) != 0;
        },
        {ERROR_LOCK_VIOLATION});
}

// A file that another handle holds open cannot be replaced, even when that
// handle shares deletion. A reader (this program's, another user's Velmaris
// on the shared file, a virus scanner) holds it for a moment only.
bool replaceFile(const std::string& temp, const std::string& path, std::string* problem) {
    const Wait wait = persist(
        [&] {
            return ::MoveFileExW(wide(temp).c_str(), wide(path).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        },
        {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION});
    if (wait == Wait::TimedOut && problem)
        *problem = "another program has kept it open for too long";
    return wait == Wait::Done;
}

bool writeAll(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
        if (!::WriteFile(h, bytes.data(), chunk, &written, nullptr))
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

} // namespace

FileContents readWholeFile(const std::string& path) {
    FileContents result;
    Handle file(::CreateFileW(wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) {
        const DWORD e = ::GetLastError();
        result.status = e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? ReadStatus::Missing
                                                                               : ReadStatus::Failed;
        return result;
    }
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) {
            result.status = ReadStatus::Failed;
            result.bytes.clear();
            return result;
        }
        if (n == 0)
            break;
        result.bytes.append(buffer, n);
        if (static_cast<long long>(result.bytes.size()) > kLargestSettingsFile)
            return {ReadStatus::Failed, {}, "it is larger than 64 MB"};
    }
    result.status = ReadStatus::Ok;
    return result;
}

EditResult editFile(const std::string& path, const FileEdit& edit, unsigned, std::string* problem) {
    if (!isDirectory(folderOf(path)) || isDirectory(path))
        return EditResult::Failed;
    const DWORD attrs = attributes(path);
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY))
        return EditResult::Failed;

    // The lock lives beside the file because the file itself is replaced by
    // each write, and a lock on a replaced file protects nothing.
    Handle lock(::CreateFileW(wide(path + ".lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!lock.ok())
        return EditResult::Failed;
    switch (lockExclusively(lock.get())) {
    case Wait::Done:
        break;
    case Wait::TimedOut:
        if (problem)
            *problem = "another program has kept it locked for too long";
        return EditResult::Failed;
    case Wait::Failed:
        return EditResult::Failed;
    }

    const FileContents current = readWholeFile(path);
    if (current.status == ReadStatus::Failed) {
        if (problem)
            *problem = current.problem;
        return EditResult::Failed;
    }
    const std::optional<std::string> replacement =
        edit(current.status == ReadStatus::Ok ? std::optional<std::string>(current.bytes)
                                              : std::nullopt);
    if (!replacement)
        return EditResult::Unchanged;

    const std::string temp = path + ".tmp";
    bool ok = false;
    {
        Handle out(::CreateFileW(wide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        ok = out.ok() && writeAll(out.get(), *replacement) && ::FlushFileBuffers(out.get());
    }
    ok = ok && replaceFile(temp, path, problem);
    if (!ok) {
        ::DeleteFileW(wide(temp).c_str());
        return EditResult::Failed;
    }
    return EditResult::Written;
}

std::chrono::milliseconds lockPatience() {
    return std::chrono::milliseconds(patienceMs.load());
}

void setLockPatience(std::chrono::milliseconds patience) {
    patienceMs = patience.count();
}

bool isDirectory(const std::string& path) {
    const DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool fileExists(const std::string& path) {
    const DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool makeDirectories(const std::string& path, unsigned) {
    if (path.empty() || isDirectory(path))
        return !path.empty();
    const auto slash = path.find_last_of("\\/", path.size() - 2);
    if (slash != std::string::npos && slash > 2 && !makeDirectories(path.substr(0, slash)))
        return false;
    return ::CreateDirectoryW(wide(path).c_str(), nullptr) || isDirectory(path);
}

} // namespace vm
