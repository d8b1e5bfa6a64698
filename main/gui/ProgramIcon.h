#pragma once

#include <QIcon>

namespace vm {

// The program's icon in every size rendered from its drawing, for the title
// bars, the task switcher and the About box.
QIcon programIcon();

} // namespace vm
