#include "main/core/Tracker.h"

namespace vm {

void Tracker::Attach(int reports) {
    attached_ = true;
    reports_ = reports;
    over_ = false;
    pressed_ = false;
}

void Tracker::Detach() {
    attached_ = false;
}

void Tracker::report(int action) {
    if ((reports_ & action) && Mouse)
        Mouse(action);
}

void Tracker::pointerMoved() {
    if (!attached_)
        return;
    if (!over_) {
        over_ = true;
        report(kEntered);
    } else {
        report(kOver);
    }
}

void Tracker::pointerLeft() {
    if (!attached_ || !over_)
        return;
    // Leaving ends a press too: wherever the button comes up, it is no click.
    over_ = false;
    pressed_ = false;
    report(kLeft);
}

void Tracker::pressed() {
    if (!attached_)
        return;
    // A window shown under a still pointer hears of no movement first.
    if (!over_)
        pointerMoved();
    pressed_ = true;
}

void Tracker::released(bool inside) {
    if (!attached_ || !pressed_)
        return;
    pressed_ = false;
    if (inside) {
        if (Click)
            Click();
        return;
    }
    pointerLeft();
}

} // namespace vm
