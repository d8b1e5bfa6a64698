#pragma once

#include <QRect>
#include <QtMath>

namespace vm {

// Sizes are kept in twips: 15 twips make one logical pixel at 96 dpi, and
// Qt's logical pixels keep high-resolution screens right.
inline constexpr int kTwipsPerPixel = 15;

inline int pixels(int twips) {
    return qRound(twips / double(kTwipsPerPixel));
}
inline int twips(int pixels) {
    return pixels * kTwipsPerPixel;
}
inline QRect pixelRect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

} // namespace vm
