#include "platform/Paths.h"

#include "platform/win32/AnsiText.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace vm {

bool pathExists(const std::string& path) {
    // The host takes its paths in the ANSI code page; a path outside it names
    // nothing the host could open.
    const std::optional<std::string> ansi = win32::toAnsi(path);
    if (!ansi || ansi->empty())
        return false;
    // The shell takes full paths with its own separators only.
    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(ansi->c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return false;
    SHFILEINFOA info{};
    return ::SHGetFileInfoA(full, 0, &info, sizeof info, SHGFI_ATTRIBUTES) != 0;
}

bool canCreateFilesIn(const std::string& folder) {
    // Windows decides through the folder's access list, its owner and the
    // user's groups and privileges; making a file there is the one answer
    // that takes all of them in.
    const std::optional<std::wstring> wide = win32::toWide(folder);
    if (!wide || wide->empty())
        return false;
    const std::wstring probe =
        *wide + L"\\.velmaris-" + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
    const HANDLE file =
        ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

} // namespace vm
