#include "TestSupport.h"
#include "host-standin/core/DatabaseFile.h"
#include "host-standin/core/Json.h"
#include "host-standin/core/Profile.h"
#include "host-standin/core/Refusal.h"

#include <gtest/gtest.h>

#include <fstream>

namespace standin::win::test {

using namespace standin::core;

namespace {

TEST(DatabaseFileTest, ReadsAsTheLinuxHostReadsAndSaysWhyItRefuses) {
    const DatabaseFile db = DatabaseFile::parse("C:\\data\\Field Office.dbf",
                                                "; comment\r\n[ DATABASE ]\r\n[Users]\r\n "
                                                "\xC3\x89lodie = s3cret \r\n# Ben=old\r\nBen=\r\n");
    EXPECT_EQ(db.name(), "Field Office");
    EXPECT_TRUE(db.hasUsers());
    // Names without regard to case, beyond ASCII too; passwords exactly.
    EXPECT_EQ(db.logIn("\xC3\xA9LODIE", "s3cret"), "\xC3\x89lodie");
    EXPECT_EQ(db.logIn("\xC3\xA9lodie", "S3CRET"), std::nullopt);
    EXPECT_EQ(db.logIn("ben", ""), "Ben");
    EXPECT_EQ(db.logIn("ben", "old"), std::nullopt);
    EXPECT_EQ(db.logIn("Carl", ""), std::nullopt);
    EXPECT_EQ(
        DatabaseFile::parse("y.dbf", "\xEF\xBB\xBF; saved by Notepad\r\n[Database]\r\n").name(),
        "y");

    const auto refusal = [](const char* text) {
        try {
            DatabaseFile::parse("x.dbf", text);
        } catch (const Refusal& refused) {
            return std::string(refused.what());
        }
        return std::string("accepted");
    };
    EXPECT_NE(refusal("[Users]\nAnn=1\n").find("no [Database] section"), std::string::npos);
    EXPECT_NE(refusal("[Database]\n[Users]\nann=1\nANN=2\n").find("listed twice"),
              std::string::npos);
    EXPECT_NE(refusal("[Database]\n[Users]\n=secret\n").find("has no name"), std::string::npos);
    EXPECT_NE(refusal("[Database]\njust words\n").find("neither a section nor a value"),
              std::string::npos);
    EXPECT_NE(refusal("").find("no [Database] section"), std::string::npos);
}

TEST(JsonTest, WhatIsWrittenReadsBackAndBrokenTextIsRefused) {
    const Json value =
        Json::Object{{"text", "quote \" slash \\ line\n tab\t \x01 caf\xC3\xA9 \xF0\x9F\x98\x80"},
                     {"list", Json::Array{1, -7, true, false, nullptr}}};
    EXPECT_EQ(Json::parse(value.toText()).toText(), value.toText());
    EXPECT_EQ(Json::parse("\"\\ud83d\\ude00 \\u00e9\"").textOrEmpty(), "\xF0\x9F\x98\x80 \xC3\xA9");
    for (const char* broken :
         {"", "{", "[1,]", "\"\\ud83d\"", "\"a\nb\"", "1.5", "{} x", "\"\xC3\"", "nul"})
        EXPECT_THROW(Json::parse(broken), std::runtime_error) << broken;
}

TEST(ProfileFileTest, KeepsCommandsAndTellsOfADamagedFile) {
    vm::test::TempDir folder;
    const ProfileFile file(folder.file("sub/profile.json"));
    Profile profile;
    profile.defaultContactLayout = "C:\\layouts\\caf\xC3\xA9.cly";
    profile.auxCommands.push_back({"Velmaris", "C:\\v.exe", "", "", "", "", "", 1, {1, 3}, {2}});
    ASSERT_TRUE(file.save(profile));
    std::string problem;
    const Profile read = file.load(problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(read.defaultContactLayout, profile.defaultContactLayout);
    ASSERT_NE(read.findCommand("VELMARIS"), nullptr);
    EXPECT_EQ(read.findCommand("velmaris")->toolbarViews, (std::set<int>{1, 3}));

    std::ofstream(folder.file("sub/profile.json"), std::ios::trunc) << "{\"auxCommands\": [";
    const Profile damaged = file.load(problem);
    EXPECT_TRUE(damaged.auxCommands.empty());
    EXPECT_NE(problem.find("the host starts with defaults"), std::string::npos);
}

} // namespace

} // namespace standin::win::test
