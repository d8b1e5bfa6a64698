#pragma once

#include <array>
#include <cstddef>
#include <span>

namespace vm::x11 {

// X's KeySym, without the macros of the X headers.
using Keysym = unsigned long;

// The keysyms that stand for one character, the one to put on a borrowed key
// first: its own keysym where X has one (Latin-1, EuroSign, Cyrillic_zhe,
// ...), which older programs understand, then its Unicode keysym. Kept off
// the heap: the character may be one of a password's.
class CharacterKeysyms {
public:
    explicit CharacterKeysyms(char32_t c);

    std::span<const Keysym> all() const { return {keysyms_.data(), count_}; }
    Keysym preferred() const { return keysyms_[0]; }

private:
    void add(Keysym keysym);

    std::array<Keysym, 4> keysyms_{};
    std::size_t count_ = 0;
};

} // namespace vm::x11
