#pragma once

#include <QStyledItemDelegate>

namespace vm {

// Draws cells as usual and, for a cell whose text does not fit its column,
// shows the whole text as the cell's tooltip.
class ElidedCellTips : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

} // namespace vm
