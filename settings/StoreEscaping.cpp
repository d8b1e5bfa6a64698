#include "settings/StoreEscaping.h"

namespace vm::store_escaping {

namespace {

// Length of the valid UTF-8 sequence starting at `pos`, or 0.
size_t utf8Length(std::string_view s, size_t pos) {
    const auto b = static_cast<unsigned char>(s[pos]);
    size_t length = 0;
    unsigned min = 0;
    unsigned code = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2, min = 0x80, code = b & 0x1Fu;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3, min = 0x800, code = b & 0x0Fu;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4, min = 0x10000, code = b & 0x07u;
    } else {
        return 0;
    }
    if (pos + length > s.size())
        return 0;
    for (size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + i]);
        if ((c & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (c & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code >= min && code <= 0x10FFFF && !surrogate ? length : 0;
}

void appendHex(std::string& out, unsigned char b) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[b >> 4];
    out += kDigits[b & 0x0F];
}

std::string escape(std::string_view raw, std::string_view alsoEscaped) {
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size();) {
        const auto b = static_cast<unsigned char>(raw[i]);
        const bool atEdge = i == 0 || i + 1 == raw.size();
        if (b >= 0x80) {
            if (const size_t n = utf8Length(raw, i)) {
                out.append(raw.substr(i, n));
                i += n;
                continue;
            }
            appendHex(out, b);
        } else if (b < 0x20 || b == 0x7F || b == '\\' ||
                   alsoEscaped.find(static_cast<char>(b)) != std::string_view::npos ||
                   (atEdge && (b == ' ' || b == '"' || b == '\''))) {
            appendHex(out, b);
        } else {
            out += static_cast<char>(b);
        }
        ++i;
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string escapeValue(std::string_view raw) {
    return escape(raw, {});
}

std::string escapeName(std::string_view raw) {
    return escape(raw, "[]=;");
}

std::string unescape(std::string_view escaped) {
    std::string out;
    out.reserve(escaped.size());
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\\' && i + 3 < escaped.size() && escaped[i + 1] == 'x') {
            const int hi = hexDigit(escaped[i + 2]);
            const int lo = hexDigit(escaped[i + 3]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 3;
                continue;
            }
        }
        out += escaped[i];
    }
    return out;
}

} // namespace vm::store_escaping
