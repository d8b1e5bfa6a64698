#include "logon/LogonRequest.h"
#include "base/FailureReport.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"
#include "support/SettingsBuilders.h"

#include <gtest/gtest.h>

namespace vm::logon {
namespace {

using test::handOverLogon;

TEST(LogonRequestTest, DeciphersThePasswordIntoTheCharactersOfItsCodePage) {
    MemoryPerUserStore store;
    // "»" at the first position enciphers to code 0 with this key.
    ASSERT_TRUE(handOverLogon(store, "Jürgen", "\xBB\x80\xE9x"));
    const std::optional<LogonRequest> request = readLogonRequest(store);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->username, U"Jürgen");
    EXPECT_TRUE(request->usePassword);
    EXPECT_EQ(request->password.view(), U"»€éx");
    // Read once, then gone from the store.
    EXPECT_EQ(store.GetSetting(schema::kLogon, schema::kPassword), "");
    EXPECT_EQ(store.GetSetting(schema::kLogon, schema::kUsername), "Jürgen");
}

TEST(LogonRequestTest, ReadsUsePasswordAsABooleanAndLeavesAnUnusedPasswordEnciphered) {
    MemoryPerUserStore store;
    const struct {
        std::string text;
        bool usePassword;
    } cases[] = {{"1", true},    {"0", false},     {"", false},   {"-1", true},
                 {"True", true}, {"false", false}, {"yes", false}};
    for (const auto& c : cases) {
        ASSERT_TRUE(handOverLogon(store, "jdoe", "pw"));
        ASSERT_TRUE(store.SaveSetting(schema::kLogon, schema::kUsePassword, c.text));
        const std::optional<LogonRequest> request = readLogonRequest(store);
        ASSERT_TRUE(request);
        EXPECT_EQ(request->usePassword, c.usePassword) << c.text;
        EXPECT_EQ(request->password.view(), c.usePassword ? U"pw" : U"") << c.text;
    }
}

TEST(LogonRequestTest, RefusesWhatCannotBeTypedAsItselfWithoutRevealingThePassword) {
    MemoryPerUserStore store;
    const struct {
        std::string username;
        std::string password;
    } cases[] = {{"j\tdoe", "pw"},          {"jdoe\r\n", "pw"}, {"j\xC3(doe", "pw"},
                 {"jdoe", "first\tsecond"}, {"jdoe", "pw\x7F"}, {"jdoe", "pw\x81"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(handOverLogon(store, c.username, c.password));
        try {
            readLogonRequest(store);
            ADD_FAILURE() << "accepted " << c.username;
        } catch (const Failure& failure) {
            EXPECT_NE(std::string(failure.what()).find("cannot be typed"), std::string::npos);
            EXPECT_EQ(std::string(failure.what()).find(c.password), std::string::npos);
        }
    }
}

} // namespace
} // namespace vm::logon
