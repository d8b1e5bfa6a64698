#pragma once

#include <QPixmap>

namespace vm {

// The small picture of a database that marks each row of the list: a blue
// cylinder, drawn rather than shipped so that it is sharp at any size.
QPixmap databaseIcon(int size = 16);

} // namespace vm
