#include "settings/RegistrySubs.h"
#include "base/FailureReport.h"
#include "settings/SettingsSchema.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vm;

namespace {

class RegistrySubsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string path = dir.file("hive/HKEY_CURRENT_USER.reg");
    RegistryFile file{path};
    RegistryFileBackend backend{RegistryFile(path)};
    RegistrySubs subs{backend};
    test::CapturedReports reports;
    test::RecordingPrompter& prompter = reports.prompter;
};

} // namespace

TEST_F(RegistrySubsTest, WritingIntoAMissingKeyCreatesItAndTheFile) {
    EXPECT_FALSE(subs.CheckRegistryKey(RegistryRoot::CurrentUser, schema::kHostDatabaseKey));
    EXPECT_TRUE(subs.SetRegistryValue(RegistryRoot::CurrentUser, schema::kHostDatabaseKey,
                                      schema::kHostLastDbName, std::string("/data/Sales.dbf")));
    EXPECT_TRUE(subs.CheckRegistryKey(RegistryRoot::CurrentUser, schema::kHostDatabaseKey));
    EXPECT_TRUE(subs.CheckRegistryKey(RegistryRoot::CurrentUser, schema::kHostKey));
    EXPECT_EQ(file.value("software\\symantec\\act!\\database", "last db name"),
              RegistryData(std::string("/data/Sales.dbf")));
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_TRUE(test::readBytes(path).starts_with("REGEDIT4\n"));
}

TEST_F(RegistrySubsTest, ValueKindsMapToStringOrNumberAndOthersAreRefused) {
    const auto root = RegistryRoot::CurrentUser;
    EXPECT_TRUE(
        subs.SetRegistryValue(root, schema::kHostDatabaseKey, "Use Last DB", std::int32_t{1}));
    EXPECT_TRUE(subs.SetRegistryValue(root, schema::kHostDatabaseKey, "Small", std::int16_t{-1}));
    EXPECT_TRUE(
        subs.SetRegistryValue(root, schema::kHostDatabaseKey, "Contact Layout", std::string()));
    EXPECT_EQ(file.value(schema::kHostDatabaseKey, "Use Last DB"), RegistryData(std::uint32_t{1}));
    EXPECT_EQ(file.value(schema::kHostDatabaseKey, "Small"),
              RegistryData(std::uint32_t{0xFFFFFFFF}));
    EXPECT_EQ(file.value(schema::kHostDatabaseKey, "Contact Layout"), RegistryData(std::string()));

    for (const RegistryArgument& refused :
         {RegistryArgument(2.5), RegistryArgument(true), RegistryArgument(std::int64_t{1})}) {
        prompter.asked.clear();
        EXPECT_FALSE(subs.SetRegistryValue(root, schema::kHostDatabaseKey, "Refused", refused));
        ASSERT_EQ(prompter.asked.size(), 1u);
        EXPECT_TRUE(prompter.asked[0].text.starts_with(
            "Error 1001: 'Unsupported value type'\rin RegistrySubs: Function SetRegistryValue"));
    }
    EXPECT_FALSE(file.value(schema::kHostDatabaseKey, "Refused"));
}

TEST_F(RegistrySubsTest, AKeyThatCannotBeCreatedIsReportedAndNothingWritten) {
    std::filesystem::create_directories(path); // a folder stands where the file should be
    EXPECT_FALSE(subs.SetRegistryValue(RegistryRoot::CurrentUser, schema::kHostKey,
                                       "Database File Type", std::string("/db")));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_TRUE(prompter.asked[0].text.starts_with(
        "Error 1001: 'Unable to create the registry key'\rin RegistrySubs: Sub CreateRegistryKey"));
}

TEST_F(RegistrySubsTest, AKeyPathWithALineBreakIsRefusedAndForgesNoKey) {
    ASSERT_TRUE(file.setValue("Software\\A", "v", std::string("1")));
    const std::string before = test::readBytes(path);
    for (const char* forged : {"\nR", "Software\\A]\r\n[HKEY_CURRENT_USER\\Forged", "A\x01"}) {
        EXPECT_FALSE(file.createKey(forged)) << forged;
        EXPECT_FALSE(file.setValue(forged, "v", std::string("1"))) << forged;
    }
    EXPECT_FALSE(file.keyExists("R"));
    EXPECT_FALSE(file.keyExists("Forged"));
    EXPECT_EQ(test::readBytes(path), before);
}

TEST_F(RegistrySubsTest, TextRoundTripsThroughTheFileAndOtherKeysSurvive) {
    const std::string awkward = "C:\\Programs\\\"quoted\" caf\xC3\xA9\nsecond line =x";
    ASSERT_TRUE(file.setValue(schema::kHostKey, "Document File Type", awkward));
    ASSERT_TRUE(file.setValue(schema::kHostGeneralKey, "Macro Name", std::string("/m.mpr")));
    ASSERT_TRUE(file.setValue(schema::kHostKey, "DOCUMENT FILE TYPE", std::string("/docs")));
    EXPECT_EQ(file.value(schema::kHostKey, "Document File Type"),
              RegistryData(std::string("/docs")));
    ASSERT_TRUE(file.setValue(schema::kHostKey, "Query File Type", awkward));
    EXPECT_EQ(RegistryFile(path).value(schema::kHostKey, "Query File Type"), RegistryData(awkward));
    EXPECT_EQ(file.value(schema::kHostGeneralKey, "Macro Name"),
              RegistryData(std::string("/m.mpr")));
}

#ifndef _WIN32
TEST(HostRegistryFilePath, FollowsTheEnvironment) {
    {
        const test::ScopedEnvironment chosen("VELMARIS_HOST_REGISTRY", "/tmp/elsewhere.reg");
        EXPECT_EQ(hostRegistryFilePath(), "/tmp/elsewhere.reg");
    }
    const test::ScopedEnvironment config("XDG_CONFIG_HOME", "/home/u/cfg");
    EXPECT_EQ(hostRegistryFilePath(), "/home/u/cfg/host-registry/HKEY_CURRENT_USER.reg");
}
#endif
