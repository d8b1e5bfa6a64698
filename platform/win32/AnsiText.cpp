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

} // namespace

std::optional<std::string> toAnsi(std::string_view utf8) {
    const std::optional<std::wstring> wideText = toWide(utf8);
    if (!wideText || wideText->empty())
        return wideText ? std::optional<std::string>(std::string()) : std::nullopt;
    const std::wstring& text = *wideText;
    const int size = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                             nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    std::string out(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, out.data(), length,
                          nullptr, &usedDefault);
    return usedDefault ? std::nullopt : std::optional<std::string>(out);
}

std::string fromAnsi(std::string_view ansi) {
    return fromWide(wide(CP_ACP, 0, ansi));
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
