#include "main/core/SettingsUpgrade.h"

#include "cipher/modEnCrypt.h"
#include "settings/IniLib.h"
#include "settings/PerUserStore.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace vm;

namespace {

class SettingsUpgradeTest : public ::testing::Test {
protected:
    void SetUp() override { ini.sIniPath = dir.file("Velmaris.ini"); }

    test::TempDir dir;
    IniLib ini;
    MemoryPerUserStore store;
};

} // namespace

TEST_F(SettingsUpgradeTest, MovesTheFourLogonKeysOfEverySectionAndDeletesThem) {
    test::writeBytes(ini.sIniPath,
                     " \r\n[General]\r\nSort=Sales;Support\r\n"
                     "[Sales]\r\nPath=/db/sales.dbf\r\nUsername=anna\r\nPassword=x\r\n"
                     "UsePassword=1\r\nNoPasswordAtACTStartup=0\r\n"
                     "[Support]\r\nusername=bert\r\nPath=/db/support.dbf\r\n");
    Upgrade_to_32(ini, store);

    EXPECT_EQ(store.GetSetting("Sales", "Username"), "anna");
    EXPECT_EQ(store.GetSetting("Sales", "Password"), "x");
    EXPECT_EQ(store.GetSetting("Sales", "UsePassword"), "1");
    EXPECT_EQ(store.GetSetting("Sales", "NoPasswordAtACTStartup", "?"), "0");
    EXPECT_EQ(store.GetSetting("Support", "Username"), "bert");
    EXPECT_EQ(store.GetSetting("Support", "UsePassword", "unset"), "unset");
    EXPECT_EQ(test::readBytes(ini.sIniPath),
              " \r\n[General]\r\nSort=Sales;Support\r\n[Sales]\r\nPath=/db/sales.dbf\r\n"
              "[Support]\r\nPath=/db/support.dbf\r\n");
}

TEST_F(SettingsUpgradeTest, EmptyValuesKeepOlderStoredOnesAndASecondRunChangesNothing) {
    test::writeBytes(ini.sIniPath, "[Sales]\r\nUsername=\r\nUsePassword=0\r\n");
    EXPECT_TRUE(store.SaveSetting("Sales", "Username", "kept"));
    Upgrade_to_32(ini, store);
    EXPECT_EQ(store.GetSetting("Sales", "Username"), "kept");
    EXPECT_EQ(store.GetSetting("Sales", "UsePassword"), "0");

    const std::string afterFirst = test::readBytes(ini.sIniPath);
    EXPECT_TRUE(store.SaveSetting("Sales", "UsePassword", "1"));
    Upgrade_to_32(ini, store);
    EXPECT_EQ(test::readBytes(ini.sIniPath), afterFirst);
    EXPECT_EQ(store.GetSetting("Sales", "UsePassword"), "1");
}

TEST_F(SettingsUpgradeTest, PasswordMovesByteForByteAndStillDeciphers) {
    // Every code the cipher can give except NUL, which a profile line cannot
    // hold, and CR/LF, which would end it.
    std::string clear;
    for (int c = 1; c < 256; ++c)
        clear += static_cast<char>(c);
    std::string enciphered = modEnCrypt::EncryptText(clear, "Velmaris");
    std::erase_if(enciphered, [](char c) { return c == '\0' || c == '\r' || c == '\n'; });
    // Leading and trailing blanks and quotes would be trimmed by any profile
    // reader; keep them inside.
    enciphered = "a" + enciphered + "z";
    test::writeBytes(ini.sIniPath, "[Sales]\r\nPassword=" + enciphered + "\r\n");
    Upgrade_to_32(ini, store);
    EXPECT_EQ(store.GetSetting("Sales", "Password"), enciphered);
}

TEST_F(SettingsUpgradeTest, FileWithoutSectionsOrMissingFileIsHarmless) {
    test::writeBytes(ini.sIniPath, " \r\n");
    Upgrade_to_32(ini, store);
    EXPECT_EQ(test::readBytes(ini.sIniPath), " \r\n");
    ini.sIniPath = dir.file("missing.ini");
    Upgrade_to_32(ini, store);
    EXPECT_FALSE(test::fileExists(ini.sIniPath));
}
