#include "e2e/road/Desktop.h"

#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>

namespace vm::test {
namespace {

using namespace std::chrono_literals;

class X11Desktop : public Desktop {
public:
    X11Desktop(const std::string& display, bool windowManager)
        : environment_{{"DISPLAY", display}}, windowManager_(windowManager) {}

    std::vector<WindowId> windowsTitled(const std::string& title, bool) override {
        // Every client of this server is the test's own.
        std::vector<WindowId> found;
        std::istringstream ids(
            xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"}).value_or(""));
        for (std::string id; std::getline(ids, id);)
            found.push_back(std::stoul(id));
        return found;
    }

    ScreenBox clientArea(WindowId window) override {
        std::map<std::string, int> values;
        std::istringstream shell(
            xdotool({"getwindowgeometry", "--shell", std::to_string(window)}).value_or(""));
        for (std::string line; std::getline(shell, line);)
            if (const auto equals = line.find('='); equals != std::string::npos)
                values[line.substr(0, equals)] = std::atoi(&line[equals + 1]);
        return {values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]};
    }

    bool isTopmost(WindowId window) override {
        return run({"xprop", "-id", std::to_string(window), "_NET_WM_STATE"})
                   .value_or("")
                   .find("_NET_WM_STATE_ABOVE") != std::string::npos;
    }

    bool focus(WindowId window) override {
        return xdotool({windowManager_ ? "windowactivate" : "windowfocus", "--sync",
                        std::to_string(window)})
            .has_value();
    }

    void click(int x, int y, int times) override {
        EXPECT_TRUE(xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click",
                             "--repeat", std::to_string(times), "1"}));
    }

    void drag(int fromX, int fromY, int toX, int toY) override {
        // A hand's pace: the window manager takes the pointer over after the press.
        const auto at = [](int value) { return std::to_string(value); };
        EXPECT_TRUE(xdotool({"mousemove",
                             "--sync",
                             at(fromX),
                             at(fromY),
                             "mousedown",
                             "1",
                             "sleep",
                             "0.3",
                             "mousemove",
                             at((fromX + toX) / 2),
                             at((fromY + toY) / 2),
                             "sleep",
                             "0.1",
                             "mousemove",
                             at(toX),
                             at(toY),
                             "sleep",
                             "0.1",
                             "mouseup",
                             "1"}));
    }

    void keys(const std::vector<std::string>& names) override {
        std::vector<std::string> arguments{"key", "--delay", "50"};
        arguments.insert(arguments.end(), names.begin(), names.end());
        EXPECT_TRUE(xdotool(arguments));
    }

    void type(const std::string& text) override { EXPECT_TRUE(xdotool({"type", text})); }

private:
    std::optional<std::string> xdotool(const std::vector<std::string>& arguments) {
        std::vector<std::string> command{"xdotool"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return run(command);
    }

    // The tool's output, or nothing when it failed.
    std::optional<std::string> run(const std::vector<std::string>& command) {
        ChildProcess tool(command, environment_, true);
        std::string out = tool.readRest(10s);
        return tool.wait(10s) == 0 ? std::optional(out) : std::nullopt;
    }

    std::map<std::string, std::string> environment_;
    bool windowManager_;
};

} // namespace

std::unique_ptr<Desktop> makeDesktop(const std::string& display, bool windowManager) {
    return std::make_unique<X11Desktop>(display, windowManager);
}

} // namespace vm::test
