#include "platform/win32/Win32Shell.h"

#include "platform/win32/AnsiText.h"

#include <windows.h>

#include <shellapi.h>

namespace vm {

namespace {

// ShellExecute answers above 32 when it started something.
bool shellOpen(void* owner, const std::string& target, const std::string& folder) {
    const std::optional<std::string> file = win32::toAnsi(target);
    const std::optional<std::string> directory = win32::toAnsi(folder);
    if (!file || file->empty() || !directory)
        return false;
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(static_cast<HWND>(owner), "open", file->c_str(), nullptr,
                        directory->empty() ? nullptr : directory->c_str(), SW_SHOW));
    return result > 32;
}

} // namespace

bool Win32Shell::open(const std::string& fileOrAddress, const std::string& workingFolder) {
    return shellOpen(owner(), fileOrAddress, workingFolder);
}

bool Win32Shell::start(const std::string& program, const std::string& workingFolder) {
    return shellOpen(owner(), program, workingFolder);
}

FileProgram Win32Shell::programFor(const std::string& file) {
    const std::optional<std::string> name = win32::toAnsi(file);
    if (!name)
        return {};
    char found[MAX_PATH] = {};
    const auto result = reinterpret_cast<INT_PTR>(::FindExecutableA(name->c_str(), nullptr, found));
    if (result == SE_ERR_NOASSOC)
        return {FileProgram::Status::NoneRegistered, {}};
    if (result <= 32)
        return {};
    return {FileProgram::Status::Found, win32::fromAnsi(found)};
}

} // namespace vm
