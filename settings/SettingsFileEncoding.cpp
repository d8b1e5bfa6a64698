#include "settings/SettingsFileEncoding.h"

#include "base/Utf8.h"
#include "settings/Windows1252.h"

#include <string_view>

namespace vm {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

bool littleEndian(SettingsFileText::Encoding encoding) {
    return encoding == SettingsFileText::Encoding::Utf16LE;
}

std::optional<std::string> utf16ToUtf8(std::string_view bytes, bool little) {
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(little ? a | b << 8 : a << 8 | b);
    };
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF)
                return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return std::nullopt;
        }
        utf8::append(out, c);
    }
    return out;
}

std::optional<std::string> utf8ToUtf16(std::string_view text, bool little) {
    std::string out;
    const auto put = [&](char32_t unit) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += little ? low : high;
        out += little ? high : low;
    };
    for (std::size_t pos = 0; pos < text.size();) {
        const std::optional<char32_t> c = utf8::decode(text, pos);
        if (!c)
            return std::nullopt;
        if (*c >= 0x10000) {
            put(0xD800 + ((*c - 0x10000) >> 10));
            put(0xDC00 + ((*c - 0x10000) & 0x3FF));
        } else {
            put(*c);
        }
    }
    return out;
}

} // namespace

SettingsFileText::SettingsFileText(std::string bytes) {
    std::string_view body = bytes;
    if (body.starts_with(kUtf8Mark))
        encoding_ = Encoding::Utf8WithMark;
    else if (body.starts_with(kUtf16LEMark))
        encoding_ = Encoding::Utf16LE;
    else if (body.starts_with(kUtf16BEMark))
        encoding_ = Encoding::Utf16BE;
    if (encoding_ == Encoding::Ansi) {
        ansi_ = std::move(bytes);
        return;
    }
    body.remove_prefix(encoding_ == Encoding::Utf8WithMark ? kUtf8Mark.size() : 2);
    const std::optional<std::string> utf8 = encoding_ == Encoding::Utf8WithMark
                                                ? std::optional<std::string>(body)
                                                : utf16ToUtf8(body, littleEndian(encoding_));
    const std::optional<std::string> ansi = utf8 ? windows1252::fromUtf8(*utf8) : std::nullopt;
    decoded_ = ansi.has_value();
    ansi_ = ansi ? *ansi : std::string(body);
}

std::optional<std::string> SettingsFileText::encode(const std::string& ansi) const {
    if (!decoded_)
        return std::nullopt;
    switch (encoding_) {
    case Encoding::Ansi:
        return ansi;
    case Encoding::Utf8WithMark:
        return std::string(kUtf8Mark) + windows1252::toUtf8(ansi);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        break;
    }
    const std::optional<std::string> wide =
        utf8ToUtf16(windows1252::toUtf8(ansi), littleEndian(encoding_));
    if (!wide)
        return std::nullopt;
    return std::string(littleEndian(encoding_) ? kUtf16LEMark : kUtf16BEMark) + *wide;
}

} // namespace vm
