#include "ComText.h"
#include "FrameMessages.h"
#include "HostServer.h"
#include "host/com/HostComNames.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace standin::win::test {

using namespace standin::core;

namespace {

namespace hostcom = vm::hostcom;

using Keys = std::vector<INPUT>;

Keys key(WORD virtualKey) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = virtualKey;
    INPUT up = down;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    return {down, up};
}

Keys withAlt(WORD virtualKey) {
    Keys keys = key(VK_MENU);
    const Keys pressed = key(virtualKey);
    keys.insert(keys.begin() + 1, pressed.begin(), pressed.end());
    return keys;
}

Keys typed(const wchar_t* characters) {
    Keys keys;
    for (const wchar_t* c = characters; *c; ++c) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wScan = *c;
        down.ki.dwFlags = KEYEVENTF_UNICODE;
        INPUT up = down;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        keys.insert(keys.end(), {down, up});
    }
    return keys;
}

void typeKeys(const std::vector<Keys>& groups) {
    for (const Keys& group : groups) {
        Keys keys = group;
        ASSERT_EQ(::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)),
                  keys.size());
    }
}

using AutomationTest = RunningHostTest;

TEST_F(AutomationTest, NamesInAnyCaseAndArgumentsOfAnyKindReachTheMembers) {
    EXPECT_EQ(idOf(app_, L"OPENDB"), idOf(app_, L"openDB"));
    EXPECT_NE(idOf(app_, L"openDB"), DISPID_UNKNOWN);
    EXPECT_EQ(idOf(app_, L"NoSuchMember"), DISPID_UNKNOWN);

    const std::wstring contacts = demoFile("contacts.dbf");
    Value path(contacts.c_str());
    Reply opened;
    call(app_, L"OpenDb", {&path}, opened);
    ASSERT_EQ(opened.result, S_OK)
        << std::string(opened.description.begin(), opened.description.end());
    EXPECT_EQ(text(L"GetOpenDBName"), contacts);
    EXPECT_EQ(text(L"GetCurrentUserName"), L"Admin");

    // A view type as a 2-byte number, a calendar mode as text.
    Reply views;
    call(app_, L"Views", {}, views);
    ASSERT_EQ(views.value.vt, VT_DISPATCH);
    Value calendarType(short{5});
    Value name(L"V");
    Reply view;
    call(views.value.pdispVal, L"Create", {&calendarType, &name}, view);
    ASSERT_EQ(view.value.vt, VT_DISPATCH);
    Value weekly(L"301");
    Reply mode;
    call(view.value.pdispVal, L"SetCalendarMode", {&weekly}, mode);
    EXPECT_EQ(mode.result, S_OK);

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
    Value macro(L"C:\\nowhere\\missing.mpr");
    Reply refused;
    call(app_, L"RunMacro", {&macro}, refused);
    EXPECT_EQ(refused.result, DISP_E_EXCEPTION);
    EXPECT_NE(refused.description.find(L"does not exist"), std::wstring::npos);

    Value command(L"not a number");
    Reply mistyped;
    call(app_, L"Command", {&command}, mistyped);
    EXPECT_EQ(mistyped.result, DISP_E_TYPEMISMATCH);

    const auto recorded = host_.journalOf("/Application", "RunMacro");
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0]["error"]["name"].textOrEmpty(), "org.velmaris.HostStandin.Error.Refused");
    EXPECT_EQ(wideOf(recorded[0]["error"]["message"].textOrEmpty()), refused.description);
}

TEST_F(AutomationTest, APreferenceWrittenAsAPropertyReadsBack) {
    Reply preferences;
    call(app_, L"Preferences", {}, preferences);
    ASSERT_EQ(preferences.value.vt, VT_DISPATCH);
    IDispatch* prefs = preferences.value.pdispVal;

    const std::wstring layout = demoFile("standard.cly");
    Value path(layout.c_str());
    Reply written;
    call(prefs, L"defaultcontactlayout", {&path}, written, DISPATCH_PROPERTYPUT);
    ASSERT_EQ(written.result, S_OK);
    Reply read;
    call(prefs, L"DefaultContactLayout", {}, read, DISPATCH_PROPERTYGET);
    EXPECT_EQ(read.value.text(), layout);
    Reply useLast;
    call(prefs, L"UseLastDBonStartup", {}, useLast, DISPATCH_PROPERTYGET);
    EXPECT_EQ(useLast.value.vt, VT_BOOL);

    const auto set = host_.journalOf("/Application/Preferences", "SetDefaultContactLayout");
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set[0]["args"].at(0).textOrEmpty(), utf8Of(layout));
    EXPECT_EQ(host_.journalOf("/Application/Preferences", "DefaultContactLayout").size(), 1u);
}

TEST_F(AutomationTest, AuxiliaryCommandsAreKeptAndPlacedByName) {
    IDispatch* aux = create(hostcom::kAuxCommandsProgId, CLSCTX_LOCAL_SERVER);
    ASSERT_NE(aux, nullptr);
    const auto number = [aux](const wchar_t* member, const std::vector<const VARIANT*>& args) {
        Reply reply;
        call(aux, member, args, reply);
        EXPECT_EQ(reply.value.vt, VT_I4) << member;
        return reply.result == S_OK ? static_cast<int>(reply.value.lVal) : -1;
    };
    Value name(L"Velmaris"), program(L"C:\\Velmaris\\Velmaris.exe"), none(L""),
        caption(L"Switch database"), type(short{1}), lowerName(L"velmaris"), contacts(1L),
        noSuchView(9L);
    EXPECT_EQ(
        number(L"AddAuxCommand", {&name, &program, &none, &caption, &none, &none, &none, &type}),
        0);
    EXPECT_EQ(number(L"AuxCommandExists", {&lowerName}), 1);
    EXPECT_EQ(number(L"AuxCommandExistsInToolsMenu", {&contacts, &name}), 0);
    EXPECT_EQ(number(L"AddAuxCommandToToolsMenu", {&contacts, &lowerName}), 0);
    EXPECT_EQ(number(L"AuxCommandExistsInToolsMenu", {&contacts, &name}), 1);
    EXPECT_EQ(number(L"AuxCommandExistsInToolbar", {&contacts, &name}), 0);
    EXPECT_EQ(number(L"RemoveAuxCommandFromToolsMenu", {&contacts, &name}), 0);
    EXPECT_EQ(number(L"AuxCommandExistsInToolsMenu", {&contacts, &name}), 0);

    Reply refused;
    call(aux, L"AddAuxCommandToToolbar", {&noSuchView, &name}, refused);
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
    ~LoginTest() override {
        if (caller_.joinable())
            caller_.join();
    }

    void openSalesFromAnotherThread() {
        caller_ = std::thread([this] {
            ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            IDispatch* app = create(hostcom::kApplicationProgId, CLSCTX_LOCAL_SERVER);
            Value path(demoFile("sales.dbf").c_str());
            Reply reply;
            if (app) {
                call(app, L"openDB", {&path}, reply);
                app->Release();
            }
            result_ = reply.result;
            description_ = reply.description;
            ::CoUninitialize();
        });
    }
    HRESULT waitForTheCall() {
        caller_.join();
        return result_;
    }
    // The dialog once it has the keyboard, else null.
    HWND loginDialog() {
        HWND dialog = nullptr;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (::GetForegroundWindow() != dialog && std::chrono::steady_clock::now() < deadline) {
            dialog = ::FindWindowW(nullptr, L"Login to Sales Team");
            ::Sleep(20);
        }
        return ::GetForegroundWindow() == dialog ? dialog : nullptr;
    }
    void answerLogin(const wchar_t* name, const wchar_t* password) {
        HWND dialog = loginDialog();
        ASSERT_NE(dialog, nullptr) << "no login dialog with the keyboard";
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), host_.frame());
        // Typed as the user does: Alt+N to the name, Alt+P to the password,
        // Enter for the default button.
        typeKeys({withAlt('N'), typed(name), withAlt('P'), typed(password), key(VK_RETURN)});
    }

    std::thread caller_;
    HRESULT result_ = E_FAIL;
    std::wstring description_;
};

TEST_F(LoginTest, OpeningADatabaseWithUsersReturnsOnceTheLoginIsAnswered) {
    openSalesFromAnotherThread();
    answerLogin(L"alice", L"nonsense");
    EXPECT_EQ(waitForTheCall(), DISP_E_EXCEPTION);
    EXPECT_NE(description_.find(L"Wrong user name or password"), std::wstring::npos);

    openSalesFromAnotherThread();
    answerLogin(L"alice", L"wonderland");
    EXPECT_EQ(waitForTheCall(), S_OK);
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
    openSalesFromAnotherThread();
    ASSERT_NE(loginDialog(), nullptr);
    ::PostMessageW(host_.frame(), WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForTheCall(), DISP_E_EXCEPTION);
    EXPECT_NE(description_.find(L"cancelled"), std::wstring::npos);
    EXPECT_TRUE(host_.waitForExit());
}

} // namespace

} // namespace standin::win::test

namespace standin::win::test {

namespace {

// A client that finds no host running starts one through its registration.
TEST(ComActivationTest, CreatingTheApplicationStartsTheRegisteredHost) {
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "The host's frame needs a display; DISPLAY is not set.";
    ASSERT_EQ(::FindWindowW(kFrameClass, nullptr), nullptr) << "a host is running already";
    ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    HostServer registered;
    IDispatch* app = create(vm::hostcom::kApplicationProgId, CLSCTX_LOCAL_SERVER);
    ASSERT_NE(app, nullptr);
    HWND frame = ::FindWindowW(kFrameClass, nullptr);
    EXPECT_NE(frame, nullptr);
    Reply path;
    call(app, L"GetAppPath", {}, path);
    EXPECT_EQ(path.result, S_OK);
    EXPECT_NE(path.value.text().find(L"host-standin"), std::wstring::npos);
    // Started from the client, the host takes the client's environment.
    EXPECT_EQ(registered.journalOf("/Application", "GetAppPath").size(), 1u);

    Value close(150L);
    Reply closed;
    call(app, L"Command", {&close}, closed);
    EXPECT_EQ(closed.result, S_OK);
    app->Release();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (::IsWindow(frame) && std::chrono::steady_clock::now() < deadline)
        ::Sleep(20);
    EXPECT_FALSE(::IsWindow(frame));
    ::CoUninitialize();
}

} // namespace

} // namespace standin::win::test
