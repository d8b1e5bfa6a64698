#include "main/gui/TileImages.h"

#include "main/core/QuickSwitchLook.h"

#include <QPainter>
#include <QPainterPath>

namespace vm {

namespace {

QColor colourOf(quickswitch::Rgb rgb) {
    return {rgb.r, rgb.g, rgb.b};
}

QPixmap canvas(int size, qreal pixelRatio) {
    QPixmap pixmap(QSize(size, size) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap tileImage(int scheme, int tile, bool raised, qreal pixelRatio) {
    QPixmap pixmap = canvas(kTileSize, pixelRatio);
    QPainter painter(&pixmap);
    const QColor colour = colourOf(quickswitch::tileColour(scheme, tile));
    const QRectF square(0, 0, kTileSize, kTileSize);
    painter.fillRect(square, colour);
    if (!raised)
        return pixmap;
    // A bevel three pixels wide: light from the top left, shadow below right.
    constexpr qreal kBevel = 3;
    QPainterPath light;
    light.moveTo(0, 0);
    light.lineTo(kTileSize, 0);
    light.lineTo(kTileSize - kBevel, kBevel);
    light.lineTo(kBevel, kBevel);
    light.lineTo(kBevel, kTileSize - kBevel);
    light.lineTo(0, kTileSize);
    light.closeSubpath();
    QPainterPath shadow;
    shadow.moveTo(kTileSize, kTileSize);
    shadow.lineTo(0, kTileSize);
    shadow.lineTo(kBevel, kTileSize - kBevel);
    shadow.lineTo(kTileSize - kBevel, kTileSize - kBevel);
    shadow.lineTo(kTileSize - kBevel, kBevel);
    shadow.lineTo(kTileSize, 0);
    shadow.closeSubpath();
    painter.fillPath(light, colour.lighter(160));
    painter.fillPath(shadow, colour.darker(180));
    return pixmap;
}

QPixmap schemeSample(int scheme, qreal pixelRatio) {
    constexpr int kSize = 32;
    constexpr int kHalf = kSize / 2;
    QPixmap pixmap = canvas(kSize, pixelRatio);
    QPainter painter(&pixmap);
    // The four colours as the tiles stand: 1 and 3 above, 2 and 4 below.
    painter.fillRect(QRectF(0, 0, kHalf, kHalf), colourOf(quickswitch::tileColour(scheme, 1)));
    painter.fillRect(QRectF(0, kHalf, kHalf, kHalf), colourOf(quickswitch::tileColour(scheme, 2)));
    painter.fillRect(QRectF(kHalf, 0, kHalf, kHalf), colourOf(quickswitch::tileColour(scheme, 3)));
    painter.fillRect(QRectF(kHalf, kHalf, kHalf, kHalf),
                     colourOf(quickswitch::tileColour(scheme, 4)));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRectF(0.5, 0.5, kSize - 1, kSize - 1));
    return pixmap;
}

QCursor handPointer(qreal pixelRatio) {
    constexpr int kSize = 32;
    QPixmap pixmap = canvas(kSize, pixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A pointing hand: the index finger up, its tip at (12, 5).
    QPainterPath hand;
    hand.moveTo(10, 6);
    hand.arcTo(QRectF(10, 3, 4, 4), 180, -180);
    hand.lineTo(14, 14);
    hand.arcTo(QRectF(14, 12, 4, 4), 180, -180);
    hand.lineTo(18, 15);
    hand.arcTo(QRectF(18, 13, 4, 4), 180, -180);
    hand.lineTo(22, 16);
    hand.arcTo(QRectF(22, 14, 4, 4), 180, -180);
    hand.lineTo(26, 24);
    hand.quadTo(26, 29, 21, 29);
    hand.lineTo(14, 29);
    hand.quadTo(11, 29, 9, 26);
    hand.lineTo(5, 19);
    hand.quadTo(4, 16, 7, 16);
    hand.lineTo(10, 19);
    hand.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    return QCursor(pixmap, 12, 5);
}

} // namespace vm
