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

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <sys/wait.h>

namespace vm::test {
namespace {

using namespace std::chrono_literals;
using Fields = std::map<std::string, std::string>;

class LogonOnX11 : public ::testing::Test {
protected:
    explicit LogonOnX11(bool withWindowManager = false) : server_(withWindowManager) {
        setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
    }

    void handOver(const std::string& username, const std::string& password, bool usePassword) {
        FilePerUserStore store{std::string(schema::kApplicationName)};
        EXPECT_TRUE(
            handOverLogon(store, username, windows1252::fromUtf8(password).value(), usePassword));
    }

    std::unique_ptr<ChildProcess> startHost(const std::vector<std::string>& options = {}) {
        std::vector<std::string> arguments{LOGIN_WINDOW_DEMO};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return std::make_unique<ChildProcess>(arguments, environment(), true);
    }

    std::unique_ptr<ChildProcess> showHost(const std::vector<std::string>& options = {}) {
        auto host = startHost(options);
        EXPECT_EQ(host->readLine(10s), "shown");
        return host;
    }

    // Runs logon to its end and gives its exit status.
    int runLogon(const std::map<std::string, std::string>& extraEnvironment = {}) {
        std::map<std::string, std::string> env = environment();
        env.insert(extraEnvironment.begin(), extraEnvironment.end());
        ChildProcess logon({LOGON_PROGRAM}, env);
        const std::optional<int> status = logon.wait(15s);
        EXPECT_TRUE(status) << "logon did not end";
        return status.value_or(-1);
    }

    static Fields fieldsOf(ChildProcess& host) {
        host.closeInput();
        Fields fields;
        std::string text = host.readRest(10s);
        for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1) {
            const std::string line = text.substr(start, end - start);
            const auto equals = line.find('=');
            if (equals != std::string::npos)
                fields[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return fields;
    }

    std::map<std::string, std::string> environment() const {
        return {{"DISPLAY", server_.display()}, {"XDG_CONFIG_HOME", config_.path().string()}};
    }

    XServer server_;
    TempDir config_;
};

class LogonUnderAWindowManager : public LogonOnX11 {
protected:
    LogonUnderAWindowManager() : LogonOnX11(true) {}
};

void expectAnswered(const Fields& fields, const std::string& name, const std::string& password) {
    EXPECT_EQ(fields.at("name"), name);
    EXPECT_EQ(fields.at("password"), password);
    EXPECT_EQ(fields.at("accepted"), "1");
}

TEST_F(LogonOnX11, AnswersTheLoginWindowWithNameAndPasswordAndLeavesTheKeyboardAsItWas) {
    handOver("jdoe", "Secret 42", true);
    const KeyboardState before = keyboardState(server_.display());
    auto host = showHost();
    EXPECT_EQ(runLogon(), 0);
    expectAnswered(fieldsOf(*host), "jdoe", "Secret 42");
    EXPECT_EQ(changes(before, keyboardState(server_.display())), "");
}

// How soon it answers is a figure of bench/switch-bench.sh.
TEST_F(LogonOnX11, AnswersALoginWindowThatShowsOnlyLater) {
    handOver("jdoe", "pw", true);
    auto host = startHost({"--show-after", "1000"});
    EXPECT_EQ(runLogon(), 0);
    expectAnswered(fieldsOf(*host), "jdoe", "pw");
}

TEST_F(LogonOnX11, TypesKeyCodeCharactersAndCharactersMissingFromTheLayoutLiterally) {
    handOver("+%^~{}[]() é€Ж", "Ä+%^~{}é€", true);
    const KeyboardState before = keyboardState(server_.display());
    auto host = showHost();
    EXPECT_EQ(runLogon(), 0);
    expectAnswered(fieldsOf(*host), "+%^~{}[]() é€Ж", "Ä+%^~{}é€");
    EXPECT_EQ(changes(before, keyboardState(server_.display())), "");
}

TEST_F(LogonOnX11, TypesMoreMissingCharactersThanTheKeyboardHasSpareKeys) {
    // Every letter of the Russian alphabet; a US keyboard has 19 spare keys.
    const std::string pangram = "Съешь же ещё этих мягких французских булок, да выпей чаю";
    handOver(pangram, "pw", true);
    const KeyboardState before = keyboardState(server_.display());
    auto host = showHost();
    EXPECT_EQ(runLogon(), 0);
    expectAnswered(fieldsOf(*host), pangram, "pw");
    EXPECT_EQ(changes(before, keyboardState(server_.display())), "");
}

TEST_F(LogonOnX11, TypesLettersInTheirOwnCaseWithCapsLockOnAndLeavesItOn) {
    lockCapsLock(server_.display());
    handOver("aB é€Ж", "xY äÄ", true);
    const KeyboardState before = keyboardState(server_.display());
    auto host = showHost();
    EXPECT_EQ(runLogon(), 0);
    expectAnswered(fieldsOf(*host), "aB é€Ж", "xY äÄ");
    EXPECT_EQ(changes(before, keyboardState(server_.display())), "");
}

TEST_F(LogonOnX11, TypesEveryCharacterUnderTheCLocale) {
    handOver("Жé€Ä~", "Äé€ß", true);
    auto host = showHost();
    EXPECT_EQ(runLogon({{"LANG", "C"}, {"LC_ALL", "C"}}), 0);
    expectAnswered(fieldsOf(*host), "Жé€Ä~", "Äé€ß");
}

TEST_F(LogonOnX11, TypesWithAGermanLayoutAndGivesItsKeysBack) {
    ChildProcess layout({"setxkbmap", "-display", server_.display(), "de"});
    ASSERT_EQ(layout.wait(10s), 0);
    handOver("yz@€Ä^~{}\\|", "Zy@€ä°^", true);
    const KeyboardState before = keyboardState(server_.display());
    auto host = showHost();
    EXPECT_EQ(runLogon(), 0);
    expectAnswered(fieldsOf(*host), "yz@€Ä^~{}\\|", "Zy@€ä°^");
    EXPECT_EQ(changes(before, keyboardState(server_.display())), "");
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
    const Fields decoyFields = fieldsOf(*decoy);
    EXPECT_EQ(decoyFields.at("name"), "old-name");
    EXPECT_EQ(decoyFields.at("password"), "old-pass");
    EXPECT_EQ(decoyFields.at("accepted"), "0");
    expectAnswered(fieldsOf(*host), "jdoe", "pw");
}

TEST_F(LogonOnX11, ALoginWindowOfAnotherProgramClaimingTheHostsFrameReceivesNothing) {
    handOver("jdoe", "pw", true);
    auto host = startHost({"--tell-frame"});
    const std::string frame = host->readLine(10s).value_or("frame=");
    ASSERT_EQ(host->readLine(10s), "shown");
    auto decoy = showHost({"--class", "OtherFrameClass", "--claim-frame", frame.substr(6)});
    EXPECT_EQ(runLogon(), 0);
    const Fields decoyFields = fieldsOf(*decoy);
    EXPECT_EQ(decoyFields.at("name"), "old-name");
    EXPECT_EQ(decoyFields.at("password"), "old-pass");
    expectAnswered(fieldsOf(*host), "jdoe", "pw");
}

TEST_F(LogonOnX11, BringsTheFocusBackToTheLoginWindowBeforeTyping) {
    handOver("jdoe", "pw", true);
    auto host = showHost({"--focus-thief"});
    ASSERT_EQ(host->readLine(10s), "stolen");
    EXPECT_EQ(runLogon(), 0);
    const Fields fields = fieldsOf(*host);
    expectAnswered(fields, "jdoe", "pw");
    EXPECT_EQ(fields.at("thief"), "");
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
    handOver("jdoe", "Ä€", true);
    auto host = showHost({"--focus-thief"});
    ASSERT_EQ(host->readLine(10s), "stolen");
    EXPECT_EQ(runLogon(), 0);
    const Fields fields = fieldsOf(*host);
    expectAnswered(fields, "jdoe", "Ä€");
    EXPECT_EQ(fields.at("thief"), "");
}

} // namespace
} // namespace vm::test
