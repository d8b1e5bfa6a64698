#include "e2e/win32/WineProgramFixture.h"

#include "e2e/TwoDatabases.h"
#include "platform/win32/AnsiText.h"
#include "platform/win32/Win32KeyTyper.h"
#include "platform/win32/WindowHandle.h"
#include "settings/SettingsSchema.h"

#include <tlhelp32.h>

#include <algorithm>
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

void send(std::vector<INPUT> inputs) {
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT keyInput(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    // Qt reads a letter's key from its scan code, as a keyboard sends it.
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT mouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

// An absolute move, as a mouse's reaches the window under the pointer.
void moveTo(POINT at) {
    INPUT input = mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (at.x * 65536 + width - 1) / width;
    input.mi.dy = (at.y * 65536 + height - 1) / height;
    send({input});
}

// A hand's pace between the steps of a gesture, with the thread's windows
// answering meanwhile.
void pause(std::chrono::milliseconds length) {
    const auto until = std::chrono::steady_clock::now() + length;
    eventually([&] { return std::chrono::steady_clock::now() >= until; }, length + 1s);
}

std::string windowTitle(HWND window) {
    std::array<char, 256> text{};
    ::GetWindowTextA(window, text.data(), text.size());
    return text.data();
}

} // namespace

void WineProgramFixture::SetUpTestSuite() {
    if (std::getenv("DISPLAY"))
        registerHostStandin(HOST_STANDIN_EXE);
}

void WineProgramFixture::SetUp() {
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no display for wine's windows";
    store_ = openPerUserStore(schema::kApplicationName);
    ASSERT_TRUE(store_->DeleteAll());
    writeBytes(file("std.cly"), "");
    writeTwoDatabases(
        *store_, [this](const std::string& name) { return file(name); }, file("std.cly"),
        quickSwitchAtStart_);
    // Velmaris and the hosts it starts inherit the test's journal and folders.
    ::SetEnvironmentVariableA("HOST_STANDIN_JOURNAL", journalPath().c_str());
    ::SetEnvironmentVariableA("LOCALAPPDATA", file("").c_str());
}

void WineProgramFixture::TearDown() {
    if (!store_)
        return;
    // A Velmaris left waiting on a message by a failed test, or started by
    // the host's command, ends with the test.
    for (const DWORD id : processesOf(program_)) {
        if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            ::TerminateProcess(process, 1);
            ::WaitForSingleObject(process, 10000);
            ::CloseHandle(process);
        }
    }
    velmaris_.reset();
    EXPECT_TRUE(closeHosts());
    host_.reset();
    (void)store_->DeleteAll();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Symantec");
}

void WineProgramFixture::startHost(const std::string& database) {
    host_ = std::make_unique<Child>(quoted(HOST_STANDIN_EXE) +
                                    (database.empty() ? "" : " " + quoted(file(database))));
    ASSERT_TRUE(eventually([] { return ::FindWindowA("ACT3.0FrameClass", nullptr); }));
}

void WineProgramFixture::startVelmaris() {
    velmaris_ = std::make_unique<Child>(quoted(windowsPath(program_)), file("velmaris.err"));
}

bool WineProgramFixture::velmarisEnds() {
    return velmaris_->wait(30s).has_value();
}

std::optional<std::string> WineProgramFixture::nextMessage(std::chrono::milliseconds limit) {
    std::optional<std::string> message;
    eventually(
        [&] {
            const std::string text = readBytes(file("velmaris.err"));
            for (std::size_t end; (end = text.find('\n', messagesRead_)) != std::string::npos;) {
                std::string line = text.substr(messagesRead_, end - messagesRead_);
                messagesRead_ = end + 1;
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                // The toolkit's own warnings share the output.
                if (line.starts_with("Velmaris")) {
                    message = line;
                    return true;
                }
            }
            return false;
        },
        limit);
    return message;
}

std::optional<std::string> WineProgramFixture::answerMessage(HWND above) {
    const std::optional<std::string> message = nextMessage();
    if (message) {
        // Its copy on the error output comes before the box shows.
        focus(windowNamed("Velmaris", above));
        keys({VK_RETURN});
    }
    return message;
}

bool WineProgramFixture::journalHas(const std::string& member) const {
    return eventually([&] { return lastJournalLine(journalPath(), member).has_value(); });
}

std::vector<std::string> WineProgramFixture::logins() const {
    std::vector<std::string> found;
    for (const auto& [member, line] : journalEntries(journalPath()))
        if (member == "Login")
            found.push_back(line);
    return found;
}

bool WineProgramFixture::logonEnded() const {
    const std::string program = windowsPath(program_);
    const std::string logon = program.substr(0, program.find_last_of('\\') + 1) + "logon.exe";
    return eventually([&] { return processesOf(logon).empty(); }, 15s);
}

std::string WineProgramFixture::loginBySecondRow() {
    startVelmaris();
    const HWND main = windowNamed("Velmaris");
    focus(main);
    const RECT area = clientArea(main);
    click({area.left + 60, area.top + kSecondRowY}, 2);
    const bool loggedOn = journalHas("Login") && logonEnded() && logins().size() == 1;
    if (!loggedOn) {
        ADD_FAILURE() << "no single login answered by logon.exe";
        return {};
    }
    return logins()[0];
}

namespace {

// Velmaris's newest visible window titled so, or null when none showed in
// time. Top-level windows come from the top of the stack down: a message box
// stands above the window that shares its title. Qt names its window classes
// after itself. `except`: a window that does not count.
HWND findWindow(const std::string& title, std::chrono::milliseconds limit, HWND except = nullptr) {
    const std::wstring wanted = win32::toWide(title).value();
    struct Search {
        const std::wstring& title;
        HWND except;
        HWND found = nullptr;
    } search{wanted, except};
    eventually(
        [&] {
            ::EnumWindows(
                [](HWND window, LPARAM data) -> BOOL {
                    auto& s = *reinterpret_cast<Search*>(data);
                    std::array<wchar_t, 256> text{}, className{};
                    ::GetWindowTextW(window, text.data(), text.size());
                    ::GetClassNameW(window, className.data(), className.size());
                    if (window == s.except || !::IsWindowVisible(window) ||
                        s.title != text.data() ||
                        std::wstring_view(className.data()).substr(0, 2) != L"Qt")
                        return TRUE;
                    s.found = window;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        limit);
    return search.found;
}

} // namespace

HWND WineProgramFixture::windowNamed(const std::string& title, HWND except) {
    HWND window = findWindow(title, 30s, except);
    if (!window)
        ADD_FAILURE() << title << " did not show";
    return window;
}

HWND WineProgramFixture::openedBy(HWND from, const std::function<void()>& gesture,
                                  const std::string& title) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        focus(from);
        gesture();
        if (HWND opened = findWindow(title, 3s))
            return opened;
        keys({VK_ESCAPE, VK_ESCAPE}); // a menu left open, then the menu bar
    }
    ADD_FAILURE() << title << " did not open";
    return nullptr;
}

RECT WineProgramFixture::clientArea(HWND window) {
    RECT area{};
    ::GetClientRect(window, &area);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void WineProgramFixture::focus(HWND window) {
    win32::Win32KeyTyper typer;
    ASSERT_TRUE(eventually(
        [&] {
            if (::GetForegroundWindow() == window)
                return true;
            typer.activate(win32::idOf(window));
            return false;
        },
        10s))
        << "the window did not take the focus: " << windowTitle(window);
    // Keys that come while the window still settles (the window manager
    // handing it the focus, the program setting its own) may be lost.
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    if (HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id)) {
        ::WaitForInputIdle(process, 5000);
        ::CloseHandle(process);
    }
}

void WineProgramFixture::click(POINT at, int times) {
    moveTo(at);
    for (int i = 0; i < times; ++i)
        send({mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP)});
}

void WineProgramFixture::drag(POINT from, POINT to) {
    // Wine starts a program of the system beneath it, without a handle to
    // wait for; the caller waits for what the drag does.
    const auto at = [](POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y) + " "; };
    const POINT middle{(from.x + to.x) / 2, (from.y + to.y) / 2};
    std::string xdotool = "Z:" + std::string(XDOTOOL);
    std::replace(xdotool.begin(), xdotool.end(), '/', '\\');
    Child hand(xdotool + " mousemove --sync " + at(from) + "mousedown 1 sleep 0.3 mousemove " +
               at(middle) + "sleep 0.1 mousemove " + at(to) + "sleep 0.1 mouseup 1");
}

void WineProgramFixture::keys(std::initializer_list<WORD> virtualKeys) {
    for (const WORD key : virtualKeys) {
        send({keyInput(key, false), keyInput(key, true)});
        pause(50ms);
    }
}

void WineProgramFixture::withAlt(WORD virtualKey) {
    send({keyInput(VK_MENU, false)});
    pause(50ms);
    send({keyInput(virtualKey, false), keyInput(virtualKey, true)});
    pause(50ms);
    send({keyInput(VK_MENU, true)});
    pause(50ms);
}

} // namespace vm::test
