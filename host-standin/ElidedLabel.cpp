#include "ElidedLabel.h"

namespace standin {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setTextFormat(Qt::PlainText);
    setFullText({});
}

void ElidedLabel::setFullText(const QString& text) {
    full_ = text;
    setEnabled(!text.isEmpty());
    updateGeometry();
    elide();
}

QSize ElidedLabel::sizeHint() const {
    const QString shown = full_.isEmpty() ? tr("None") : full_;
    return {fontMetrics().horizontalAdvance(shown) + 4, QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    return {60, QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide() {
    if (full_.isEmpty()) {
        setText(tr("None"));
        setToolTip({});
        return;
    }
    const QString shown = fontMetrics().elidedText(full_, Qt::ElideMiddle, width());
    setText(shown);
    setToolTip(shown == full_ ? QString() : full_);
}

} // namespace standin
