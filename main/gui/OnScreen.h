#pragma once

#include "main/core/ScreenPlacement.h"

#include <vector>

class QWidget;

namespace vm {

// The part of each screen that windows may use, as the desktop has it now.
std::vector<ScreenRect> availableScreens();

// A top-level window that would stand off every screen goes, whole, onto the
// nearest one; one that fits where it is stays there.
void keepOnScreen(QWidget& window);
// Makes a top-level window no bigger than the whole of it can be seen on its
// screen, and leaves it where it is.
void fitOnScreen(QWidget& window);

} // namespace vm
