#pragma once

#include <QLabel>

namespace standin {

// A one-line value, usually a path: shortened in the middle when the window
// is narrow, in full in its tool tip. An empty value shows as a grey "None".
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    const QString& fullText() const { return full_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();
    QString full_;
};

} // namespace standin
