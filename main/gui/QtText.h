#pragma once

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

} // namespace vm
