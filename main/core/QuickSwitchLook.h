#pragma once

#include <cstdint>

namespace vm::quickswitch {

inline constexpr int kSchemes = 5;
inline constexpr int kButtons = 8;

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// The background pattern: neighbouring tiles never share a colour. Button 1
// to 8 gives tile number 1 to 4.
int tileNumber(int button);
// The colour of tile number 1 to 4 in scheme 0 to 4.
Rgb tileColour(int scheme, int tile);
// The colour a database's name is written in on button 1 to 8.
Rgb textColour(int scheme, int button);

} // namespace vm::quickswitch
