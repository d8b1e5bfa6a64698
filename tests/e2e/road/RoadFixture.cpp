#include "e2e/road/RoadFixture.h"

#include "host-standin/core/Json.h"
#include "support/Eventually.h"

#include <sstream>

namespace vm::test {

using namespace std::chrono_literals;

namespace {

// The middle of the second row of the main window's list, from the top of its
// client area: below the menu bar, the list's top and its header.
constexpr int kSecondRowY = 84;

} // namespace

std::optional<std::string> RoadFixture::nextMessage(std::chrono::milliseconds limit) {
    std::optional<std::string> message;
    eventually(
        [&] {
            const std::string text = readBytes(file("velmaris.err"));
            for (std::size_t end; (end = text.find('\n', messagesRead_)) != std::string::npos;) {
                std::string line = text.substr(messagesRead_, end - messagesRead_);
                messagesRead_ = end + 1;
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                // The toolkit's own warnings share the output.
                if (line.starts_with("Velmaris")) {
                    message = line;
                    return true;
                }
            }
            return false;
        },
        limit);
    return message;
}

std::optional<std::string> RoadFixture::answerMessage(WindowId above) {
    const std::optional<std::string> message = nextMessage();
    if (message) {
        // Its copy on the error output comes before the box shows.
        focus(windowNamed(message->substr(0, message->find(':')), above));
        keys({"Return"});
    }
    return message;
}

std::vector<RoadFixture::Args> RoadFixture::calls(const std::string& member) const {
    std::vector<Args> found;
    std::istringstream journal(readBytes(journalPath()));
    for (std::string line; std::getline(journal, line);) {
        const standin::core::Json entry = standin::core::Json::parse(line);
        if (entry["member"].textOrEmpty() != member)
            continue;
        Args args;
        for (std::size_t i = 0; !entry["args"].at(i).isNull(); ++i)
            args.push_back(entry["args"].at(i).textOrEmpty());
        found.push_back(args);
    }
    return found;
}

bool RoadFixture::journalHas(const std::string& member, std::chrono::milliseconds limit) const {
    return eventually([&] { return !calls(member).empty(); }, limit);
}

WindowId RoadFixture::windowNamed(const std::string& title, WindowId except) {
    WindowId found = 0;
    waitFor(title + " showing", [&] {
        for (const WindowId window : desktop_->windowsTitled(title))
            if (window != except)
                found = window;
        return found != 0;
    });
    return found;
}

WindowId RoadFixture::openedBy(WindowId from, const std::function<void()>& gesture,
                               const std::string& title) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        focus(from);
        gesture();
        WindowId opened = 0;
        if (eventually(
                [&] {
                    const auto windows = desktop_->windowsTitled(title);
                    opened = windows.empty() || windows.back() == from ? 0 : windows.back();
                    return opened != 0;
                },
                3s))
            return opened;
        keys({"Escape", "Escape"}); // a menu left open, then the menu bar
    }
    ADD_FAILURE() << title << " did not open";
    return 0;
}

WindowId RoadFixture::openFromMenu(WindowId window, int menu, const std::string& item,
                                   const std::string& title) {
    return openedBy(
        window,
        [&] {
            // The first menu opens under the pointer; the arrows walk the bar.
            const ScreenBox area = desktop_->clientArea(window);
            desktop_->click(area.x + 12, area.y + 10);
            keys(std::vector<std::string>(menu, "Right"));
            keys({item});
        },
        title);
}

void RoadFixture::focus(WindowId window) {
    EXPECT_TRUE(desktop_->focus(window)) << "a window did not take the focus";
}

RoadFixture::Args RoadFixture::loginBySecondRow() {
    startVelmaris();
    const WindowId main = windowNamed("Velmaris");
    // A double click that comes while the window still settles can reach it
    // as one click; it is given again while the host has been asked nothing.
    for (int attempt = 0; attempt < 3; ++attempt) {
        focus(main);
        const ScreenBox area = desktop_->clientArea(main);
        desktop_->click(area.x + 60, area.y + kSecondRowY, 2);
        if (journalHas("LoginShown", 10s))
            break;
    }
    if (!journalHas("Login") || !logonEnded() || logins().size() != 1) {
        ADD_FAILURE() << "no single login answered by logon; the host's journal:\n"
                      << readBytes(journalPath());
        return {};
    }
    return logins()[0];
}

} // namespace vm::test
