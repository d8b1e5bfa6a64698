#include "main/gui/QuickSwitchTile.h"

#include "main/gui/QtText.h"
#include "main/gui/TileImages.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vm {

namespace {

// Tells assistive technology that a tile is a button, and that one showing
// nothing to open (blank, or the database the host has open) is unavailable.
class TileAccessible : public QAccessibleWidget {
public:
    explicit TileAccessible(QuickSwitchTile* tile) : QAccessibleWidget(tile, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.disabled = !tile()->clickable();
        return state;
    }
    QStringList actionNames() const override {
        return tile()->clickable() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            tile()->press();
    }

private:
    QuickSwitchTile* tile() const { return static_cast<QuickSwitchTile*>(widget()); }
};

QAccessibleInterface* tileAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(QuickSwitchTile::staticMetaObject.className()))
        return new TileAccessible(static_cast<QuickSwitchTile*>(object));
    return nullptr;
}

} // namespace

QuickSwitchTile::QuickSwitchTile(int button, Tracker& tracker, QWidget* parent)
    : QWidget(parent), tracker_(tracker) {
    static const bool accessible = (QAccessible::installFactory(tileAccessible), true);
    (void)accessible;
    setObjectName(QStringLiteral("pic%1").arg(button));
    setFixedSize(kTileSize, kTileSize);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

void QuickSwitchTile::show(const quickswitch::Tile& tile, int scheme) {
    const bool wasClickable = tile_.clickable;
    tile_ = tile;
    scheme_ = scheme;
    setVisible(tile.visible);
    setAccessibleName(qt(tile.name));
    setFocusPolicy(tile.clickable ? Qt::StrongFocus : Qt::NoFocus);
    updatePointer();
    if (tile.clickable != wasClickable) {
        QAccessible::State changed;
        changed.disabled = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
    update();
}

void QuickSwitchTile::press() {
    if (tile_.clickable && tracker_.Click)
        tracker_.Click();
}

void QuickSwitchTile::updatePointer() {
    // Set only when it changes: the hand is drawn afresh each time.
    const bool hand = tile_.clickable && !heldOutside_;
    if (hand == testAttribute(Qt::WA_SetCursor))
        return;
    if (hand)
        setCursor(handPointer(devicePixelRatioF()));
    else
        unsetCursor();
}

void QuickSwitchTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, tileImage(scheme_, tile_.number, tile_.raised, devicePixelRatioF()));
    if (tile_.text.empty())
        return;
    QFont font(QStringLiteral("Arial"), 8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(tile_.textColour.r, tile_.textColour.g, tile_.textColour.b));
    // Centred and never wrapped: a long name runs past both edges.
    const QString text = qt(tile_.text);
    const QFontMetrics metrics(font);
    const int textWidth = metrics.horizontalAdvance(text);
    painter.drawText(
        QPoint((width() - textWidth) / 2, (height() - metrics.height()) / 2 + metrics.ascent()),
        text);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -2, -2));
    }
}

void QuickSwitchTile::enterEvent(QEnterEvent*) {
    tracker_.pointerMoved();
}

void QuickSwitchTile::mouseMoveEvent(QMouseEvent* event) {
    // While a button is held the tile keeps the pointer's moves wherever it
    // goes, and the system tells of no leaving until the release.
    const bool inside = rect().contains(event->position().toPoint());
    if (inside)
        tracker_.pointerMoved();
    else
        tracker_.pointerLeft();
    heldOutside_ = !inside && event->buttons() != Qt::NoButton;
    updatePointer();
}

void QuickSwitchTile::leaveEvent(QEvent*) {
    tracker_.pointerLeft();
}

void QuickSwitchTile::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        tracker_.pressed();
}

void QuickSwitchTile::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        tracker_.released(rect().contains(event->position().toPoint()));
    heldOutside_ = false;
    updatePointer();
}

void QuickSwitchTile::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (tile_.clickable &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        press();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace vm
