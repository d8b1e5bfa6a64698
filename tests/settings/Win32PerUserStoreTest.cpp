#ifdef _WIN32

#include "settings/win32/Win32PerUserStore.h"

#include "platform/win32/AnsiText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <windows.h>

namespace vm {
namespace {

class Win32PerUserStoreTest : public ::testing::Test {
protected:
    ~Win32PerUserStoreTest() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }

    DWORD typeOf(const std::string& section, const char* name) const {
        DWORD type = 0;
        const auto path = win32::toWide(key + "\\" + section).value();
        ::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), win32::toWide(name)->c_str(), RRF_RT_ANY,
                       &type, nullptr, nullptr);
        return type;
    }
    void writeAnsi(const std::string& section, const char* name, const std::string& bytes) const {
        ASSERT_EQ(::RegSetKeyValueA(HKEY_CURRENT_USER, (key + "\\" + section).c_str(), name, REG_SZ,
                                    bytes.c_str(), static_cast<DWORD>(bytes.size() + 1)),
                  ERROR_SUCCESS);
    }

    const std::string application = "VelmarisTest" + std::to_string(::GetCurrentProcessId());
    const std::string key = "Software\\VB and VBA Program Settings\\" + application;
    Win32PerUserStore store{application, {"Password"}};
};

TEST_F(Win32PerUserStoreTest, TextOfAnyLanguageComesBackAndNamesIgnoreCase) {
    const std::string section = "Zo\xC3\xAB's Sales";
    ASSERT_TRUE(store.SaveSetting(section, "Username", "\xCE\x96\xCF\x89\xCE\xAE"));
    EXPECT_EQ(store.GetSetting("ZO\xC3\xAB'S SALES", "USERNAME"), "\xCE\x96\xCF\x89\xCE\xAE");
    EXPECT_EQ(typeOf(section, "Username"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(store.GetSetting(section, "Missing", "dflt"), "dflt");
    ASSERT_TRUE(store.SaveSetting(section, "Empty", ""));
    EXPECT_EQ(store.GetSetting(section, "Empty", "dflt"), "dflt");
    EXPECT_EQ(store.location(), "HKEY_CURRENT_USER\\" + key);
}

TEST_F(Win32PerUserStoreTest, EarlierVersionsAnsiValuesReadAsTextAndPasswordsAsTheirBytes) {
    if (::GetACP() != 1252)
        GTEST_SKIP() << "needs the code page 1252";
    writeAnsi("Sales", "Username", "Caf\xE9");
    writeAnsi("Sales", "Password", "\x81\xE9\xFF+");
    EXPECT_EQ(store.GetSetting("Sales", "Username"), "Caf\xC3\xA9");
    EXPECT_EQ(store.GetSetting("Sales", "Password"), "\x81\xE9\xFF+");
}

TEST_F(Win32PerUserStoreTest, EveryByteOfAPasswordSurvives) {
    const std::string withoutNul = test::allBytes().substr(1);
    ASSERT_TRUE(store.SaveSetting("Sales", "Password", withoutNul));
    EXPECT_EQ(store.GetSetting("Sales", "Password"), withoutNul);
    if (::GetACP() == 1252) { // as earlier versions wrote it
        EXPECT_EQ(typeOf("Sales", "Password"), static_cast<DWORD>(REG_SZ));
    }

    const std::string withNul = std::string("a\0\r\n", 4) + withoutNul;
    ASSERT_TRUE(store.SaveSetting("Logon", "Password", withNul));
    EXPECT_EQ(store.GetSetting("Logon", "Password"), withNul);
    const std::string notUtf8 = "\xFF\xFE text";
    ASSERT_TRUE(store.SaveSetting("Logon", "Username", notUtf8));
    EXPECT_EQ(store.GetSetting("Logon", "Username"), notUtf8);
}

TEST_F(Win32PerUserStoreTest, DeletesKeysSectionsAndAllAndMissingOnesAreNoFailure) {
    ASSERT_TRUE(store.SaveSetting("Sales", "Username", "Alice"));
    ASSERT_TRUE(store.SaveSetting("Sales", "Password", "x"));
    ASSERT_TRUE(store.SaveSetting("Logon", "Username", "Bob"));
    EXPECT_TRUE(store.DeleteSetting("Sales", "password"));
    EXPECT_TRUE(store.DeleteSetting("Sales", "Password"));
    EXPECT_EQ(store.GetSetting("Sales", "Password"), "");
    EXPECT_EQ(store.GetSetting("Sales", "Username"), "Alice");
    EXPECT_TRUE(store.DeleteSetting("sales"));
    EXPECT_TRUE(store.DeleteSetting("Sales"));
    EXPECT_TRUE(store.DeleteSetting("Nowhere", "Key"));
    EXPECT_EQ(store.GetSetting("Sales", "Username"), "");
    EXPECT_EQ(store.GetSetting("Logon", "Username"), "Bob");
    EXPECT_TRUE(store.DeleteAll());
    EXPECT_TRUE(store.DeleteAll());
    EXPECT_EQ(store.GetSetting("Logon", "Username"), "");
    EXPECT_FALSE(store.SaveSetting("", "Username", "x"));
}

} // namespace
} // namespace vm

#endif
