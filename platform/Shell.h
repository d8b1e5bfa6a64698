#pragma once

#include <string>

namespace vm {

// What the desktop answers when asked which program opens a file.
struct FileProgram {
    enum class Status { Found, NoneRegistered, Failed };
    Status status = Status::Failed;
    // The program's full path, when found.
    std::string path;
};

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
    // The program the "open" action would start for an existing file.
    virtual FileProgram programFor(const std::string& file) = 0;
};

} // namespace vm
