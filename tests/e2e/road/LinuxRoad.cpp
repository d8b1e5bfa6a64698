// The road fixture's side on Linux: the D-Bus stand-in host on the test's
// own session bus, the programs on a virtual X server of the test's own.
#include "e2e/TwoDatabases.h"
#include "e2e/road/RoadFixture.h"

#include "ChildProcess.h"
#include "XServer.h"
#include "host/dbus/HostBusNames.h"
#include "settings/SettingsSchema.h"
#include "support/Eventually.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

#include <csignal>
#include <filesystem>
#include <map>

namespace vm::test {

using namespace std::chrono_literals;

struct RoadFixture::System {
    explicit System(bool windowManager) : server(windowManager) {}

    // The programs of this test's own (the host, logon, Velmaris), told apart
    // from any others by their journal.
    std::vector<pid_t> startedBy(const std::string& program, const std::string& journal) const {
        std::vector<pid_t> found;
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            std::error_code error;
            if (std::filesystem::read_symlink(entry.path() / "exe", error) != program || error)
                continue;
            if (readBytes((entry.path() / "environ").string()).find(journal) != std::string::npos)
                found.push_back(std::stoi(entry.path().filename().string()));
        }
        return found;
    }

    static bool hostOnTheBus() {
        return eventually(
            [] {
                return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                    "org.velmaris.HostStandin");
            },
            20s);
    }

    XServer server;
    std::map<std::string, std::string> environment;
    std::string velmaris, logon;
    std::unique_ptr<ChildProcess> host, running;
};

std::vector<bool> windowManagers() {
    return {false, true};
}

RoadFixture::RoadFixture(Options options)
    : options_(std::move(options)), system_(std::make_unique<System>(options_.windowManager)),
      desktop_(makeDesktop(system_->server.display(), options_.windowManager)) {
    // The build's, or an installed one that the package's test names.
    const char* installed = std::getenv("VELMARIS_UNDER_TEST");
    useProgram(!options_.program.empty() ? options_.program
               : installed && *installed ? installed
                                         : VELMARIS);
}

void RoadFixture::useProgram(const std::string& velmaris) {
    system_->velmaris = std::filesystem::canonical(velmaris).string();
    system_->logon = (std::filesystem::path(system_->velmaris).parent_path() / "logon").string();
}

const std::string& RoadFixture::program() const {
    return system_->velmaris;
}

RoadFixture::~RoadFixture() = default;

std::string RoadFixture::file(const std::string& name) const {
    return dir_.file(name);
}

void RoadFixture::SetUp() {
    system_->environment = {{"DISPLAY", system_->server.display()},
                            {"XDG_CONFIG_HOME", dir_.file("config")},
                            {"XDG_DATA_HOME", dir_.file("data")},
                            {"VELMARIS_HOST_REGISTRY", dir_.file("registry.reg")},
                            {"HOST_STANDIN_JOURNAL", journalPath()},
                            {"QT_QPA_PLATFORM", "xcb"},
                            // A session of its own: tests that run at the same
                            // time are no other instance of Velmaris.
                            {"XDG_RUNTIME_DIR", dir_.file("runtime")}};
    std::filesystem::create_directories(dir_.file("runtime"));
    std::filesystem::permissions(dir_.file("runtime"), std::filesystem::perms::owner_all);
    for (const auto& [name, value] : system_->environment)
        ::setenv(name.c_str(), value.c_str(), 1);
    store_ = std::make_unique<FilePerUserStore>(std::string(schema::kApplicationName));
    writeBytes(file("std.cly"), "");
    writeTwoDatabases(
        *store_, [this](const std::string& name) { return file(name); }, file("std.cly"),
        options_.quickSwitchAtStart);
}

void RoadFixture::TearDown() {
    system_->running.reset();
    for (const std::string& program : {system_->velmaris, std::string(HOST_STANDIN)})
        for (const pid_t pid : system_->startedBy(program, journalPath()))
            ::kill(pid, SIGTERM);
    system_->host.reset();
}

void RoadFixture::startHost(const std::string& database) {
    system_->host = std::make_unique<ChildProcess>(
        std::vector<std::string>{HOST_STANDIN, file(database)}, system_->environment, true);
    ASSERT_TRUE(System::hostOnTheBus()) << "the host did not start";
}

void RoadFixture::hostStartsForDbfFiles() {
    ChildProcess install({INSTALL_HOST_STANDIN, HOST_STANDIN}, system_->environment, true);
    ASSERT_EQ(install.wait(30s), 0);
}

bool RoadFixture::firstHostEnded() {
    return system_->host->wait(20s).has_value();
}

bool RoadFixture::hostRunsNow() {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(
               "org.velmaris.HostStandin") ||
           !system_->startedBy(HOST_STANDIN, journalPath()).empty();
}

bool RoadFixture::logonRunsNow() {
    return !system_->startedBy(system_->logon, journalPath()).empty();
}

bool RoadFixture::logonEnded() {
    return eventually([&] { return !logonRunsNow(); }, 15s);
}

WindowId RoadFixture::hostFrame(const std::string& title) {
    if (!System::hostOnTheBus())
        return 0;
    WindowId frame = 0;
    waitFor(title, [&] {
        const auto windows = desktop_->windowsTitled(title, true);
        frame = windows.empty() ? 0 : windows.back();
        return frame != 0;
    });
    return frame;
}

int RoadFixture::commandPlaced(bool toolbar, int view) {
    QDBusInterface aux(hostbus::kService, hostbus::kAuxCommandsPath,
                       hostbus::kAuxCommandsInterface);
    const QDBusReply<int> reply =
        aux.call(toolbar ? "AuxCommandExistsInToolbar" : "AuxCommandExistsInToolsMenu", view,
                 QStringLiteral("Velmaris"));
    return reply.isValid() ? reply.value() : -1;
}

bool RoadFixture::runHostCommand(WindowId frame) {
    // The toolbar of Contacts holds the command at its left end, under the
    // menu bar.
    const ScreenBox at = desktop_->clientArea(frame);
    desktop_->click(at.x + 30, at.y + 40);
    return windowNamed("Velmaris") != 0;
}

RoadFixture::Args RoadFixture::typedIntoLogin(const std::string&) {
    // The host records its login's boxes when it is closed under it.
    for (const pid_t pid : system_->startedBy(HOST_STANDIN, journalPath()))
        ::kill(pid, SIGTERM);
    if (!journalHas("Login"))
        return {};
    const Args login = logins().back();
    return Args(login.begin() + 1, login.end());
}

void RoadFixture::startVelmaris() {
    // Its error output goes to a file, where the test reads its messages.
    system_->running = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/bin/sh", "-c", "exec \"$0\" 2>>\"$1\"", system_->velmaris,
                                 file("velmaris.err")},
        system_->environment, true);
}

bool RoadFixture::velmarisEnds() {
    return system_->running->wait(30s).has_value();
}

void RoadFixture::stopVelmaris() {
    system_->running->signal(SIGTERM);
}

bool RoadFixture::velmarisRuns() {
    return system_->running && !system_->running->wait(0ms).has_value();
}

} // namespace vm::test

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
