#pragma once

#include <QStyledItemDelegate>

namespace hoardly {

// Paints a grid cell of plain text as the style's item delegate does, without what a text
// grid never shows (icons, check boxes, rich layouts) and without laying each text out twice:
// a screen of a dozen columns then paints in a fraction of the time. Editing stays the style
// delegate's.
class PlainTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace hoardly
