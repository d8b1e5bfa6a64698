#pragma once

#include "platform/Shell.h"

namespace vm {

// The desktop's file and address associations, and detached programs.
class QtShell : public Shell {
public:
    bool open(const std::string& fileOrAddress, const std::string& workingFolder) override;
    bool start(const std::string& program, const std::string& workingFolder) override;
    FileProgram programFor(const std::string& file) override;
};

} // namespace vm
