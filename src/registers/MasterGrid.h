#pragma once

#include <QAbstractItemDelegate>
#include <QTableView>

namespace hoardly {

// The master list's editable grid. Its open cell editor can be committed on demand, so leaving
// the page or closing the window keeps what the user typed into the cell.
class MasterGrid final : public QTableView {
public:
    using QTableView::QTableView;

    void commitEditor() {
        if (state() != QAbstractItemView::EditingState)
            return;
        if (QWidget* editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
};

} // namespace hoardly
