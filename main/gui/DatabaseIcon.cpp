#include "main/gui/DatabaseIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace vm {

QPixmap databaseIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = size * 0.75;
    const qreal left = (size - w) / 2;
    const qreal capHeight = size * 0.25;
    const qreal top = size * 0.1;
    const qreal bottom = size * 0.9 - capHeight;
    const QColor body(0x2f, 0x6f, 0xb5);
    const QColor rim(0x1b, 0x3f, 0x6b);
    painter.setPen(QPen(rim, size / 16.0));
    painter.setBrush(body);
    // The body, then the lighter top that makes it read as a cylinder.
    QPainterPath path;
    path.moveTo(left, top + capHeight / 2);
    path.lineTo(left, bottom + capHeight / 2);
    path.arcTo(QRectF(left, bottom, w, capHeight), 180, 180);
    path.lineTo(left + w, top + capHeight / 2);
    path.closeSubpath();
    painter.drawPath(path);
    painter.setBrush(body.lighter(150));
    painter.drawEllipse(QRectF(left, top, w, capHeight));
    return pixmap;
}

} // namespace vm
