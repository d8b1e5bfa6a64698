#include "settings/StoreEscaping.h"

#include "base/Utf8.h"

namespace vm::store_escaping {

namespace {

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
            const size_t start = i;
            if (utf8::decode(raw, i)) {
                out.append(raw.substr(start, i - start));
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
