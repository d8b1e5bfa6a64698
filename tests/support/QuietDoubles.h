#pragma once

#include "platform/Shell.h"
#include "platform/SingleInstance.h"

namespace vm::test {

// A shell that starts and opens nothing, for windows tested on their own.
struct NoShell : Shell {
    bool open(const std::string&, const std::string&) override { return true; }
    bool start(const std::string&, const std::string&) override { return true; }
    FileProgram programFor(const std::string&) override {
        return {FileProgram::Status::NoneRegistered, {}};
    }
};

// Never another instance running.
struct AlwaysFirst : SingleInstance {
    bool claim(const std::string&) override { return true; }
};

} // namespace vm::test
