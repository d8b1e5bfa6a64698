#include "main/gui/ProgramIcon.h"

#include <QDir>

namespace vm {

QIcon programIcon() {
    // Whatever sizes the build rendered.
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList({"Velmaris-*.png"}))
        icon.addFile(file.filePath());
    return icon;
}

} // namespace vm
