#include "main/gui/ArrowIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QPolygonF>

namespace vm {

namespace {

class ArrowEngine : public QIconEngine {
public:
    explicit ArrowEngine(Qt::ArrowType direction) : direction_(direction) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const QPalette palette = QApplication::palette();
        const QColor colour = palette.color(
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active, QPalette::ButtonText);
        const QRectF box = QRectF(rect).adjusted(rect.width() * 0.2, rect.height() * 0.25,
                                                 -rect.width() * 0.2, -rect.height() * 0.25);
        QPolygonF triangle;
        if (direction_ == Qt::UpArrow)
            triangle << QPointF(box.center().x(), box.top()) << box.bottomRight()
                     << box.bottomLeft();
        else
            triangle << box.topLeft() << box.topRight() << QPointF(box.center().x(), box.bottom());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        painter->drawPolygon(triangle);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new ArrowEngine(direction_); }

private:
    Qt::ArrowType direction_;
};

} // namespace

QIcon arrowIcon(Qt::ArrowType direction) {
    return QIcon(new ArrowEngine(direction));
}

} // namespace vm
