// The real program started on damaged settings: for each, what it tells the
// user, that it neither crashes nor hangs, and that it changes no file it
// was not asked to.
#include "e2e/road/RoadFixture.h"
#include "support/Eventually.h"

#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

#include <csignal>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>

namespace vm::test {
namespace {

using namespace std::chrono_literals;

class BadInputEndToEnd : public RoadFixture {
protected:
    BadInputEndToEnd()
        : RoadFixture({.quickSwitchAtStart = false, .windowManager = false, .program = {}}) {}

    void SetUp() override {
        RoadFixture::SetUp();
        startHost("start.dbf");
    }

    void useSettingsFile(const std::string& path) {
        ASSERT_TRUE(store().SaveSetting("Settings", "IniLocation", path));
    }

    // Starts Velmaris and answers its messages until the main window shows;
    // the messages, in order. The start's messages all come before it.
    std::vector<std::string> startAndAnswer() {
        startVelmaris();
        std::vector<std::string> told;
        eventually(
            [&] {
                if (mainWindowShown() || !velmarisRuns())
                    return true;
                if (const std::optional<std::string> message = nextMessage(250ms)) {
                    told.push_back(*message);
                    focus(windowNamed(message->substr(0, message->find(':'))));
                    keys({"Return"});
                }
                return false;
            },
            60s);
        EXPECT_TRUE(mainWindowShown()) << "no main window";
        return told;
    }

    bool mainWindowShown() {
        for (const WindowId window : desktop().windowsTitled("Velmaris"))
            if (desktop().clientArea(window).width >= 400)
                return true;
        return false;
    }

    // The list works: Enter on its first database logs Alice on to Sales.
    void switchesToSales() {
        const std::size_t before = logins().size();
        focus(windowNamed("Velmaris"));
        keys({"Return"});
        ASSERT_TRUE(eventually([&] { return logins().size() > before; }, 20s));
        EXPECT_EQ(logins().back().at(1), "Alice");
    }

    static void expectOneMessageWith(const std::vector<std::string>& told,
                                     const std::string& part) {
        ASSERT_EQ(told.size(), 1u) << (told.empty() ? "" : told[0]);
        EXPECT_NE(told[0].find(part), std::string::npos) << told[0];
    }
};

std::string list(const std::string& sales) {
    return "[General]\r\nSort=Sales\r\n[Sales]\r\nPath=" + sales + "\r\n";
}

// A size that is no number stops the start with a report, as any failure of
// the start does; closing the window stores its real size, and the next start
// is whole again.
TEST_F(BadInputEndToEnd, ADamagedSizeIsReportedAndMendedByTheNextClose) {
    const std::string before = readBytes(file("Velmaris.ini"));
    const struct {
        const char* key;
        const char* value;
        const char* report;
    } cases[] = {{"Height", "abc", "Error 13: 'Type mismatch: Settings/Height holds \"abc\""},
                 {"Column1", "99999", "Error 6: 'Overflow: Settings/Column1 holds \"99999\"'"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(store().SaveSetting("Settings", c.key, c.value));
        expectOneMessageWith(startAndAnswer(), c.report);
        // File ▸ Exit: the File menu stands first in the menu bar, Exit last.
        const ScreenBox main = desktop().clientArea(windowNamed("Velmaris"));
        desktop().click(main.x + 18, main.y + 8);
        keys({"Up", "Return"});
        ASSERT_TRUE(velmarisEnds());
        EXPECT_NE(store().GetSetting("Settings", c.key), c.value);
    }
    EXPECT_EQ(startAndAnswer().size(), 0u);
    switchesToSales();
    EXPECT_EQ(readBytes(file("Velmaris.ini")), before);
}

TEST_F(BadInputEndToEnd, AHugeSortListAndJunkFilesCostNoCrash) {
    std::string names;
    for (int n = 0; n < 5000; ++n)
        names += "Name" + std::to_string(n) + ";";
    std::string junk(1 << 16, '\0');
    for (std::size_t n = 0; n < junk.size(); ++n)
        junk[n] = static_cast<char>((n * 7919) % 251);
    const std::string settings = junk + "\r\n[General]\r\nSort=Sales;" + names +
                                 "\r\n[Sales]\r\nPath=" + file("sales.dbf") + "\r\n";
    writeBytes(file("Velmaris.ini"), settings);
    // The store: junk ahead of its own sections.
    const std::string storePath = store().location();
    writeBytes(storePath, junk + "\r\n" + readBytes(storePath));
    const auto told = startAndAnswer();
    EXPECT_TRUE(told.empty()) << told[0];
    switchesToSales();
    EXPECT_EQ(readBytes(file("Velmaris.ini")), settings);
}

TEST_F(BadInputEndToEnd, WhatIsNoRegularFileIsNamedAndNeitherReadNorLocked) {
    ASSERT_EQ(::mkfifo(file("fifo.ini").c_str(), 0600), 0);
    for (const std::string& path : {file("fifo.ini"), std::string("/dev/zero"), file("runtime")}) {
        SCOPED_TRACE(path);
        useSettingsFile(path);
        const auto told = startAndAnswer();
        expectOneMessageWith(told, path + " (it is not a regular file)");
        stopVelmaris();
        ASSERT_TRUE(velmarisEnds());
    }
    EXPECT_FALSE(std::filesystem::exists(file("fifo.ini.lock")));
    EXPECT_FALSE(std::filesystem::exists("/dev/zero.lock"));
}

TEST_F(BadInputEndToEnd, AMissingFolderIsReportedAndAMissingFileMade) {
    useSettingsFile(file("nowhere/Velmaris.ini"));
    expectOneMessageWith(startAndAnswer(), "Path not found: " + file("nowhere/Velmaris.ini"));
    EXPECT_FALSE(std::filesystem::exists(file("nowhere")));
    stopVelmaris();
    ASSERT_TRUE(velmarisEnds());

    useSettingsFile(file("new.ini"));
    EXPECT_TRUE(startAndAnswer().empty());
    EXPECT_EQ(readBytes(file("new.ini")), " \r\n");
}

TEST_F(BadInputEndToEnd, EmptyMarkedAndUtf16FilesAreReadAsTheyAre) {
    writeBytes(file("empty.ini"), "");
    useSettingsFile(file("empty.ini"));
    EXPECT_TRUE(startAndAnswer().empty());
    EXPECT_EQ(readBytes(file("empty.ini")), "");
    stopVelmaris();
    ASSERT_TRUE(velmarisEnds());

    const std::string marked = "\xEF\xBB\xBF" + list(file("sales.dbf"));
    std::string utf16 = "\xFF\xFE";
    for (const char c : list(file("sales.dbf")))
        utf16 += std::string{c, '\0'};
    for (const std::string& settings : {marked, utf16}) {
        writeBytes(file("Velmaris.ini"), settings);
        useSettingsFile(file("Velmaris.ini"));
        EXPECT_TRUE(startAndAnswer().empty());
        switchesToSales();
        EXPECT_EQ(readBytes(file("Velmaris.ini")), settings);
        ASSERT_TRUE(velmarisEnds());
    }
}

} // namespace
} // namespace vm::test
