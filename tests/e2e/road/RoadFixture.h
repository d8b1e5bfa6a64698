#pragma once
// The real Velmaris driven as a user drives it, against the stand-in host of
// the system the tests are built for (the D-Bus host on Linux, the COM host
// under wine), with the real logon answering its login. A road test is
// written once against this fixture and runs on both systems; what differs
// between them stays behind it and behind the desktop.
#include "e2e/road/Desktop.h"

#include "TestSupport.h"
#include "settings/PerUserStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vm::test {

// A list of two databases, Sales (Alice) and Support (Carol), in two
// QuickSwitch tiles, with the contact layout std.cly; a third database,
// start.dbf, for the host to have open.
class RoadFixture : public ::testing::Test {
protected:
    using Args = std::vector<std::string>;
    struct Options {
        bool quickSwitchAtStart = false;
        // Linux only: under wine a window manager always runs.
        bool windowManager = true;
        // The Velmaris the test starts: the build's unless named.
        std::string program;
    };
    explicit RoadFixture(Options options);
    ~RoadFixture() override;

    void SetUp() override;
    void TearDown() override;

    // A file of the test's, named as the programs read it.
    std::string file(const std::string& name) const;
    std::string journalPath() const { return file("journal.jsonl"); }
    PerUserStore& store() { return *store_; }

    // The host with `database` (a file of the test's) open, or none.
    void startHost(const std::string& database);
    // The shell starts the host for .dbf files, as the host's installer sets up.
    void hostStartsForDbfFiles();
    // Whether the host started earlier by the test has ended.
    bool firstHostEnded();
    // Whether a host or a logon of the test's runs now.
    bool hostRunsNow();
    bool logonRunsNow();
    // The host's frame, once it shows with that title.
    WindowId hostFrame(const std::string& title);
    // Whether the host holds Velmaris's command on the toolbar or in the Tools
    // menu of the view; -1 when it could not be asked.
    int commandPlaced(bool toolbar, int view);
    // Runs the host's Velmaris command, placed on the toolbar and in the Tools
    // menu of Contacts; true once a Velmaris window shows.
    bool runHostCommand(WindowId frame);
    // What was typed into the host's login box, the user's name and password,
    // read at once when the host lets the test see its boxes, else when the
    // host closes its login; the host has ended then.
    Args typedIntoLogin(const std::string& loginTitle);

    // The Velmaris the next start starts, and logon beside it.
    void useProgram(const std::string& velmaris);
    const std::string& program() const;
    void startVelmaris();
    bool velmarisEnds();
    bool velmarisRuns();
    void stopVelmaris();
    // The next message Velmaris showed (it copies each to its error output),
    // or nothing when none came in time.
    std::optional<std::string>
    nextMessage(std::chrono::milliseconds limit = std::chrono::seconds(30));
    // The next message, answered with its default button. `above`: the
    // window of Velmaris's that shares the message's title.
    std::optional<std::string> answerMessage(WindowId above = 0);

    // The host's journal: the arguments of each call of `member`, in order.
    std::vector<Args> calls(const std::string& member) const;
    bool journalHas(const std::string& member,
                    std::chrono::milliseconds limit = std::chrono::seconds(20)) const;
    // Of each login: the database, the user's name and password.
    std::vector<Args> logins() const { return calls("Login"); }
    // Whether no logon is left running, once it has done its part.
    bool logonEnded();

    // Velmaris's newest visible window titled so other than `except`, once it
    // shows; a failure recorded and 0 when none did.
    WindowId windowNamed(const std::string& title, WindowId except = 0);
    // The window titled so that `gesture` on `from` opens. The gesture is
    // repeated while it opens nothing: a window that just showed may still be
    // handed the focus by the window manager, which ends a menu that the keys
    // had opened.
    WindowId openedBy(WindowId from, const std::function<void()>& gesture,
                      const std::string& title);
    // Opens the item with the mnemonic `item` of the menu bar's `menu`-th
    // menu (from 0) of the window, and the window titled `title` it opens.
    WindowId openFromMenu(WindowId window, int menu, const std::string& item,
                          const std::string& title);
    void focus(WindowId window);
    void keys(const std::vector<std::string>& names) { desktop_->keys(names); }
    // Starts Velmaris, opens the list's second row by a double click and waits
    // for its logon to end: the host's one record of the login, or empty (a
    // failure recorded) when there was none.
    Args loginBySecondRow();

    Desktop& desktop() { return *desktop_; }

    Options options_;

private:
    struct System;
    TempDir dir_;
    std::unique_ptr<System> system_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<PerUserStore> store_;
    std::size_t messagesRead_ = 0;
};

// Whether a window manager runs, for each desktop the roads are taken on:
// under wine one always does.
std::vector<bool> windowManagers();

// The tile's middle on the screen: tiles stand two to a column.
inline std::pair<int, int> tileCentre(const ScreenBox& window, int tile) {
    const int column = (tile - 1) / 2, row = (tile - 1) % 2;
    return {window.x + 4 + column * 76 + 38, window.y + 4 + row * 76 + 38};
}

} // namespace vm::test
