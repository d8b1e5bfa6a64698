#include "platform/x11/X11WindowSearch.h"

#include "platform/x11/WindowNames.h"
#include "platform/x11/X11Properties.h"

#include <X11/Xatom.h>
#include <X11/extensions/XRes.h>

#include <algorithm>

namespace vm::x11 {

X11WindowSearch::X11WindowSearch(X11Display& display)
    : display_(display), wmState_(display.atom("WM_STATE")),
      wmTransientFor_(display.atom("WM_TRANSIENT_FOR")), wmClass_(display.atom("WM_CLASS")),
      netWmName_(display.atom("_NET_WM_NAME")), utf8String_(display.atom("UTF8_STRING")) {}

std::optional<WindowId> X11WindowSearch::findOwnedWindow(std::string_view frameClassPart,
                                                         std::string_view titlePart) {
    Display* display = display_.get();
    const std::vector<Window> clients = clientWindows();
    // The host's own dialogs carry its class too; the frame is the one that
    // is nobody's transient.
    const auto isFrame = [&](Window window) {
        const std::optional<TextProperty> wmClass = textProperty(display, window, wmClass_);
        return wmClass && containsIgnoringCase(classOfWmClass(wmClass->bytes), frameClassPart) &&
               !windowProperty(display, window, wmTransientFor_);
    };
    const auto frame = std::find_if(clients.begin(), clients.end(), isFrame);
    if (frame == clients.end())
        return std::nullopt;
    // A window not yet shown cannot take the focus or the keystrokes; it is
    // found on a later tick, once it shows. Any program may name the frame as
    // its window's owner: the login window must also be the host's own.
    const std::optional<XID> host = clientOf(*frame);
    if (!host)
        return std::nullopt;
    const auto isLogin = [&](Window window) {
        return windowProperty(display, window, wmTransientFor_) == *frame &&
               clientOf(window) == host &&
               searchedTitle(titleOf(window)).find(titlePart) != std::string_view::npos &&
               isShown(window);
    };
    const auto login = std::find_if(clients.begin(), clients.end(), isLogin);
    if (login == clients.end())
        return std::nullopt;
    return *login;
}

std::vector<Window> X11WindowSearch::clientWindows() {
    std::vector<Window> clients;
    collectClients(display_.root(), None, clients);
    return clients;
}

void X11WindowSearch::collectClients(Window window, Window parent, std::vector<Window>& clients) {
    if (parent != None && isClient(window, parent)) {
        clients.push_back(window);
        return;
    }
    Window root = None;
    Window itsParent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_.get(), window, &root, &itsParent, &children, &count))
        return; // gone meanwhile
    const std::vector<Window> bottomToTop(children, children + count);
    if (children)
        XFree(children);
    for (auto child = bottomToTop.rbegin(); child != bottomToTop.rend(); ++child)
        collectClients(*child, window, clients);
}

bool X11WindowSearch::isClient(Window window, Window parent) {
    Display* display = display_.get();
    return hasProperty(display, window, wmState_) ||
           (parent == display_.root() && hasProperty(display, window, wmClass_));
}

std::string X11WindowSearch::titleOf(Window window) {
    Display* display = display_.get();
    const std::optional<TextProperty> netName = textProperty(display, window, netWmName_);
    if (netName && netName->type == utf8String_)
        return netName->bytes;
    const std::optional<TextProperty> name = textProperty(display, window, XA_WM_NAME);
    if (!name)
        return {};
    // COMPOUND_TEXT keeps ASCII as it is, and the title searched for is ASCII.
    return name->type == XA_STRING ? latin1ToUtf8(name->bytes) : name->bytes;
}

std::optional<XID> X11WindowSearch::clientOf(Window window) {
    // The X-Resource extension names the connection that made a window. A
    // server without it cannot tell the host's windows from others', and no
    // window then counts as the host's login.
    XResClientIdSpec spec{window, XRES_CLIENT_ID_XID_MASK};
    long count = 0;
    XResClientIdValue* ids = nullptr;
    if (XResQueryClientIds(display_.get(), 1, &spec, &count, &ids) != Success)
        return std::nullopt;
    std::optional<XID> client;
    for (long i = 0; i < count && !client; ++i)
        if (ids[i].spec.mask & XRES_CLIENT_ID_XID_MASK)
            client = ids[i].spec.client;
    XResClientIdsDestroy(count, ids);
    return client;
}

bool X11WindowSearch::isShown(Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display_.get(), window, &attributes) &&
           attributes.map_state == IsViewable;
}

} // namespace vm::x11
