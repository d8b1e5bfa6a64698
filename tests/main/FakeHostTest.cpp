#include "support/FakeHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

using ::testing::ElementsAre;

TEST(FakeHost, RecordsEveryCallWithItsArgumentsInOrder) {
    FakeHost host;
    auto app = host.createApplication();
    app->openDB("/db/sales.dbf");
    auto view = app->Views()->Create(5, "V");
    view->SetCalendarMode(301);
    app->Preferences()->DefaultContactLayout("/layouts/sales.cly");

    EXPECT_THAT(host.members(),
                ElementsAre("CreateApplication", "openDB", "Views", "Create", "SetCalendarMode",
                            "Preferences", "SetDefaultContactLayout"));
    EXPECT_EQ(host.calls[3], (HostCall{"Create", {"5", "V"}}));
    EXPECT_EQ(host.state.calendarMode, 301);
    EXPECT_EQ(app->GetCurrentUserName(), "Admin");
    EXPECT_EQ(app->Preferences()->DefaultContactLayout(), "/layouts/sales.cly");
}

TEST(FakeHost, AFailingMemberThrowsItsNumberAndDescriptionAndAForcedAnswerReplacesTheResult) {
    FakeHost host;
    host.fail("openDB", "Login refused", 440);
    auto app = host.createApplication();
    try {
        app->openDB("/db/sales.dbf");
        FAIL() << "openDB did not throw";
    } catch (const HostError& e) {
        EXPECT_EQ(e.number(), 440);
        EXPECT_STREQ(e.what(), "Login refused");
    }
    EXPECT_EQ(host.calls.back(), (HostCall{"openDB", {"/db/sales.dbf"}}));
    EXPECT_TRUE(host.state.openDatabase.empty());

    host.answer("AddAuxCommandToToolbar", 7);
    EXPECT_EQ(host.createAuxCommands()->AddAuxCommandToToolbar(2, "Velmaris"), 7);

    EXPECT_THROW(host.fail("OpenDB"), std::invalid_argument);
}

TEST(FakeHost, DispatchOneFailsByAnsweringZeroAndTheCloseEventNeedsASubscription) {
    FakeHost host;
    auto events = host.createEventControl();
    int closes = 0;
    events->OnActUserWantsToClose([&] { ++closes; });

    host.userCloses();
    EXPECT_EQ(closes, 0);

    host.state.running = true;
    EXPECT_EQ(events->Dispatch1(0), 1);
    host.userCloses();
    EXPECT_EQ(closes, 1);

    host.state.running = true;
    host.fail("Dispatch1");
    EXPECT_EQ(events->Dispatch1(0), 0);
    EXPECT_TRUE(events->Dispatch3());
}

} // namespace
} // namespace vm::test
