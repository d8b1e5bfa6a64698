#pragma once

#include <string>

namespace vm {

// The desktop shell: opens documents and web addresses with the program the
// desktop associates with them, and starts programs. Nothing is waited for.
class Shell {
public:
    virtual ~Shell() = default;
    // The shell's "open" action on a file or an address; false when nothing
    // could be started.
    virtual bool open(const std::string& fileOrAddress, const std::string& workingFolder) = 0;
    // Starts a program without arguments; false when it could not be started.
    virtual bool start(const std::string& program, const std::string& workingFolder) = 0;
};

} // namespace vm
