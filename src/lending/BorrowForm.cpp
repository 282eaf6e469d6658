#include "BorrowForm.h"

#include "LendingGrid.h"

#include <QEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

TBorrowForm::TBorrowForm(AppContext& context, QWidget* parent) : QDialog(parent) {
    setObjectName(u"BorrowForm"_s);
    setWindowTitle(u"Object marked as out of loan"_s);
    lendingGrid_ = new LendingGrid(context, LendingPlace::Overview, this);
    connect(lendingGrid_, &LendingGrid::backClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lendingGrid_);
    resize(680, 320);
}

void TBorrowForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    lendingGrid_->activate();
}

void TBorrowForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        lendingGrid_->activate();
}

} // namespace hoardly
