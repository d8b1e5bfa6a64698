#pragma once

#include "main/core/OpenDatabase.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"

#include "TestSupport.h"

#include <string>
#include <utility>
#include <vector>

namespace vm::test {

// Opens and starts nothing, and remembers what it was asked to.
class RecordingShell : public Shell {
public:
    bool open(const std::string& target, const std::string& folder) override {
        opened.emplace_back(target, folder);
        return true;
    }
    bool start(const std::string& file, const std::string&) override {
        started.push_back(file);
        return startSucceeds;
    }
    // Answers `program` and remembers each file asked about and its text at
    // that moment.
    FileProgram programFor(const std::string& file) override {
        askedFor.emplace_back(file, fileExists(file) ? readBytes(file) : "(missing)");
        return program;
    }
    std::vector<std::pair<std::string, std::string>> opened;
    std::vector<std::string> started;
    bool startSucceeds = true;
    std::vector<std::pair<std::string, std::string>> askedFor;
    FileProgram program{FileProgram::Status::NoneRegistered, {}};
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
