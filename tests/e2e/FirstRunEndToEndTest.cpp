// A brand-new user follows the README: the demo setup, the stand-in host with
// the demo database open, and Velmaris's very first start.
#include "SwitchFixture.h"

#include "main/gui/frmMain.h"
#include "settings/SettingsSchema.h"
#include "support/LanguagePickerAnswer.h"

#include <QAction>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace vm;
using namespace vm::test;

namespace {

class FirstRun : public SwitchTest {
protected:
    void SetUp() override {
        // Nothing but an empty home: every store in its default place.
        home_ = std::getenv("HOME") ? std::getenv("HOME") : "";
        ::setenv("DISPLAY", testDisplay().c_str(), 1);
        ::setenv("HOME", file("home").c_str(), 1);
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "VELMARIS_HOST_REGISTRY"})
            ::unsetenv(name);
        ::setenv("HOST_STANDIN_JOURNAL", file("journal.jsonl").c_str(), 1);
        std::filesystem::create_directories(file("runtime"));
        ::setenv("XDG_RUNTIME_DIR", file("runtime").c_str(), 1);
        ChildProcess setup({DEMO_SETUP, DEMO_INI});
        ASSERT_EQ(setup.wait(std::chrono::seconds(10)), 0);
        store = openPerUserStore(schema::kApplicationName);
        startHost(DEMO_DIR "/contacts.dbf");
    }

    void TearDown() override {
        SwitchTest::TearDown();
        ::setenv("HOME", home_.c_str(), 1);
    }

    void expectAliceLoggedOn() {
        ASSERT_TRUE(velmarisEnded()) << (prompter.asked.empty() ? "" : prompter.asked[0].text);
        EXPECT_EQ(lastArgs(journal("Login")),
                  QStringList({DEMO_DIR "/sales.dbf", "Alice", "wonderland"}));
    }

private:
    std::string home_;
};

TEST_F(FirstRun, TheDemoLogsAliceOnAtTheFirstDoubleClick) {
    bool firstRunLook = false;
    answerLanguagePicker(LangTable::kEnglish, &firstRunLook);
    openInVelmaris("Sales Team", 0, Gesture::DoubleClick);
    EXPECT_TRUE(firstRunLook);
    expectAliceLoggedOn();
    EXPECT_EQ(store->GetSetting("Settings", "Installed"), "1");
}

TEST_F(FirstRun, ALanguageChangeKeepsTheDemoListWorking) {
    answerLanguagePicker(LangTable::kFrench);
    openInVelmaris("Sales Team", 0, Gesture::DoubleClick, [](frmMain& window) {
        answerLanguagePicker(LangTable::kGerman);
        window.findChild<QAction*>("mnuLanguages")->trigger();
    });
    EXPECT_EQ(lang.LangIndex(), LangTable::kGerman);
    expectAliceLoggedOn();
}

} // namespace
