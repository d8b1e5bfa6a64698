#include "main/gui/OnScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vm {

namespace {

// The window's outer edges, frame included, where the screens let it be.
ScreenRect placedFrame(QWidget& window) {
    // Made now, so that the system can tell the frame it gives the window.
    (void)window.winId();
    const QRect frame = window.frameGeometry();
    return placeOnScreens({frame.x(), frame.y(), frame.width(), frame.height()},
                          availableScreens());
}

// Gives the window the outer size of `placed`, its frame included.
void resizeFrame(QWidget& window, const ScreenRect& placed) {
    const QSize frame = window.frameGeometry().size();
    const QSize wanted(placed.width, placed.height);
    if (wanted != frame)
        window.resize(window.size() - (frame - wanted));
}

} // namespace

std::vector<ScreenRect> availableScreens() {
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    return screens;
}

void keepOnScreen(QWidget& window) {
    const ScreenRect placed = placedFrame(window);
    resizeFrame(window, placed);
    if (QPoint(placed.left, placed.top) != window.pos())
        window.move(placed.left, placed.top);
}

void fitOnScreen(QWidget& window) {
    resizeFrame(window, placedFrame(window));
}

} // namespace vm
