#include "logon/Form1.h"
#include "FakeWindowSystem.h"
#include "TestSupport.h"
#include "base/FailureReport.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"
#include "support/SettingsBuilders.h"

#include <gtest/gtest.h>

namespace vm::test {
namespace {

using namespace std::chrono_literals;

// One run of the companion against fakes; the login window shows after
// `appearsAfter`, or never.
struct Companion {
    explicit Companion(PerUserStore& store, std::optional<milliseconds> appearsAfter = {})
        : form(store, pacer) {
        search.appearsAfter = appearsAfter;
    }

    // As the program runs: load, then tick until done.
    bool run() {
        if (!form.Form_Load())
            return false;
        form.run(search, typer);
        return true;
    }

    FakePacer pacer;
    FakeWindowSearch search{pacer};
    FakeKeyTyper typer{pacer};
    logon::Form1 form;
};

// Unless a test says otherwise, jdoe's password "pw" is handed over and
// the login window never shows.
class Form1Test : public ::testing::Test {
protected:
    Form1Test() { handOver("jdoe", "pw"); }

    void handOver(const std::string& username, const std::string& password,
                  bool usePassword = true) {
        EXPECT_TRUE(handOverLogon(store, username, password, usePassword));
    }

    MemoryPerUserStore store;
    CapturedReports reports{"logon"};
    RecordingPrompter& prompter = reports.prompter;
    Companion logon{store};
};

TEST_F(Form1Test, EndsAtOnceWithoutSearchingWhenNoUserNameIsHandedOver) {
    ASSERT_TRUE(store.DeleteSetting(schema::kLogon));
    EXPECT_FALSE(logon.run()) << "no Logon section";
    handOver("", "pw");
    EXPECT_FALSE(logon.run()) << "empty user name";
    EXPECT_EQ(logon.search.searches, 0);
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(Form1Test, GivesUpOnThe81stTickWhenTheWindowNeverAppearsHavingSentNothing) {
    ASSERT_TRUE(logon.run());
    EXPECT_EQ(logon.search.searches, 80);
    EXPECT_EQ(logon.pacer.elapsed(), 8100ms);
    EXPECT_EQ(logon.typer.sent, "");
    EXPECT_TRUE(logon.typer.activated.empty());
}

TEST_F(Form1Test, AnswersTheHostsLoginWindowOnceWithPausesBetweenTheSteps) {
    handOver("jdoe", "S3cret");
    logon.search.appearsAfter = 250ms;
    ASSERT_TRUE(logon.run());
    EXPECT_EQ(logon.search.frameClass, "ACT3.0FrameClass");
    EXPECT_EQ(logon.search.title, "Login to");
    EXPECT_EQ(logon.search.searches, 3);
    EXPECT_EQ(logon.typer.sent, "{ALT+n}{DEL}jdoe{TAB}{DEL}S3cret{ENTER}");
    EXPECT_EQ(logon.typer.prepared, U"njdoeS3cret") << "every character made typable first";
    EXPECT_TRUE(logon.typer.activated.empty()) << "the focus was there already";
    // Found on the tick at 300 ms; 100 ms before the first key, 10 ms after
    // each of the six steps before Enter.
    EXPECT_EQ(logon.typer.sentAt.front(), 400ms);
    EXPECT_EQ(logon.typer.sentAt.back(), 460ms);
    EXPECT_EQ(logon.typer.finished, 1);
}

TEST_F(Form1Test, WithoutUsePasswordSendsNameAndTabButNoPasswordAndNoEnter) {
    handOver("jdoe", "S3cret", false);
    logon.search.appearsAfter = 0ms;
    ASSERT_TRUE(logon.run());
    EXPECT_EQ(logon.typer.sent, "{ALT+n}{DEL}jdoe{TAB}{DEL}");
    EXPECT_EQ(logon.typer.prepared.find(U"S3cret"), std::u32string::npos) << "never deciphered";
    EXPECT_EQ(logon.typer.finished, 1) << "the keyboard is given back without Enter too";
}

TEST_F(Form1Test, StopsTypingAsSoonAsTheFocusLeavesTheLoginWindow) {
    const struct {
        int keystrokesBeforeLeaving;
        std::string sent;
    } cases[] = {{0, ""},
                 {4, "{ALT+n}{DEL}jd"},
                 {6, "{ALT+n}{DEL}jdoe"},
                 {9, "{ALT+n}{DEL}jdoe{TAB}{DEL}p"},
                 {10, "{ALT+n}{DEL}jdoe{TAB}{DEL}pw"}};
    for (const auto& c : cases) {
        handOver("jdoe", "pw"); // each run takes the password it was handed
        Companion companion(store, 0ms);
        companion.typer.focusLeavesAfter = c.keystrokesBeforeLeaving;
        ASSERT_TRUE(companion.run());
        EXPECT_EQ(companion.typer.sent, c.sent) << c.keystrokesBeforeLeaving;
        if (c.sent.empty()) {
            EXPECT_GT(companion.search.searches, 1) << "nothing went out: the search goes on";
        } else {
            EXPECT_EQ(companion.search.searches, 1) << "the answer is not started over";
            EXPECT_EQ(companion.typer.finished, 1);
        }
    }
}

TEST_F(Form1Test, MovesTheFocusToTheLoginWindowFirstAndKeepsTryingWhileItDoesNotArrive) {
    logon.search.appearsAfter = 0ms;
    logon.typer.focused = false;
    ASSERT_TRUE(logon.run());
    EXPECT_EQ(logon.typer.activated, std::vector<WindowId>{kLoginWindow});
    EXPECT_EQ(logon.typer.sent, "{ALT+n}{DEL}jdoe{TAB}{DEL}pw{ENTER}");

    Companion refused(store, 0ms);
    refused.typer.focused = false;
    refused.typer.activationWorks = false;
    ASSERT_TRUE(refused.run());
    EXPECT_EQ(refused.typer.sent, "");
    // Each try waits half a second for the focus; the ticks it covers still
    // count, so the search gives up on time.
    EXPECT_EQ(refused.search.searches, 14);
    EXPECT_EQ(refused.typer.activated.size(), 14u);
    EXPECT_EQ(refused.typer.finished, 14);
    EXPECT_LE(refused.pacer.elapsed(), 8600ms);
}

TEST_F(Form1Test, ReportsAFailedSearchAndSearchesAgainOnTheNextTick) {
    logon.search.appearsAfter = 0ms;
    logon.search.failingSearches = 2;
    ASSERT_TRUE(logon.run());
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].caption, "logon error");
    EXPECT_NE(prompter.asked[0].text.find("in Form1: Sub tmr1_Timer - Line # "), std::string::npos);
    EXPECT_EQ(logon.search.searches, 3) << "one search a tick";
    EXPECT_EQ(logon.typer.sent, "{ALT+n}{DEL}jdoe{TAB}{DEL}pw{ENTER}");
}

TEST_F(Form1Test, ReportsAFailureWhileTypingAndNeverStartsTheAnswerOver) {
    logon.search.appearsAfter = 0ms;
    logon.typer.failOnType = true;
    ASSERT_TRUE(logon.run());
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(logon.typer.sent, "{ALT+n}{DEL}");
    EXPECT_EQ(logon.search.searches, 1);
    EXPECT_EQ(logon.typer.finished, 1);
}

TEST_F(Form1Test, TicksThatRunLongStillCountSoThatTheSearchGivesUpOnTime) {
    logon.search.searchTakes = 250ms;
    ASSERT_TRUE(logon.run());
    EXPECT_LE(logon.pacer.elapsed(), 8200ms);
    EXPECT_EQ(logon.search.searches, 27) << "ticks 1, 4, 7, ... 79";
}

TEST_F(Form1Test, AStopSignalEndsTheSearchOrTheTypingAtOnce) {
    logon.pacer.stopDuringSleep = 5;
    ASSERT_TRUE(logon.run());
    EXPECT_EQ(logon.search.searches, 4);

    Companion typing(store, 0ms);
    typing.pacer.stopDuringSleep = 3; // the tick, the pause before typing, the pause after Alt+N
    ASSERT_TRUE(typing.run());
    EXPECT_EQ(typing.typer.sent, "{ALT+n}");
    EXPECT_EQ(typing.typer.finished, 1);
}

TEST_F(Form1Test, WipesTheClearPasswordHoweverTheProgramEnds) {
    const auto wipedAfter = [&](auto&& arrange) {
        handOver("jdoe", "a long password, so that it lives on the heap");
        Companion companion(store);
        arrange(companion);
        EXPECT_TRUE(companion.form.Form_Load());
        EXPECT_FALSE(companion.form.passwordWiped()) << "deciphered at load";
        companion.form.run(companion.search, companion.typer);
        return companion.form.passwordWiped();
    };
    EXPECT_TRUE(wipedAfter([](Companion& companion) { companion.search.appearsAfter = 0ms; }));
    EXPECT_TRUE(wipedAfter([](Companion&) {}));
    EXPECT_TRUE(wipedAfter([](Companion& companion) { companion.pacer.stopDuringSleep = 2; }));
    EXPECT_TRUE(wipedAfter([](Companion& companion) {
        companion.search.appearsAfter = 0ms;
        companion.typer.failOnType = true;
    }));
}

} // namespace
} // namespace vm::test
