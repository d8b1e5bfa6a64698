#pragma once

#include "logon/UnattendedPrompter.h"

namespace vm::logon {

// Messages go to standard error, when the program that started logon gave it
// one, and to the debugger's output, where a debugger or a viewer of debug
// output shows them. Never a message box: it would wait for someone to close
// it, and could take the focus from the login window.
class Win32ErrorPrompter : public UnattendedPrompter {
protected:
    void record(std::string_view caption, const std::string& lines,
                const std::string& oneLine) override;
};

} // namespace vm::logon
