#pragma once

#include <QIcon>

namespace vm {

// A plain arrow for the picture buttons that move entries up and down,
// drawn at whatever size and pixel ratio the button asks for.
QIcon arrowIcon(Qt::ArrowType direction);

} // namespace vm
