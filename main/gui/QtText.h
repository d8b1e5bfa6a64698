#pragma once

#include <QDir>
#include <QString>

#include <string>

namespace vm {

// Texts are UTF-8 inside the program.
inline QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

inline std::string fromQt(const QString& text) {
    return text.toStdString();
}

// A path as Qt gives it (on Windows "C:/...") in the system's own form, the
// one the program stores and compares with what the host and the user give.
inline std::string nativePath(const QString& path) {
    return fromQt(QDir::toNativeSeparators(path));
}

} // namespace vm
