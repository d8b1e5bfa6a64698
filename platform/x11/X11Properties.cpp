#include "platform/x11/X11Properties.h"

#include <X11/Xatom.h>

#include <memory>

namespace vm::x11 {

namespace {

// Far beyond any title or class: 64 KiB.
constexpr long kLongestRead = 16384;

struct XFreeDeleter {
    void operator()(unsigned char* data) const { XFree(data); }
};

struct RawProperty {
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    std::unique_ptr<unsigned char, XFreeDeleter> data;
};

std::optional<RawProperty> rawProperty(Display* display, Window window, Atom property,
                                       Atom requestedType, long length = kLongestRead) {
    RawProperty raw;
    unsigned long bytesAfter = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(display, window, property, 0, length, False, requestedType, &raw.type,
                           &raw.format, &raw.items, &bytesAfter, &data);
    raw.data.reset(data);
    if (status != Success || raw.type == None)
        return std::nullopt;
    return raw;
}

// Format-32 items arrive as longs, whatever the size of a long.
std::vector<unsigned long> longItems(const RawProperty& raw) {
    if (raw.format != 32 || !raw.data)
        return {};
    const auto* items = reinterpret_cast<const unsigned long*>(raw.data.get());
    return {items, items + raw.items};
}

} // namespace

std::optional<TextProperty> textProperty(Display* display, Window window, Atom property) {
    const std::optional<RawProperty> raw = rawProperty(display, window, property, AnyPropertyType);
    if (!raw || raw->format != 8)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const char*>(raw->data.get());
    return TextProperty{raw->type, std::string(bytes, bytes ? raw->items : 0)};
}

std::optional<Window> windowProperty(Display* display, Window window, Atom property) {
    const std::optional<RawProperty> raw = rawProperty(display, window, property, XA_WINDOW);
    const std::vector<unsigned long> items = raw ? longItems(*raw) : std::vector<unsigned long>();
    if (items.empty())
        return std::nullopt;
    return items.front();
}

std::vector<Atom> atomListProperty(Display* display, Window window, Atom property) {
    const std::optional<RawProperty> raw = rawProperty(display, window, property, XA_ATOM);
    return raw ? longItems(*raw) : std::vector<Atom>();
}

bool hasProperty(Display* display, Window window, Atom property) {
    return rawProperty(display, window, property, AnyPropertyType, 0).has_value();
}

} // namespace vm::x11
