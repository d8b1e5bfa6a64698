#pragma once

#include "platform/WindowSearch.h"

namespace vm::win32 {

// The window search on Windows, among the top-level windows in their Z order.
// "Owned" is either the parent or the owner: wine answers GetParent with
// nothing for an owned window that is not a pop-up. Only a window of the
// frame's own process counts, so that another program cannot receive the
// keystrokes by naming the host's frame as its window's owner.
class Win32WindowSearch : public WindowSearch {
public:
    std::optional<WindowId> findOwnedWindow(std::string_view frameClassPart,
                                            std::string_view titlePart) override;
};

} // namespace vm::win32
