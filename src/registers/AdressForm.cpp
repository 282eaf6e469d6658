#include "AdressForm.h"

#include "AdressBook.h"
#include "data/Schema.h"
#include "data/Table.h"
#include "ui/Dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace hoardly {

using namespace adressbook;

namespace {

CommandSet adressCommands() {
    CommandSet set;
    set.commands = {
        registerCommand(cmd::close, u"Back to main"_s, u"Back to mainmenu"_s, u"Mainmenu"_s),
        registerCommand(cmd::printPreview, u"Print preview"_s, u"Print preview"_s,
                        u"Print preview"_s),
        registerCommand(cmd::print, u"Print"_s, u"Print"_s, u"Print"_s),
        registerCommand(cmd::add, u"Add record"_s, u"Add record"_s, u"Add record"_s),
        registerCommand(cmd::edit, u"Edit record"_s, u"Edit record"_s, u"Edit record"_s),
        registerCommand(cmd::remove, u"Delete record"_s, u"Delete record"_s, u"Delete Record"_s),
        musicOffCommand(),
        registerCommand(cmd::help, u"Help"_s),
        registerCommand(cmd::about, u"About"_s),
    };
    set.menus = {
        {u"file"_s, u"&File"_s, {cmd::printPreview, cmd::print, cmd::close}},
        {u"options"_s, u"&Options"_s, {cmd::musicOff}},
        {u"database"_s, u"&Database"_s, {cmd::add, cmd::edit, cmd::remove}},
        {u"help"_s, u"&Help"_s, {cmd::help, cmd::about}},
    };
    set.toolBar = {cmd::close, cmd::printPreview, cmd::print, u"|"_s,
                   cmd::add,   cmd::edit,         cmd::remove};
    set.popup = {cmd::add, cmd::edit, cmd::remove, cmd::printPreview, cmd::print, cmd::close};
    // The tool bar's "Print" and the pop-up's "Print preview" stay usable during an entry.
    set.lock.toolBar = {cmd::close, cmd::printPreview, cmd::add, cmd::edit, cmd::remove};
    set.lock.menus = {u"file"_s, u"database"_s};
    set.lock.popup = {cmd::add, cmd::edit, cmd::remove, cmd::print, cmd::close};
    return set;
}

QList<EditField> adressBoxes() {
    // Names and the address on the left, the telephones on the right, the comments across.
    const auto phone = [](const QString& label, const QString& field) {
        return EditField(label, field).phoneDigits().atColumn(1);
    };
    return {
        EditField(u"First name"_s, kFirstName),
        EditField(u"Last name*"_s, kLastName),
        EditField(u"Street"_s, u"Gatuadress"_s),
        // A doubled ampersand shows as one.
        EditField(u"Postal && zip"_s, u"Postadress"_s),
        phone(u"Phone work"_s, u"Telefon arbete"_s),
        phone(u"Phone home"_s, kPhone),
        phone(u"Celluar"_s, u"Mobil"_s),
        EditField(u"E-Mail"_s, kEmail),
        EditField(u"Homesite"_s, u"Hemsida"_s).atColumn(1),
        // The memo takes no more than the comment field holds, so nothing typed is lost.
        EditField(u"Comments"_s, u"Kommentar"_s, EditKind::Memo),
    };
}

} // namespace

RegisterDescription adressDescription() {
    RegisterDescription d;
    d.table = &schema::adress();
    d.layout = RegisterLayout::OnePage;
    d.closingHides = true;
    d.nameField = kLastName;
    d.openIndex = kLastNameIndex;
    d.browse.name = u"page"_s;
    d.browse.navigator = Navigator::moves();
    FindGroup find;
    find.title = u"Find"_s;
    find.options = {FindOption(u"First name"_s, kFirstName), FindOption(u"Last name"_s, kLastName),
                    FindOption(u"Phone home"_s, kPhone), FindOption(u"Celluar"_s, u"Mobil"_s),
                    FindOption(u"Address"_s, u"Gatuadress"_s)};
    // The find box searches last names at first, though no radio button says so.
    find.startField = kLastName;
    find.firstChosenAtStart = false;
    find.stacked = true;
    find.optionsAboveBox = 2;
    d.find = find;

    d.editFields = adressBoxes();
    d.entryFocus = kFirstName;
    d.checks = adressChecks();
    d.editTips = {
        u"Fields marked with * is required."_s,
        QString(),
        u"Use the buttons at the bottom of the form to find Last Names. It will go to the first "
        u"entry with that letter. If there are no Last name beginning with that letter the "
        u"addressbook will stop at the Last name before"_s,
        QString(),
        u"Move between the fields with the TAB- or ENTER key"_s,
        QString(),
        u"If a new record is pointing to a company just fill the company name in the field "
        u"marked Last Name"_s,
    };

    d.commands = adressCommands();
    d.printLayout = PrintList::Addresses;
    d.editEmpty = {u"Can't edit a empty addressbook"_s, u"Empty"_s};
    d.deleteEmpty = {u"Nothing to delete"_s, u"Empty"_s};
    d.deleteQuestion = {u"Record with name [ %1 ] will be lost. Are you sure?"_s, u"Del record"_s};
    return checked(std::move(d));
}

TAdressForm::TAdressForm(AppContext& context, QWidget* parent)
    : RegisterWindow(context, adressDescription(), parent) {
    setObjectName(u"AdressForm"_s);
    setWindowTitle(u"Addressbook"_s);
    addToPage(PagePlace::PageTop, buildCount());
    addToPage(PagePlace::PageBottom, buildLetterBar(), true);
    setHooks();
    Table& table = this->table();
    connect(&table, &Table::recordsChanged, this, &TAdressForm::showCount);
    connect(&table, &Table::stateChanged, this, &TAdressForm::showCount);
    showCount();
    resize(860, 480);
}

QWidget* TAdressForm::buildCount() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    countLabel_ = new QLabel(row);
    countLabel_->setObjectName(u"countLabel"_s);
    QFont bold = countLabel_->font();
    bold.setBold(true);
    countLabel_->setFont(bold);
    layout->addWidget(new QLabel(u"Number of records:"_s, row));
    layout->addWidget(countLabel_);
    layout->addStretch();
    return row;
}

QWidget* TAdressForm::buildLetterBar() {
    letterBar_ = new QWidget;
    letterBar_->setObjectName(u"letterBar"_s);
    auto* layout = new QHBoxLayout(letterBar_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addStretch();
    const int side = fontMetrics().height() + 10;
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        auto* button = new QPushButton(QString(QChar(letter)), letterBar_);
        button->setObjectName(u"letter"_s + QChar(letter));
        button->setFixedSize(side + 4, side);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, letter] { letterClick(QChar(letter)); });
        layout->addWidget(button);
        letters_ << button;
    }
    layout->addStretch();
    return letterBar_;
}

void TAdressForm::setHooks() {
    RegisterHooks& hooks = controller().hooks();
    hooks.beforePost = [this] {
        const QString email = entryText(kEmail);
        if (!email.isEmpty())
            table().setText(kEmail, storedEmail(email));
        return true;
    };
    hooks.afterPost = [this](RegisterMode) {
        // A borrower filed for the lend-out dialog: the register window below comes back.
        if (lendOutMode_) {
            close();
            return;
        }
        // The book is in last-name order already; selecting it again would lose the record
        // just filed.
        if (table().indexName().compare(kLastNameIndex, Qt::CaseInsensitive) != 0)
            table().selectIndex(kLastNameIndex);
    };
    hooks.afterCancel = [this](RegisterMode entry) {
        if (entry == RegisterMode::Adding && lendOutMode_)
            close();
    };
    hooks.closing = [this] {
        // The find box returns to the last name, with its radio button showing it.
        findBox()->setField(kLastName);
        findOption(kLastNameOption)->setChecked(true);
        const bool backToMain = !lendOutMode_;
        lendOutMode_ = false;
        return backToMain;
    };
}

QPushButton* TAdressForm::letterButton(QChar letter) const {
    return letters_.value(letter.toUpper().unicode() - u'A');
}

void TAdressForm::showCount() {
    countLabel_->setText(QString::number(table().recordCount()));
}

void TAdressForm::letterClick(QChar letter) {
    if (mode() != RegisterMode::Browsing)
        return;
    run([&] {
        if (table().isOpen())
            goToLetter(table(), letter);
    });
}

// --- the lend-out dialog's hand-off ---------------------------------------------------------

void TAdressForm::enterLendOutMode() {
    lendOutMode_ = true;
}

void TAdressForm::addBorrower(const QString& firstName, const QString& lastName,
                              const QString& phone, const QString& email) {
    bool filed = false;
    const bool done = run([&] {
        Table& table = this->table();
        table.open();
        if (isFiled(table, firstName, lastName)) {
            filed = true;
            const EntryProblem refusal = alreadyFiled(firstName, lastName);
            context().dialogs.info(this, refusal.caption, refusal.text);
            return;
        }
        appendBorrower(table, firstName, lastName, phone, email);
        controller().setMode(RegisterMode::Adding);
    });
    if (filed || !done) {
        // Refused, or the table failed: the book goes back to rest, hidden and closed.
        lendOutMode_ = false;
        controller().setMode(RegisterMode::Browsing);
        run([this] { table().close(); });
        return;
    }
    show();
    raise();
    activateWindow();
    // The lend-out and choice dialogs close after this; the book stays in front of the
    // register window they return to.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) {
            raise();
            activateWindow();
        }
    });
}

} // namespace hoardly
