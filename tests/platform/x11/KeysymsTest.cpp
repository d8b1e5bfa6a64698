#include "platform/x11/Keysyms.h"

#include <gtest/gtest.h>

#include <vector>

namespace vm::x11 {
namespace {

std::vector<Keysym> keysymsOf(char32_t c) {
    const CharacterKeysyms keysyms(c);
    return {keysyms.all().begin(), keysyms.all().end()};
}

TEST(KeysymsTest, OffersACharactersOwnKeysymBeforeItsUnicodeOne) {
    EXPECT_EQ(keysymsOf(U'+'), (std::vector<Keysym>{0x2B, 0x100002B}));
    EXPECT_EQ(keysymsOf(U'é'), (std::vector<Keysym>{0xE9, 0x10000E9}));
    EXPECT_EQ(keysymsOf(U'€'), (std::vector<Keysym>{0x20AC, 0x10020AC}));
    EXPECT_EQ(keysymsOf(U'Ж'), (std::vector<Keysym>{0x6F6, 0x1000416}));
    EXPECT_EQ(keysymsOf(U'λ').size(), 3u) << "two keysyms of its own";
    EXPECT_EQ(keysymsOf(U'😀'), (std::vector<Keysym>{0x101F600}));
}

} // namespace
} // namespace vm::x11
