#include "platform/Paths.h"

#include "platform/win32/AnsiText.h"

#include <windows.h>

#include <shellapi.h>

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
    if (::SHGetFileInfoA(full, 0, &info, sizeof info, SHGFI_ATTRIBUTES) != 0)
        return true;
    // Not every shell parses a share's name (\\server\share\...), which the
    // file system still finds; a shared settings file lives there.
    return ::GetFileAttributesA(full) != INVALID_FILE_ATTRIBUTES;
}

} // namespace vm
