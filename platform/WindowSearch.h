#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vm {

// A window as the window system names it.
using WindowId = std::uint64_t;

// Finds another program's window among those on the screen.
class WindowSearch {
public:
    virtual ~WindowSearch() = default;

    // The first host frame is the first top-level window whose class contains
    // `frameClassPart`, in any letter case; only that frame is examined. The
    // result is a shown window owned by it whose title contains `titlePart`
    // exactly, or nothing.
    virtual std::optional<WindowId> findOwnedWindow(std::string_view frameClassPart,
                                                    std::string_view titlePart) = 0;
};

} // namespace vm
