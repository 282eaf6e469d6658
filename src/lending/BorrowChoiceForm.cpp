#include "BorrowChoiceForm.h"

#include "BorrowFillinForm.h"
#include "BorrowForm.h"
#include "data/SharedRoutines.h"
#include "data/TDM.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

TBorrowChoiceForm::TBorrowChoiceForm(AppContext& context, TBorrowFillinForm& fillinForm,
                                     TBorrowForm& borrowForm, QWidget* parent)
    : QDialog(parent), context_(context), fillinForm_(fillinForm), borrowForm_(borrowForm) {
    setObjectName(u"BorrowChoiceForm"_s);
    setWindowTitle(u"Objects out of loan"_s);

    listRadio_ = new QRadioButton(u"List all objects whish are marked as out of loan"_s, this);
    listRadio_->setObjectName(u"ListRadio"_s);
    listRadio_->setChecked(true);
    newLendingRadio_ = new QRadioButton(u"New lending"_s, this);
    newLendingRadio_->setObjectName(u"NewLendingRadio"_s);

    auto* okKnp = new QPushButton(u"&OK"_s, this);
    okKnp->setObjectName(u"OkKnp"_s);
    okKnp->setDefault(true);
    auto* cancelKnp = new QPushButton(u"&Cancel"_s, this);
    cancelKnp->setObjectName(u"CancelKnp"_s);
    connect(okKnp, &QPushButton::clicked, this, &TBorrowChoiceForm::OkKnpClick);
    connect(cancelKnp, &QPushButton::clicked, this, &TBorrowChoiceForm::CancelKnpClick);

    auto* group = new QGroupBox(this);
    auto* choices = new QVBoxLayout(group);
    choices->addWidget(listRadio_);
    choices->addWidget(newLendingRadio_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okKnp);
    buttons->addWidget(cancelKnp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

void TBorrowChoiceForm::OkKnpClick() {
    const bool done = runCommand(context_.dialogs, this, [this] {
        Table& borrow = context_.tdm.borrowTb();
        borrow.open();
        if (listRadio_->isChecked())
            borrowForm_.exec();
        else
            newLending();
    });
    if (done)
        accept();
}

void TBorrowChoiceForm::newLending() {
    // Compared with the full name the lend-out writes: a name cut to 40 characters would let
    // an object with a longer name be lent twice.
    if (isObjectLent(context_.tdm.borrowTb(), fillinForm_.objectLabel())) {
        context_.dialogs.info(this, u"Already out"_s,
                              u"This object are already marked as out of loan! Breaking"_s);
        return;
    }
    fillinForm_.exec();
}

void TBorrowChoiceForm::CancelKnpClick() {
    reject();
}

} // namespace hoardly
