#include "BorrowFillinForm.h"

#include "LendingInterfaces.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/KeyFilters.h"
#include "ui/Shell.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr int kNameLength = 30;
constexpr int kPhoneLength = 20; // the width of Tele in the lending table

QLineEdit* makeEdit(const QString& name, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    // ENTER moves on through the controls; only a click or the accelerator presses.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

TBorrowFillinForm::TBorrowFillinForm(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), today_([] { return QDate::currentDate(); }) {
    setObjectName(u"BorrowFillinForm"_s);
    setWindowTitle(u"Mark object as out of loan"_s);

    objectLabel_ = new QLabel(this);
    objectLabel_->setObjectName(u"ObjectLabel"_s);
    objectLabel_->setTextFormat(Qt::PlainText);
    objectLabel_->setWordWrap(true);
    QFont bold = objectLabel_->font();
    bold.setBold(true);
    objectLabel_->setFont(bold);

    firstNameEd_ = makeEdit(u"FirstNameEd"_s, kNameLength, this);
    lastNameEd_ = makeEdit(u"LastNameEd"_s, kNameLength, this);
    phoneEd_ = makeEdit(u"PhoneEd"_s, kPhoneLength, this);
    emailEd_ = makeEdit(u"EmailEd"_s, 0, this);
    new DigitsFilter(context_.dialogs, KeyFilterKind::PhoneDigits, phoneEd_);

    remindBox_ = new QCheckBox(u"Remind borrower by E-mail after 30 days"_s, this);
    remindBox_->setObjectName(u"RemindBox"_s);
    addressBox_ = new QCheckBox(u"Add the borrower to the addressbook"_s, this);
    addressBox_->setObjectName(u"AddressBox"_s);
    addressBox_->setEnabled(false);

    okKnp_ = makeButton(u"&OK"_s, u"OkKnp"_s, this);
    cancelKnp_ = makeButton(u"&Cancel"_s, u"CancelKnp"_s, this);
    connect(okKnp_, &QPushButton::clicked, this, &TBorrowFillinForm::OkKnpClick);
    connect(cancelKnp_, &QPushButton::clicked, this, &TBorrowFillinForm::CancelKnpClick);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(u"Object:"_s, this), 0, 0);
    fields->addWidget(objectLabel_, 0, 1);
    const QList<std::pair<QString, QLineEdit*>> rows{{u"First name"_s, firstNameEd_},
                                                     {u"Last name"_s, lastNameEd_},
                                                     {u"Phone"_s, phoneEd_},
                                                     {u"E-mail"_s, emailEd_}};
    int row = 1;
    for (const auto& [caption, edit] : rows) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        fields->addWidget(label, row, 0);
        fields->addWidget(edit, row++, 1);
    }
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okKnp_);
    buttons->addWidget(cancelKnp_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addWidget(remindBox_);
    layout->addWidget(addressBox_);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    setTabOrder(firstNameEd_, lastNameEd_);
    setTabOrder(lastNameEd_, phoneEd_);
    setTabOrder(phoneEd_, emailEd_);
    setTabOrder(emailEd_, remindBox_);
    setTabOrder(remindBox_, addressBox_);
    setTabOrder(addressBox_, okKnp_);
    setTabOrder(okKnp_, cancelKnp_);
    new EnterAsTab(this);
}

void TBorrowFillinForm::setObjectLabel(const QString& name) {
    objekt_ = name;
    objectLabel_->setText(name);
}

void TBorrowFillinForm::setAddressBook(AddressBookHandOff* addressBook) {
    addressBook_ = addressBook;
    addressBox_->setEnabled(addressBook_ != nullptr);
}

void TBorrowFillinForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    firstNameEd_->setFocus(Qt::OtherFocusReason);
}

BorrowerEntry TBorrowFillinForm::entry() const {
    return {firstNameEd_->text(), lastNameEd_->text(), phoneEd_->text(), emailEd_->text(),
            remindBox_->isChecked()};
}

QLineEdit* TBorrowFillinForm::editOf(BorrowerField field) const {
    switch (field) {
    case BorrowerField::FirstName:
        return firstNameEd_;
    case BorrowerField::LastName:
        return lastNameEd_;
    case BorrowerField::Phone:
        return phoneEd_;
    case BorrowerField::Email:
        break;
    }
    return emailEd_;
}

bool TBorrowFillinForm::refused() {
    const auto problem = checkBorrower(entry());
    if (!problem)
        return false;
    context_.dialogs.info(this, problem->caption, problem->message);
    editOf(problem->focus)->setFocus(Qt::OtherFocusReason);
    return true;
}

void TBorrowFillinForm::OkKnpClick() {
    if (refused())
        return;
    if (!emailEd_->text().isEmpty())
        emailEd_->setText(lowerAsciiLetters(emailEd_->text()));
    const BorrowerEntry borrower = entry();
    const bool lent = runCommand(context_.dialogs, this, [&] {
        lendOut(context_.tdm, {context_.run.lendObjectType, objekt_, borrower, today_()});
        context_.run.dataChanged = true;
    });
    if (!lent)
        return;
    context_.dialogs.message(this, u"The object are now marked as out of loan"_s);
    // The loan is recorded: whatever the address book answers, this dialog has done its part.
    if (addressBox_->isChecked())
        runCommand(context_.dialogs, this, [&] { handOffBorrower(borrower); });
    accept();
}

void TBorrowFillinForm::handOffBorrower(const BorrowerEntry& borrower) {
    if (!addressBook_)
        return;
    addressBook_->enterLendOutMode();
    addressBook_->addBorrower(borrower.firstName, borrower.lastName, borrower.phone,
                              borrower.email);
}

void TBorrowFillinForm::CancelKnpClick() {
    reject();
}

} // namespace hoardly
