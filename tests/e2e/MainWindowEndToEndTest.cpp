// The main window of the real program, as a user starts it from the desktop:
// the list shows and a switch logs the database's user on. The package test
// runs it against the installed program.
#include "e2e/RealProgramFixture.h"

namespace vm::test {
namespace {

class MainWindowEndToEnd : public RealProgramFixture {
protected:
    MainWindowEndToEnd() : RealProgramFixture(false, false) {}
};

TEST_F(MainWindowEndToEnd, EnterOpensTheFirstDatabaseWithItsUserLoggedOn) {
    startVelmaris();
    focus(windowNamed("Velmaris"));
    ASSERT_TRUE(xdotool({"key", "Return"}));
    ASSERT_TRUE(journalHas("Login"));
    ASSERT_TRUE(logonEnded());
    ASSERT_EQ(logins().size(), 1u);
    EXPECT_NE(logins()[0].find(dir_.file("sales.dbf") + "\",\"Alice\",\"wonderland\""),
              std::string::npos)
        << logins()[0];
}

} // namespace
} // namespace vm::test
