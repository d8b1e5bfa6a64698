#pragma once

#include <QLineEdit>
#include <QWidget>

#include <string>

namespace vm::test {

// A widget of a window by its object name; a test that names one the window
// lacks stops there.
template <class Widget> Widget* child(QWidget& parent, const char* name) {
    auto* widget = parent.findChild<Widget*>(name);
    if (!widget)
        qFatal("no widget named %s", name);
    return widget;
}

inline void type(QWidget& window, const char* field, const std::string& text) {
    child<QLineEdit>(window, field)->setText(QString::fromStdString(text));
}

} // namespace vm::test
