#pragma once

#include "main/core/QuickSwitch.h"
#include "main/core/Tracker.h"

#include <QWidget>

namespace vm {

// One tile of the QuickSwitch window: its picture and name, and the tracker
// that makes it a button for the mouse; the keyboard and assistive
// technology can press it too.
class QuickSwitchTile : public QWidget {
    Q_OBJECT
public:
    QuickSwitchTile(int button, Tracker& tracker, QWidget* parent);

    void show(const quickswitch::Tile& tile, int scheme);
    bool clickable() const { return tile_.clickable; }
    // What a click does, for every way of pressing the tile.
    void press();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updatePointer();

    Tracker& tracker_;
    quickswitch::Tile tile_;
    int scheme_ = 0;
    // The button is held and the pointer has gone off the tile, which keeps
    // receiving the pointer's events until the release.
    bool heldOutside_ = false;
};

} // namespace vm
