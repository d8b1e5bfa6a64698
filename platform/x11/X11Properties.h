#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

// Reading window properties. A window that vanished reads like one without
// the property.
namespace vm::x11 {

struct TextProperty {
    Atom type;
    std::string bytes;
};

std::optional<TextProperty> textProperty(Display* display, Window window, Atom property);
std::optional<Window> windowProperty(Display* display, Window window, Atom property);
std::vector<Atom> atomListProperty(Display* display, Window window, Atom property);
bool hasProperty(Display* display, Window window, Atom property);

} // namespace vm::x11
