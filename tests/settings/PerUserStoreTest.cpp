#include "settings/PerUserStore.h"
#include "platform/Paths.h"
#include "settings/SettingsSchema.h"
#include "settings/UserFolders.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace vm;
using namespace std::string_literals;

namespace {

const std::string kVersion = schema::programVersionText();

// Every behaviour callers rely on must hold for the file and for the
// in-memory store alike, or tests with the memory store would prove nothing.
class PerUserStoreTest : public ::testing::TestWithParam<bool> {
protected:
    PerUserStoreTest() {
        if (GetParam())
            store = std::make_unique<FilePerUserStore>(
                FilePerUserStore::atPath(dir.file("cfg/Velmaris/Velmaris.conf")));
        else
            store = std::make_unique<MemoryPerUserStore>();
    }
    test::TempDir dir;
    std::unique_ptr<PerUserStore> store;
};

} // namespace

TEST_P(PerUserStoreTest, MissingAndEmptyValuesReadAsTheDefault) {
    EXPECT_EQ(store->GetSetting("Settings", "Installed", "0"), "0");
    ASSERT_TRUE(store->SaveSetting("Settings", "Installed", ""));
    EXPECT_EQ(store->GetSetting("Settings", "Installed", "0"), "0");
    ASSERT_TRUE(store->SaveSetting("Settings", "Installed", "1"));
    EXPECT_EQ(store->GetSetting("Settings", "Installed", "0"), "1");
}

TEST_P(PerUserStoreTest, NamesCompareWithoutRegardToCase) {
    ASSERT_TRUE(store->SaveSetting("Soci\xC3\xA9t\xC3\xA9", "Username", "anna"));
    EXPECT_EQ(store->GetSetting("SOCI\xC3\x89T\xC3\x89", "UserName"), "anna");
    ASSERT_TRUE(store->SaveSetting("soci\xC3\xA9t\xC3\xA9", "USERNAME", "bert"));
    EXPECT_EQ(store->GetSetting("Soci\xC3\xA9t\xC3\xA9", "username"), "bert");
    EXPECT_EQ(store->GetSetting("Societe", "Username", "none"), "none");
}

TEST_P(PerUserStoreTest, DeletesOneValueOrAWholeSection) {
    EXPECT_TRUE(store->SaveSetting("Logon", "Username", "anna"));
    EXPECT_TRUE(store->SaveSetting("Logon", "Password", "x"));
    EXPECT_TRUE(store->SaveSetting("Settings", "Version", kVersion));
    EXPECT_TRUE(store->DeleteSetting("logon", "PASSWORD"));
    EXPECT_EQ(store->GetSetting("Logon", "Password", "gone"), "gone");
    EXPECT_EQ(store->GetSetting("Logon", "Username"), "anna");
    EXPECT_TRUE(store->DeleteSetting("LOGON"));
    EXPECT_EQ(store->GetSetting("Logon", "Username", "gone"), "gone");
    EXPECT_TRUE(store->DeleteSetting("Nowhere"));
    EXPECT_TRUE(store->DeleteSetting("Settings", "Nothing"));
    EXPECT_EQ(store->GetSetting("Settings", "Version"), kVersion);
    EXPECT_TRUE(store->DeleteAll());
    EXPECT_EQ(store->GetSetting("Settings", "Version", "gone"), "gone");
    EXPECT_TRUE(store->SaveSetting("Settings", "Version", kVersion));
}

TEST_P(PerUserStoreTest, EveryByteRoundTripsInValuesAndNames) {
    const std::string bytes = vm::test::allBytes();
    const std::vector<std::string> values = {bytes,
                                             std::string("\0\0tail", 6),
                                             " padded ",
                                             "\"quoted\"",
                                             "'single'",
                                             "line1\r\nline2\n[Section]\nkey=value",
                                             "back\\x41slash",
                                             "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"};
    for (size_t i = 0; i < values.size(); ++i) {
        const std::string key = "Password" + std::to_string(i);
        ASSERT_TRUE(store->SaveSetting("Sales", key, values[i]));
        EXPECT_EQ(store->GetSetting("Sales", key), values[i]) << i;
    }
    for (const std::string name : {"[Odd] = name;", " blank ", "a\nb", "x\\x5Dy"}) {
        ASSERT_TRUE(store->SaveSetting(name, name, "v" + name)) << name;
        EXPECT_EQ(store->GetSetting(name, name), "v" + name);
    }
    // The earlier values survive the later writes.
    EXPECT_EQ(store->GetSetting("Sales", "Password0"), bytes);
}

INSTANTIATE_TEST_SUITE_P(Backends, PerUserStoreTest, ::testing::Values(false, true),
                         [](const auto& instance) { return instance.param ? "File" : "Memory"; });

#ifndef _WIN32
TEST(FilePerUserStore, LivesInThePrivateConfigFolder) {
    test::TempDir dir;
    auto store = [&] {
        const test::ScopedEnvironment config("XDG_CONFIG_HOME", dir.file("config"));
        return FilePerUserStore("Velmaris");
    }();

    EXPECT_EQ(store.path(), dir.file("config") + "/Velmaris/Velmaris.conf");
    ASSERT_TRUE(store.SaveSetting("Logon", "Password", "secret"));
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(store.path()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(dir.file("config/Velmaris")).permissions() & fs::perms::all,
              fs::perms::owner_all);
    EXPECT_NE(test::readBytes(store.path()).find("[Logon]\r\nPassword=secret\r\n"),
              std::string::npos);
}

TEST(FilePerUserStore, AStoreOpenToOthersIsClosedAtTheNextWrite) {
    test::TempDir dir;
    namespace fs = std::filesystem;
    const std::string folder = dir.file("config/Velmaris");
    fs::create_directories(folder);
    test::writeBytes(folder + "/Velmaris.conf", "[Sales]\r\nPassword=x\r\n");
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(folder + "/Velmaris.conf", fs::perms::owner_read | fs::perms::owner_write |
                                                   fs::perms::group_read | fs::perms::others_read);
    auto store = FilePerUserStore::atPath(folder + "/Velmaris.conf");
    ASSERT_TRUE(store.SaveSetting("Settings", "Version", kVersion));
    EXPECT_EQ(fs::status(store.path()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
}

#endif

TEST(DefaultSettingsFile, AnAdministratorsChoiceComesFirstThenBesideTheProgramThenElsewhere) {
    SettingsFilePlaces places{"\\\\server\\team\\Velmaris.ini", "program/Velmaris.ini", true,
                              "shared/Velmaris.ini"};
    EXPECT_EQ(chooseSettingsFile(places), places.machinePreset);
    places.machinePreset.clear();
    EXPECT_EQ(chooseSettingsFile(places), places.besideProgram);
    places.besideProgramUsable = false;
    EXPECT_EQ(chooseSettingsFile(places), places.elsewhere);
}

TEST(DefaultSettingsFile, LiesBesideTheProgramUnlessItsFolderTakesNoFile) {
    test::TempDir dir;
#ifndef _WIN32
    const test::ScopedEnvironment config("XDG_CONFIG_HOME", dir.file("config"));
#endif
    std::filesystem::create_directory(dir.file("program"));
    EXPECT_EQ(defaultSettingsFile(dir.file("program"), "Velmaris.ini"),
              dir.file("program") + kPathSeparator + "Velmaris.ini");
    // A folder that cannot be written, as an installed program's is to its
    // users (even to root, a missing one): the file goes where it can be
    // made, and its folder is made for it.
    const std::string elsewhere = defaultSettingsFile(dir.file("installed"), "Velmaris.ini");
    EXPECT_EQ(elsewhere, settingsFolderElsewhere() + kPathSeparator + "Velmaris.ini");
    EXPECT_TRUE(canCreateFilesIn(settingsFolderElsewhere()));
#ifndef _WIN32
    EXPECT_EQ(elsewhere, dir.file("config") + "/Velmaris/Velmaris.ini");
#endif
}

#ifndef _WIN32
TEST(FilePerUserStore, DamagedFileStillReadsWhatItCanAndLosesNothingOnWrite) {
    test::TempDir dir;
    const std::string path = dir.file("Velmaris.conf");
    const std::string junk = "\x00\xFF\xFE garbage\r\n[Settings]\r\nVersion="s + kVersion + "\r\n" +
                             std::string(1 << 20, 'z') + "\n[Broken\n=novalue\n";
    test::writeBytes(path, junk);
    auto store = FilePerUserStore::atPath(path);
    ASSERT_EQ(store.GetSetting("Settings", "Version"), kVersion);
    ASSERT_TRUE(store.SaveSetting("Settings", "Installed", "1"));
    const std::string after = test::readBytes(path);
    EXPECT_NE(after.find(std::string(1 << 20, 'z')), std::string::npos);
    EXPECT_TRUE(after.starts_with(junk.substr(0, 20)));
    EXPECT_EQ(store.GetSetting("Settings", "Installed"), "1");
}
#endif
