#include "main/gui/QuickSwitchTile.h"

#include "main/gui/QtText.h"
#include "main/gui/TileImages.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vm {

QuickSwitchTile::QuickSwitchTile(int button, Tracker& tracker, QWidget* parent)
    : QWidget(parent), tracker_(tracker) {
    setObjectName(QStringLiteral("pic%1").arg(button));
    setFixedSize(kTileSize, kTileSize);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

void QuickSwitchTile::show(const quickswitch::Tile& tile, int scheme) {
    tile_ = tile;
    scheme_ = scheme;
    setVisible(tile.visible);
    setAccessibleName(qt(tile.name));
    setFocusPolicy(tile.clickable ? Qt::StrongFocus : Qt::NoFocus);
    if (tile.clickable)
        setCursor(handPointer(devicePixelRatioF()));
    else
        unsetCursor();
    update();
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

void QuickSwitchTile::mouseMoveEvent(QMouseEvent*) {
    tracker_.pointerMoved();
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
}

void QuickSwitchTile::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (tile_.clickable &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        if (tracker_.Click)
            tracker_.Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace vm
