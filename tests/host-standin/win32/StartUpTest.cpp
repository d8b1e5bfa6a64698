#include "ComText.h"
#include "HostServer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace standin::win::test {

using namespace standin::core;

namespace {

constexpr const char* kHostKey = "Software\\Symantec\\ACT!";
constexpr const char* kDatabaseKey = "Software\\Symantec\\ACT!\\Database";
constexpr const char* kGeneralKey = "Software\\Symantec\\ACT!\\General";

// The values Velmaris leaves for the host before starting it, written as it
// writes them: ANSI text and REG_DWORD numbers in the current user's hive.
class StartUpTest : public RunningHostTest {
protected:
    void beforeStart() override {
        setText(kDatabaseKey, "Last DB Name", lastDatabase_);
        setText(kDatabaseKey, "Contact Layout", "C:\\layouts\\standard.cly");
        setText(kDatabaseKey, "Group Layout", "C:\\layouts\\standard.gly");
        setText(kGeneralKey, "Macro Name", "C:\\macros\\welcome.mpr");
        setText(kHostKey, "Layout File Type", "C:\\layouts");
        const DWORD useLast = 1;
        set(kDatabaseKey, "Use Last DB", REG_DWORD, &useLast, sizeof useLast);
    }
    void TearDown() override {
        RunningHostTest::TearDown();
        // Only what this test wrote: a later host must not open at start.
        for (const auto& [key, name] : written_) {
            HKEY handle = nullptr;
            ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &handle),
                      ERROR_SUCCESS);
            EXPECT_EQ(::RegDeleteValueA(handle, name), ERROR_SUCCESS) << name;
            ::RegCloseKey(handle);
        }
    }

    void set(const char* key, const char* name, DWORD type, const void* data, DWORD size) {
        written_.emplace_back(key, name);
        HKEY handle = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                    &handle, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(::RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        ::RegCloseKey(handle);
    }
    void setText(const char* key, const char* name, const std::string& text) {
        set(key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

    const std::string lastDatabase_ = utf8Of(demoFile("contacts.dbf"));
    std::vector<std::pair<const char*, const char*>> written_;
};

TEST_F(StartUpTest, TheLastDatabaseOpensWithTheRegistrysLayoutsAndMacro) {
    EXPECT_EQ(utf8Of(text(L"GetOpenDBName")), lastDatabase_);

    Reply preferences;
    call(app_, L"Preferences", {}, preferences);
    ASSERT_EQ(preferences.value.vt, VT_DISPATCH);
    Reply useLast;
    call(preferences.value.pdispVal, L"UseLastDBonStartup", {}, useLast);
    EXPECT_EQ(useLast.value.boolVal, VARIANT_TRUE);
    Value layouts(L"6");
    Reply folder;
    call(preferences.value.pdispVal, L"GetDefaultLocation", {&layouts}, folder);
    EXPECT_EQ(folder.value.text(), L"C:\\layouts");

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
