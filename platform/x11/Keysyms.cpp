#include "platform/x11/Keysyms.h"

namespace vm::x11 {

namespace {

struct LegacyKeysym {
    char32_t character;
    Keysym keysym;
};

constexpr LegacyKeysym kLegacyKeysyms[] = {
#include "LegacyKeysyms.inc"
};

constexpr Keysym kUnicodeKeysymBase = 0x1000000;

bool isLatin1Keysym(char32_t c) {
    return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF);
}

} // namespace

CharacterKeysyms::CharacterKeysyms(char32_t c) {
    if (isLatin1Keysym(c))
        add(c);
    for (const LegacyKeysym& legacy : kLegacyKeysyms) {
        if (legacy.character == c)
            add(legacy.keysym);
    }
    add(kUnicodeKeysymBase + c);
}

// A character has at most two keysyms of its own; the Unicode one always
// finds room at the end.
void CharacterKeysyms::add(Keysym keysym) {
    if (count_ == keysyms_.size())
        --count_;
    keysyms_[count_++] = keysym;
}

} // namespace vm::x11
