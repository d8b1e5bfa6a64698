#include "main/gui/ElidedCellTips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace vm {

bool ElidedCellTips::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                               const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QStyle* style = view->style();
    // The room the style gives the text, less the margins it keeps on both
    // sides before it elides.
    const int room = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, view).width() -
                     2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, &cell, view) + 1);
    if (cell.fontMetrics.horizontalAdvance(cell.text) > room)
        QToolTip::showText(event->globalPos(), cell.text, view, cell.rect);
    else
        QToolTip::hideText();
    return true;
}

} // namespace vm
