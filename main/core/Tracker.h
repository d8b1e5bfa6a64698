#pragma once

#include <functional>

namespace vm {

// Turns a plain picture into a button: reports the pointer entering, moving
// over and leaving it, and a click, which is a press and a release on it.
// The pointer leaving while the button is held ends the press at once: the
// release that follows, wherever it is, is no click.
class Tracker {
public:
    static constexpr int kEntered = 1;
    static constexpr int kOver = 2;
    static constexpr int kLeft = 4;

    std::function<void(int action)> Mouse;
    std::function<void()> Click;

    // Starts watching, with the mask of the Mouse reports wanted.
    void Attach(int reports = 0);
    void Detach();
    bool attached() const { return attached_; }
    // While the pointer is over the picture, which then shows the hand.
    bool over() const { return attached_ && over_; }

    void pointerMoved();
    void pointerLeft();
    void pressed();
    void released(bool inside);

private:
    void report(int action);

    bool attached_ = false;
    int reports_ = 0;
    bool over_ = false;
    bool pressed_ = false;
};

} // namespace vm
