#include "platform/CaptionColours.h"

#include <QGuiApplication>
#include <QPalette>

namespace vm {

namespace {

SystemColour systemColour(QPalette::ColorGroup group, QPalette::ColorRole role) {
    const QColor colour = QGuiApplication::palette().color(group, role);
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

// The desktops of Linux keep no title bar colours for programs to read: the
// desktop's palette stands in, its highlight for the window with the focus.
class PaletteCaptionColours : public CaptionColours {
public:
    SystemColour active() const override {
        return systemColour(QPalette::Active, QPalette::Highlight);
    }
    SystemColour inactive() const override {
        return systemColour(QPalette::Inactive, QPalette::Mid);
    }
};

} // namespace

std::unique_ptr<CaptionColours> makeCaptionColours() {
    return std::make_unique<PaletteCaptionColours>();
}

} // namespace vm
