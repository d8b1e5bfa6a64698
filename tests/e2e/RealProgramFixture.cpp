#include "e2e/RealProgramFixture.h"

#include "e2e/TwoDatabases.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <thread>

namespace vm::test {

using namespace std::chrono_literals;

namespace {

std::string programUnderTest() {
    const char* installed = std::getenv("VELMARIS_UNDER_TEST");
    return std::filesystem::canonical(installed && *installed ? installed : VELMARIS).string();
}

} // namespace

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(25ms);
    }
    return true;
}

RealProgramFixture::RealProgramFixture(bool windowManager, bool quickSwitchAtStart)
    : velmarisProgram_(programUnderTest()),
      logonProgram_((std::filesystem::path(velmarisProgram_).parent_path() / "logon").string()),
      windowManager_(windowManager), quickSwitchAtStart_(quickSwitchAtStart),
      server_(windowManager) {}

void RealProgramFixture::SetUp() {
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
    std::filesystem::permissions(dir_.file("runtime"), std::filesystem::perms::owner_all);
    for (const auto& [name, value] : env_)
        ::setenv(name.c_str(), value.c_str(), 1);
    FilePerUserStore store{std::string(schema::kApplicationName)};
    writeTwoDatabases(
        store, [this](const std::string& name) { return dir_.file(name); }, "/l/std.cly",
        quickSwitchAtStart_);
    host_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{HOST_STANDIN, dir_.file("start.dbf")}, env_, true);
    ASSERT_TRUE(hostOnTheBus());
}

void RealProgramFixture::TearDown() {
    velmaris_.reset();
    if (host_) {
        host_->signal(SIGTERM);
        host_->wait(5s);
    }
    endStartedHost();
    for (const pid_t pid : startedBy(velmarisProgram_))
        ::kill(pid, SIGTERM);
}

bool RealProgramFixture::hostOnTheBus() {
    return eventually(
        [] {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                "org.velmaris.HostStandin");
        },
        20s);
}

std::vector<pid_t> RealProgramFixture::startedBy(const std::string& program) const {
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

void RealProgramFixture::endStartedHost() {
    for (const pid_t pid : startedBy(HOST_STANDIN))
        ::kill(pid, SIGTERM);
}

void RealProgramFixture::installHostAssociation() {
    ChildProcess install({INSTALL_HOST_STANDIN, HOST_STANDIN}, env_, true);
    ASSERT_EQ(install.wait(30s), 0);
}

void RealProgramFixture::hostNotRunning() {
    host_->signal(SIGTERM);
    ASSERT_TRUE(host_->wait(5s));
    host_.reset();
    installHostAssociation();
}

bool RealProgramFixture::journalHas(const std::string& member) const {
    return eventually(
        [&] {
            return readBytes(dir_.file("journal.jsonl")).find("\"member\":\"" + member + "\"") !=
                   std::string::npos;
        },
        20s);
}

bool RealProgramFixture::logonEnded() const {
    return eventually([&] { return startedBy(logonProgram_).empty(); }, 15s);
}

std::vector<std::string> RealProgramFixture::logins() const {
    std::vector<std::string> found;
    std::istringstream journal(readBytes(dir_.file("journal.jsonl")));
    for (std::string line; std::getline(journal, line);)
        if (line.find("\"member\":\"Login\"") != std::string::npos)
            found.push_back(line);
    return found;
}

std::string RealProgramFixture::windowNamed(const std::string& title) {
    std::string id;
    const bool shown = eventually(
        [&] {
            const auto found = xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"});
            // The search lists windows from the bottom of the stack up: a
            // message box stands above the window that shares its title.
            if (found && !found->empty()) {
                const std::string ids = found->substr(0, found->find_last_not_of('\n') + 1);
                id = ids.substr(ids.find_last_of('\n') + 1);
            }
            return !id.empty();
        },
        30s);
    if (!shown)
        ADD_FAILURE() << title << " did not show";
    return id;
}

Geometry RealProgramFixture::geometryOf(const std::string& id) {
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

void RealProgramFixture::focus(const std::string& id) {
    ASSERT_TRUE(xdotool({windowManager_ ? "windowactivate" : "windowfocus", "--sync", id}));
}

void RealProgramFixture::startVelmaris() {
    // Its error output joins the standard output, where the test reads it.
    velmaris_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/bin/sh", "-c", "exec \"$0\" 2>&1", velmarisProgram_}, env_,
        true);
}

std::optional<std::string> RealProgramFixture::nextMessage(std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            until - std::chrono::steady_clock::now());
        if (left <= 0ms)
            return std::nullopt;
        std::optional<std::string> line = velmaris_->readLine(left);
        // The toolkit's own warnings share the output.
        if (!line || line->starts_with("Velmaris"))
            return line;
    }
}

bool RealProgramFixture::velmarisEnds() {
    return velmaris_->wait(30s).has_value();
}

std::optional<std::string> RealProgramFixture::xdotool(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{"xdotool"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    ChildProcess tool(command, env_, true);
    std::string out = tool.readRest(10s);
    return tool.wait(10s) == 0 ? std::optional(out) : std::nullopt;
}

} // namespace vm::test

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
