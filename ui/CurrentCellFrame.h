#pragma once

#include <QAbstractItemView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace quillory {

// Draws the current cell with a frame that shows on every colour of the
// scale: the palette's highlight outside, the base colour inside.
class CurrentCellFrame : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (view == nullptr || view->currentIndex() != index) {
            return;
        }
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 3));
        painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
        painter->setPen(QPen(option.palette.color(QPalette::Base), 1));
        painter->drawRect(option.rect.adjusted(3, 3, -4, -4));
        painter->restore();
    }
};

} // namespace quillory
