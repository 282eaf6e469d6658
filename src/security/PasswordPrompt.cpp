#include "PasswordPrompt.h"

#include "MainPassword.h"
#include "data/TDM.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

void maskPasswordEdit(QLineEdit* edit, QChar mask) {
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(u"QLineEdit { lineedit-password-character: %1; }"_s.arg(mask.unicode()));
}

PasswordPrompt::PasswordPrompt(AppContext& context, const Look& look, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(u"Password"_s);
    auto* label = new QLabel(look.label, this);
    label->setObjectName(u"PasswordLabel"_s);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(u"PasswordEd"_s);
    maskPasswordEdit(edit_, look.mask);
    if (look.maxLength > 0)
        edit_->setMaxLength(look.maxLength);
    label->setBuddy(edit_);

    auto* okKnp = new QPushButton(u"&OK"_s, this);
    okKnp->setObjectName(u"OkKnp"_s);
    okKnp->setDefault(true);
    auto* cancelKnp = new QPushButton(u"&Cancel"_s, this);
    cancelKnp->setObjectName(u"CancelKnp"_s);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(okKnp, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancelKnp, QDialogButtonBox::RejectRole);
    // OK accepts only after the check; ESC and the close box reject like Cancel.
    connect(okKnp, &QPushButton::clicked, this, &PasswordPrompt::OkKnpClick);
    connect(cancelKnp, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    edit_->setMinimumWidth(240);
}

bool PasswordPrompt::ask() {
    return exec() == QDialog::Accepted;
}

void PasswordPrompt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    startOver();
}

void PasswordPrompt::startOver() {
    edit_->clear();
    edit_->setFocus(Qt::OtherFocusReason);
}

void PasswordPrompt::OkKnpClick() {
    runCommand(context_.dialogs, this, [this] {
        if (accepts(edit_->text())) {
            accept();
            return;
        }
        refuse();
        startOver();
    });
}

TPwForm::TPwForm(AppContext& context, QWidget* parent)
    : PasswordPrompt(context, {u"Password"_s, u'$', 12}, parent) {
    setObjectName(u"PwForm"_s);
}

bool TPwForm::accepts(const QString& entry) const {
    return matchesMainPassword(context().tdm.configTb(), entry);
}

void TPwForm::refuse() {
    context().dialogs.message(this, u"Wrong password. Try again"_s);
}

TPwForm2::TPwForm2(AppContext& context, QWidget* parent)
    : PasswordPrompt(context, {u"Your current password"_s, u'*', 0}, parent) {
    setObjectName(u"PwForm2"_s);
}

bool TPwForm2::accepts(const QString& entry) const {
    return !entry.isEmpty() && matchesMainPassword(context().tdm.configTb(), entry);
}

void TPwForm2::refuse() {
    context().dialogs.info(this, u"Felaktigt lösenord"_s,
                           u"Felaktigt lösenord, försök igen eller avbryt."_s);
}

} // namespace hoardly
