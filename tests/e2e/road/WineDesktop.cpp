#include "e2e/road/Desktop.h"

#include "e2e/win32/WineSupport.h"
#include "platform/win32/AnsiText.h"
#include "platform/win32/Win32KeyTyper.h"
#include "platform/win32/WindowHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <map>

namespace vm::test {
namespace {

using namespace std::chrono_literals;

HWND handle(WindowId window) {
    return reinterpret_cast<HWND>(window);
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

// A hand's pace between the steps of a gesture, with the thread's windows
// answering meanwhile.
void pause() {
    const auto until = std::chrono::steady_clock::now() + 50ms;
    eventually([&] { return std::chrono::steady_clock::now() >= until; }, 1s);
}

WORD virtualKey(const std::string& name) {
    static const std::map<std::string, WORD> named{
        {"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},     {"space", VK_SPACE},
        {"Home", VK_HOME},     {"Right", VK_RIGHT},   {"Down", VK_DOWN},   {"Alt_L", VK_MENU},
        {"Menu", VK_APPS},     {"F10", VK_F10},       {"shift", VK_SHIFT}, {"alt", VK_MENU}};
    if (const auto found = named.find(name); found != named.end())
        return found->second;
    EXPECT_EQ(name.size(), 1u) << "no key named " << name;
    return static_cast<WORD>(::VkKeyScanA(name.empty() ? ' ' : name[0]) & 0xff);
}

class WineDesktop : public Desktop {
public:
    std::vector<WindowId> windowsTitled(const std::string& title, bool anyProgram) override {
        struct Search {
            std::wstring title;
            bool anyProgram;
            std::vector<WindowId> found;
        } search{win32::toWide(title).value(), anyProgram, {}};
        ::EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(data);
                std::array<wchar_t, 256> text{}, className{};
                ::GetWindowTextW(window, text.data(), text.size());
                ::GetClassNameW(window, className.data(), className.size());
                // Qt names its window classes after itself.
                if (::IsWindowVisible(window) && s.title == text.data() &&
                    (s.anyProgram || std::wstring_view(className.data()).starts_with(L"Qt")))
                    s.found.push_back(reinterpret_cast<WindowId>(window));
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        // EnumWindows goes from the top of the stack down.
        std::reverse(search.found.begin(), search.found.end());
        return search.found;
    }

    ScreenBox clientArea(WindowId window) override {
        RECT area{};
        ::GetClientRect(handle(window), &area);
        ::MapWindowPoints(handle(window), nullptr, reinterpret_cast<POINT*>(&area), 2);
        return {area.left, area.top, area.right - area.left, area.bottom - area.top};
    }

    bool isTopmost(WindowId window) override {
        return ::GetWindowLongW(handle(window), GWL_EXSTYLE) & WS_EX_TOPMOST;
    }

    bool focus(WindowId window) override {
        win32::Win32KeyTyper typer;
        if (!eventually(
                [&] {
                    if (::GetForegroundWindow() == handle(window))
                        return true;
                    typer.activate(win32::idOf(handle(window)));
                    return false;
                },
                10s))
            return false;
        // Keys that come while the window still settles (the window manager
        // handing it the focus, the program setting its own) may be lost.
        DWORD id = 0;
        ::GetWindowThreadProcessId(handle(window), &id);
        if (HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id)) {
            ::WaitForInputIdle(process, 5000);
            ::CloseHandle(process);
        }
        return true;
    }

    void click(int x, int y, int times) override {
        // An absolute move, as a mouse's reaches the window under the pointer.
        INPUT move = mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
        const int width = ::GetSystemMetrics(SM_CXSCREEN);
        const int height = ::GetSystemMetrics(SM_CYSCREEN);
        move.mi.dx = (x * 65536 + width - 1) / width;
        move.mi.dy = (y * 65536 + height - 1) / height;
        std::vector<INPUT> inputs{move};
        for (int i = 0; i < times; ++i) {
            inputs.push_back(mouseInput(MOUSEEVENTF_LEFTDOWN));
            inputs.push_back(mouseInput(MOUSEEVENTF_LEFTUP));
        }
        send(inputs);
    }

    // The window manager carries out a drag, following the X server's
    // pointer, which SendInput moves but does not press: the drag comes from
    // xdotool, as from a hand on the mouse.
    void drag(int fromX, int fromY, int toX, int toY) override {
        const auto at = [](int x, int y) { return std::to_string(x) + " " + std::to_string(y); };
        std::string xdotool = "Z:" + std::string(XDOTOOL);
        std::replace(xdotool.begin(), xdotool.end(), '/', '\\');
        // Wine starts a program of the system beneath it without a handle to
        // wait for; the caller waits for what the drag does.
        Child hand(xdotool + " mousemove --sync " + at(fromX, fromY) +
                   " mousedown 1 sleep 0.3 mousemove " + at((fromX + toX) / 2, (fromY + toY) / 2) +
                   " sleep 0.1 mousemove " + at(toX, toY) + " sleep 0.1 mouseup 1");
    }

    void keys(const std::vector<std::string>& names) override {
        for (const std::string& name : names) {
            const std::size_t plus = name.find('+');
            const std::optional<WORD> modifier =
                plus == std::string::npos ? std::nullopt
                                          : std::optional(virtualKey(name.substr(0, plus)));
            const WORD key = virtualKey(name.substr(plus == std::string::npos ? 0 : plus + 1));
            if (modifier) {
                send({keyInput(*modifier, false)});
                pause();
            }
            send({keyInput(key, false), keyInput(key, true)});
            pause();
            if (modifier) {
                send({keyInput(*modifier, true)});
                pause();
            }
        }
    }

    void type(const std::string& text) override {
        for (const wchar_t unit : win32::toWide(text).value()) {
            INPUT down{};
            down.type = INPUT_KEYBOARD;
            down.ki.wScan = unit;
            down.ki.dwFlags = KEYEVENTF_UNICODE;
            INPUT up = down;
            up.ki.dwFlags |= KEYEVENTF_KEYUP;
            send({down, up});
            pause();
        }
    }
};

} // namespace

std::unique_ptr<Desktop> makeDesktop(const std::string&, bool) {
    return std::make_unique<WineDesktop>();
}

} // namespace vm::test
