#pragma once
// The real Velmaris program against the stand-in host on a virtual screen of
// the test's own: pointer and keys come from the X server, as a user's do.
#include "ChildProcess.h"
#include "TestSupport.h"
#include "XServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vm::test {

// Polls the condition until it holds or the time is up; true when it held.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

// A list of two databases, Sales (Alice) and Support (Carol), in two
// QuickSwitch tiles; the host runs with a third, Start, open.
class RealProgramFixture : public ::testing::Test {
protected:
    RealProgramFixture(bool windowManager, bool quickSwitchAtStart);

    void SetUp() override;
    void TearDown() override;

    static bool hostOnTheBus();
    // The programs of this test's own that were started on its behalf (the
    // host, logon, Velmaris), told apart from any others by their journal.
    std::vector<pid_t> startedBy(const std::string& program) const;
    void endStartedHost();
    // Lets the shell start the stand-in host for a .dbf file.
    void installHostAssociation();
    // Velmaris starts the host itself: it finds it through the association.
    void hostNotRunning();
    bool journalHas(const std::string& member) const;
    bool logonEnded() const;
    std::vector<std::string> logins() const;

    // The newest visible window titled so, once it shows.
    std::string windowNamed(const std::string& title);
    Geometry geometryOf(const std::string& id);
    void focus(const std::string& id);
    void startVelmaris();
    bool velmarisEnds();
    // The next message Velmaris showed (it copies each to its error output),
    // or nothing when none came in time.
    std::optional<std::string> nextMessage(std::chrono::milliseconds timeout);
    // xdotool's answer, or nothing when it failed.
    std::optional<std::string> xdotool(const std::vector<std::string>& arguments);

    // The program under test: the build's, or an installed one named by
    // VELMARIS_UNDER_TEST; logon lies beside it.
    const std::string velmarisProgram_;
    const std::string logonProgram_;
    const bool windowManager_;
    const bool quickSwitchAtStart_;
    XServer server_;
    TempDir dir_;
    std::map<std::string, std::string> env_;
    std::unique_ptr<ChildProcess> host_;
    std::unique_ptr<ChildProcess> velmaris_;
};

} // namespace vm::test
