#include "platform/CaptionColours.h"

#include <windows.h>

namespace vm {

namespace {

SystemColour systemColour(int index) {
    const COLORREF colour = ::GetSysColor(index);
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The title bar colours of the user's colour settings.
class Win32CaptionColours : public CaptionColours {
public:
    SystemColour active() const override { return systemColour(COLOR_ACTIVECAPTION); }
    SystemColour inactive() const override { return systemColour(COLOR_INACTIVECAPTION); }
};

} // namespace

std::unique_ptr<CaptionColours> makeCaptionColours() {
    return std::make_unique<Win32CaptionColours>();
}

} // namespace vm
