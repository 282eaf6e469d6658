#include "AdressForm.h"

#include "RecordButtons.h"

#include "AdressBook.h"
#include "FindBox.h"
#include "Navigator.h"
#include "RegisterDescription.h"
#include "data/RunState.h"
#include "data/SharedRoutines.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "ui/BoundControls.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/KeyFilters.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

using namespace adressbook;

CommandSet adressCommands() {
    CommandSet set;
    set.commands = {
        {cmd::close, u"Back to main"_s, u"Back to mainmenu"_s, u"Mainmenu"_s,
         QKeySequence(Qt::CTRL | Qt::Key_S), Icon::MainMenu},
        {cmd::add, u"Add record"_s, u"Add record"_s, u"Add record"_s, QKeySequence(Qt::Key_Insert),
         Icon::Add},
        {cmd::edit, u"Edit record"_s, u"Edit record"_s, u"Edit record"_s,
         QKeySequence(Qt::SHIFT | Qt::Key_Insert), Icon::Edit},
        {cmd::remove, u"Delete record"_s, u"Delete record"_s, u"Delete Record"_s,
         QKeySequence(Qt::SHIFT | Qt::Key_Delete), Icon::Delete},
        {cmd::help, u"Help"_s, {}, {}, QKeySequence(Qt::CTRL | Qt::Key_F1)},
        {cmd::about, u"About"_s},
    };
    set.menus = {
        {u"file"_s, u"&File"_s, {cmd::close}},
        {u"database"_s, u"&Database"_s, {cmd::add, cmd::edit, cmd::remove}},
        {u"help"_s, u"&Help"_s, {cmd::help, cmd::about}},
    };
    set.toolBar = {cmd::close, u"|"_s, cmd::add, cmd::edit, cmd::remove};
    set.popup = {cmd::add, cmd::edit, cmd::remove, cmd::close};
    set.lock.toolBar = {cmd::close, cmd::add, cmd::edit, cmd::remove};
    set.lock.menus = {u"file"_s, u"database"_s};
    set.lock.popup = {cmd::add, cmd::edit, cmd::remove, cmd::close};
    return set;
}

namespace {

const QStringList kTips{
    u"Fields marked with * is required."_s,
    QString(),
    u"Use the buttons at the bottom of the form to find Last Names. It will go to the first "
    u"entry with that letter. If there are no Last name beginning with that letter the "
    u"addressbook will stop at the Last name before"_s,
    QString(),
    u"Move between the fields with the TAB- or ENTER key"_s,
    QString(),
    u"If a new record is pointing to a company just fill the company name in the field marked "
    u"Last Name"_s,
};

// Where each box of addressBoxes() stands on the page: row and column pair. Names and the
// address on the left, the telephones on the right, the comments across the page.
struct BoxPlace {
    int row;
    int column;
};
constexpr BoxPlace kPlaces[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1},
                                {1, 1}, {2, 1}, {4, 0}, {4, 1}, {5, 0}};

} // namespace

TAdressForm::TAdressForm(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
    setObjectName(u"AdressForm"_s);
    setWindowTitle(u"Addressbook"_s);
    setCentralWidget(buildPage());
    buildCommands();
    setTabOrder();
    enterAsTab_ = new EnterAsTab(this);

    commands_->setHandler(cmd::close, [this] { close(); });
    commands_->setHandler(cmd::add, [this] { addRecord(); });
    commands_->setHandler(cmd::edit, [this] { editRecord(); });
    commands_->setHandler(cmd::remove, [this] { deleteRecord(); });
    commands_->setHandler(cmd::help, [this] { context_.shell.openHelp(); });
    commands_->setHandler(cmd::about, [this] { context_.shell.showAbout(); });

    Table& table = this->table();
    connect(&table, &Table::recordsChanged, this, &TAdressForm::showCount);
    connect(&table, &Table::stateChanged, this, &TAdressForm::showCount);
    setMode(RegisterMode::Browsing);
    showCount();
    resize(860, 480);
}

TAdressForm::~TAdressForm() = default;

Table& TAdressForm::table() const {
    return context_.tdm.adressTb();
}

QAction* TAdressForm::action(const QString& id) const {
    return commands_->action(id);
}

QPushButton* TAdressForm::letterButton(QChar letter) const {
    const int at = letter.toUpper().unicode() - u'A';
    return letters_.value(at);
}

bool TAdressForm::run(const std::function<void()>& command) {
    return runCommand(context_.dialogs, this, command);
}

void TAdressForm::reportError(const QString& text) {
    // A failing box can report again while the error box is up; one box is enough.
    if (reportingError_)
        return;
    reportingError_ = true;
    context_.dialogs.errorBox(this, text);
    reportingError_ = false;
}

// --- building -------------------------------------------------------------------------------

void TAdressForm::buildCommands() {
    commands_ = CommandTable::install(this, adressCommands(), centralWidget());
    toolBar_ = commands_->toolBar();
    popup_ = commands_->popup();

    // ESC is the Cancel button while a record is pending; setMode enables it then.
    escape_ = new QAction(this);
    escape_->setObjectName(u"escape"_s);
    escape_->setShortcut(Qt::Key_Escape);
    escape_->setShortcutContext(Qt::WindowShortcut);
    connect(escape_, &QAction::triggered, this, &TAdressForm::CancelKnpClick);
    addAction(escape_);
}

QWidget* TAdressForm::buildPage() {
    auto* page = new QWidget(this);
    page->setObjectName(u"page"_s);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(10);

    auto* countRow = new QHBoxLayout;
    auto* countCaption = new QLabel(u"Number of records:"_s, page);
    countLabel_ = new QLabel(page);
    countLabel_->setObjectName(u"countLabel"_s);
    QFont bold = countLabel_->font();
    bold.setBold(true);
    countLabel_->setFont(bold);
    countRow->addWidget(countCaption);
    countRow->addWidget(countLabel_);
    countRow->addStretch();
    layout->addLayout(countRow);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(14);
    middle->addWidget(buildRecordPanel(page), 1);
    middle->addWidget(buildFindGroup(page), 0, Qt::AlignTop);
    layout->addLayout(middle, 1);
    layout->addWidget(buildButtonRow(page));
    layout->addWidget(buildLetterBar(page), 0, Qt::AlignHCenter);
    return page;
}

QWidget* TAdressForm::buildRecordPanel(QWidget* page) {
    auto* panel = new QGroupBox(page);
    panel->setObjectName(u"recordPanel"_s);
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->setColumnMinimumWidth(2, 16); // between the two columns of boxes
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(4, 2);
    const QList<AddressBox>& boxes = addressBoxes();
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        const AddressBox& def = boxes[i];
        QWidget* control = nullptr;
        if (def.kind == FieldKind::Memo) {
            auto* memo = new QPlainTextEdit(panel);
            memo->setTabChangesFocus(true);
            memo->setMinimumHeight(70);
            // The memo takes no more than the comment field holds, so nothing typed is lost.
            auto* binding = new MemoBinding(context_.tdm.source(schema::adress()), def.field, memo);
            connect(binding, &FieldBinding::failed, this, &TAdressForm::reportError);
            control = memo;
        } else {
            auto* edit = new QLineEdit(panel);
            auto* binding =
                new LineEditBinding(context_.tdm.source(schema::adress()), def.field, edit);
            connect(binding, &FieldBinding::failed, this, &TAdressForm::reportError);
            if (def.kind == FieldKind::Phone)
                new DigitsFilter(context_.dialogs, KeyFilterKind::PhoneDigits, edit);
            control = edit;
        }
        control->setObjectName(u"box_"_s + def.field);
        auto* label = new QLabel(def.label, panel);
        label->setObjectName(u"label_"_s + def.field);
        label->setBuddy(control);
        const BoxPlace place = kPlaces[i];
        const int column = place.column * 3;
        if (def.kind == FieldKind::Memo) {
            grid->addWidget(label, place.row, column, Qt::AlignRight | Qt::AlignTop);
            grid->addWidget(control, place.row, column + 1, 1, 4);
            grid->setRowStretch(place.row, 1);
        } else {
            grid->addWidget(label, place.row, column, Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(control, place.row, column + 1);
        }
        boxes_.insert(def.field, control);
        labels_.insert(def.field, label);
        boxOrder_ << control;
    }
    return panel;
}

QWidget* TAdressForm::buildButtonRow(QWidget* page) {
    auto* row = new QWidget(page);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    navigator_ = new Navigator(context_.tdm.source(schema::adress()), context_.dialogs,
                               Navigator::moves(), row);
    navigator_->setObjectName(u"navigator"_s);
    const RecordButtons buttons = makeRecordButtons(row, u"OkKnp"_s, u"CancelKnp"_s, u"TipKnp"_s);
    okButton_ = buttons.ok;
    cancelButton_ = buttons.cancel;
    tipButton_ = buttons.tip;
    layout->addWidget(navigator_);
    layout->addStretch();
    layout->addWidget(okButton_);
    layout->addWidget(cancelButton_);
    layout->addSpacing(12);
    layout->addWidget(tipButton_);
    connect(okButton_, &QPushButton::clicked, this, &TAdressForm::OkKnpClick);
    connect(cancelButton_, &QPushButton::clicked, this, &TAdressForm::CancelKnpClick);
    connect(tipButton_, &QPushButton::clicked, this, [this] { context_.shell.showTips(kTips); });
    return row;
}

QWidget* TAdressForm::buildLetterBar(QWidget* page) {
    letterBar_ = new QWidget(page);
    letterBar_->setObjectName(u"letterBar"_s);
    auto* layout = new QHBoxLayout(letterBar_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
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
    return letterBar_;
}

QWidget* TAdressForm::buildFindGroup(QWidget* page) {
    findGroup_ = new QGroupBox(u"Find"_s, page);
    findGroup_->setObjectName(u"findGroup"_s);
    auto* layout = new QVBoxLayout(findGroup_);
    layout->setSpacing(6);
    findBox_ = new FindBox(context_.tdm.source(schema::adress()), kLastName, FindBox::kNoLimit,
                           findGroup_);
    findBox_->setObjectName(u"findBox"_s);
    findBox_->setMinimumWidth(fontMetrics().horizontalAdvance(u'M') * 13);
    connect(findBox_, &FindBox::failed, this, &TAdressForm::reportError);
    auto* result = new QLabel(findGroup_);
    result->setObjectName(u"findResult"_s);
    QFont bold = result->font();
    bold.setBold(true);
    result->setFont(bold);
    result->setMinimumWidth(result->fontMetrics().horizontalAdvance(u"Not found!"_s) + 4);
    // The label keeps its place while hidden, so the group does not shift at every key.
    QSizePolicy policy = result->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    result->setSizePolicy(policy);
    findBox_->setResultLabel(result);

    const QList<AddressFindOption>& options = addressFindOptions();
    for (qsizetype i = 0; i < options.size(); ++i) {
        if (i == kFindOptionsAboveBox) {
            auto* boxRow = new QHBoxLayout;
            boxRow->addWidget(findBox_, 1);
            boxRow->addWidget(result);
            layout->addLayout(boxRow);
        }
        auto* radio = new QRadioButton(options[i].label, findGroup_);
        radio->setObjectName(u"findOption"_s + QString::number(i));
        const int index = int(i);
        connect(radio, &QRadioButton::clicked, this, [this, index] { chooseFindOption(index); });
        layout->addWidget(radio);
        findOptions_ << radio;
    }
    return findGroup_;
}

void TAdressForm::setTabOrder() {
    QList<QWidget*> order = boxOrder_;
    for (NavButton button : {NavButton::First, NavButton::Prior, NavButton::Next, NavButton::Last})
        order << navigator_->button(button);
    order << okButton_ << cancelButton_ << tipButton_;
    for (QPushButton* letter : std::as_const(letters_))
        order << letter;
    for (qsizetype i = 0; i < findOptions_.size(); ++i) {
        if (i == kFindOptionsAboveBox)
            order << findBox_;
        order << findOptions_[i];
    }
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

// --- state ----------------------------------------------------------------------------------

void TAdressForm::setMode(RegisterMode mode) {
    mode_ = mode;
    const bool pending = mode == RegisterMode::Adding || mode == RegisterMode::Editing;
    commands_->setLocked(pending);
    for (QWidget* box : std::as_const(boxOrder_)) {
        if (auto* edit = qobject_cast<QLineEdit*>(box))
            edit->setReadOnly(!pending);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(box))
            memo->setReadOnly(!pending);
        // Read-only boxes take the window's colour, so the user sees when typing is possible.
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, pending ? QWidget::palette().color(QPalette::Base)
                                                 : QWidget::palette().color(QPalette::Window));
        box->setPalette(palette);
    }
    navigator_->setEnabled(!pending);
    letterBar_->setEnabled(!pending);
    findGroup_->setEnabled(!pending);
    okButton_->setEnabled(pending);
    cancelButton_->setEnabled(pending);
    escape_->setEnabled(pending);
}

void TAdressForm::showCount() {
    countLabel_->setText(QString::number(table().recordCount()));
}

void TAdressForm::focusBox(const QString& field) {
    if (QWidget* control = box(field))
        control->setFocus(Qt::OtherFocusReason);
}

QString TAdressForm::boxText(const QString& field) const {
    if (const auto* edit = qobject_cast<const QLineEdit*>(box(field)))
        return edit->text();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(box(field)))
        return memo->toPlainText();
    return {};
}

// --- opening and closing --------------------------------------------------------------------

void TAdressForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window brought back from the task bar is not opened again.
    if (!event->spontaneous())
        opening();
}

void TAdressForm::opening() {
    // In lend-out mode the table already holds the borrower's pending record.
    if (!lendOutMode_) {
        run([this] {
            Table& table = this->table();
            if (!table.isOpen())
                table.open();
            table.selectIndex(kLastNameIndex);
            table.first();
            table.refresh();
        });
    }
    showCount();
    focusBox(kFirstName);
}

void TAdressForm::closeEvent(QCloseEvent* event) {
    // A pending record or edit goes with the table, so the next opening starts browsing.
    run([this] { table().close(); });
    setMode(RegisterMode::Browsing);
    // The find box returns to the last name, with its radio button showing it.
    findBox_->setField(kLastName);
    findOptions_[kLastNameOption]->setChecked(true);
    if (!lendOutMode_)
        context_.shell.showMainWindow();
    lendOutMode_ = false;
    QMainWindow::closeEvent(event);
}

void TAdressForm::closeAfterLendOut() {
    // The closing sees lend-out mode still set, keeps the main window hidden and clears it.
    close();
}

// --- the commands ---------------------------------------------------------------------------

void TAdressForm::addRecord() {
    if (mode_ != RegisterMode::Browsing)
        return;
    run([this] {
        table().append();
        setMode(RegisterMode::Adding);
        focusBox(kFirstName);
    });
}

void TAdressForm::editRecord() {
    if (mode_ != RegisterMode::Browsing)
        return;
    run([this] {
        Table& table = this->table();
        if (isTableEmpty(table)) {
            context_.dialogs.info(this, u"Empty"_s, u"Can't edit a empty addressbook"_s);
            return;
        }
        table.edit();
        setMode(RegisterMode::Editing);
        focusBox(kFirstName);
    });
}

void TAdressForm::OkKnpClick() {
    if (mode_ != RegisterMode::Adding && mode_ != RegisterMode::Editing)
        return;
    run([this] {
        Table& table = this->table();
        const QString email = boxText(kEmail);
        if (const auto problem = checkEntry(boxText(kLastName), email)) {
            context_.dialogs.info(this, problem->caption, problem->text);
            focusBox(problem->field);
            return;
        }
        if (!email.isEmpty())
            table.setText(kEmail, storedEmail(email));
        table.post();
        setMode(RegisterMode::Browsing);
        context_.run.dataChanged = true;
        if (lendOutMode_) {
            closeAfterLendOut();
            return;
        }
        showCount();
        // The book is already in last-name order; selecting it again would lose the record
        // just filed.
        if (table.indexName().compare(kLastNameIndex, Qt::CaseInsensitive) != 0)
            table.selectIndex(kLastNameIndex);
    });
}

void TAdressForm::CancelKnpClick() {
    if (mode_ != RegisterMode::Adding && mode_ != RegisterMode::Editing)
        return;
    const bool adding = mode_ == RegisterMode::Adding;
    run([this] { table().cancel(); });
    setMode(RegisterMode::Browsing);
    if (adding && lendOutMode_)
        closeAfterLendOut();
}

void TAdressForm::deleteRecord() {
    if (mode_ != RegisterMode::Browsing)
        return;
    run([this] {
        Table& table = this->table();
        if (isTableEmpty(table)) {
            context_.dialogs.info(this, u"Empty"_s, u"Nothing to delete"_s);
            return;
        }
        const QString text = u"Record with name [ "_s + table.asText(kLastName) +
                             u" ] will be lost. Are you sure?"_s;
        if (!context_.dialogs.question(this, u"Del record"_s, text, BoxIcon::Exclamation))
            return;
        table.remove();
        table.refresh();
        context_.run.dataChanged = true;
        showCount();
    });
}

void TAdressForm::letterClick(QChar letter) {
    if (mode_ != RegisterMode::Browsing)
        return;
    run([&] {
        if (table().isOpen())
            goToLetter(table(), letter);
    });
}

void TAdressForm::chooseFindOption(int index) {
    findBox_->setField(addressFindOptions().value(index).field);
    findBox_->setFocus(Qt::OtherFocusReason);
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
        if (!table.isOpen())
            table.open();
        if (isFiled(table, firstName, lastName)) {
            filed = true;
            const EntryProblem refusal = alreadyFiled(firstName, lastName);
            context_.dialogs.info(this, refusal.caption, refusal.text);
            return;
        }
        appendBorrower(table, firstName, lastName, phone, email);
        setMode(RegisterMode::Adding);
    });
    if (filed || !done) {
        // Refused, or the table failed: the book goes back to rest, hidden and closed.
        lendOutMode_ = false;
        setMode(RegisterMode::Browsing);
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
