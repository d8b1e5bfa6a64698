#include "main/core/QuickSwitchLook.h"

#include <array>

namespace vm::quickswitch {

namespace {

constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
constexpr Rgb kBlack{0x00, 0x00, 0x00};

// Scheme 0 is four strong colours; the others four of their own each, dark
// enough for white names.
constexpr std::array<std::array<Rgb, 4>, kSchemes> kTiles{{
    {{{0xD3, 0x2F, 0x2F}, {0xF9, 0xC8, 0x0E}, {0x4C, 0xC3, 0x5A}, {0x1F, 0x5F, 0xBF}}},
    {{{0x73, 0x79, 0xD6}, {0x5E, 0x4F, 0xA2}, {0x3C, 0x7D, 0xAD}, {0x55, 0x6B, 0x8D}}},
    {{{0xC0, 0x28, 0x7F}, {0x7E, 0x3F, 0x8F}, {0xB5, 0x48, 0x5D}, {0x8A, 0x2B, 0x4B}}},
    {{{0x2E, 0x8B, 0x57}, {0x1E, 0x6B, 0x3A}, {0x6B, 0x8E, 0x23}, {0x00, 0x79, 0x6B}}},
    {{{0xD4, 0xA0, 0x17}, {0xE0, 0x7B, 0x00}, {0xA0, 0x52, 0x2D}, {0xB8, 0x86, 0x0B}}},
}};

// In scheme 0 the names on buttons 1 and 4 are white, all others black.
constexpr std::array<Rgb, kButtons> kSchemeZeroText{kWhite, kBlack, kBlack, kWhite,
                                                    kBlack, kBlack, kBlack, kBlack};

} // namespace

int tileNumber(int button) {
    static constexpr std::array<int, kButtons> kPattern{1, 2, 3, 4, 2, 1, 4, 3};
    return kPattern[button - 1];
}

Rgb tileColour(int scheme, int tile) {
    return kTiles[scheme][tile - 1];
}

Rgb textColour(int scheme, int button) {
    return scheme == 0 ? kSchemeZeroText[button - 1] : kWhite;
}

} // namespace vm::quickswitch
