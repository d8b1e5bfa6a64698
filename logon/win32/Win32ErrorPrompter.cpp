#include "logon/win32/Win32ErrorPrompter.h"

#include "platform/win32/AnsiText.h"

#include <windows.h>

namespace vm::logon {

void Win32ErrorPrompter::record(std::string_view caption, const std::string& lines,
                                const std::string& oneLine) {
    // Written straight to the handle: a program of the windows subsystem has
    // no console, and the C runtime's stderr may not be connected to the
    // handle the parent passed.
    const std::string report = std::string(caption) + ":\n" + lines + "\n";
    const HANDLE standardError = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (standardError != nullptr && standardError != INVALID_HANDLE_VALUE)
        ::WriteFile(standardError, report.data(), static_cast<DWORD>(report.size()), &written,
                    nullptr);
    const std::string line = std::string(caption) + ": " + oneLine;
    ::OutputDebugStringA(win32::toAnsi(line).value_or(line).c_str());
}

} // namespace vm::logon
