#include "PlainTextDelegate.h"

#include <QApplication>
#include <QPainter>

namespace hoardly {

namespace {

QPalette::ColorGroup colorGroup(const QStyleOptionViewItem& option) {
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
}

} // namespace

void PlainTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    const QPalette::ColorGroup group = colorGroup(option);
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    else if (option.features & QStyleOptionViewItem::Alternate)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::AlternateBase));

    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        const int margin =
            style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
        const QRect room = option.rect.adjusted(margin, 0, -margin, 0);
        painter->save();
        painter->setClipRect(option.rect);
        painter->setFont(option.font);
        painter->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const QString shown =
            option.fontMetrics.elidedText(text, option.textElideMode, room.width());
        painter->drawText(room, int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine), shown);
        painter->restore();
    }

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = option.rect;
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor =
            option.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
}

} // namespace hoardly
