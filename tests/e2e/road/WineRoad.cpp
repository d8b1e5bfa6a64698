// The road fixture's side under wine: the COM stand-in host, registered as
// its installer would, and Velmaris.exe with its logon.exe.
#include "e2e/TwoDatabases.h"
#include "e2e/road/RoadFixture.h"
#include "e2e/win32/WineSupport.h"

#include "host/com/ComHostConnection.h"
#include "platform/win32/AnsiText.h"
#include "settings/SettingsSchema.h"
#include "support/Eventually.h"

#include <windows.h>

#include <tlhelp32.h>

#include <array>

namespace vm::test {

using namespace std::chrono_literals;

namespace {

// The running programs whose image is `program`, named as Windows names it.
std::vector<DWORD> processesOf(const std::string& program) {
    std::vector<DWORD> found;
    const std::wstring wanted = win32::toWide(windowsPath(program)).value();
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
         more = ::Process32NextW(snapshot, &entry)) {
        HANDLE process =
            ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        std::array<wchar_t, MAX_PATH> image{};
        DWORD size = image.size();
        if (process && ::QueryFullProcessImageNameW(process, 0, image.data(), &size) &&
            ::CompareStringOrdinal(image.data(), -1, wanted.c_str(), -1, TRUE) == CSTR_EQUAL)
            found.push_back(entry.th32ProcessID);
        if (process)
            ::CloseHandle(process);
    }
    ::CloseHandle(snapshot);
    return found;
}

// The text in each box of a dialog of another program's.
std::vector<std::string> boxesOf(HWND dialog) {
    std::vector<std::string> texts;
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

void endProcesses(const std::string& program) {
    for (const DWORD id : processesOf(program)) {
        if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            ::TerminateProcess(process, 1);
            ::WaitForSingleObject(process, 10000);
            ::CloseHandle(process);
        }
    }
}

} // namespace

struct RoadFixture::System {
    std::string velmaris, logon;
    std::unique_ptr<Child> host, running;
};

std::vector<bool> windowManagers() {
    return {true};
}

RoadFixture::RoadFixture(Options options)
    : options_(std::move(options)), system_(std::make_unique<System>()),
      desktop_(makeDesktop({}, true)) {
    useProgram(options_.program.empty() ? VELMARIS_EXE : options_.program);
}

void RoadFixture::useProgram(const std::string& velmaris) {
    system_->velmaris = windowsPath(velmaris);
    system_->logon =
        system_->velmaris.substr(0, system_->velmaris.find_last_of('\\') + 1) + "logon.exe";
}

const std::string& RoadFixture::program() const {
    return system_->velmaris;
}

RoadFixture::~RoadFixture() = default;

std::string RoadFixture::file(const std::string& name) const {
    return windowsPath(dir_.file(name));
}

void RoadFixture::SetUp() {
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no display for wine's windows";
    static const bool registered = [] {
        registerHostStandin(HOST_STANDIN_EXE);
        return true;
    }();
    (void)registered;
    store_ = openPerUserStore(schema::kApplicationName);
    ASSERT_TRUE(store_->DeleteAll());
    writeBytes(file("std.cly"), "");
    writeTwoDatabases(
        *store_, [this](const std::string& name) { return file(name); }, file("std.cly"),
        options_.quickSwitchAtStart);
    // Velmaris and the hosts it starts inherit the test's journal and folders.
    ::SetEnvironmentVariableA("HOST_STANDIN_JOURNAL", journalPath().c_str());
    ::SetEnvironmentVariableA("LOCALAPPDATA", file("").c_str());
}

void RoadFixture::TearDown() {
    if (!store_)
        return;
    // A Velmaris left waiting on a message by a failed test, or started by
    // the host's command, ends with the test.
    endProcesses(system_->velmaris);
    system_->running.reset();
    EXPECT_TRUE(closeHosts());
    system_->host.reset();
    (void)store_->DeleteAll();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Symantec");
}

void RoadFixture::startHost(const std::string& database) {
    system_->host = std::make_unique<Child>(quoted(HOST_STANDIN_EXE) +
                                            (database.empty() ? "" : " " + quoted(file(database))));
    ASSERT_TRUE(
        waitFor("the host's frame", [] { return ::FindWindowA("ACT3.0FrameClass", nullptr); }));
}

// Its installer's registration, made once for the test program, serves .dbf files.
void RoadFixture::hostStartsForDbfFiles() {}

bool RoadFixture::firstHostEnded() {
    return system_->host->wait(20s).has_value();
}

bool RoadFixture::hostRunsNow() {
    return !processesOf(HOST_STANDIN_EXE).empty();
}

bool RoadFixture::logonRunsNow() {
    return !processesOf(system_->logon).empty();
}

bool RoadFixture::logonEnded() {
    return eventually([&] { return !logonRunsNow(); }, 15s);
}

WindowId RoadFixture::hostFrame(const std::string& title) {
    HWND frame = nullptr;
    waitFor(title, [&] {
        frame = ::FindWindowA("ACT3.0FrameClass", title.c_str());
        return frame != nullptr;
    });
    return reinterpret_cast<WindowId>(frame);
}

int RoadFixture::commandPlaced(bool toolbar, int view) {
    ComApartment apartment;
    const auto aux = ComHostConnection().createAuxCommands();
    return toolbar ? aux->AuxCommandExistsInToolbar(view, "Velmaris")
                   : aux->AuxCommandExistsInToolsMenu(view, "Velmaris");
}

bool RoadFixture::runHostCommand(WindowId frame) {
    // The host's Tools menu on Contacts offers the command first.
    return openedBy(
               frame,
               [&] {
                   keys({"alt+t", "Return"});
               },
               "Velmaris") != 0;
}

RoadFixture::Args RoadFixture::typedIntoLogin(const std::string& loginTitle) {
    const Args typed = boxesOf(::FindWindowA(nullptr, loginTitle.c_str()));
    EXPECT_TRUE(closeHosts());
    return typed;
}

void RoadFixture::startVelmaris() {
    system_->running =
        std::make_unique<Child>(quoted(windowsPath(system_->velmaris)), file("velmaris.err"));
}

bool RoadFixture::velmarisEnds() {
    return system_->running->wait(30s).has_value();
}

void RoadFixture::stopVelmaris() {
    endProcesses(system_->velmaris);
}

bool RoadFixture::velmarisRuns() {
    return system_->running && !system_->running->wait(0ms).has_value();
}

} // namespace vm::test
