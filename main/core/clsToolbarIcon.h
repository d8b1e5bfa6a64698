#pragma once

#include <string>
#include <string_view>

namespace vm {

struct Program;

// The program's place in the host: where the host program lies.
class clsToolbarIcon {
public:
    // What GetACTLocation gives when the desktop has no program for host
    // databases.
    static constexpr std::string_view kNoProgram = "none";

    explicit clsToolbarIcon(Program& program) : program_(program) {}

    // The full path of the program the desktop opens host databases with;
    // kNoProgram when none is registered, empty on any other failure.
    std::string GetACTLocation() const;

private:
    Program& program_;
};

} // namespace vm
