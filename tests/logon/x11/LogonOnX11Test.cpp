// The logon program against real windows on a virtual X server.
#include "ChildProcess.h"
#include "KeyboardState.h"
#include "TestSupport.h"
#include "XServer.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"
#include "settings/Windows1252.h"
#include "support/SettingsBuilders.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <sys/wait.h>

namespace vm::test {
namespace {

using namespace std::chrono_literals;
using Fields = std::map<std::string, std::string>;
using Environment = std::map<std::string, std::string>;
using Options = std::vector<std::string>;

class LogonOnX11 : public ::testing::Test {
protected:
    explicit LogonOnX11(bool withWindowManager = false) : server_(withWindowManager) {}

    void handOver(const std::string& username, const std::string& password, bool usePassword) {
        FilePerUserStore store{std::string(schema::kApplicationName)};
        EXPECT_TRUE(
            handOverLogon(store, username, windows1252::fromUtf8(password).value(), usePassword));
    }

    std::unique_ptr<ChildProcess> startHost(const Options& options = {}) {
        Options arguments{LOGIN_WINDOW_DEMO};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return std::make_unique<ChildProcess>(arguments, environment(), true);
    }

    std::unique_ptr<ChildProcess> showHost(const Options& options = {}) {
        auto host = startHost(options);
        EXPECT_EQ(host->readLine(10s), "shown");
        return host;
    }

    // Runs logon to its end and gives its exit status.
    int runLogon(const Environment& extraEnvironment = {}) {
        Environment env = environment();
        env.insert(extraEnvironment.begin(), extraEnvironment.end());
        ChildProcess logon({LOGON_PROGRAM}, env);
        const std::optional<int> status = logon.wait(15s);
        EXPECT_TRUE(status) << "logon did not end";
        return status.value_or(-1);
    }

    // Hands the name and password over, answers the login window (after
    // another window has taken the focus from it, when asked) and checks
    // that both arrived as themselves and that the keyboard is as it was.
    Fields expectTypedAsThemselves(const std::string& name, const std::string& password,
                                   bool focusStolenFirst = false, const Environment& env = {}) {
        handOver(name, password, true);
        const KeyboardState before = keyboardState(server_.display());
        auto host = showHost(focusStolenFirst ? Options{"--focus-thief"} : Options{});
        if (focusStolenFirst) {
            EXPECT_EQ(host->readLine(10s), "stolen");
        }
        EXPECT_EQ(runLogon(env), 0);
        const Fields fields = fieldsOf(*host);
        expectAnswered(fields, name, password);
        EXPECT_EQ(changes(before, keyboardState(server_.display())), "");
        return fields;
    }

    static Fields fieldsOf(ChildProcess& host) {
        host.closeInput();
        Fields fields;
        std::istringstream lines(host.readRest(10s));
        for (std::string line; std::getline(lines, line);) {
            if (const auto equals = line.find('='); equals != std::string::npos)
                fields[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return fields;
    }

    static void expectAnswered(const Fields& fields, const std::string& name,
                               const std::string& password) {
        EXPECT_EQ(fields.at("name"), name);
        EXPECT_EQ(fields.at("password"), password);
        EXPECT_EQ(fields.at("accepted"), "1");
    }

    static void expectUntouched(const Fields& fields) {
        EXPECT_EQ(fields.at("name"), "old-name");
        EXPECT_EQ(fields.at("password"), "old-pass");
        EXPECT_EQ(fields.at("accepted"), "0");
    }

    Environment environment() const {
        return {{"DISPLAY", server_.display()}, {"XDG_CONFIG_HOME", config_.path().string()}};
    }

    XServer server_;
    TempDir config_;
    // Where the hand-over is written, as logon reads it.
    ScopedEnvironment configHome_{"XDG_CONFIG_HOME", config_.path().string()};
};

class LogonUnderAWindowManager : public LogonOnX11 {
protected:
    LogonUnderAWindowManager() : LogonOnX11(true) {}
};

TEST_F(LogonOnX11, AnswersTheLoginWindowWithNameAndPasswordAndLeavesTheKeyboardAsItWas) {
    expectTypedAsThemselves("jdoe", "Secret 42");
}

// How soon it answers is a figure of bench/switch-bench.sh.
TEST_F(LogonOnX11, AnswersALoginWindowThatShowsOnlyLater) {
    handOver("jdoe", "pw", true);
    auto host = startHost({"--show-after", "1000"});
    EXPECT_EQ(runLogon(), 0);
    expectAnswered(fieldsOf(*host), "jdoe", "pw");
}

TEST_F(LogonOnX11, TypesKeyCodeCharactersAndCharactersMissingFromTheLayoutLiterally) {
    expectTypedAsThemselves("+%^~{}[]() é€Ж", "Ä+%^~{}é€");
}

TEST_F(LogonOnX11, TypesMoreMissingCharactersThanTheKeyboardHasSpareKeys) {
    // Every letter of the Russian alphabet; a US keyboard has 19 spare keys.
    expectTypedAsThemselves("Съешь же ещё этих мягких французских булок, да выпей чаю", "pw");
}

TEST_F(LogonOnX11, TypesLettersInTheirOwnCaseWithCapsLockOnAndLeavesItOn) {
    lockCapsLock(server_.display());
    expectTypedAsThemselves("aB é€Ж", "xY äÄ");
}

TEST_F(LogonOnX11, TypesEveryCharacterUnderTheCLocale) {
    expectTypedAsThemselves("Жé€Ä~", "Äé€ß", false, {{"LANG", "C"}, {"LC_ALL", "C"}});
}

TEST_F(LogonOnX11, TypesWithAGermanLayoutAndGivesItsKeysBack) {
    ChildProcess layout({"setxkbmap", "-display", server_.display(), "de"});
    ASSERT_EQ(layout.wait(10s), 0);
    expectTypedAsThemselves("yz@€Ä^~{}\\|", "Zy@€ä°^");
}

TEST_F(LogonOnX11, WithoutUsePasswordTypesOnlyTheNameAndLeavesThePasswordToTheUser) {
    handOver("jdoe", "never typed", false);
    auto host = showHost();
    EXPECT_EQ(runLogon(), 0);
    const Fields fields = fieldsOf(*host);
    EXPECT_EQ(fields.at("name"), "jdoe");
    EXPECT_EQ(fields.at("password"), "");
    EXPECT_EQ(fields.at("accepted"), "0");
}

TEST_F(LogonOnX11, ALoginWindowOwnedByAnotherProgramsFrameReceivesNothing) {
    handOver("jdoe", "pw", true);
    auto host = showHost();
    // The decoy shows last and so has the focus.
    auto decoy = showHost({"--class", "OtherFrameClass"});
    EXPECT_EQ(runLogon(), 0);
    expectUntouched(fieldsOf(*decoy));
    expectAnswered(fieldsOf(*host), "jdoe", "pw");
}

TEST_F(LogonOnX11, ALoginWindowOfAnotherProgramClaimingTheHostsFrameReceivesNothing) {
    handOver("jdoe", "pw", true);
    auto host = startHost({"--tell-frame"});
    const std::string frame = host->readLine(10s).value_or("frame=");
    ASSERT_EQ(host->readLine(10s), "shown");
    auto decoy = showHost({"--class", "OtherFrameClass", "--claim-frame", frame.substr(6)});
    EXPECT_EQ(runLogon(), 0);
    expectUntouched(fieldsOf(*decoy));
    expectAnswered(fieldsOf(*host), "jdoe", "pw");
}

TEST_F(LogonOnX11, BringsTheFocusBackToTheLoginWindowBeforeTyping) {
    EXPECT_EQ(expectTypedAsThemselves("jdoe", "pw", true).at("thief"), "");
}

TEST_F(LogonOnX11, StopsTypingWhenTheFocusLeavesTheLoginWindow) {
    handOver("jdoe", "pw", true);
    auto host = showHost({"--steal-on-first-key"});
    EXPECT_EQ(runLogon(), 0);
    const Fields fields = fieldsOf(*host);
    EXPECT_EQ(fields.at("password"), "old-pass");
    EXPECT_EQ(fields.at("accepted"), "0");
    EXPECT_EQ(fields.at("thief").find("pw"), std::string::npos);
}

TEST_F(LogonOnX11, GivesBorrowedKeysBackAndReleasesModifiersWhenStoppedBySignal) {
    handOver("ЖÄ", "", false);
    const KeyboardState before = keyboardState(server_.display());
    auto host = showHost();
    ChildProcess logon({LOGON_PROGRAM}, environment());
    // Keys stay lent until a moment after the last keystroke.
    ASSERT_EQ(host->readLine(10s), "typing");
    logon.signal(SIGTERM);
    const std::optional<int> status = logon.wait(5s);
    ASSERT_TRUE(status);
    EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == SIGTERM);
    EXPECT_EQ(changes(before, keyboardState(server_.display())), "");
}

TEST_F(LogonUnderAWindowManager, FindsTheReparentedLoginWindowAndActivatesItThroughTheManager) {
    EXPECT_EQ(expectTypedAsThemselves("jdoe", "Ä€", true).at("thief"), "");
}

} // namespace
} // namespace vm::test
