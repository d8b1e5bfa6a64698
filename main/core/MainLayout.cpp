#include "main/core/MainLayout.h"

#include <algorithm>

namespace vm {

MainLayout mainLayout(int height, int width) {
    MainLayout l{};
    l.windowHeight = std::max(height, kSmallestHeight);
    l.windowWidth = std::max(width, kSmallestWidth);
    l.linesRight = width;
    if (height <= kSmallestHeight) {
        l.listHeight = 2415;
        l.frameTop = 2715;
        l.linkTop = 4140;
    } else {
        l.listHeight = height - 2775;
        l.frameTop = height - 2475;
        l.linkTop = height - 1050;
    }
    if (width <= kSmallestWidth) {
        l.listWidth = 6495;
        l.moreLeft = 6100;
        l.linkLeft = 6700;
        l.buttonsLeft = 7100;
    } else {
        l.listWidth = width - 1980;
        l.moreLeft = width - 2375;
        l.linkLeft = width - 1775;
        l.buttonsLeft = width - 1375;
    }
    return l;
}

} // namespace vm
