// The logon program against windows of the test's own, under wine or Windows.
#include "LoginWindows.h"
#include "TestSupport.h"
#include "logon/Form1.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"
#include "settings/Windows1252.h"
#include "support/Eventually.h"
#include "support/SettingsBuilders.h"

#include <gtest/gtest.h>

namespace vm::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::string_view kUser = "Zo\u00EB \u00C5ngstr\u00F6m";
// Characters that other ways of typing read as keys or commands.
constexpr std::string_view kPassword = "\u00C4+%^~{}\u00E9\u20AC x";
// The whole search, had the login window never shown.
constexpr auto kWholeSearch = logon::Form1::kLastTick * logon::Form1::kTickInterval;

struct LogonRun {
    DWORD exitCode = 1;
    Clock::duration took{};
    std::string standardError;
};

class LogonOnWin32 : public ::testing::Test {
protected:
    // The hand-over is Velmaris's to rewrite before every start of logon.
    void SetUp() override {
        if (const std::optional<std::string> reason = noDisplayReason())
            GTEST_SKIP() << *reason;
        (void)store_->DeleteSetting(schema::kLogon);
    }
    void TearDown() override { (void)store_->DeleteSetting(schema::kLogon); }

    void handOver(std::string_view username, std::string_view password, bool usePassword) {
        ASSERT_TRUE(
            handOverLogon(*store_, username, windows1252::fromUtf8(password).value(), usePassword));
    }

    // Runs logon to its end while this thread's windows go on answering.
    LogonRun runLogon() {
        const std::string errorFile = dir_.file("stderr.txt");
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = ::CreateFileA(errorFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                          &inherited, CREATE_ALWAYS, 0, nullptr);
        PROCESS_INFORMATION child{};
        const Clock::time_point start = Clock::now();
        const bool started = ::CreateProcessA(LOGON_PROGRAM, nullptr, nullptr, nullptr, TRUE, 0,
                                              nullptr, nullptr, &startup, &child);
        ::CloseHandle(startup.hStdError);
        LogonRun run;
        if (!started) {
            ADD_FAILURE() << "cannot start " << LOGON_PROGRAM << ": " << ::GetLastError();
            return run;
        }
        // What it typed before it ended has all arrived once the queue is empty.
        const auto ended = [&] {
            return ::WaitForSingleObject(child.hProcess, 0) == WAIT_OBJECT_0 && queueIsEmpty();
        };
        if (!waitFor("logon to end", ended, kWholeSearch + 10s)) {
            ::TerminateProcess(child.hProcess, 1);
            ::WaitForSingleObject(child.hProcess, 5000);
        }
        run.took = Clock::now() - start;
        ::GetExitCodeProcess(child.hProcess, &run.exitCode);
        ::CloseHandle(child.hThread);
        ::CloseHandle(child.hProcess);
        run.standardError = readBytes(errorFile);
        return run;
    }

    std::unique_ptr<PerUserStore> store_ = openPerUserStore(schema::kApplicationName);
    TempDir dir_;
};

void expectUntouched(const LoginWindows& windows) {
    EXPECT_EQ(windows.field(LoginWindows::kName), "old-name");
    EXPECT_EQ(windows.field(LoginWindows::kPassword), "old-pass");
    EXPECT_FALSE(windows.accepted);
}

TEST_F(LogonOnWin32, AnswersTheHostsLoginWindowAndNotADecoyThatHasTheFocus) {
    handOver(kUser, kPassword, true);
    LoginWindows host(L"ACT3.0FrameClass", L"Login to Sales");
    LoginWindows decoy(L"OtherFrameClass", L"Login to Sales");
    ASSERT_TRUE(decoy.takeFocus());
    const LogonRun run = runLogon();
    EXPECT_EQ(run.exitCode, 0u) << run.standardError;
    EXPECT_EQ(host.field(LoginWindows::kName), kUser);
    EXPECT_EQ(host.field(LoginWindows::kPassword), kPassword);
    EXPECT_TRUE(host.accepted) << "Enter did not press the default button";
    expectUntouched(decoy);
    EXPECT_EQ(store_->GetSetting(schema::kLogon, schema::kPassword), "");
    EXPECT_EQ(::GetAsyncKeyState(VK_MENU) & 0x8000, 0) << "Alt stays held";
}

TEST_F(LogonOnWin32, WithoutUsePasswordTypesOnlyTheNameAndLeavesEnterToTheUser) {
    handOver(kUser, "never typed", false);
    LoginWindows host(L"ACT3.0FrameClass", L"Login to Sales");
    EXPECT_EQ(runLogon().exitCode, 0u);
    EXPECT_EQ(host.field(LoginWindows::kName), kUser);
    EXPECT_EQ(host.field(LoginWindows::kPassword), "");
    EXPECT_FALSE(host.accepted);
}

TEST_F(LogonOnWin32, TypesNothingWithoutAHandOverOrWithOneThatCannotBeTyped) {
    LoginWindows host(L"ACT3.0FrameClass", L"Login to Sales");
    const LogonRun none = runLogon();
    EXPECT_EQ(none.exitCode, 0u);
    EXPECT_LT(none.took, kWholeSearch / 2) << "did not end at once";
    EXPECT_EQ(none.standardError, "");

    handOver("jdoe\tx", "pw", true);
    const LogonRun refused = runLogon();
    EXPECT_EQ(refused.exitCode, 0u);
    EXPECT_NE(refused.standardError.find("logon error:\nError "), std::string::npos);
    EXPECT_NE(refused.standardError.find("cannot be typed"), std::string::npos)
        << refused.standardError;
    expectUntouched(host);
}

} // namespace
} // namespace vm::test
