#include "platform/win32/Win32KeyTyper.h"

#include "platform/SecureWipe.h"
#include "platform/win32/WindowHandle.h"

#include <stdexcept>

namespace vm::win32 {

namespace {

using KeyDown = Win32KeyTyper::KeyDown;

// A character that would arrive as something other than itself: a control
// character acts as an editing key, and half of a surrogate pair or a code
// point beyond Unicode makes no character at all.
bool typable(char32_t c) {
    return c >= 0x20 && c != 0x7F && !(c >= 0xD800 && c <= 0xDFFF) && c <= 0x10FFFF;
}

void refuseUntypable(char32_t c) {
    // The character itself is not named: it may be part of a password.
    if (!typable(c))
        throw std::invalid_argument(
            "The text holds a character that cannot be typed (a control character, "
            "half of a surrogate pair or no character at all)");
}

// The UTF-16 units of a character, each sent as a key of its own: the
// receiving window puts a surrogate pair together from two WM_CHAR messages.
std::vector<KeyDown> unicodeKeys(char32_t c) {
    if (c < 0x10000)
        return {{0, static_cast<unsigned short>(c), KEYEVENTF_UNICODE}};
    const char32_t offset = c - 0x10000;
    return {{0, static_cast<unsigned short>(0xD800 + (offset >> 10)), KEYEVENTF_UNICODE},
            {0, static_cast<unsigned short>(0xDC00 + (offset & 0x3FF)), KEYEVENTF_UNICODE}};
}

// Programs that read the scan code see the key as a keyboard sends it.
KeyDown virtualKey(WORD key, DWORD flags = 0) {
    return {key, static_cast<unsigned short>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), flags};
}

INPUT inputOf(const KeyDown& key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.virtualKey;
    input.ki.wScan = key.scanCode;
    input.ki.dwFlags = key.flags | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

DWORD foregroundThread() {
    const HWND foreground = ::GetForegroundWindow();
    return foreground ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
}

} // namespace

bool Win32KeyTyper::focusIsIn(WindowId window) {
    const DWORD thread = foregroundThread();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (thread == 0 || !::GetGUIThreadInfo(thread, &info) || !info.hwndFocus)
        return false;
    const HWND target = handleOf(window);
    return info.hwndFocus == target || ::IsChild(target, info.hwndFocus);
}

void Win32KeyTyper::activate(WindowId window) {
    // Windows lets only the thread that has the user's input change the
    // foreground window; sharing that thread's input state for a moment lends
    // this one the right.
    const DWORD self = ::GetCurrentThreadId();
    const DWORD foreground = foregroundThread();
    const bool attached =
        foreground != 0 && foreground != self && ::AttachThreadInput(self, foreground, TRUE);
    ::SetForegroundWindow(handleOf(window));
    if (attached)
        ::AttachThreadInput(self, foreground, FALSE);
}

void Win32KeyTyper::prepare(std::u32string_view text) {
    for (const char32_t c : text)
        refuseUntypable(c);
}

void Win32KeyTyper::type(char32_t character) {
    refuseUntypable(character);
    // The character may be one of a password's: no buffer that held it goes
    // back to the heap unwiped.
    std::vector<KeyDown> keys = unicodeKeys(character);
    const WipeElementsOnExit wipeKeys(keys);
    strike(keys);
}

void Win32KeyTyper::press(Key key) {
    switch (key) {
    case Key::Delete:
        // The Delete key of the editing block, not the keypad's.
        strike({virtualKey(VK_DELETE, KEYEVENTF_EXTENDEDKEY)});
        return;
    case Key::Tab:
        strike({virtualKey(VK_TAB)});
        return;
    case Key::Enter:
        break;
    }
    strike({virtualKey(VK_RETURN)});
}

void Win32KeyTyper::pressWithAlt(char32_t letter) {
    // The mnemonic is found through the character the key gives in the
    // layout of the thread that receives it; Shift makes no difference to it.
    const HKL layout = ::GetKeyboardLayout(foregroundThread());
    const SHORT scan = letter < 0x10000 ? ::VkKeyScanExW(static_cast<WCHAR>(letter), layout) : -1;
    constexpr int kControlOrAlt = 0x06;
    if (scan == -1 || (HIBYTE(scan) & kControlOrAlt) != 0)
        throw std::invalid_argument("The keyboard layout has no key for the mnemonic's letter");
    strike({virtualKey(VK_MENU), virtualKey(LOBYTE(scan))});
}

Win32KeyTyper::~Win32KeyTyper() {
    finish();
    secureWipe(held_.data(), held_.size() * sizeof(KeyDown));
}

void Win32KeyTyper::finish() noexcept {
    releaseHeld();
}

void Win32KeyTyper::strike(const std::vector<KeyDown>& keys) {
    // One batch, which the user's own typing cannot split.
    std::vector<INPUT> inputs;
    inputs.reserve(2 * keys.size());
    const WipeElementsOnExit wipeInputs(inputs);
    for (const KeyDown& key : keys)
        inputs.push_back(inputOf(key, false));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        inputs.push_back(inputOf(*key, true));
    const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // The downs that went out without their ups stay held until released.
    const std::size_t count = keys.size();
    for (std::size_t i = 0; i < count && i < sent; ++i)
        if (2 * count - 1 - i >= sent)
            hold(keys[i]);
    if (sent != inputs.size()) {
        releaseHeld();
        throw std::runtime_error("Windows refused a keystroke (SendInput)");
    }
}

void Win32KeyTyper::releaseHeld() noexcept {
    while (!held_.empty()) {
        INPUT up = inputOf(held_.back(), true);
        if (::SendInput(1, &up, sizeof(INPUT)) != 1)
            return; // tried again by finish()
        secureWipe(&held_.back(), sizeof(KeyDown));
        held_.pop_back();
    }
}

void Win32KeyTyper::hold(const KeyDown& key) {
    if (held_.size() == held_.capacity()) {
        // Grown by hand, so that the smaller buffer is wiped before it goes.
        std::vector<KeyDown> larger;
        larger.reserve(2 * held_.size() + 2);
        larger.insert(larger.end(), held_.begin(), held_.end());
        secureWipe(held_.data(), held_.size() * sizeof(KeyDown));
        held_.swap(larger);
    }
    held_.push_back(key);
}

} // namespace vm::win32
