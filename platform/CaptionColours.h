#pragma once

#include <cstdint>
#include <memory>

namespace vm {

struct SystemColour {
    std::uint8_t r, g, b;
    bool operator==(const SystemColour&) const = default;
};

// The colours the system gives title bars, for a window that draws its own.
// Each call asks the system afresh, so that a change of the desktop's colours
// shows at the next painting.
class CaptionColours {
public:
    virtual ~CaptionColours() = default;
    // The title bar of the window that has the focus.
    virtual SystemColour active() const = 0;
    virtual SystemColour inactive() const = 0;
};

std::unique_ptr<CaptionColours> makeCaptionColours();

} // namespace vm
