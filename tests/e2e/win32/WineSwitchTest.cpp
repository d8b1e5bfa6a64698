// The road of a switch on Windows: the main window's start-up and an opening
// with the Windows backends (the registry per-user store and host registry,
// the shell, the COM host client) against the Windows stand-in host, whose
// login window the real logon.exe answers. Needs a display: wine makes real
// windows.

#include "main/MainWindowTest.h"

#include "e2e/win32/WineSupport.h"
#include "support/SettingsBuilders.h"

#include "cipher/modEnCrypt.h"
#include "host/com/ComHostConnection.h"
#include "main/core/DatabaseOpening.h"
#include "main/core/clsToolbarIcon.h"
#include "platform/win32/AnsiText.h"
#include "platform/win32/Win32Shell.h"
#include "settings/Windows1252.h"
#include "settings/win32/Win32HostRegistry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace vm::test {
namespace {

using namespace std::chrono_literals;

const std::string kUser = "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m";
const std::string kPassword = "p\xC3\xA4+%^~{}ss";

// A login window of another program's: a frame of another class owning a
// window titled as the host's, with a box a stray keystroke would fill.
class Decoy {
public:
    Decoy() {
        WNDCLASSA frameClass{};
        frameClass.lpfnWndProc = ::DefWindowProcA;
        frameClass.hInstance = ::GetModuleHandleA(nullptr);
        frameClass.lpszClassName = "VelmarisDecoyFrame";
        ::RegisterClassA(&frameClass);
        frame_ = ::CreateWindowA("VelmarisDecoyFrame", "Decoy", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                 0, 300, 200, nullptr, nullptr, frameClass.hInstance, nullptr);
        login_ = ::CreateWindowA("VelmarisDecoyFrame", "Login to Sales Team",
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200, frame_,
                                 nullptr, frameClass.hInstance, nullptr);
        box_ = ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24,
                               login_, nullptr, frameClass.hInstance, nullptr);
        ::SetForegroundWindow(login_);
        ::SetFocus(box_);
    }
    ~Decoy() { ::DestroyWindow(frame_); }
    std::string text() const {
        char buffer[256] = {};
        ::GetWindowTextA(box_, buffer, sizeof buffer);
        return buffer;
    }

private:
    HWND frame_ = nullptr, login_ = nullptr, box_ = nullptr;
};

class WineSwitchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (std::getenv("DISPLAY"))
            registerHostStandin(HOST_STANDIN_EXE);
    }

    void SetUp() override {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no display for wine's windows";
        view.onClose = [this] { startup.Form_Unload(); };
        ASSERT_TRUE(store->DeleteAll());
        writeBytes(file("contacts.dbf"), "[Database]\r\nName=Demo Contacts\r\n");
        for (const char* name : {"sales.cly", "s.gly", "welcome.mpr"})
            writeBytes(file(name), "");
        writeBytes(file("sales.dbf"), "[Database]\r\nName=Sales Team\r\n[Users]\r\n" + kUser + "=" +
                                          kPassword + "\r\n");
        writeBytes(iniPath(), SettingsFile()
                                  .general({{"Sort", "Sales"}, {"QuickSwitch", "Sales;;;;;;;"}})
                                  .record("Sales", file("sales.dbf"),
                                          {{"CLY", file("sales.cly")},
                                           {"GLY", file("s.gly")},
                                           {"StartupMacro", file("welcome.mpr")}})
                                  .locations([this](int index) { return location(index); }));
        ASSERT_TRUE(startedBefore(*store));
        for (const auto& [section, key, value] : std::initializer_list<std::array<std::string, 3>>{
                 {"Settings", "IniLocation", iniPath()},
                 {"Sales", "Username", kUser},
                 {"Sales", "UsePassword", "1"},
                 {"Sales", "Password",
                  modEnCrypt::EncryptText(windows1252::fromUtf8(kPassword).value(),
                                          std::string(modEnCrypt::kCipherKey))}})
            ASSERT_TRUE(store->SaveSetting(section, key, value));
        // The host's journal and its own folders (its profile) are the test's.
        ::SetEnvironmentVariableA("HOST_STANDIN_JOURNAL", journalPath().c_str());
        ::SetEnvironmentVariableA("LOCALAPPDATA", file("").c_str());
    }

    void TearDown() override {
        EXPECT_TRUE(closeHosts());
        host_.reset();
        (void)store->DeleteAll();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Symantec");
    }

    std::string location(int index) const { return file("loc" + std::to_string(index)); }
    // Paths as the host gives them back.
    std::string file(const std::string& name) const { return windowsPath(dir.file(name)); }
    std::string iniPath() const { return file("Velmaris.ini"); }
    std::string journalPath() const { return file("journal.jsonl"); }

    void startHost(const std::string& database) {
        host_ = std::make_unique<Child>(quoted(HOST_STANDIN_EXE) + " " + quoted(database));
        ASSERT_TRUE(eventually([&] { return ::FindWindowA("ACT3.0FrameClass", nullptr); }));
    }

    std::optional<std::string> lastLine(const std::string& member) const {
        return lastJournalLine(journalPath(), member);
    }

    std::optional<std::string> hostValue(std::string_view key, std::string_view name) const {
        char buffer[1024] = {};
        DWORD size = sizeof buffer;
        if (::RegGetValueA(HKEY_CURRENT_USER, std::string(key).c_str(), std::string(name).c_str(),
                           RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return win32::fromAnsi(buffer);
    }

    std::string reports() const {
        std::string all;
        for (const auto& message : prompter.asked)
            all += message.caption + ": " + message.text + "\n";
        return all;
    }

    ComApartment apartment;
    TempDir dir;
    std::unique_ptr<PerUserStore> store = openPerUserStore(schema::kApplicationName);
    LangTable lang;
    CapturedReports captured;
    RecordingPrompter& prompter = captured.prompter;
    Win32Shell shell;
    ComHostConnection host;
    Win32HostRegistry registry;
    Program program{
        *store, lang, prompter, shell, host, registry, windowsPath(VELMARIS_PROGRAM_DIR)};
    FakeMainView view;
    DatabaseOpening opening{program, view};
    FakeSingleInstance instance;
    MainLogic logic{program, view, opening, instance};
    MainMenus& menus = logic.menus;
    DatabaseList& list = logic.list;
    MainStartup& startup = logic.startup;

private:
    std::unique_ptr<Child> host_;
};

TEST_F(WineSwitchTest, OpensTheDatabaseWithItsSettingsAndLogonExeAnswersOnlyTheHostsLogin) {
    startHost(file("contacts.dbf"));
    Decoy decoy;
    startup.Form_Load();
    ASSERT_NE(std::find(view.events.begin(), view.events.end(), "show"), view.events.end())
        << reports();

    opening.Open_DB("Sales", 5, false);
    EXPECT_EQ(reports(), "");
    // The opening ended by letting the host go: a new connection asks.
    EXPECT_EQ(program.app, nullptr);
    const auto app = host.createApplication();
    EXPECT_EQ(app->GetCurrentUserName(), kUser);
    EXPECT_EQ(app->GetOpenDBName(), file("sales.dbf"));
    EXPECT_EQ(decoy.text(), "");

    // The layouts before the database (its call returns once the login is
    // done), its view and macro after.
    std::vector<std::string> order;
    for (const auto& [member, line] : journalEntries(journalPath()))
        if (order.empty() || order.back() != member)
            order.push_back(member);
    const auto at = [&](const std::string& member) {
        return std::find(order.begin(), order.end(), member) - order.begin();
    };
    EXPECT_LT(at("SetDefaultContactLayout"), at("LoginShown"));
    EXPECT_LT(at("LoginShown"), at("Login"));
    EXPECT_LT(at("Login"), at("openDB"));
    EXPECT_LT(at("openDB"), at("Create"));
    EXPECT_LT(at("Create"), at("RunMacro"));
    const auto login = lastLine("Login");
    ASSERT_TRUE(login);
    EXPECT_NE(login->find(kUser), std::string::npos) << *login;
    EXPECT_EQ(login->find("\"error\""), std::string::npos) << *login;
    for (const schema::FileType& type : schema::kFileTypes)
        EXPECT_EQ(hostValue(schema::kHostKey, schema::fileTypeValueName(type)),
                  location(type.index));
}

TEST_F(WineSwitchTest, TheHostsUserClosingItClosesVelmarisOnItsOwnThread) {
    startHost(file("contacts.dbf"));
    startup.Form_Load();
    ASSERT_EQ(reports(), "");
    ::PostMessageA(::FindWindowA("ACT3.0FrameClass", nullptr), WM_CLOSE, 0, 0);
    EXPECT_TRUE(eventually([&] {
        return std::find(view.events.begin(), view.events.end(), "close") != view.events.end();
    }));
    EXPECT_EQ(reports(), "");
}

TEST_F(WineSwitchTest, StartHostModeWritesTheStartUpValuesAndStartsTheHostOfDbfFiles) {
    std::string ini = readBytes(iniPath());
    ini.insert(ini.find('\n') + 1, "QuickSwitchStartup=1\r\n");
    writeBytes(iniPath(), ini);
    const std::string scratch = file("probe.dbf");
    writeBytes(scratch, "x");
    std::string found = clsToolbarIcon(program).GetACTLocation();
    ::CharLowerA(found.data());
    EXPECT_NE(found.find("host-standin"), std::string::npos) << found;

    view.onQuickSwitch = [&] { program.sStartDatabase = "Sales"; };
    startup.Form_Load();
    EXPECT_EQ(reports(), "");
    EXPECT_EQ(hostValue(schema::kHostDatabaseKey, schema::kHostLastDbName), file("sales.dbf"));
    EXPECT_EQ(hostValue(schema::kHostDatabaseKey, schema::kHostContactLayout), file("sales.cly"));
    EXPECT_EQ(hostValue(schema::kHostGeneralKey, schema::kHostMacroName), file("welcome.mpr"));
    ASSERT_TRUE(eventually([&] {
        const auto login = lastLine("Login");
        return login && login->find(kUser) != std::string::npos;
    })) << readBytes(journalPath());
}

// A German user's host lies in "ACT! für Windows", a French user's program in
// a folder named with "é": the link lands in the host's own folder, not in
// one whose name was read in the ANSI code page.
TEST_F(WineSwitchTest, AFirstRunInFoldersNamedWithAccentsPutsTheLinkInTheHostsFolder) {
    const std::string hostProfile = file("ACT! f\xC3\xBCr Windows");
    program.programFolder = file("Programme \xC3\xA9t\xC3\xA9 Stra\xC3\x9F"
                                 "e");
    for (const std::string& folder : {hostProfile, program.programFolder})
        if (!::CreateDirectoryW(win32::toWide(folder).value().c_str(), nullptr))
            GTEST_SKIP() << "wine names no file outside ASCII here (error " << ::GetLastError()
                         << "): its Unix locale is not UTF-8";
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", win32::toWide(hostProfile).value().c_str());
    ASSERT_TRUE(store->SaveSetting("Settings", "Installed", "0"));
    startHost(file("contacts.dbf"));

    startup.Form_Load();
    EXPECT_EQ(reports(), "");
    const std::string link =
        hostProfile + "\\host-standin\\NetLinks\\" + std::string(kLinkFileName);
    EXPECT_NE(::GetFileAttributesW(win32::toWide(link).value().c_str()), INVALID_FILE_ATTRIBUTES)
        << link;
}

} // namespace
} // namespace vm::test
