#include "ComText.h"
#include "HostServer.h"
#include "settings/win32/Win32HostRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace standin::win::test {

using namespace standin::core;

namespace {

constexpr auto kUser = vm::RegistryRoot::CurrentUser;
constexpr const char* kDatabaseKey = "Software\\Symantec\\ACT!\\Database";

// The values Velmaris leaves for the host before starting it, written as it
// writes them: ANSI text and REG_DWORD numbers in the current user's hive.
class StartUpTest : public RunningHostTest {
protected:
    void beforeStart() override {
        for (const auto& [key, name, value] : values_)
            ASSERT_TRUE(registry_.writeValue(kUser, key, name, value)) << name;
    }
    void TearDown() override {
        RunningHostTest::TearDown();
        // Only what this test wrote: a later host must not open at start.
        for (const auto& [key, name, value] : values_)
            EXPECT_TRUE(registry_.deleteValue(kUser, key, name)) << name;
    }

    const std::string lastDatabase_ = utf8Of(demoFile("contacts.dbf"));
    const std::vector<std::tuple<const char*, const char*, vm::RegistryData>> values_{
        {kDatabaseKey, "Last DB Name", lastDatabase_},
        {kDatabaseKey, "Contact Layout", "C:\\layouts\\standard.cly"},
        {kDatabaseKey, "Group Layout", "C:\\layouts\\standard.gly"},
        {"Software\\Symantec\\ACT!\\General", "Macro Name", "C:\\macros\\welcome.mpr"},
        {"Software\\Symantec\\ACT!", "Layout File Type", "C:\\layouts"},
        {kDatabaseKey, "Use Last DB", std::uint32_t{1}}};
    vm::Win32HostRegistry registry_;
};

TEST_F(StartUpTest, TheLastDatabaseOpensWithTheRegistrysLayoutsAndMacro) {
    EXPECT_EQ(utf8Of(text(L"GetOpenDBName")), lastDatabase_);

    const Reply preferences = call(app_, L"Preferences");
    ASSERT_EQ(preferences.value.vt, VT_DISPATCH);
    IDispatch* prefs = preferences.value.pdispVal;
    EXPECT_EQ(call(prefs, L"UseLastDBonStartup").value.boolVal, VARIANT_TRUE);
    EXPECT_EQ(call(prefs, L"GetDefaultLocation", Value(L"6")).value.text(), L"C:\\layouts");

    const auto started = host_.journalOf("host", "StartUp");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0]["args"].toText(),
              Json(Json::Array{lastDatabase_, "C:\\layouts\\standard.cly",
                               "C:\\layouts\\standard.gly", "C:\\macros\\welcome.mpr"})
                  .toText());
    EXPECT_EQ(started[0]["result"].textOrEmpty(), lastDatabase_);
}

} // namespace

} // namespace standin::win::test
