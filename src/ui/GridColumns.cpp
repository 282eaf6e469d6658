#include "GridColumns.h"

#include <QHeaderView>
#include <QTableView>

namespace hoardly {

namespace {
constexpr int kMaximumCharacters = 32;
}

int maximumColumnWidth(const QTableView* view) {
    return view->fontMetrics().averageCharWidth() * kMaximumCharacters;
}

void fitColumnsToTexts(QTableView* view) {
    view->resizeColumnsToContents();
    const int widest = maximumColumnWidth(view);
    const QHeaderView* header = view->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        if (view->columnWidth(column) > widest)
            view->setColumnWidth(column, widest);
    }
}

} // namespace hoardly
