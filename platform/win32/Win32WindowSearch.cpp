#include "platform/win32/Win32WindowSearch.h"

#include "platform/WindowNames.h"
#include "platform/win32/WindowHandle.h"

#include <functional>
#include <string>

namespace vm::win32 {

namespace {

// Class names are at most 256 characters, the terminating NUL included.
constexpr int kClassNameBuffer = 256;

// The first top-level window, topmost first, that `wanted` accepts.
HWND firstTopLevel(const std::function<bool(HWND)>& wanted) {
    struct Search {
        const std::function<bool(HWND)>& wanted;
        HWND found = nullptr;
    } search{wanted};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            if (!s.wanted(window))
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string classOf(HWND window) {
    char name[kClassNameBuffer] = {};
    const int length = ::GetClassNameA(window, name, kClassNameBuffer);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// What the search sees of a title: no more than its longest searched title,
// and nothing after a NUL.
std::string titleOf(HWND window) {
    char title[kLongestSearchedTitle + 1] = {};
    const int length = ::GetWindowTextA(window, title, sizeof title);
    const std::string_view text(title, length > 0 ? static_cast<std::size_t>(length) : 0);
    return std::string(text.substr(0, text.find('\0')));
}

DWORD processOf(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process;
}

bool isOwnedBy(HWND window, HWND frame) {
    return ::GetParent(window) == frame || ::GetWindow(window, GW_OWNER) == frame;
}

} // namespace

std::optional<WindowId> Win32WindowSearch::findOwnedWindow(std::string_view frameClassPart,
                                                           std::string_view titlePart) {
    const HWND frame = firstTopLevel(
        [&](HWND window) { return containsIgnoringCase(classOf(window), frameClassPart); });
    if (!frame)
        return std::nullopt;
    const DWORD host = processOf(frame);
    // A hidden window can take neither the focus nor the keystrokes; it is
    // found on a later tick, once it shows.
    const HWND login = firstTopLevel([&](HWND window) {
        return isOwnedBy(window, frame) && processOf(window) == host && ::IsWindowVisible(window) &&
               titleOf(window).find(titlePart) != std::string::npos;
    });
    if (!login)
        return std::nullopt;
    return idOf(login);
}

} // namespace vm::win32
