#include "main/gui/frmQuickSwitch.h"

#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "main/gui/OnScreen.h"
#include "main/gui/QtText.h"
#include "main/gui/QuickSwitchTile.h"
#include "main/gui/TileImages.h"
#include "main/gui/Twips.h"
#include "main/gui/frmAssign.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <qdrawutil.h>

namespace vm {

namespace {

constexpr int kFrame = 4;  // the thin sizing frame, in pixels
constexpr int kStrip = 12; // the caption strip down the right edge
constexpr int kPitch = 76; // tile size and the gap after it
constexpr int kMenuBoxSize = 10;

} // namespace

frmQuickSwitch::frmQuickSwitch(Program& program, OpenDatabase& opener, MainView& mainWindow,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      program_(program), logic_(program, opener, mainWindow, *this) {
    setObjectName("frmQuickSwitch");
    setWindowTitle(QStringLiteral("QuickSwitch"));
    setPalette(QPalette(Qt::white));
    setAutoFillBackground(true);
    setMouseTracking(true);
    for (int button = 1; button <= quickswitch::kButtons; ++button) {
        Tracker& tracker = trackers_[button - 1];
        tracker.Mouse = [this, button](int action) { logic_.MouseAction(button, action); };
        tracker.Click = [this, button] { logic_.TrackerClick(button); };
        auto* tile = new QuickSwitchTile(button, tracker, this);
        // Odd buttons above, even below, columns left to right.
        tile->move(kFrame + (button - 1) / 2 * kPitch, kFrame + (button - 1) % 2 * kPitch);
        tiles_[button - 1] = tile;
    }
    buildMenu();
    // Without a stored place the window opens at the screen's origin.
    move(0, 0);
    logic_.Form_Load();
    // A place stored on a screen that is gone would leave a window without a
    // title bar where nobody can see or move it.
    keepOnScreen(*this);
}

void frmQuickSwitch::buildMenu() {
    const LangTable& t = program_.lang;
    mnuControl = new QMenu(this);
    mnuControl->setObjectName("mnuControl");
    QAction* assign = mnuControl->addAction(qt(t[txt::kQuickSwitchSettings] + "..."), this, [this] {
        logic_.mnuAssign_Click();
        // More tiles make the window wider, perhaps past the screen's edge.
        keepOnScreen(*this);
    });
    assign->setObjectName("mnuAssign");
    mnuControl->addSeparator()->setObjectName("mnuControlSep10");
    mnuControlClose = mnuControl->addAction(qt(t[txt::kCloseAndLaunch] + "..."), this,
                                            [this] { logic_.mnuControlClose_Click(); });
    mnuControlClose->setObjectName("mnuControlClose");
    QAction* exit =
        mnuControl->addAction(qt(t[txt::kExit]), this, [this] { logic_.mnuExit_Click(); });
    exit->setObjectName("mnuExit");
}

QRect frmQuickSwitch::clientArea() const {
    return rect().adjusted(kFrame, kFrame, -kFrame, -kFrame);
}

QRect frmQuickSwitch::captionStrip() const {
    const QRect client = clientArea();
    return {client.right() + 1 - kStrip, client.top(), kStrip, client.height()};
}

QRect frmQuickSwitch::menuBox() const {
    const QRect client = clientArea();
    return {client.left() + client.width() - 11, client.top() + 1, kMenuBoxSize, kMenuBoxSize};
}

void frmQuickSwitch::setOuterSizeTwips(int width, int height) {
    resize(pixels(width), pixels(height));
}

void frmQuickSwitch::showTiles(const quickswitch::Tiles& tiles, int scheme) {
    for (int i = 0; i < quickswitch::kButtons; ++i) {
        tiles_[i]->show(tiles[i], scheme);
        if (tiles[i].clickable && !trackers_[i].attached())
            trackers_[i].Attach(Tracker::kEntered | Tracker::kLeft);
        else if (!tiles[i].clickable)
            trackers_[i].Detach();
    }
}

int frmQuickSwitch::leftTwips() const {
    return twips(x());
}

int frmQuickSwitch::topTwips() const {
    return twips(y());
}

void frmQuickSwitch::setLeftTwips(int left) {
    move(pixels(left), y());
}

void frmQuickSwitch::setTopTwips(int top) {
    move(x(), pixels(top));
}

void frmQuickSwitch::setCloseEnabled(bool enabled) {
    mnuControlClose->setEnabled(enabled);
}

void frmQuickSwitch::showSettings() {
    // Owned by this window, which stays above all others: the dialog then
    // stands above it.
    frmAssign dialog(program_, this);
    dialog.exec();
}

void frmQuickSwitch::hideWindow() {
    hide();
}

void frmQuickSwitch::closeWindow() {
    close();
}

void frmQuickSwitch::reject() {
    logic_.cmdCancel_Click();
}

void frmQuickSwitch::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        logic_.Form_Unload();
    }
    event->accept();
    done(Accepted);
}

void frmQuickSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The frame, the strip and its menu box in the system's colours for
    // window edges and title bars, as a caption of the system would show them.
    const QPalette system = QApplication::palette();
    const QRegion frame = QRegion(rect()) - QRegion(clientArea());
    painter.setClipRegion(frame);
    painter.fillRect(rect(), system.color(QPalette::Button));
    painter.setClipping(false);
    qDrawShadePanel(&painter, rect(), system, false, 1);
    const SystemColour caption =
        isActiveWindow() ? captionColours_->active() : captionColours_->inactive();
    painter.fillRect(captionStrip(), QColor(caption.r, caption.g, caption.b));
    qDrawWinButton(&painter, menuBox(), system, false, &system.brush(QPalette::Button));
}

Qt::Edges frmQuickSwitch::frameEdgesAt(const QPoint& point) const {
    Qt::Edges edges;
    if (point.x() < kFrame)
        edges |= Qt::LeftEdge;
    if (point.x() >= width() - kFrame)
        edges |= Qt::RightEdge;
    if (point.y() < kFrame)
        edges |= Qt::TopEdge;
    if (point.y() >= height() - kFrame)
        edges |= Qt::BottomEdge;
    return edges;
}

void frmQuickSwitch::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (const Qt::Edges edges = frameEdgesAt(at)) {
        windowHandle()->startSystemResize(edges);
        return;
    }
    if (!captionStrip().contains(at))
        return;
    if (menuBox().contains(at)) {
        mnuControl->popup(event->globalPosition().toPoint());
        return;
    }
    // Without a window manager to move it, the window follows the pointer.
    if (!windowHandle()->startSystemMove())
        dragOffset_ = event->globalPosition().toPoint() - pos();
}

void frmQuickSwitch::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_)
        move(event->globalPosition().toPoint() - *dragOffset_);
}

void frmQuickSwitch::mouseReleaseEvent(QMouseEvent*) {
    dragOffset_.reset();
}

void frmQuickSwitch::popupMenuFromKeyboard() {
    if (!mnuControl->isVisible())
        mnuControl->popup(mapToGlobal(menuBox().bottomLeft()));
}

void frmQuickSwitch::contextMenuEvent(QContextMenuEvent* event) {
    // The menu key; the mouse's right button does nothing here.
    if (event->reason() == QContextMenuEvent::Keyboard)
        popupMenuFromKeyboard();
}

void frmQuickSwitch::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // Some systems send Shift+F10 as a key of its own.
    if (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        popupMenuFromKeyboard();
        return;
    }
    if (key >= Qt::Key_1 && key <= Qt::Key_8) {
        const int button = key - Qt::Key_0;
        if (tiles_[button - 1]->clickable())
            logic_.TrackerClick(button);
        return;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down) {
        focusNextPrevChild(key == Qt::Key_Right || key == Qt::Key_Down);
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmQuickSwitch::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange)
        update();
    QDialog::changeEvent(event);
}

} // namespace vm
