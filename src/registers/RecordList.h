#pragma once

#include <QTableView>

namespace hoardly {

// The browse page's list of records. Home and End go to the first and the last record, as in
// every list, with Ctrl or without (a table view's own Home and End move between columns).
class RecordList final : public QTableView {
public:
    using QTableView::QTableView;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if (action == MoveHome || action == MoveEnd)
            modifiers |= Qt::ControlModifier;
        return QTableView::moveCursor(action, modifiers);
    }
};

} // namespace hoardly
