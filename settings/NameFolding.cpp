#include "settings/NameFolding.h"

#include "base/Utf8.h"
#include "settings/PerUserStore.h"

namespace vm {

namespace {

char32_t lowerCase(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c == 0x178)
        return 0xFF;
    // Latin Extended-A pairs capitals and small letters side by side; the
    // capital is even in two runs and odd in the other two.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1u;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1u) ? c + 1 : c;
    return c;
}

} // namespace

std::string foldedUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (const std::optional<char32_t> c = utf8::decode(text, i)) {
            utf8::append(out, lowerCase(*c));
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool sameNameUtf8(std::string_view a, std::string_view b) {
    return foldedUtf8(a) == foldedUtf8(b);
}

} // namespace vm
