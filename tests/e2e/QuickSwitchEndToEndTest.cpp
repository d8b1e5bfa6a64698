// The QuickSwitch window of the real program, at start-up, with and without a
// window manager: pointer and keys come from the X server, as a user's do.
#include "ChildProcess.h"
#include "TestSupport.h"
#include "XServer.h"

#include "cipher/modEnCrypt.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>

namespace vm::test {
namespace {

using namespace std::chrono_literals;

// Polls the condition until it holds or the time is up; true when it held.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(25ms);
    }
    return true;
}

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

class QuickSwitchEndToEnd : public ::testing::TestWithParam<bool> {
protected:
    QuickSwitchEndToEnd() : server_(GetParam()) {}

    void SetUp() override {
        env_ = {{"DISPLAY", server_.display()},
                {"XDG_CONFIG_HOME", dir_.file("config")},
                {"XDG_DATA_HOME", dir_.file("data")},
                {"VELMARIS_HOST_REGISTRY", dir_.file("registry.reg")},
                {"HOST_STANDIN_JOURNAL", dir_.file("journal.jsonl")},
                {"QT_QPA_PLATFORM", "xcb"},
                // A session of its own: tests that run at the same time are
                // no other instance of Velmaris.
                {"XDG_RUNTIME_DIR", dir_.file("runtime")}};
        std::filesystem::create_directories(dir_.file("runtime"));
        for (const auto& [name, value] : env_)
            ::setenv(name.c_str(), value.c_str(), 1);
        writeBytes(dir_.file("start.dbf"), "[Database]\nName=Start\n");
        writeBytes(dir_.file("sales.dbf"),
                   "[Database]\nName=Sales Team\n[Users]\nAlice=wonderland\n");
        writeBytes(dir_.file("support.dbf"), "[Database]\nName=Support Desk\n[Users]\nCarol=x\n");
        writeBytes(dir_.file("Velmaris.ini"),
                   "[General]\r\nSort=Sales;Support\r\nQuickSwitchStartup=1\r\n"
                   "QuickSwitch=Sales;Support;;;;;;\r\n[Sales]\r\nPath=" +
                       dir_.file("sales.dbf") + "\r\nCLY=/l/std.cly\r\n[Support]\r\nPath=" +
                       dir_.file("support.dbf") + "\r\nCLY=/l/std.cly\r\n");
        FilePerUserStore store{std::string(schema::kApplicationName)};
        const std::string key(modEnCrypt::kCipherKey);
        for (const auto& [section, name, value] :
             std::vector<std::tuple<std::string, std::string, std::string>>{
                 {"Settings", "IniLocation", dir_.file("Velmaris.ini")},
                 {"Settings", "Installed", "1"},
                 {"Settings", "Version", schema::programVersionText()},
                 {"Sales", "Username", "Alice"},
                 {"Sales", "UsePassword", "1"},
                 {"Sales", "Password", modEnCrypt::EncryptText("wonderland", key)},
                 {"Support", "Username", "Carol"},
                 {"Support", "UsePassword", "1"},
                 {"Support", "Password", modEnCrypt::EncryptText("x", key)}})
            ASSERT_TRUE(store.SaveSetting(section, name, value));
        host_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{HOST_STANDIN, dir_.file("start.dbf")}, env_, true);
        ASSERT_TRUE(hostOnTheBus());
    }

    void TearDown() override {
        velmaris_.reset();
        if (host_) {
            host_->signal(SIGTERM);
            host_->wait(5s);
        }
        endStartedHost();
    }

    static bool hostOnTheBus() {
        return eventually(
            [] {
                return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                    "org.velmaris.HostStandin");
            },
            20s);
    }

    // The programs of this test's own that Velmaris started (the host, logon),
    // told apart from any others by the journal they were given.
    std::vector<pid_t> startedBy(const std::string& program) const {
        std::vector<pid_t> found;
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            std::error_code error;
            if (std::filesystem::read_symlink(entry.path() / "exe", error) != program || error)
                continue;
            if (readBytes((entry.path() / "environ").string()).find(dir_.file("journal.jsonl")) !=
                std::string::npos)
                found.push_back(std::stoi(entry.path().filename().string()));
        }
        return found;
    }

    void endStartedHost() {
        for (const pid_t pid : startedBy(HOST_STANDIN))
            ::kill(pid, SIGTERM);
    }

    // Velmaris starts the host itself: it finds it through the desktop's
    // association of .dbf files.
    void hostNotRunning() {
        host_->signal(SIGTERM);
        ASSERT_TRUE(host_->wait(5s));
        host_.reset();
        ChildProcess install({INSTALL_HOST_STANDIN, HOST_STANDIN}, env_, true);
        ASSERT_EQ(install.wait(30s), 0);
    }

    bool journalHas(const std::string& member) const {
        return eventually(
            [&] {
                return readBytes(dir_.file("journal.jsonl"))
                           .find("\"member\":\"" + member + "\"") != std::string::npos;
            },
            20s);
    }

    bool logonEnded() const {
        return eventually([&] { return startedBy(LOGON).empty(); }, 15s);
    }

    void clickTile(const Geometry& at, int button) {
        const int column = (button - 1) / 2, row = (button - 1) % 2;
        ASSERT_TRUE(xdotool({"mousemove", "--sync", std::to_string(at.x + 4 + column * 76 + 38),
                             std::to_string(at.y + 4 + row * 76 + 38), "click", "1"}));
    }

    // The window titled so once it shows.
    std::string windowNamed(const std::string& title) {
        std::string id;
        const bool shown = eventually(
            [&] {
                const auto found =
                    xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"});
                if (found)
                    id = found->substr(0, found->find('\n'));
                return !id.empty();
            },
            30s);
        if (!shown)
            ADD_FAILURE() << title << " did not show";
        return id;
    }

    void startVelmaris() {
        velmaris_ = std::make_unique<ChildProcess>(std::vector<std::string>{VELMARIS}, env_, true);
    }
    bool velmarisEnds() { return velmaris_->wait(30s).has_value(); }

    // xdotool's answer, or nothing when it failed.
    std::optional<std::string> xdotool(const std::vector<std::string>& arguments) {
        std::vector<std::string> command{"xdotool"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        ChildProcess tool(command, env_, true);
        std::string out = tool.readRest(10s);
        return tool.wait(10s) == 0 ? std::optional(out) : std::nullopt;
    }

    // The QuickSwitch window once it shows, and where it stands.
    std::pair<std::string, Geometry> quickSwitchWindow() {
        const std::string id = windowNamed("QuickSwitch");
        return {id, id.empty() ? Geometry() : geometryOf(id)};
    }

    Geometry geometryOf(const std::string& id) {
        Geometry g;
        std::istringstream shell(xdotool({"getwindowgeometry", "--shell", id}).value_or(""));
        for (std::string line; std::getline(shell, line);) {
            const auto equals = line.find('=');
            if (equals == std::string::npos)
                continue;
            const int value = std::atoi(line.c_str() + equals + 1);
            const std::string name = line.substr(0, equals);
            (name == "X"       ? g.x
             : name == "Y"     ? g.y
             : name == "WIDTH" ? g.width
                               : g.height) = name == "SCREEN" || name == "WINDOW" ? 0 : value;
        }
        return g;
    }

    void focus(const std::string& id) {
        ASSERT_TRUE(xdotool({GetParam() ? "windowactivate" : "windowfocus", "--sync", id}));
    }

    std::vector<std::string> logins() const {
        std::vector<std::string> found;
        std::istringstream journal(readBytes(dir_.file("journal.jsonl")));
        for (std::string line; std::getline(journal, line);)
            if (line.find("\"member\":\"Login\"") != std::string::npos)
                found.push_back(line);
        return found;
    }

    XServer server_;
    TempDir dir_;
    std::map<std::string, std::string> env_;
    std::unique_ptr<ChildProcess> host_;
    std::unique_ptr<ChildProcess> velmaris_;
};

TEST_P(QuickSwitchEndToEnd, ATileClickOpensItsDatabaseWithTheUserLoggedOn) {
    startVelmaris();
    clickTile(quickSwitchWindow().second, 1);
    ASSERT_TRUE(velmarisEnds());
    eventually([&] { return !logins().empty(); }, 15s);
    ASSERT_EQ(logins().size(), 1u);
    EXPECT_NE(logins()[0].find("\"Alice\",\"wonderland\""), std::string::npos) << logins()[0];
}

TEST_P(QuickSwitchEndToEnd, TheDigitTwoOpensTheSecondTile) {
    startVelmaris();
    const std::string id = quickSwitchWindow().first;
    focus(id);
    ASSERT_TRUE(xdotool({"key", "2"}));
    ASSERT_TRUE(velmarisEnds());
    ASSERT_TRUE(eventually([&] { return !logins().empty(); }, 15s));
    EXPECT_NE(logins()[0].find(dir_.file("support.dbf")), std::string::npos) << logins()[0];
}

TEST_P(QuickSwitchEndToEnd, TheStripDragsTheWindowAndTheNextStartOpensItThere) {
    startVelmaris();
    const auto [id, before] = quickSwitchWindow();
    // Below the menu box on the strip at the right edge.
    const int sx = before.x + before.width - 4 - 6, sy = before.y + 60;
    // A hand's pace: the window manager takes the pointer over after the press.
    const auto to = [](int value) { return std::to_string(value); };
    ASSERT_TRUE(xdotool({"mousemove", "--sync", to(sx), to(sy),      "mousedown",
                         "1",         "sleep",  "0.3",  "mousemove", to(sx + 60),
                         to(sy + 40), "sleep",  "0.1",  "mousemove", to(sx + 120),
                         to(sy + 80), "sleep",  "0.1",  "mouseup",   "1"}));
    Geometry moved;
    eventually(
        [&] {
            moved = geometryOf(id);
            return moved.x != before.x && moved.y != before.y;
        },
        10s);
    ASSERT_NE(moved.x, before.x);
    focus(id);
    ASSERT_TRUE(xdotool({"key", "Escape"}));
    ASSERT_TRUE(velmarisEnds());

    startVelmaris();
    const Geometry again = quickSwitchWindow().second;
    EXPECT_EQ(again.x, moved.x);
    EXPECT_EQ(again.y, moved.y);
    focus(quickSwitchWindow().first);
    ASSERT_TRUE(xdotool({"key", "Escape"}));
    EXPECT_TRUE(velmarisEnds());
}

TEST_P(QuickSwitchEndToEnd, WithTheHostClosedATileStartsItWithTheDatabaseAndTheUser) {
    FilePerUserStore store{std::string(schema::kApplicationName)};
    ASSERT_TRUE(store.SaveSetting("Sales", "NoPasswordAtACTStartup", "1"));
    hostNotRunning();
    startVelmaris();
    clickTile(quickSwitchWindow().second, 1);
    ASSERT_TRUE(velmarisEnds());
    ASSERT_TRUE(hostOnTheBus()) << "the host was not started";
    ASSERT_TRUE(journalHas("LoginShown"));
    ASSERT_TRUE(logonEnded());
    endStartedHost(); // the login waits for the password the user types
    ASSERT_TRUE(journalHas("Login"));
    ASSERT_EQ(logins().size(), 1u);
    EXPECT_NE(logins()[0].find(dir_.file("sales.dbf") + "\",\"Alice\",\"\""), std::string::npos)
        << logins()[0]; // Opened from the registry's start-up values, with the database's layout.
    ASSERT_TRUE(journalHas("StartUp"));
    const std::string journal = readBytes(dir_.file("journal.jsonl"));
    EXPECT_NE(journal.find("[\"" + dir_.file("sales.dbf") + "\",\"/l/std.cly\""), std::string::npos)
        << journal;
}

TEST_P(QuickSwitchEndToEnd, CancellingTheFirstTimeDialogStartsNothing) {
    FilePerUserStore store{std::string(schema::kApplicationName)};
    ASSERT_TRUE(store.DeleteSetting("Support"));
    hostNotRunning();
    startVelmaris();
    clickTile(quickSwitchWindow().second, 2);
    focus(windowNamed("Velmaris"));
    ASSERT_TRUE(xdotool({"key", "Return"}));
    focus(windowNamed("Properties: Support"));
    ASSERT_TRUE(xdotool({"key", "Escape"}));
    ASSERT_TRUE(velmarisEnds());
    EXPECT_FALSE(
        QDBusConnection::sessionBus().interface()->isServiceRegistered("org.velmaris.HostStandin"));
    EXPECT_TRUE(startedBy(HOST_STANDIN).empty());
    EXPECT_TRUE(startedBy(LOGON).empty());
}

TEST_P(QuickSwitchEndToEnd, ADatabaseWithoutUserAsksForOneBeforeTheHostStarts) {
    FilePerUserStore store{std::string(schema::kApplicationName)};
    ASSERT_TRUE(store.DeleteSetting("Support"));
    hostNotRunning();
    startVelmaris();
    clickTile(quickSwitchWindow().second, 2);
    focus(windowNamed("Velmaris")); // the first-time message
    ASSERT_TRUE(xdotool({"key", "Return"}));
    focus(windowNamed("Properties: Support"));
    ASSERT_TRUE(xdotool({"type", "Carol"}));
    ASSERT_TRUE(xdotool({"key", "Return"}));
    ASSERT_TRUE(velmarisEnds());
    EXPECT_EQ(store.GetSetting("Support", "Username"), "Carol");
    ASSERT_TRUE(hostOnTheBus()) << "the host was not started";
    ASSERT_TRUE(journalHas("Login"));
    EXPECT_NE(logins()[0].find("\"Carol\""), std::string::npos) << logins()[0];
}

INSTANTIATE_TEST_SUITE_P(WindowManager, QuickSwitchEndToEnd, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Openbox" : "Bare"; });

} // namespace
} // namespace vm::test

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
