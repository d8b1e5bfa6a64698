#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace vm::test {

// Why windows cannot take the focus here, or nothing when they can: wine
// needs an X display, Windows an interactive desktop.
std::optional<std::string> noDisplayReason();

// Whether no window message waits for this thread.
bool queueIsEmpty();

// A stand-in for the host's windows in this process: a frame of the given
// class and, owned by it, the login dialog of LoginDialog.rc, its fields
// holding text of their own. Its keys are handled whichever loop runs the
// thread's messages (vm::test::eventually's among them).
struct LoginWindows {
    LoginWindows(const wchar_t* frameClass, const wchar_t* title, bool show = true);
    ~LoginWindows();
    // Gives the dialog the focus; false when it has not arrived in time.
    bool takeFocus();
    // What a field holds, in UTF-8.
    std::string field(int id) const;

    static constexpr int kName = 101;
    static constexpr int kPassword = 102;
    HWND frame = nullptr;
    HWND dialog = nullptr;
    bool accepted = false;
};

} // namespace vm::test
