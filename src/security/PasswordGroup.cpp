#include "PasswordGroup.h"

#include "MainPassword.h"
#include "PasswordPrompt.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr int kNewPasswordLength = 8;

QLineEdit* newPasswordEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    maskPasswordEdit(edit, u'$');
    edit->setMaxLength(kNewPasswordLength);
    return edit;
}

QPushButton* groupButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

PasswordGroup::PasswordGroup(AppContext& context, PasswordPrompt& currentPasswordPrompt,
                             QWidget* parent)
    : QGroupBox(u"Password"_s, parent), context_(context),
      currentPasswordPrompt_(currentPasswordPrompt) {
    setObjectName(u"PasswordGroup"_s);
    auto* text = new QLabel(u"Password to the\nPw/code database"_s, this);
    text->setObjectName(u"PasswordText"_s);
    passwordEd_ = newPasswordEdit(u"PasswordEd"_s, this);
    verifyLabel_ = new QLabel(u"Verify"_s, this);
    verifyLabel_->setObjectName(u"VerifyLabel"_s);
    verifyEd_ = newPasswordEdit(u"VerifyEd"_s, this);
    verifyLabel_->setBuddy(verifyEd_);
    changeKnp_ = groupButton(u"C&hange"_s, u"ChangeKnp"_s, this);
    okKnp_ = groupButton(u"O&K"_s, u"PwOkKnp"_s, this);
    connect(changeKnp_, &QPushButton::clicked, this, &PasswordGroup::ChangeKnpClick);
    connect(okKnp_, &QPushButton::clicked, this, &PasswordGroup::OkKnpClick);

    auto* layout = new QGridLayout(this);
    layout->addWidget(text, 0, 0, 1, 2);
    layout->addWidget(passwordEd_, 1, 0, 1, 2);
    layout->addWidget(verifyLabel_, 2, 0, 1, 2);
    layout->addWidget(verifyEd_, 3, 0, 1, 2);
    layout->addWidget(changeKnp_, 4, 0);
    layout->addWidget(okKnp_, 4, 1);
    layout->setRowStretch(5, 1);
    reset();
}

void PasswordGroup::load() {
    passwordSet_ = mainPasswordIsSet(context_.tdm.configTb());
    if (!passwordSet_)
        passwordEd_->clear();
}

void PasswordGroup::reset() {
    passwordSet_ = false;
    showEntering(false);
}

bool PasswordGroup::isEntering() const {
    return !passwordEd_->isReadOnly();
}

void PasswordGroup::showEntering(bool entering) {
    passwordEd_->clear();
    passwordEd_->setReadOnly(!entering);
    verifyEd_->clear();
    verifyLabel_->setVisible(entering);
    verifyEd_->setVisible(entering);
    changeKnp_->setVisible(!entering);
    okKnp_->setVisible(entering);
}

void PasswordGroup::ChangeKnpClick() {
    if (passwordSet_ && !currentPasswordPrompt_.ask())
        return;
    context_.dialogs.message(
        this, u"Enter your new password and verify it. After that just click OK. "_s);
    showEntering(true);
    passwordEd_->setFocus(Qt::OtherFocusReason);
}

void PasswordGroup::OkKnpClick() {
    if (newPasswordRefused())
        return;
    const bool stored = runCommand(context_.dialogs, this, [this] {
        storeMainPassword(context_.tdm.configTb(), passwordEd_->text());
        context_.run.dataChanged = true;
    });
    if (!stored)
        return;
    showEntering(false);
    passwordSet_ = true;
    context_.dialogs.message(this, u"You have a new password. Don't forget it."_s);
}

// The checks a new password passes before it is written; the first that fails is shown and
// the group stays in entering.
bool PasswordGroup::newPasswordRefused() {
    const QString password = passwordEd_->text();
    const QString verify = verifyEd_->text();
    if (password.isEmpty() || verify.isEmpty()) {
        context_.dialogs.info(this, u"incorrect procedure"_s,
                              u"You must both enter Your new password and verify it."_s);
        (password.isEmpty() ? passwordEd_ : verifyEd_)->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (!samePassword(password, verify)) {
        context_.dialogs.message(this, u"Your password did not match. Please try again."_s);
        passwordEd_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (const std::optional<QString> refusal = newPasswordRefusal(password)) {
        context_.dialogs.error(this, *refusal);
        passwordEd_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

} // namespace hoardly
