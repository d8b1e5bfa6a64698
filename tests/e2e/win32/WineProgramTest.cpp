// Velmaris.exe as a Windows user meets it, under wine against the Windows
// stand-in host: its start-up checks, a switch from the main window, the
// list dialogs, the QuickSwitch window and the integration into the host.
#include "e2e/win32/WineProgramFixture.h"

#include "host/com/ComHostConnection.h"
#include "settings/IniLib.h"

namespace vm::test {
namespace {

using namespace std::chrono_literals;

class WineMainWindow : public WineProgramFixture {
protected:
    WineMainWindow() : WineProgramFixture(false, VELMARIS_EXE) {}
};

TEST_F(WineMainWindow, StartingTellsWhatTheHostLacks) {
    startVelmaris();
    EXPECT_EQ(answerMessage(), "Velmaris: Please run ACT! before running Velmaris!");
    EXPECT_TRUE(velmarisEnds());

    startHost("");
    startVelmaris();
    EXPECT_EQ(answerMessage(), "Velmaris: Please make sure a database is open or ACT! completely "
                               "closed before running Velmaris!");
    EXPECT_TRUE(velmarisEnds());
    ASSERT_TRUE(closeHosts());

    // A frame of the host's class that does not answer, as a host would
    // whose event control is not registered.
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = ::DefWindowProcA;
    frameClass.hInstance = ::GetModuleHandleA(nullptr);
    frameClass.lpszClassName = "ACT3.0FrameClass";
    ::RegisterClassA(&frameClass);
    HWND deaf = ::CreateWindowA("ACT3.0FrameClass", "ACT!", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, frameClass.hInstance, nullptr);
    startVelmaris();
    EXPECT_EQ(answerMessage(), "Velmaris: Problem registering ACT! event. Please run actreg.exe in "
                               "your ACT! folder and try again.");
    EXPECT_TRUE(velmarisEnds());
    ::DestroyWindow(deaf);
    ::UnregisterClassA("ACT3.0FrameClass", frameClass.hInstance);
}

TEST_F(WineMainWindow, ADoubleClickOnTheSecondRowOpensItWithItsUserLoggedOn) {
    startHost("start.dbf");
    const std::string login = loginBySecondRow();
    EXPECT_NE(login.find("\"Carol\",\"x\""), std::string::npos) << login;
    EXPECT_NE(login.find("support.dbf"), std::string::npos) << login;
}

TEST_F(WineMainWindow, ManageListRemovesTheSelectedDatabaseEverywhere) {
    startHost("start.dbf");
    startVelmaris();
    // Edit, the second menu, has no mnemonic: Alt takes the menu bar.
    focus(openedBy(
        windowNamed("Velmaris"),
        [] {
            keys({VK_MENU, VK_RIGHT, VK_DOWN, 'M'});
        },
        "Manage List"));
    keys({VK_HOME});
    withAlt('R');
    keys({VK_RETURN});

    IniLib ini;
    const std::string path = file("Velmaris.ini");
    EXPECT_TRUE(eventually([&] {
        return ini.GetKeyValue("General", "Sort", "", path) == "Support";
    })) << readBytes(path);
    EXPECT_EQ(ini.GetKeyValue("General", "QuickSwitch", "", path).find("Sales"), std::string::npos);
    EXPECT_EQ(ini.GetKeyValue("Sales", "Path", "<none>", path), "<none>");
    EXPECT_EQ(store_->GetSetting("Sales", "Username", "<none>"), "<none>");
    EXPECT_EQ(store_->GetSetting("Support", "Username"), "Carol");
}

TEST_F(WineMainWindow, IntegrateRestartsTheHostWhoseCommandThenStartsVelmaris) {
    startHost("start.dbf");
    startVelmaris();
    // Options, the third menu, through the menu bar: Alt+O would first give
    // the focus to the Open button, which shares its mnemonic.
    const HWND main = windowNamed("Velmaris");
    focus(openedBy(
        main,
        [] {
            keys({VK_MENU, VK_RIGHT, VK_RIGHT, VK_DOWN, 'I'});
        },
        "Integrate with ACT!"));
    // Contacts on the toolbar (the first box, which has the focus) and in
    // the Tools menu (the seventh).
    keys({VK_SPACE, VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_SPACE, VK_RETURN});
    EXPECT_NE(answerMessage(main).value_or("").find("Do you want to re-start it now?"),
              std::string::npos);
    ASSERT_TRUE(velmarisEnds());

    HWND frame = nullptr;
    ASSERT_TRUE(eventually([&] {
        frame = ::FindWindowA("ACT3.0FrameClass", "Host Stand-in - Start");
        return frame != nullptr;
    })) << "the host did not come back with its database";
    ComApartment apartment;
    const auto aux = ComHostConnection().createAuxCommands();
    EXPECT_EQ(aux->AuxCommandExistsInToolbar(1, "Velmaris"), 1);
    EXPECT_EQ(aux->AuxCommandExistsInToolsMenu(1, "Velmaris"), 1);
    EXPECT_EQ(aux->AuxCommandExistsInToolbar(3, "Velmaris"), 0);

    // The host's Tools menu on Contacts offers the command first.
    EXPECT_TRUE(openedBy(
        frame,
        [] {
            withAlt('T');
            keys({VK_RETURN});
        },
        "Velmaris"))
        << "the host's command did not start Velmaris";
}

class WineQuickSwitch : public WineProgramFixture {
protected:
    WineQuickSwitch() : WineProgramFixture(true, VELMARIS_EXE) {}

    // The text in each box of a dialog of another program's.
    static std::vector<std::string> boxesOf(HWND dialog) {
        std::vector<std::string> texts;
        if (!dialog)
            return texts;
        ::EnumChildWindows(
            dialog,
            [](HWND child, LPARAM data) -> BOOL {
                char className[16] = {}, text[256] = {};
                ::GetClassNameA(child, className, sizeof className);
                if (::lstrcmpiA(className, "Edit") == 0) {
                    // GetWindowText gives another program's box its first text.
                    ::SendMessageA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
                    reinterpret_cast<std::vector<std::string>*>(data)->push_back(text);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&texts));
        return texts;
    }

    void clickTile(HWND window, int button) {
        const RECT area = clientArea(window);
        const int column = (button - 1) / 2, row = (button - 1) % 2;
        click({area.left + 4 + column * 76 + 38, area.top + 4 + row * 76 + 38});
    }
};

TEST_F(WineQuickSwitch, StaysOnTopAndATileOpensItsDatabaseWithTheUserLoggedOn) {
    startHost("start.dbf");
    startVelmaris();
    const HWND window = windowNamed("QuickSwitch");
    EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    clickTile(window, 2);
    ASSERT_TRUE(velmarisEnds());
    ASSERT_TRUE(journalHas("Login"));
    ASSERT_TRUE(logonEnded());
    EXPECT_NE(logins().at(0).find("\"Carol\",\"x\""), std::string::npos) << logins()[0];
}

TEST_F(WineQuickSwitch, TheStripDragsTheWindowAndTheNextStartOpensItThere) {
    if (std::string_view(XDOTOOL).empty())
        GTEST_SKIP() << "no xdotool to drag with";
    startHost("start.dbf");
    startVelmaris();
    HWND window = windowNamed("QuickSwitch");
    const RECT before = clientArea(window);
    // Below the menu box on the strip at the right edge.
    const POINT strip{before.right - 4 - 6, before.top + 60};
    drag(strip, {strip.x + 120, strip.y + 80});
    RECT moved{};
    EXPECT_TRUE(eventually(
        [&] {
            moved = clientArea(window);
            return moved.left != before.left && moved.top != before.top;
        },
        10s));
    focus(window);
    keys({VK_ESCAPE});
    ASSERT_TRUE(velmarisEnds());

    startVelmaris();
    window = windowNamed("QuickSwitch");
    const RECT again = clientArea(window);
    EXPECT_EQ(again.left, moved.left);
    EXPECT_EQ(again.top, moved.top);
    focus(window);
    keys({VK_ESCAPE});
    EXPECT_TRUE(velmarisEnds());
}

TEST_F(WineQuickSwitch, WithTheHostClosedATileStartsItThroughTheDbfAssociation) {
    ASSERT_TRUE(store_->SaveSetting("Sales", "NoPasswordAtACTStartup", "1"));
    startVelmaris();
    clickTile(windowNamed("QuickSwitch"), 1);
    ASSERT_TRUE(velmarisEnds());
    ASSERT_TRUE(journalHas("LoginShown")) << "the host was not started";
    // The user's name typed, the password left to the user.
    const std::vector<std::string> typed{"Alice", ""};
    EXPECT_TRUE(eventually(
        [&] { return boxesOf(::FindWindowA(nullptr, "Login to Sales Team")) == typed; }, 15s));
    ASSERT_TRUE(logonEnded());
    // The host, closed at its login, says what it was opening: the database
    // of the start-up values, with its layout.
    ASSERT_TRUE(closeHosts());
    const auto startUp = lastJournalLine(journalPath(), "StartUp");
    ASSERT_TRUE(startUp);
    EXPECT_NE(startUp->find("sales.dbf\",\""), std::string::npos) << *startUp;
    EXPECT_NE(startUp->find("std.cly"), std::string::npos) << *startUp;
}

} // namespace
} // namespace vm::test
