#pragma once
// What the tests under wine share: the programs they start, waits that keep
// the thread's windows answering, paths as Windows writes them, and the
// Windows stand-in host's journal.
#include "support/Eventually.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vm::test {

// A program started by the test, ended with it when still running.
class Child {
public:
    // `errorOutput`: a file that receives the program's standard error.
    explicit Child(const std::string& commandLine, const std::string& errorOutput = {});
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child();

    // The exit code, or nothing when it did not end in time.
    std::optional<DWORD> wait(std::chrono::milliseconds limit);
    DWORD processId() const { return process_.dwProcessId; }

private:
    PROCESS_INFORMATION process_{};
};

std::string windowsPath(const std::string& path);
std::string quoted(const std::string& path);

// The members the host was called with, in order, each with its line.
std::vector<std::pair<std::string, std::string>> journalEntries(const std::string& journal);
std::optional<std::string> lastJournalLine(const std::string& journal, const std::string& member);

// Registers the stand-in host where wine looks for classes, the machine's,
// with its event control and itself for .dbf files, as its installer would.
void registerHostStandin(const std::string& program);
// Closes every host as its user would: a host killed leaves its classes
// registered with wine for a while. True when none is left.
bool closeHosts();

} // namespace vm::test
