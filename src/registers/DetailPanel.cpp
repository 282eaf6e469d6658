#include "DetailPanel.h"

#include "FindBox.h"
#include "RegisterDescription.h"
#include "data/DataSource.h"
#include "data/Errors.h"
#include "data/Table.h"

#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

DetailPanel::DetailPanel(const DetailList& description, Table& records, DataSource& rows,
                         QWidget* parent)
    : QWidget(parent), d_(description), records_(records),
      rows_(rows.table(), description.keyField, description.nameField) {
    setObjectName(u"detailPanel"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    title_ = new QLabel(d_.title, this);
    title_->setObjectName(u"detailTitle"_s);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    layout->addWidget(title_);
    stack_ = new QStackedWidget(this);
    list_ = new QListWidget(stack_);
    list_->setObjectName(u"detailList"_s);
    list_->setFocusPolicy(Qt::ClickFocus);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    hits_ = new QListWidget(stack_);
    hits_->setObjectName(u"hitPanel"_s);
    hits_->setFocusPolicy(Qt::NoFocus);
    hits_->setSelectionMode(QAbstractItemView::NoSelection);
    stack_->addWidget(list_);
    stack_->addWidget(hits_);
    layout->addWidget(stack_, 1);
    hits_->hide();

    if (!d_.findOption.isEmpty()) {
        find_ = new FindBox(rows, d_.nameField, FindBox::kNoLimit, this);
        find_->setObjectName(u"detailFindBox"_s);
        find_->setContextMenuPolicy(Qt::NoContextMenu);
        find_->hide();
        connect(find_, &FindBox::searched, this, [this](bool found) {
            if (found)
                showHit();
            else
                hideHits();
        });
        connect(find_, &FindBox::textChanged, this, [this](const QString& text) {
            if (text.isEmpty())
                hideHits();
        });
        connect(find_, &FindBox::failed, this, &DetailPanel::failed);
    }
}

bool DetailPanel::refresh() {
    if (!records_.isOpen() || rows_.isEmpty())
        return false;
    list_->clear();
    const QStringList names = rows_.names(records_.value(d_.keyField));
    for (const QString& name : names)
        list_->addItem(d_.shownLength > 0 ? name.left(d_.shownLength) : name);
    if (names.isEmpty())
        list_->addItem(d_.noneText);
    return true;
}

void DetailPanel::hideHits() {
    hits_->hide();
    stack_->setCurrentWidget(list_);
}

// The row found belongs to a record, which becomes current; the hit panel tells of both.
void DetailPanel::showHit() {
    Table& rows = rows_.table();
    const QString name = rows.asText(d_.nameField);
    if (!records_.locate(d_.keyField, {rows.value(d_.keyField)})) {
        hideHits();
        return;
    }
    emit recordFound();
    hits_->clear();
    if (d_.hitLines)
        hits_->addItems(d_.hitLines(name, records_));
    hits_->show();
    stack_->setCurrentWidget(hits_);
}

} // namespace hoardly
