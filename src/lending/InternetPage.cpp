#include "InternetPage.h"

#include "data/RunState.h"
#include "data/SettingsRecord.h"
#include "data/TDM.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Icons.h"
#include "ui/KeyFilters.h"
#include "ui/Shell.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr qint64 kHighestPort = 65535;

QLineEdit* makeEdit(const QString& name, const QString& field, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    // As much as the settings record keeps, so nothing typed is cut off unseen.
    const TableSchema& config = schema::config();
    if (field.size() > 0) {
        const int size = config.fields[config.fieldIndex(field)].size;
        if (size > 0)
            edit->setMaxLength(size);
    }
    return edit;
}

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false); // ENTER moves on through the controls
    return button;
}

const QStringList& tipLines() {
    static const QStringList lines{
        u"This function will only work if you have a Internetprovider and you have your own "
        "E-mailaddress account. Observe that this function to send reminder don't check if the "
        "e-mail arrive to the receiver. It just send it. Because of that you must be sure to "
        "have write a correct E-mail address to all you wish to send reminders"_s,
        QString(),
        u"Your name: Your first- and lastname."_s,
        QString(),
        u"Your E-mail address: Enter your E-mail address who your Internet providers has assign "
        "to you"_s,
        QString(),
        u"SMTP-server: Is that server which receive your mail and sends it further to the "
        "receiveserver. If you don't know the SMTP server name check with your Internetprovider "
        "or look in your settings in Internet Explorer or Netscape Navigator or in any browser "
        "you use"_s,
        QString(),
        u"Port: Is the logical port whish your computer communicate with the net. Default is 25 "
        "and you probably don't have to change that"_s};
    return lines;
}

// The port as a number from 1 to 65535; 0 for anything else (a pasted text passes the key
// filter, and an overlong number would be cut to another port).
qint64 portNumber(const QString& text) {
    bool ok = false;
    const qint64 port = text.toLongLong(&ok);
    const bool digits = std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    return ok && digits && port >= 1 && port <= kHighestPort ? port : 0;
}

} // namespace

InternetPage::InternetPage(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(u"InternetPage"_s);
    nameEd_ = makeEdit(u"MailidEd"_s, u"Mailid"_s, this);
    addressEd_ = makeEdit(u"MailadressEd"_s, u"Mailadress"_s, this);
    smtpEd_ = makeEdit(u"SmtpEd"_s, u"SMTP"_s, this);
    portEd_ = makeEdit(u"MailportEd"_s, QString(), this);
    new DigitsFilter(context_.dialogs, KeyFilterKind::DigitsOnly, portEd_);

    okKnp_ = makeButton(u"&OK"_s, u"MailOkKnp"_s, this);
    cancelKnp_ = makeButton(u"&Cancel"_s, u"MailCancelKnp"_s, this);
    changeKnp_ = makeButton(u"C&hange"_s, u"MailChangeKnp"_s, this);
    tipKnp_ = makeButton(u"&Tip"_s, u"MailTipKnp"_s, this);
    tipKnp_->setIcon(registerIcon(Icon::Tip));
    connect(okKnp_, &QPushButton::clicked, this, &InternetPage::OkKnpClick);
    connect(cancelKnp_, &QPushButton::clicked, this, &InternetPage::CancelKnpClick);
    connect(changeKnp_, &QPushButton::clicked, this, &InternetPage::ChangeKnpClick);
    connect(tipKnp_, &QPushButton::clicked, this, &InternetPage::TipKnpClick);
    // ESC presses "&Cancel" while it can be pressed; otherwise the window has the key.
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape_->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape_, &QShortcut::activated, cancelKnp_, &QPushButton::click);

    auto* group = new QGroupBox(u"This information is required if You would like to send "
                                "reminders"_s,
                                this);
    group->setObjectName(u"InternetGroup"_s);
    auto* fields = new QGridLayout(group);
    const QList<std::pair<QString, QLineEdit*>> rows{{u"Your name"_s, nameEd_},
                                                     {u"Your E-mail address"_s, addressEd_},
                                                     {u"SMTP-Server"_s, smtpEd_},
                                                     {u"Port"_s, portEd_}};
    int row = 0;
    for (const auto& [caption, edit] : rows) {
        auto* label = new QLabel(caption, group);
        label->setBuddy(edit);
        fields->addWidget(label, row, 0);
        fields->addWidget(edit, row++, 1);
    }
    portEd_->setMaximumWidth(80);
    fields->addWidget(new QLabel(u"(Deafult = Port 25)"_s, group), row - 1, 2);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {okKnp_, cancelKnp_, changeKnp_, tipKnp_})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->addStretch();

    setTabOrder(nameEd_, addressEd_);
    setTabOrder(addressEd_, smtpEd_);
    setTabOrder(smtpEd_, portEd_);
    setTabOrder(portEd_, okKnp_);
    setTabOrder(okKnp_, cancelKnp_);
    setTabOrder(cancelKnp_, changeKnp_);
    setTabOrder(changeKnp_, tipKnp_);
    setChanging(false);
}

void InternetPage::loadSettings() {
    Table& config = context_.tdm.configTb();
    if (!config.isOpen())
        config.open();
    nameEd_->setText(config.asText(u"Mailid"_s));
    addressEd_->setText(config.asText(u"Mailadress"_s));
    smtpEd_->setText(config.asText(u"SMTP"_s));
    portEd_->setText(config.asText(u"Mailport"_s));
    setChanging(false);
}

bool InternetPage::changing() const {
    return okKnp_->isEnabled();
}

void InternetPage::setChanging(bool changing) {
    for (QLineEdit* edit : {nameEd_, addressEd_, smtpEd_, portEd_})
        edit->setReadOnly(!changing);
    okKnp_->setEnabled(changing);
    cancelKnp_->setEnabled(changing);
    escape_->setEnabled(changing);
}

void InternetPage::ChangeKnpClick() {
    setChanging(true);
    nameEd_->setFocus(Qt::OtherFocusReason);
}

bool InternetPage::refused() {
    for (QLineEdit* edit : {nameEd_, addressEd_, smtpEd_, portEd_}) {
        if (edit->text().isEmpty()) {
            context_.dialogs.info(this, u"Info is missing"_s, u"All fields are required"_s);
            return true;
        }
    }
    if (!addressEd_->text().contains(u'@')) {
        context_.dialogs.info(this, u"Incorrect E-mailaddress"_s,
                              u"I suppose that E-mailaddress will be lost out there"_s);
        addressEd_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (portNumber(portEd_->text()) == 0) {
        context_.dialogs.info(this, u"Incorrect port"_s,
                              u"The port is a number from 1 to %1"_s.arg(kHighestPort));
        portEd_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void InternetPage::writeSettings() {
    Table& config = context_.tdm.configTb();
    if (!config.isOpen())
        config.open();
    changeSettings(config, [&] {
        config.setText(u"Mailid"_s, nameEd_->text());
        config.setText(u"Mailadress"_s, addressEd_->text());
        config.setText(u"SMTP"_s, smtpEd_->text());
        config.setInteger(u"Mailport"_s, portNumber(portEd_->text()));
    });
    config.refresh();
}

void InternetPage::OkKnpClick() {
    if (!changing() || refused())
        return;
    // A store error keeps the entries, so nothing typed is lost.
    if (!runCommand(context_.dialogs, this, [this] { writeSettings(); }))
        return;
    context_.run.dataChanged = true;
    setChanging(false);
}

void InternetPage::CancelKnpClick() {
    if (!changing())
        return;
    runCommand(context_.dialogs, this, [this] { loadSettings(); });
    setChanging(false);
}

void InternetPage::TipKnpClick() {
    context_.shell.showTips(tipLines());
}

} // namespace hoardly
