#pragma once

#include <QByteArray>
#include <QtGlobal>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vm::manual {

// Qt's offscreen platform on Windows looks for fonts only in a folder of
// Qt's own and finds none, drawing every letter as a box; it is pointed at
// the system's fonts, as the Windows platform would use them. Called before
// the application is made.
inline void useTheSystemsFonts() {
#ifdef _WIN32
    char folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        qputenv("QT_QPA_FONTDIR", QByteArray(folder) + "\\Fonts");
#endif
}

} // namespace vm::manual
