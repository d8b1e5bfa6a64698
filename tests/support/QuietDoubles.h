#pragma once

#include "main/core/OpenDatabase.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"

#include <string>
#include <vector>

namespace vm::test {

// A shell that starts and opens nothing, for windows tested on their own.
struct NoShell : Shell {
    bool open(const std::string&, const std::string&) override { return true; }
    bool start(const std::string&, const std::string&) override { return true; }
    FileProgram programFor(const std::string&) override {
        return {FileProgram::Status::NoneRegistered, {}};
    }
};

// Another instance running only when a test says so.
struct FakeSingleInstance : SingleInstance {
    bool claim(const std::string&) override { return !otherRunning; }
    bool otherRunning = false;
};

// Remembers the databases it was asked to open, and opens none.
class RecordingOpener : public OpenDatabase {
public:
    struct Call {
        std::string name;
        int view;
        bool fromQuickSwitch;
        bool operator==(const Call&) const = default;
    };
    void Open_DB(const std::string& name, int view, bool fromQuickSwitch) override {
        calls.push_back({name, view, fromQuickSwitch});
    }
    std::vector<Call> calls;
};

} // namespace vm::test
