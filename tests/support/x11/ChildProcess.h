#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vm::test {

// A program run by a test, with its standard input and output on pipes. It
// is stopped when the object goes, if it still runs.
class ChildProcess {
public:
    // The program is looked up in PATH. Its error output is the test's,
    // unless `quiet`.
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::map<std::string, std::string>& environment = {}, bool quiet = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of output, or nothing when none comes in time.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);
    // Everything still to come, until the program closes its output.
    std::string readRest(std::chrono::milliseconds timeout);
    void closeInput();
    // The exit status, or nothing when it has not ended in time.
    std::optional<int> wait(std::chrono::milliseconds timeout);
    void signal(int number);

private:
    bool fill(std::chrono::milliseconds timeout);

    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string buffered_;
    std::optional<int> status_;
};

} // namespace vm::test
