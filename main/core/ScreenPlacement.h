#pragma once

#include <vector>

namespace vm {

// A rectangle of the desktop: a window's outer edges, or the part of a screen
// that windows may use (without its task bars).
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const ScreenRect&) const = default;
};

// Where a window stored at `stored` goes on the screens there are now. It
// stays where it was when it fits wholly on one of them. Otherwise (a screen
// unplugged, a lower resolution, a hand-edited place) it goes onto the
// screen nearest to that place, as close to it as lets the whole window be
// seen, and is made smaller only where it is bigger than that screen.
// Without screens it stays where it was.
ScreenRect placeOnScreens(const ScreenRect& stored, const std::vector<ScreenRect>& screens);

} // namespace vm
