#pragma once

#include "platform/Shell.h"

#include <functional>

namespace vm {

// The shell on Windows: ShellExecuteA for opening and starting (shown as
// SW_SHOW, the owner window given where there is one), FindExecutableA for
// the program a file opens with.
class Win32Shell : public Shell {
public:
    // The window the shell's own messages belong to (an HWND), or null:
    // asked for at each use, so that a window that has not shown yet is
    // made a system window only when the shell needs it.
    using Owner = std::function<void*()>;
    void setOwner(Owner owner) { owner_ = std::move(owner); }

    bool open(const std::string& fileOrAddress, const std::string& workingFolder) override;
    bool start(const std::string& program, const std::string& workingFolder) override;
    FileProgram programFor(const std::string& file) override;

private:
    void* owner() const { return owner_ ? owner_() : nullptr; }

    Owner owner_;
};

} // namespace vm
