#include "settings/SettingsSchema.h"
#include "settings/IniLib.h"
#include "settings/PerUserStore.h"

#include "TestSupport.h"
#include "support/SettingsBuilders.h"

#include <gtest/gtest.h>

using namespace vm;
using namespace vm::schema;

TEST(SettingsSchema, ListsSplitAndJoinAtSemicolons) {
    EXPECT_TRUE(splitList("").empty());
    EXPECT_EQ(splitList("Sales"), std::vector<std::string>{"Sales"});
    EXPECT_EQ(splitList("Sales;;Support;"), (std::vector<std::string>{"Sales", "", "Support", ""}));
    for (const std::string joined : {"", "A", "A;B", ";;;;;;;"})
        EXPECT_EQ(joinList(splitList(joined)), joined);
    EXPECT_EQ(splitList(";;;;;;;").size(), 8u); // eight QuickSwitch buttons, all unused
}

TEST(SettingsSchema, FileTypeTableNamesRegistryValuesAndLabels) {
    ASSERT_EQ(kFileTypes.size(), 12u);
    for (size_t i = 0; i < kFileTypes.size(); ++i) {
        EXPECT_EQ(kFileTypes[i].index, static_cast<int>(i));
        EXPECT_EQ(kFileTypes[i].labelText, 109 + static_cast<int>(i));
    }
    EXPECT_EQ(fileTypeValueName(kFileTypes[9]), "Report, Label, Envelope File Type");
    EXPECT_EQ(fileTypeValueName(kFileTypes[4]), "Email Root Folder File Type");
}

TEST(SettingsSchema, VersionTextJoinsNumbersWithoutLeadingZeros) {
    EXPECT_EQ(versionText(3, 2, 131), "32131");
    EXPECT_EQ(versionText(3, 10, 5), "3105");
    EXPECT_EQ(programVersionText(), versionText(kVersionMajor, kVersionMinor, kVersionRevision));
    EXPECT_GE(programVersionText(), "32"); // compared as text against older stores
}

namespace {

class DatabaseRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        ini.sIniPath = dir.file("Velmaris.ini");
        test::writeBytes(
            ini.sIniPath,
            test::SettingsFile()
                .record("Sales", "/db/sales.dbf",
                        {{"CLY", "/l/c.cly"}, {"Database", "/own/db"}, {"Layout", "/own/layouts"}})
                .record("Support", "/db/support.dbf",
                        {{"UseLocationsFrom", "Sales"}, {"Database", "/support/db"}})
                .section("Orphan", {{"UseLocationsFrom", "Removed"}, {"Macro", "/orphan/macros"}}));
    }
    test::TempDir dir;
    IniLib ini;
    MemoryPerUserStore store;
};

} // namespace

TEST_F(DatabaseRecordTest, JoinsTheSettingsFileAndThePerUserSection) {
    EXPECT_TRUE(store.SaveSetting("sales", "UserName", "anna"));
    EXPECT_TRUE(store.SaveSetting("Sales", "UsePassword", "1"));
    const DatabaseRecord r = readDatabaseRecord(ini, store, "Sales");
    EXPECT_EQ(r.path, "/db/sales.dbf");
    EXPECT_EQ(r.contactLayout, "/l/c.cly");
    EXPECT_EQ(r.groupLayout, "");
    EXPECT_EQ(r.locations[1], "/own/db");
    EXPECT_EQ(r.username, "anna");
    EXPECT_TRUE(r.usePassword);
    EXPECT_FALSE(r.noPasswordAtACTStartup);
}

TEST_F(DatabaseRecordTest, LocationsComeFromTheNamedDatabaseOnly) {
    const auto own = applicableLocations(ini, "Sales");
    EXPECT_EQ(own[1], "/own/db");
    EXPECT_EQ(own[5], "/own/layouts");
    EXPECT_EQ(own[0], "");

    EXPECT_EQ(applicableLocations(ini, "Support"), own); // its own /support/db is not used

    for (const std::string& location : applicableLocations(ini, "Orphan"))
        EXPECT_EQ(location, "");
}
