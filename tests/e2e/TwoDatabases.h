#pragma once
// The list the real program's end-to-end tests start from: Sales (Alice) and
// Support (Carol) in two QuickSwitch tiles, both logged on with passwords,
// and a third database, Start, for the host to have open.
#include "TestSupport.h"
#include "cipher/modEnCrypt.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <initializer_list>
#include <string>

namespace vm::test {

// `file` names a file of the test's, as the programs under test read it;
// `layout` is the databases' contact layout.
inline void writeTwoDatabases(PerUserStore& store,
                              const std::function<std::string(const std::string&)>& file,
                              const std::string& layout, bool quickSwitchAtStart) {
    writeBytes(file("start.dbf"), "[Database]\r\nName=Start\r\n");
    writeBytes(file("sales.dbf"),
               "[Database]\r\nName=Sales Team\r\n[Users]\r\nAlice=wonderland\r\n");
    writeBytes(file("support.dbf"), "[Database]\r\nName=Support Desk\r\n[Users]\r\nCarol=x\r\n");
    writeBytes(file("Velmaris.ini"),
               "[General]\r\nSort=Sales;Support\r\nQuickSwitchStartup=" +
                   std::string(quickSwitchAtStart ? "1" : "0") +
                   "\r\nQuickSwitch=Sales;Support;;;;;;\r\n[Sales]\r\nPath=" + file("sales.dbf") +
                   "\r\nCLY=" + layout + "\r\n[Support]\r\nPath=" + file("support.dbf") +
                   "\r\nCLY=" + layout + "\r\n");
    const std::string key(modEnCrypt::kCipherKey);
    for (const auto& [section, name, value] : std::initializer_list<std::array<std::string, 3>>{
             {"Settings", "IniLocation", file("Velmaris.ini")},
             {"Settings", "Installed", "1"},
             {"Settings", "Version", schema::programVersionText()},
             {"Sales", "Username", "Alice"},
             {"Sales", "UsePassword", "1"},
             {"Sales", "Password", modEnCrypt::EncryptText("wonderland", key)},
             {"Support", "Username", "Carol"},
             {"Support", "UsePassword", "1"},
             {"Support", "Password", modEnCrypt::EncryptText("x", key)}})
        ASSERT_TRUE(store.SaveSetting(section, name, value));
}

} // namespace vm::test
