#pragma once
// The real Velmaris.exe under wine against the Windows stand-in host: the
// pointer and the keys come through SendInput, as a user's do, and what the
// program tells the user is read from its error output.
#include "e2e/win32/WineSupport.h"

#include "TestSupport.h"
#include "settings/PerUserStore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vm::test {

// The middle of the second row of the main window's list, from the top of its
// client area: below the menu bar, the list's top and its header, drawn in the
// prefix's dialog font.
inline constexpr int kSecondRowY = 84;

// A list of two databases, Sales (Alice) and Support (Carol), in two
// QuickSwitch tiles. `program`: the Velmaris.exe the test starts.
class WineProgramFixture : public ::testing::Test {
protected:
    WineProgramFixture(bool quickSwitchAtStart, std::string program)
        : quickSwitchAtStart_(quickSwitchAtStart), program_(std::move(program)) {}

    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Paths as the host and the shell record them.
    std::string file(const std::string& name) const { return windowsPath(dir_.file(name)); }
    std::string journalPath() const { return file("journal.jsonl"); }

    // The host with `database` open (a file of the test's), or none.
    void startHost(const std::string& database);
    void startVelmaris();
    bool velmarisEnds();
    // The next message Velmaris showed, or nothing when none came in time.
    std::optional<std::string>
    nextMessage(std::chrono::milliseconds limit = std::chrono::seconds(30));
    // The next message, answered with its default button. `above`: the
    // window of Velmaris's that shares the message's title.
    std::optional<std::string> answerMessage(HWND above = nullptr);

    bool journalHas(const std::string& member) const;
    std::vector<std::string> logins() const;
    // Whether no logon.exe is left running, once it has done its part.
    bool logonEnded() const;
    // Starts Velmaris, opens the list's second row by a double click and
    // waits for its logon to end: the host's one record of the login, or
    // empty (a failure recorded) when there was none.
    std::string loginBySecondRow();

    // Velmaris's newest visible window titled so other than `except`, once
    // it shows.
    HWND windowNamed(const std::string& title, HWND except = nullptr);
    // The window titled so that `gesture` on `from` opens. The gesture is
    // repeated while it opens nothing: a window that just showed may still
    // be handed the focus by the window manager, and that ends a menu that
    // the keys had opened.
    HWND openedBy(HWND from, const std::function<void()>& gesture, const std::string& title);
    static RECT clientArea(HWND window);
    void focus(HWND window);
    static void click(POINT at, int times = 1);
    // The window manager carries out a drag, following the X server's
    // pointer, which SendInput moves but does not press: the drag comes from
    // xdotool, as from a hand on the mouse.
    static void drag(POINT from, POINT to);
    static void keys(std::initializer_list<WORD> virtualKeys);
    static void withAlt(WORD virtualKey);

    const bool quickSwitchAtStart_;
    std::string program_;
    TempDir dir_;
    std::unique_ptr<PerUserStore> store_;

private:
    std::unique_ptr<Child> host_;
    std::unique_ptr<Child> velmaris_;
    std::size_t messagesRead_ = 0;
};

} // namespace vm::test
