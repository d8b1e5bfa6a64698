#pragma once

#include "platform/WindowSearch.h"
#include "platform/x11/X11Display.h"

#include <string>
#include <vector>

namespace vm::x11 {

// The window search on X11. A top-level window is a client window: with a
// window manager it sits inside the manager's frame and carries WM_STATE;
// without one it is a child of the root with a WM_CLASS. "Owned" is
// WM_TRANSIENT_FOR, and only a window of the frame's own X client counts.
class X11WindowSearch : public WindowSearch {
public:
    explicit X11WindowSearch(X11Display& display);

    std::optional<WindowId> findOwnedWindow(std::string_view frameClassPart,
                                            std::string_view titlePart) override;

private:
    // Every client window, the topmost first.
    std::vector<Window> clientWindows();
    void collectClients(Window window, Window parent, std::vector<Window>& clients);
    bool isClient(Window window, Window parent);
    std::string titleOf(Window window);
    bool isShown(Window window);
    // The X client (connection) that made the window, by its resource base.
    std::optional<XID> clientOf(Window window);

    X11Display& display_;
    Atom wmState_;
    Atom wmTransientFor_;
    Atom wmClass_;
    Atom netWmName_;
    Atom utf8String_;
};

} // namespace vm::x11
