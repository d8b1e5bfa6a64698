#include "main/core/ScreenPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vm {

namespace {

bool fitsWithin(const ScreenRect& window, const ScreenRect& screen) {
    return window.left >= screen.left && window.top >= screen.top &&
           window.right() <= screen.right() && window.bottom() <= screen.bottom();
}

std::int64_t overlap(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t width = std::min(a.right(), b.right()) - std::max(a.left, b.left);
    const std::int64_t height = std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// The squared length of the gap between two rectangles; 0 when they touch.
std::int64_t gap(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t dx = std::max({0, b.left - a.right(), a.left - b.right()});
    const std::int64_t dy = std::max({0, b.top - a.bottom(), a.top - b.bottom()});
    return dx * dx + dy * dy;
}

// The screen that holds the most of the window, or, when none holds any of
// it, the one closest to it; the first of equals.
const ScreenRect& nearest(const ScreenRect& window, const std::vector<ScreenRect>& screens) {
    const ScreenRect* best = &screens.front();
    std::int64_t bestOverlap = -1;
    std::int64_t bestGap = std::numeric_limits<std::int64_t>::max();
    for (const ScreenRect& screen : screens) {
        const std::int64_t shared = overlap(window, screen);
        const std::int64_t apart = gap(window, screen);
        if (shared > bestOverlap || (shared == 0 && bestOverlap == 0 && apart < bestGap)) {
            best = &screen;
            bestOverlap = shared;
            bestGap = apart;
        }
    }
    return *best;
}

} // namespace

ScreenRect placeOnScreens(const ScreenRect& stored, const std::vector<ScreenRect>& screens) {
    if (screens.empty() || std::any_of(screens.begin(), screens.end(),
                                       [&](const ScreenRect& s) { return fitsWithin(stored, s); }))
        return stored;
    const ScreenRect& screen = nearest(stored, screens);
    ScreenRect placed = stored;
    placed.width = std::min(stored.width, screen.width);
    placed.height = std::min(stored.height, screen.height);
    placed.left = std::clamp(stored.left, screen.left, screen.right() - placed.width);
    placed.top = std::clamp(stored.top, screen.top, screen.bottom() - placed.height);
    return placed;
}

} // namespace vm
