// The integrate command of the real program: the command placed in the host,
// the host restarted with its database, and the command starting Velmaris.
#include "e2e/RealProgramFixture.h"

#include "host/dbus/HostBusNames.h"

#include <QDBusInterface>
#include <QDBusReply>

namespace vm::test {
namespace {

using namespace std::chrono_literals;

class IntegrateEndToEnd : public RealProgramFixture {
protected:
    IntegrateEndToEnd() : RealProgramFixture(false, false) {}

    bool keys(const std::vector<std::string>& names) {
        std::vector<std::string> arguments{"key", "--delay", "50"};
        arguments.insert(arguments.end(), names.begin(), names.end());
        return xdotool(arguments).has_value();
    }

    static int placed(const char* where, int view) {
        QDBusInterface aux(hostbus::kService, hostbus::kAuxCommandsPath,
                           hostbus::kAuxCommandsInterface);
        const QDBusReply<int> reply = aux.call(where, view, QStringLiteral("Velmaris"));
        return reply.isValid() ? reply.value() : -1;
    }
};

TEST_F(IntegrateEndToEnd, TheHostRestartsWithItsDatabaseAndItsCommandStartsVelmaris) {
    installHostAssociation();
    startVelmaris();
    // The Options menu stands third in the menu bar.
    const Geometry main = geometryOf(windowNamed("Velmaris"));
    ASSERT_TRUE(xdotool({"mousemove", "--sync", std::to_string(main.x + 100),
                         std::to_string(main.y + 8), "click", "1"}));
    ASSERT_TRUE(keys({"i"}));
    // Contacts on the toolbar (the first box, which has the focus) and
    // Groups in the Tools menu (the ninth box).
    focus(windowNamed("Integrate with ACT!"));
    ASSERT_TRUE(
        keys({"space", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "space", "Return"}));
    focus(windowNamed("Velmaris")); // do you want to re-start it now?
    ASSERT_TRUE(keys({"Return"}));

    ASSERT_TRUE(velmarisEnds());
    ASSERT_TRUE(host_->wait(20s)) << "the host was not closed";
    ASSERT_TRUE(hostOnTheBus()) << "the host did not come back";
    const std::string frame = windowNamed("Host Stand-in - Start");
    EXPECT_EQ(placed("AuxCommandExistsInToolbar", 1), 1);
    EXPECT_EQ(placed("AuxCommandExistsInToolsMenu", 3), 1);
    EXPECT_EQ(placed("AuxCommandExistsInToolbar", 3), 0);

    // The host opens on Contacts, whose toolbar holds the command at its
    // left end, under the menu bar.
    const Geometry at = geometryOf(frame);
    ASSERT_TRUE(xdotool({"mousemove", "--sync", std::to_string(at.x + 30),
                         std::to_string(at.y + 40), "click", "1"}));
    EXPECT_TRUE(eventually([&] { return !startedBy(velmarisProgram_).empty(); }, 20s))
        << "the host's command did not start Velmaris";
    windowNamed("Velmaris");
}

} // namespace
} // namespace vm::test
