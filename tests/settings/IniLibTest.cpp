#include "settings/IniLib.h"
#include "platform/LockedFile.h"
#include "settings/ProfileText.h"
#include "settings/Windows1252.h"

#include "TestSupport.h"
#include "support/Eventually.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#endif

namespace vm {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

class IniLibFile : public testing::Test {
protected:
    IniLibFile() { ini.sIniPath = path; }

    test::TempDir dir;
    const std::string path = dir.file("Velmaris.ini");
    IniLib ini;
};

// Sections "[Database<n>]" of a few keys each, about `size` bytes in all.
std::string manySections(std::size_t size) {
    std::string text;
    for (int n = 0; text.size() < size; ++n)
        text += "[Database" + std::to_string(n) + "]\r\nPath=C:\\Data\\db" + std::to_string(n) +
                ".dbf\r\nCLY=C:\\Layouts\\contact.cly\r\nGLY=\r\n";
    return text;
}

// One user action reads the file once; its own writes read back, and the
// next action sees what others wrote meanwhile.
TEST_F(IniLibFile, ASnapshotHoldsOneReadingUntilItsOwnWriteOrItsEnd) {
    test::writeBytes(path, "[A]\r\nX=1\r\nY=1\r\n");
    {
        const IniLib::Snapshot action(ini);
        EXPECT_EQ(ini.GetKeyValue("A", "X", ""), "1");
        test::writeBytes(path, "[A]\r\nX=2\r\nY=2\r\n"); // another user's write
        EXPECT_EQ(ini.GetKeyValues("A", {"X", "Y"}), (std::vector<std::string>{"1", "1"}));
        ASSERT_TRUE(ini.SetKeyValue("A", "Z", "3"));
        EXPECT_EQ(ini.GetKeyValues("A", {"X", "Z"}), (std::vector<std::string>{"2", "3"}));
        test::writeBytes(path, "[A]\r\nX=4\r\n");
        EXPECT_EQ(ini.GetKeyValue("A", "X", ""), "2");
    }
    EXPECT_EQ(ini.GetKeyValue("A", "X", ""), "4");
}

TEST_F(IniLibFile, FilesWithoutSectionsHoldNoValues) {
    test::writeBytes(path, " \r\n");
    EXPECT_TRUE(ini.Extract_Sections().empty());
    EXPECT_EQ(ini.GetKeyValue("General", "QuickSwitchScheme", "0"), "0");
    test::writeBytes(path, "just text\r\nmore=stuff");
    EXPECT_EQ(ini.GetKeyValue("", "more", "-"), "-");
    EXPECT_TRUE(ini.Extract_Sections().empty());
    ASSERT_TRUE(ini.SetKeyValue("s", "more", "v"));
    EXPECT_EQ(test::readBytes(path), "just text\r\nmore=stuff\r\n[s]\r\nmore=v\r\n");
}

TEST_F(IniLibFile, KeySpellingsReachOneValue) {
    ASSERT_TRUE(ini.SetKeyValue("General", "QuickSwitch", "a;;;;;;;"));
    ASSERT_TRUE(ini.SetKeyValue("general", "Quickswitch", "b;;;;;;;"));
    for (const char* key : {"quickswitch", "QuickSwitch", "Quickswitch"})
        EXPECT_EQ(ini.GetKeyValue("GENERAL", key, ""), "b;;;;;;;") << key;
    EXPECT_EQ(test::readBytes(path), "[General]\r\nQuickSwitch=b;;;;;;;\r\n");
}

TEST_F(IniLibFile, SeveralValuesReadAsOneByOne) {
    test::writeBytes(path, "[Sales]\r\nPath= \"/db/s.dbf\" \r\nCLY=\r\nGLY=" +
                               std::string(1200, 'g') + "\r\n[Other]\r\nStartupMacro=x\r\n");
    const std::vector<std::string> keys = {"path", "CLY", "GLY", "StartupMacro"};
    const auto values = ini.GetKeyValues("SALES", keys);
    ASSERT_EQ(values.size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(values[i], ini.GetKeyValue("Sales", keys[i], "")) << keys[i];
    EXPECT_EQ(values[0], "/db/s.dbf");
    EXPECT_EQ(values[2].size(), 998u);
    EXPECT_EQ(ini.GetKeyValues("Missing", keys), std::vector<std::string>(4));
}

TEST_F(IniLibFile, EmptyOrMissingValueReadsAsDefault) {
    ASSERT_TRUE(ini.SetKeyValue("General", "Sort", ""));
    EXPECT_EQ(ini.GetKeyValue("General", "Sort", "none"), "none");
    EXPECT_EQ(ini.GetKeyValue("General", "Missing", "none"), "none");
    EXPECT_EQ(ini.GetKeyValue("", "Sort", "none"), "none");
    EXPECT_EQ(ini.GetKeyValue("General", "Sort", "none", dir.file("absent.ini")), "none");
}

TEST_F(IniLibFile, LongValueIsCutTo998CharactersOfTheFile) {
    const std::string e = "\xC3\xA9"; // é: two bytes in UTF-8, one on disk
    std::string value;
    for (int i = 0; i < 1200; ++i)
        value += e;
    ASSERT_TRUE(ini.SetKeyValue("General", "Sort", value));
    EXPECT_EQ(ini.GetKeyValue("General", "Sort", ""), value.substr(0, 998 * e.size()));
}

TEST_F(IniLibFile, SectionNamesAreCutLikeWindowsBuffer) {
    const auto names = [](std::size_t count, std::size_t length) {
        std::vector<std::string> list;
        for (std::size_t i = 0; i < count; ++i)
            list.push_back(std::string(length - 2, 'n') + std::to_string(10 + i));
        return list;
    };
    const struct {
        std::vector<std::string> inFile;
        std::vector<std::string> listed;
    } cases[] = {
        // 1,500 characters with their NULs: 19 whole names, then 47 of the 20th
        {names(30, 49),
         [&] {
             auto fit = names(19, 49);
             fit.push_back(names(20, 49).back().substr(0, 47));
             return fit;
         }()},
        {names(1, 997), names(1, 997)},
        {names(1, 998), {names(1, 998)[0].substr(0, 997)}},
    };
    for (const auto& c : cases) {
        std::string file;
        for (const std::string& name : c.inFile)
            file += "[" + name + "]\r\n";
        test::writeBytes(path, file);
        EXPECT_EQ(ini.Extract_Sections(), c.listed);
    }
}

TEST_F(IniLibFile, WritesWindows1252AndCrLf) {
    ASSERT_TRUE(ini.SetKeyValue("Société", "Clé", "€uro"));
    EXPECT_EQ(test::readBytes(path), "[Soci\xE9t\xE9]\r\nCl\xE9=\x80uro\r\n");
    EXPECT_EQ(ini.GetKeyValue("SOCIÉTÉ", "CLÉ", ""), "€uro");
    EXPECT_EQ(ini.Extract_Sections(), std::vector<std::string>{"Société"});
}

TEST_F(IniLibFile, RefusedWritesLeaveTheFileAsItWas) {
    const std::string before = "[General]\r\nSort=a\r\n";
    test::writeBytes(path, before);
    EXPECT_FALSE(ini.SetKeyValue("General", "Sort", "Москва"));
    EXPECT_FALSE(ini.SetKeyValue("General", "Sort", "\xC3("));
    EXPECT_FALSE(ini.SetKeyValue("General", "Sort", "a\r\nQuickSwitchStartup=1"));
    EXPECT_FALSE(ini.SetKeyValue("Gen]eral", "Sort", "b"));
    EXPECT_FALSE(ini.DeleteKey("General", "Сорт"));
    EXPECT_FALSE(ini.DeleteSection("\xFF"));
    EXPECT_EQ(test::readBytes(path), before);
}

TEST_F(IniLibFile, UnwritableFilesFailAndStayAsTheyWere) {
    const std::string folderPath = dir.file("folder.ini");
    fs::create_directory(folderPath);
    test::writeBytes(path, "[s]\r\nk=v\r\n");
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    for (const std::string& file : {path, folderPath, dir.file("missing/Velmaris.ini")}) {
        EXPECT_FALSE(ini.SetKeyValue("s", "k", "w", file)) << file;
        EXPECT_FALSE(ini.DeleteKey("s", "k", file)) << file;
        EXPECT_FALSE(ini.DeleteSection("s", file)) << file;
    }
    EXPECT_EQ(test::readBytes(path), "[s]\r\nk=v\r\n");
    EXPECT_TRUE(fs::is_directory(folderPath));
    EXPECT_FALSE(fs::exists(dir.file("missing")));
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add); // lets Windows delete it
}

TEST_F(IniLibFile, OnlyAValueWriteCreatesTheFile) {
    EXPECT_TRUE(ini.DeleteKey("s", "k"));
    EXPECT_TRUE(ini.DeleteSection("s"));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(ini.SetKeyValue("s", "k", "v"));
    EXPECT_EQ(test::readBytes(path), "[s]\r\nk=v\r\n");
}

TEST_F(IniLibFile, WritingTheSameValueDoesNotRewriteTheFile) {
    test::writeBytes(path, "[s]\r\nk=v\r\n");
    const auto old = fs::last_write_time(path) - std::chrono::hours(1);
    fs::last_write_time(path, old);
    EXPECT_TRUE(ini.SetKeyValue("S", "K", "v"));
    EXPECT_EQ(fs::last_write_time(path), old);
    EXPECT_TRUE(ini.SetKeyValue("S", "K", "w"));
    EXPECT_NE(fs::last_write_time(path), old);
}

TEST_F(IniLibFile, BinaryJunkSurvivesAWrite) {
    std::mt19937 random(7);
    std::string junk(1 << 16, '\0');
    for (char& byte : junk)
        byte = static_cast<char>(random());
    junk += "\r\n";
    test::writeBytes(path, junk);
    ASSERT_TRUE(ini.SetKeyValue("Velmaris", "Key", "v"));
    EXPECT_TRUE(test::readBytes(path) == junk + "[Velmaris]\r\nKey=v\r\n");
    EXPECT_EQ(ini.GetKeyValue("Velmaris", "Key", ""), "v");
}

// Editors save the file as UTF-8 with a mark or as UTF-16: it is read
// through the mark and written back in its own encoding, never mixed.
TEST_F(IniLibFile, MarkedUtf8AndUtf16FilesKeepTheirEncoding) {
    const auto utf16 = [](std::u16string_view text, bool little) {
        std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const char16_t c : text) {
            const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
            bytes += little ? low : high;
            bytes += little ? high : low;
        }
        return bytes;
    };
    const std::string marked = "\xEF\xBB\xBF[General]\r\nName=Zo\xC3\xAB\r\n";
    const std::string cases[] = {marked, utf16(u"[General]\r\nName=Zo\u00EB\r\n", true),
                                 utf16(u"[General]\r\nName=Zo\u00EB\r\n", false)};
    const std::string after[] = {marked + "Other=\xC3\xA9\r\n",
                                 utf16(u"[General]\r\nName=Zo\u00EB\r\nOther=\u00E9\r\n", true),
                                 utf16(u"[General]\r\nName=Zo\u00EB\r\nOther=\u00E9\r\n", false)};
    for (int n = 0; n < 3; ++n) {
        test::writeBytes(path, cases[n]);
        EXPECT_EQ(ini.GetKeyValue("General", "Name", ""), "Zo\xC3\xAB") << n;
        ASSERT_TRUE(ini.SetKeyValue("General", "Other", "\xC3\xA9")) << n;
        EXPECT_EQ(test::readBytes(path), after[n]) << n;
    }
    // Text the code page cannot hold could not be written back unchanged.
    const std::string foreign = "\xEF\xBB\xBF[General]\r\nName=\xE4\xB8\xAD\r\n";
    test::writeBytes(path, foreign);
    EXPECT_FALSE(ini.SetKeyValue("General", "Other", "1"));
    EXPECT_EQ(test::readBytes(path), foreign);
    EXPECT_NE(ini.cannotWriteMessage().find("could not be written back unchanged"),
              std::string::npos);
}

TEST_F(IniLibFile, NulIsAnOrdinaryByte) {
    const std::string file = "[a]\r\nk=x\0y\r\n\0\0\r\n[b]\r\nj=1\r\n"s;
    test::writeBytes(path, file);
    EXPECT_EQ(ini.GetKeyValue("a", "k", ""), "x\0y"s);
    ASSERT_TRUE(ini.SetKeyValue("b", "j", "2"));
    EXPECT_EQ(test::readBytes(path), "[a]\r\nk=x\0y\r\n\0\0\r\n[b]\r\nj=2\r\n"s);
}

TEST_F(IniLibFile, HugeFileAndHugeLine) {
    const std::string line = "[Long]\r\nValue=" + std::string(1 << 20, 'x') + "\r\n";
    const std::string crLf = manySections(1 << 20);
    std::string crOnly = crLf;
    std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
    std::string file = line;
    for (int i = 0; i < 10; ++i)
        file += crLf + crOnly;
    test::writeBytes(path, file);
    EXPECT_EQ(ini.GetKeyValue("long", "value", ""), std::string(998, 'x'));
    ASSERT_TRUE(ini.SetKeyValue("Long", "Other", "1"));
    // readWholeFile: the stream reader of the test helpers is slow on 20 MB.
    EXPECT_TRUE(readWholeFile(path).bytes == line + "Other=1\r\n" + file.substr(line.size()));
}

#ifndef _WIN32

TEST_F(IniLibFile, TwoProcessesWritingAtOnceLoseNoKey) {
    constexpr int kKeys = 60;
    const auto key = [](int process, int k) {
        return std::to_string(process) + "k" + std::to_string(k);
    };
    pid_t children[2];
    for (int p = 0; p < 2; ++p) {
        children[p] = fork();
        if (children[p] == 0) {
            int failed = 0;
            for (int k = 0; k < kKeys; ++k)
                failed += !ini.SetKeyValue("Shared", key(p, k), std::to_string(k));
            _exit(failed);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int p = 0; p < 2; ++p) {
        for (int k = 0; k < kKeys; ++k)
            EXPECT_EQ(ini.GetKeyValue("Shared", key(p, k), "lost"), std::to_string(k));
    }
}

TEST_F(IniLibFile, KilledWriterLeavesTheOldOrTheNewFile) {
    const std::string base = manySections(300 << 10) + "[Counter]\r\nValue=0\r\n";
    test::writeBytes(path, base);
    std::mt19937 random(11);
    std::string previous = "0";
    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        if (child == 0) {
            for (long i = 1;; ++i)
                (void)ini.SetKeyValue("Counter", "Value", std::to_string(round * 100000 + i));
        }
        // The kill lands at a random moment after the first write, however
        // slow a write is on this machine (read without the lock, which would
        // hold the writer up).
        const auto now = [&] {
            return ProfileText(test::readBytes(path), windows1252::equalsIgnoreCase);
        };
        test::eventually([&] { return now().value("Counter", "Value") != previous; });
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        ProfileText after = now();
        const std::string counter = after.value("Counter", "Value").value_or("");
        ASSERT_FALSE(counter.empty());
        ASSERT_EQ(counter.find_first_not_of("0123456789"), std::string::npos) << counter;
        ASSERT_NE(counter, previous) << "the writer wrote nothing in round " << round;
        previous = counter;
        after.setValue("Counter", "Value", "0");
        ASSERT_TRUE(after.bytes() == base) << "round " << round;
    }
}

#endif

} // namespace
} // namespace vm
