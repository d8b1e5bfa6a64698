#pragma once

#include "main/core/QuickSwitch.h"
#include "main/core/Tracker.h"
#include "platform/CaptionColours.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>

class QMenu;
class QAction;

namespace vm {

class QuickSwitchTile;

// The floating QuickSwitch window: up to eight tiles, each opening its
// database with one click, above every other window. It has no title bar: a
// strip down its right edge drags it, the box at the strip's top opens its
// menu, and its thin frame resizes it.
class frmQuickSwitch : public QDialog, public QuickSwitchView {
    Q_OBJECT
public:
    frmQuickSwitch(Program& program, OpenDatabase& opener, MainView& mainWindow,
                   QWidget* parent = nullptr);

    QuickSwitch& logic() { return logic_; }

    // QuickSwitchView
    void setOuterSizeTwips(int width, int height) override;
    void showTiles(const quickswitch::Tiles& tiles, int scheme) override;
    int leftTwips() const override;
    int topTwips() const override;
    void setLeftTwips(int left) override;
    void setTopTwips(int top) override;
    void setCloseEnabled(bool enabled) override;
    void showSettings() override;
    void hideWindow() override;
    void closeWindow() override;

    // Esc is the window's cancel.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenu();
    // The menu asked for from the keyboard, below the menu box.
    void popupMenuFromKeyboard();
    QRect clientArea() const;
    QRect captionStrip() const;
    QRect menuBox() const;
    Qt::Edges frameEdgesAt(const QPoint& point) const;

    Program& program_;
    std::array<Tracker, quickswitch::kButtons> trackers_;
    std::array<QuickSwitchTile*, quickswitch::kButtons> tiles_{};
    QuickSwitch logic_;
    const std::unique_ptr<CaptionColours> captionColours_ = makeCaptionColours();
    QMenu* mnuControl = nullptr;
    QAction* mnuControlClose = nullptr;
    // Where the pointer held the window, when the system cannot move it.
    std::optional<QPoint> dragOffset_;
    bool unloaded_ = false;
};

} // namespace vm
