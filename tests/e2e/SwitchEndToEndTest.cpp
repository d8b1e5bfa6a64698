#include "SwitchFixture.h"

#include "XServer.h"
#include "support/Eventually.h"

#include "settings/SettingsSchema.h"

#include <QApplication>
#include <QJsonArray>

#include <csignal>
#include <thread>

using namespace vm;
using namespace vm::test;
using namespace std::chrono_literals;

namespace {

XServer* gServer = nullptr;

} // namespace

const std::string& vm::test::testDisplay() {
    return gServer->display();
}

TEST_F(SwitchTest, OpensTheDatabaseInEachViewWithItsOwnSettingsAndLogon) {
    const std::vector<std::pair<int, int>> hostViews = {{1, 0},   {2, 0},   {3, 0},  {4, 0},
                                                        {5, 300}, {5, 301}, {5, 302}};
    for (int view = 0; view < 7; ++view) {
        SCOPED_TRACE("view " + std::to_string(view));
        openInVelmaris("Sales", view);
        ASSERT_TRUE(velmarisEnded()) << (prompter.asked.empty() ? "" : prompter.asked[0].text);
        ASSERT_TRUE(logonEnded(5s));

        const auto creates = journal("Create");
        ASSERT_EQ(creates.size(), size_t(view + 1));
        EXPECT_EQ(args(creates.back()), QStringList({QString::number(hostViews[view].first), "V"}));
        const auto modes = journal("SetCalendarMode");
        if (hostViews[view].second) {
            ASSERT_FALSE(modes.empty());
            EXPECT_EQ(args(modes.back()), QStringList(QString::number(hostViews[view].second)));
        }
        EXPECT_EQ(lastArgs(journal("Login")),
                  QStringList({QString::fromStdString(file("sales.dbf")), "Alice", "wonderland"}));
    }
    EXPECT_EQ(lastArgs(journal("openDB")), QStringList(QString::fromStdString(file("sales.dbf"))));
    EXPECT_EQ(lastArgs(journal("RunMacro")),
              QStringList(QString::fromStdString(file("welcome.mpr"))));
    // The database's layouts were set for the opening, then the host's own
    // (empty here) were put back.
    const auto layouts = journal("SetDefaultContactLayout");
    ASSERT_GE(layouts.size(), 2u);
    EXPECT_EQ(args(layouts[0]), QStringList(QString::fromStdString(file("sales.cly"))));
    EXPECT_EQ(args(layouts[1]), QStringList(""));
    for (const schema::FileType& type : schema::kFileTypes)
        EXPECT_EQ(registryValue(std::string(schema::kHostKey), schema::fileTypeValueName(type)),
                  file("loc" + std::to_string(type.index)));
    EXPECT_EQ(store->GetSetting("Logon", "Username"), "Alice");
    EXPECT_EQ(store->GetSetting("Logon", "UsePassword"), "1");
    EXPECT_EQ(store->GetSetting("Settings", "Last Username"), "Alice");
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(SwitchTest, TheHostsDefaultsStayWhenItOpensTheLastDatabaseAtItsStart) {
    EXPECT_TRUE(RegistryFile(file("registry.reg"))
                    .setValue(schema::kHostDatabaseKey, schema::kHostUseLastDb, std::uint32_t{1}));
    stopHost();
    startHost();
    openInVelmaris("Sales", 0);
    ASSERT_TRUE(velmarisEnded());
    EXPECT_EQ(journal("SetDefaultContactLayout").size(), 1u);
}

TEST_F(SwitchTest, WithoutUsePasswordOnlyTheNameIsTyped) {
    giveLogon("Support", "Carol", "helpdesk", false);
    // The login window waits for its user; the host is closed under it once
    // logon is done, which makes the opening fail.
    std::thread closer([this] {
        // logon starts before the host is asked to open the database.
        eventually([&] { return !journal("LoginShown").empty(); }, 30s);
        logonEnded(10s);
        stopHost();
    });
    openInVelmaris("Support", 0);
    closer.join();
    EXPECT_EQ(lastArgs(journal("Login")),
              QStringList({QString::fromStdString(file("support.dbf")), "Carol", ""}));
    const auto logins = journal("Login");
    ASSERT_FALSE(logins.empty());
    EXPECT_TRUE(logins.back().contains("error"));
    // The opening failed; the host's closing then ends Velmaris too.
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, lang[106]);
}

TEST_F(SwitchTest, AWrongPasswordIsRefusedAndVelmarisSaysSo) {
    giveLogon("Sales", "Alice", "not-her-password", true);
    openInVelmaris("Sales", 0);
    EXPECT_FALSE(velmarisEnded());
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, lang[106]);
    EXPECT_EQ(lastArgs(journal("Login")).value(2), "not-her-password");
}

TEST_F(SwitchTest, ADatabaseWithoutUsersOpensAndLogonGivesUpByItself) {
    giveLogon("Contacts", "Admin", "", false);
    openInVelmaris("Contacts", 0);
    ASSERT_TRUE(velmarisEnded());
    EXPECT_TRUE(journal("Login").empty());
    EXPECT_FALSE(logonEnded(1s)); // still waiting for a login window
    EXPECT_TRUE(logonEnded(9s));
}

TEST_F(SwitchTest, ALoginWindowOfAnotherProgramGetsNothing) {
    ChildProcess decoy(
        {LOGIN_WINDOW_DEMO, "--class", "OtherProgram", "--title", "Login to Sales Team"},
        {{"QT_QPA_PLATFORM", "xcb"}}, true);
    ASSERT_EQ(decoy.readLine(10s), std::optional<std::string>("shown"));
    openInVelmaris("Sales", 0);
    ASSERT_TRUE(velmarisEnded());
    EXPECT_EQ(lastArgs(journal("Login")).value(1), "Alice");
    decoy.closeInput();
    const std::string fields = decoy.readRest(5s);
    EXPECT_NE(fields.find("name=old-name\npassword=old-pass\n"), std::string::npos) << fields;
}

TEST_F(SwitchTest, NonAsciiLogonUnderTheCLocaleAndAGermanKeyboard) {
    const std::string name = "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m";
    const std::string password = "p\xC3\xA4sswörd\xE2\x82\xAC +%^~{}";
    ::setenv("LANG", "C", 1);
    ::setenv("LC_ALL", "C", 1);
    openInVelmaris("International", 0);
    ASSERT_TRUE(velmarisEnded());
    EXPECT_EQ(lastArgs(journal("Login")).mid(1),
              QStringList({QString::fromStdString(name), QString::fromStdString(password)}));
    ::unsetenv("LC_ALL");
    ::unsetenv("LANG");
    ASSERT_TRUE(logonEnded(5s));

    ASSERT_EQ(std::system(("setxkbmap -display " + testDisplay() + " de").c_str()), 0);
    openInVelmaris("International", 0);
    EXPECT_EQ(std::system(("setxkbmap -display " + testDisplay() + " us").c_str()), 0);
    ASSERT_TRUE(velmarisEnded());
    EXPECT_EQ(lastArgs(journal("Login")).mid(1),
              QStringList({QString::fromStdString(name), QString::fromStdString(password)}));
}

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    XServer server;
    gServer = &server;
    ::setenv("DISPLAY", server.display().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
