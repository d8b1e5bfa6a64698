#pragma once

#include <QCursor>
#include <QPixmap>

namespace vm {

// The QuickSwitch pictures, drawn at the screen's pixel ratio so that they
// stay crisp on HiDPI screens.
inline constexpr int kTileSize = 75; // logical pixels

// A tile of tile number 1 to 4 in scheme 0 to 4: flat, or raised as a
// bevelled button while the pointer is over it.
QPixmap tileImage(int scheme, int tile, bool raised, qreal pixelRatio);
// A 32-pixel sample of a scheme: its four tile colours.
QPixmap schemeSample(int scheme, qreal pixelRatio);
// The hand over a tile that can be clicked; its hot spot is the fingertip.
QCursor handPointer(qreal pixelRatio);

} // namespace vm
