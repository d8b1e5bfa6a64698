#include "platform/win32/AnsiText.h"

#include <windows.h>

namespace vm::win32 {

namespace {

std::wstring wide(UINT codePage, DWORD flags, std::string_view text) {
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, flags, text.data(), size, out.data(), length);
    return out;
}

// Microsoft's contract for WideCharToMultiByte with UTF-8: "For UTF-8 dwFlags
// must be set to either 0 or WC_ERR_INVALID_CHARS. Otherwise, the function
// fails with ERROR_INVALID_FLAGS", and for lpUsedDefaultChar: "For the
// CP_UTF7 and CP_UTF8 settings for CodePage, this parameter must be set to
// NULL. Otherwise, the function fails with ERROR_INVALID_PARAMETER." UTF-8
// holds every character, so there is no look-alike to refuse there. Wine
// accepts the other flags; Windows does not.
std::optional<std::string> narrow(UINT codePage, std::wstring_view text) {
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const used = utf8 ? nullptr : &usedDefault;
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, used);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    std::string out(static_cast<std::size_t>(length), '\0');
    if (::WideCharToMultiByte(codePage, flags, text.data(), size, out.data(), length, nullptr,
                              used) != length ||
        usedDefault)
        return std::nullopt;
    return out;
}

} // namespace

unsigned ansiCodePage() {
    return ::GetACP();
}

std::optional<std::string> toAnsi(std::string_view utf8, unsigned codePage) {
    const std::optional<std::wstring> wideText = toWide(utf8);
    if (!wideText || wideText->empty())
        return wideText ? std::optional<std::string>(std::string()) : std::nullopt;
    return narrow(codePage, *wideText);
}

// MultiByteToWideChar takes flags 0 with every code page, UTF-8 included.
std::string fromAnsi(std::string_view ansi, unsigned codePage) {
    return fromWide(wide(codePage, 0, ansi));
}

std::optional<std::wstring> toWide(std::string_view utf8) {
    if (utf8.empty())
        return std::wstring();
    std::wstring text = wide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    return text.empty() ? std::nullopt : std::optional<std::wstring>(std::move(text));
}

std::string fromWide(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), length, nullptr, nullptr);
    return out;
}

} // namespace vm::win32
