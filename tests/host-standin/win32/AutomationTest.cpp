#include "ComText.h"
#include "FrameMessages.h"
#include "HostServer.h"
#include "host/com/HostComNames.h"
#include "platform/win32/Win32KeyTyper.h"
#include "support/Eventually.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace standin::win::test {

using namespace standin::core;

namespace {

namespace hostcom = vm::hostcom;

constexpr auto kPatience = std::chrono::seconds(20);

using AutomationTest = RunningHostTest;

TEST_F(AutomationTest, NamesInAnyCaseAndArgumentsOfAnyKindReachTheMembers) {
    EXPECT_EQ(idOf(app_, L"OPENDB"), idOf(app_, L"openDB"));
    EXPECT_NE(idOf(app_, L"openDB"), DISPID_UNKNOWN);
    EXPECT_EQ(idOf(app_, L"NoSuchMember"), DISPID_UNKNOWN);

    const std::wstring contacts = demoFile("contacts.dbf");
    const Reply opened = call(app_, L"OpenDb", Value(contacts));
    ASSERT_EQ(opened.result, S_OK) << utf8Of(opened.description);
    EXPECT_EQ(text(L"GetOpenDBName"), contacts);
    EXPECT_EQ(text(L"GetCurrentUserName"), L"Admin");

    // A view type as a 2-byte number, a calendar mode as text.
    const Reply views = call(app_, L"Views");
    ASSERT_EQ(views.value.vt, VT_DISPATCH);
    const Reply view = call(views.value.pdispVal, L"Create", Value(short{5}), Value(L"V"));
    ASSERT_EQ(view.value.vt, VT_DISPATCH);
    EXPECT_EQ(call(view.value.pdispVal, L"SetCalendarMode", Value(L"301")).result, S_OK);

    const auto open = host_.journalOf("/Application", "openDB");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0]["args"].at(0).textOrEmpty(), utf8Of(contacts));
    EXPECT_TRUE(open[0]["result"].isNull());
    const auto created = host_.journalOf("/Application/Views", "Create");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].toText().find("{\"args\":[5,\"V\"],\"member\":\"Create\","
                                       "\"object\":\"/Application/Views\","
                                       "\"result\":\"/Application/Views/1\",\"time\":"),
              0u);
    EXPECT_EQ(host_.journalOf("/Application/Views/1", "SetCalendarMode").size(), 1u);
}

TEST_F(AutomationTest, ARefusalComesBackAsAnExceptionWithItsReason) {
    const Reply refused = call(app_, L"RunMacro", Value(L"C:\\nowhere\\missing.mpr"));
    EXPECT_EQ(refused.result, DISP_E_EXCEPTION);
    EXPECT_NE(refused.description.find(L"does not exist"), std::wstring::npos);
    EXPECT_EQ(call(app_, L"Command", Value(L"not a number")).result, DISP_E_TYPEMISMATCH);

    const auto recorded = host_.journalOf("/Application", "RunMacro");
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0]["error"]["name"].textOrEmpty(), "org.velmaris.HostStandin.Error.Refused");
    EXPECT_EQ(wideOf(recorded[0]["error"]["message"].textOrEmpty()), refused.description);
}

TEST_F(AutomationTest, APreferenceWrittenAsAPropertyReadsBack) {
    const Reply preferences = call(app_, L"Preferences");
    ASSERT_EQ(preferences.value.vt, VT_DISPATCH);
    IDispatch* prefs = preferences.value.pdispVal;

    const std::wstring layout = demoFile("standard.cly");
    const Value path(layout);
    ASSERT_EQ(invoke(prefs, L"defaultcontactlayout", DISPATCH_PROPERTYPUT, {&path}).result, S_OK);
    EXPECT_EQ(invoke(prefs, L"DefaultContactLayout", DISPATCH_PROPERTYGET, {}).value.text(),
              layout);
    EXPECT_EQ(invoke(prefs, L"UseLastDBonStartup", DISPATCH_PROPERTYGET, {}).value.vt, VT_BOOL);

    const auto set = host_.journalOf("/Application/Preferences", "SetDefaultContactLayout");
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set[0]["args"].at(0).textOrEmpty(), utf8Of(layout));
    EXPECT_EQ(host_.journalOf("/Application/Preferences", "DefaultContactLayout").size(), 1u);
}

TEST_F(AutomationTest, AuxiliaryCommandsAreKeptAndPlacedByName) {
    IDispatch* aux = create(hostcom::kAuxCommandsProgId, CLSCTX_LOCAL_SERVER);
    ASSERT_NE(aux, nullptr);
    const auto number = [aux](const wchar_t* member, const auto&... args) {
        const Reply reply = call(aux, member, args...);
        EXPECT_EQ(reply.value.vt, VT_I4) << member;
        return reply.result == S_OK ? static_cast<int>(reply.value.lVal) : -1;
    };
    const Value name(L"Velmaris"), lowerName(L"velmaris"), none(L""), contacts(1L);
    EXPECT_EQ(number(L"AddAuxCommand", name, Value(L"C:\\Velmaris\\Velmaris.exe"), none,
                     Value(L"Switch database"), none, none, none, Value(short{1})),
              0);
    EXPECT_EQ(number(L"AuxCommandExists", lowerName), 1);
    EXPECT_EQ(number(L"AuxCommandExistsInToolsMenu", contacts, name), 0);
    EXPECT_EQ(number(L"AddAuxCommandToToolsMenu", contacts, lowerName), 0);
    EXPECT_EQ(number(L"AuxCommandExistsInToolsMenu", contacts, name), 1);
    EXPECT_EQ(number(L"AuxCommandExistsInToolbar", contacts, name), 0);
    EXPECT_EQ(number(L"RemoveAuxCommandFromToolsMenu", contacts, name), 0);
    EXPECT_EQ(number(L"AuxCommandExistsInToolsMenu", contacts, name), 0);

    const Reply refused = call(aux, L"AddAuxCommandToToolbar", Value(9L), name);
    EXPECT_EQ(refused.result, DISP_E_EXCEPTION);
    EXPECT_NE(refused.description.find(L"There is no view 9"), std::wstring::npos);
    aux->Release();

    const auto added = host_.journalOf("/AuxCommands", "AddAuxCommand");
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0]["args"].toText(),
              "[\"Velmaris\",\"C:\\\\Velmaris\\\\Velmaris.exe\",\"\",\"Switch database\",\"\","
              "\"\",\"\",1]");
    EXPECT_EQ(added[0]["result"].toText(), "0");
}

// The login runs inside the call: the caller waits on a thread of its own
// while this one plays the user.
class LoginTest : public RunningHostTest {
protected:
    // Ends, as the host it waits on does, after TearDown.
    std::future<Reply> opening_;

    void openSales() {
        opening_ = std::async(std::launch::async, [] {
            ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            IDispatch* app = create(hostcom::kApplicationProgId, CLSCTX_LOCAL_SERVER);
            Reply reply = app ? call(app, L"openDB", Value(demoFile("sales.dbf"))) : Reply();
            if (app)
                app->Release();
            ::CoUninitialize();
            return reply;
        });
    }
    // The dialog once it has the keyboard, else null.
    static HWND loginDialog() {
        HWND dialog = nullptr;
        const auto focused = [&dialog] {
            dialog = ::FindWindowW(nullptr, L"Login to Sales Team");
            return dialog && ::GetForegroundWindow() == dialog;
        };
        return vm::test::eventually(focused, kPatience) ? dialog : nullptr;
    }
    void answerLogin(const std::u32string& name, const std::u32string& password) {
        HWND dialog = loginDialog();
        ASSERT_NE(dialog, nullptr) << "no login dialog with the keyboard";
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), host_.frame());
        // Typed as the logon program types: Alt+N to the name, Alt+P to the
        // password, Enter for the default button.
        vm::win32::Win32KeyTyper keys;
        keys.pressWithAlt(U'N');
        for (const char32_t character : name)
            keys.type(character);
        keys.pressWithAlt(U'P');
        for (const char32_t character : password)
            keys.type(character);
        keys.press(vm::KeyTyper::Key::Enter);
    }
};

TEST_F(LoginTest, OpeningADatabaseWithUsersReturnsOnceTheLoginIsAnswered) {
    openSales();
    answerLogin(U"alice", U"nonsense");
    const Reply refused = opening_.get();
    EXPECT_EQ(refused.result, DISP_E_EXCEPTION);
    EXPECT_NE(refused.description.find(L"Wrong user name or password"), std::wstring::npos);

    openSales();
    answerLogin(U"alice", U"wonderland");
    EXPECT_EQ(opening_.get().result, S_OK);
    EXPECT_EQ(text(L"GetCurrentUserName"), L"Alice");

    const auto logins = host_.journalOf("host", "Login");
    ASSERT_EQ(logins.size(), 2u);
    EXPECT_EQ(logins[0]["args"].toText(),
              Json(Json::Array{utf8Of(demoFile("sales.dbf")), "alice", "nonsense"}).toText());
    EXPECT_FALSE(logins[0]["error"].isNull());
    EXPECT_EQ(logins[1]["result"].textOrEmpty(), "Alice");
    EXPECT_EQ(host_.journalOf("host", "LoginShown").size(), 2u);
}

TEST_F(LoginTest, ClosingTheFrameDuringALoginRefusesTheWaitingCall) {
    openSales();
    ASSERT_NE(loginDialog(), nullptr);
    ::PostMessageW(host_.frame(), WM_CLOSE, 0, 0);
    const Reply refused = opening_.get();
    EXPECT_EQ(refused.result, DISP_E_EXCEPTION);
    EXPECT_NE(refused.description.find(L"cancelled"), std::wstring::npos);
    EXPECT_TRUE(host_.waitForExit());
}

// A client that finds no host running starts one through its registration.
using ComActivationTest = HostTest;

TEST_F(ComActivationTest, CreatingTheApplicationStartsTheRegisteredHost) {
    ASSERT_EQ(::FindWindowW(kFrameClass, nullptr), nullptr) << "a host is running already";
    HostServer registered;
    IDispatch* app = create(vm::hostcom::kApplicationProgId, CLSCTX_LOCAL_SERVER);
    ASSERT_NE(app, nullptr);
    HWND frame = ::FindWindowW(kFrameClass, nullptr);
    EXPECT_NE(frame, nullptr);
    const Reply path = call(app, L"GetAppPath");
    EXPECT_EQ(path.result, S_OK);
    EXPECT_NE(path.value.text().find(L"host-standin"), std::wstring::npos);
    // Started from the client, the host takes the client's environment.
    EXPECT_EQ(registered.journalOf("/Application", "GetAppPath").size(), 1u);

    EXPECT_EQ(call(app, L"Command", Value(150L)).result, S_OK);
    app->Release();
    EXPECT_TRUE(vm::test::eventually([frame] { return !::IsWindow(frame); }, kPatience))
        << "the host's frame did not close";
}

} // namespace

} // namespace standin::win::test
