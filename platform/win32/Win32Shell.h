#pragma once

#include "platform/Shell.h"

namespace vm {

// The shell on Windows: ShellExecuteA for opening and starting (shown as
// SW_SHOW, the owner window given where there is one), FindExecutableA for
// the program a file opens with.
class Win32Shell : public Shell {
public:
    // `owner` is the window the shell's own messages belong to (an HWND),
    // or null.
    explicit Win32Shell(void* owner = nullptr) : owner_(owner) {}
    void setOwner(void* owner) { owner_ = owner; }

    bool open(const std::string& fileOrAddress, const std::string& workingFolder) override;
    bool start(const std::string& program, const std::string& workingFolder) override;
    FileProgram programFor(const std::string& file) override;

private:
    void* owner_;
};

} // namespace vm
