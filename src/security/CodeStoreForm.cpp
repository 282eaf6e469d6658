#include "CodeStoreForm.h"

#include "CodeStorePass.h"
#include "MainPassword.h"
#include "data/Schema.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

const QString kReceiver = u"Mottagare"_s;
const QString kCode = u"Kod"_s;
constexpr int kCodeOption = 0;
constexpr int kReceiverOption = 1;
const QString kScramble = u"&Crypt"_s;
const QString kUnscramble = u"Decrypt"_s;
const QString kScrambleControl = u"scramble"_s;

CommandSet codeStoreCommands() {
    CommandSet set;
    set.commands = {
        registerCommand(cmd::close, u"Back to main"_s, u"Back to main"_s),
        registerCommand(cmd::printPreview, u"Print preview"_s, u"Print preview"_s,
                        u"Print preview"_s),
        registerCommand(cmd::print, u"Print"_s, u"Print"_s, u"Print"_s),
        registerCommand(cmd::add, u"Add record"_s, u"Add record"_s, u"Add record"_s),
        registerCommand(cmd::edit, u"Edit record"_s, u"Edit record"_s, u"Edit record"_s),
        registerCommand(cmd::remove, u"Del record"_s, u"Del record"_s, u"Del record"_s),
        optionCommand(u"hideHeading"_s, u"Hide  heading"_s),
        musicOffCommand(u"Turn off music"_s),
        registerCommand(cmd::help, u"Help"_s),
        registerCommand(cmd::about, u"About"_s),
    };
    set.menus = {
        {u"file"_s, u"&File"_s, {cmd::printPreview, cmd::print, u"|"_s, cmd::close}},
        {u"options"_s, u"&Options"_s, {u"hideHeading"_s, cmd::musicOff}},
        {u"database"_s, u"&Database functions"_s, {cmd::add, cmd::edit, cmd::remove}},
        {u"help"_s, u"&Help"_s, {cmd::help, cmd::about}},
    };
    set.toolBar = {cmd::close, cmd::printPreview, cmd::print, u"|"_s,
                   cmd::add,   cmd::edit,         cmd::remove};
    set.popup = {cmd::add, cmd::edit, cmd::remove, u"|"_s, cmd::print, cmd::printPreview};
    // The tool bar's "Print" stays usable during an entry.
    set.lock.toolBar = {cmd::close, cmd::printPreview, cmd::add, cmd::edit, cmd::remove};
    set.lock.menus = {u"file"_s, u"database"_s};
    set.lock.popup = {cmd::add, cmd::edit, cmd::remove, cmd::print, cmd::printPreview};
    return set;
}

} // namespace

RegisterDescription codeStoreDescription() {
    RegisterDescription d;
    d.table = &schema::kod();
    d.layout = RegisterLayout::OnePage;
    d.enterMovesOn = false; // ENTER moves on in the two boxes only
    d.nameField = kReceiver;
    d.heading = {u"Passwords & codes"_s, kReceiver,
                 HeadingTrigger::FindTextChanged | HeadingTrigger::Found};
    d.browse.name = u"page"_s;
    d.browse.listColumns = {{kReceiver, u"Mottagare"_s}, {kCode, u"Kod/lösenord"_s}};
    d.browse.navigator = Navigator::moves();
    FindGroup find;
    find.title = u"Find"_s;
    find.options = {FindOption(u"Psw/code"_s, kCode), FindOption(u"Receiver"_s, kReceiver)};
    find.startField = kReceiver;
    find.firstChosenAtStart = false; // "Receiver" is, see the window
    d.find = find;

    d.editFields = {EditField(u"Receiver"_s, kReceiver).limited(50),
                    EditField(u"Password/code"_s, kCode).limited(50)};
    d.entryFocus = kReceiver;
    d.checks = {
        EntryCheck::required(kReceiver, u"The receivers name is required"_s, u"No receivers"_s),
        EntryCheck::required(kCode, u"Psw/code is required"_s, u"No Psw/code"_s)};
    d.editTips = {
        u"You must fill in both fields when you add a record. "_s,
        QString(),
        u"Always crypt all records before you close this form "_s,
        QString(),
        u"All pws and codes are crypted in your harddrive as well.Be careful with these reords. "
        u"Don't let anyone else access this form without have all records crypted. If you like "
        u"toprint out a list with all records don't forget to decrypt before else all records "
        u"will be crypted in your list as well"_s,
        QString(),
        u"You need a main password to access and protect this register from being decrypted by "
        u"anyone else. Go to mainmenu and click on the properties button. Chose security and "
        u"add your password"_s,
        QString(),
        u"As a producer of this software i can not hold responsible for any damage which "
        u"suffer you if somebody else get your password or codes by hacking your records or "
        u"just get over it in some way. you should use this register by your own risk. I only "
        u"guarantee that all records, if your chose to crypt, really are crypted at your "
        u"harddrive as well."_s,
    };

    d.commands = codeStoreCommands();
    d.printLayout = PrintList::Codes;
    d.hideHeadingCommand = u"hideHeading"_s;
    // Edit on an empty store does nothing; delete answers.
    d.deleteEmpty = {u"Not such a command."_s, u"Empty database"_s};
    d.deleteQuestion = {u"The record with receiver [ %1 ] will be lost. Are you sure?"_s,
                        u"Deleting"_s};
    return checked(std::move(d));
}

TLosenOrdForm::TLosenOrdForm(AppContext& context, std::function<bool()> askPassword,
                             QWidget* parent)
    : RegisterWindow(context, codeStoreDescription(), parent),
      askPassword_(std::move(askPassword)) {
    setObjectName(u"LosenOrdForm"_s);
    setWindowTitle(u"Lösenord & Koder"_s);
    addToPage(PagePlace::UnderBoxes, buildNotes());

    scrambleKnp_ = new QPushButton(kScramble);
    scrambleKnp_->setObjectName(u"CryptKnp"_s);
    scrambleKnp_->setAutoDefault(false);
    connect(scrambleKnp_, &QPushButton::clicked, this, &TLosenOrdForm::CryptKnpClick);
    addToPage(PagePlace::ButtonRow, scrambleKnp_);
    nameControl(kScrambleControl, scrambleKnp_);

    findOption(kReceiverOption)->setChecked(true);
    connect(findOption(kCodeOption), &QRadioButton::clicked, this,
            &TLosenOrdForm::refuseCodeSearch);
    // ENTER moves from the receiver to the code, and from the code to "&OK".
    auto* receiver = qobject_cast<QLineEdit*>(editControl(kReceiver));
    auto* code = qobject_cast<QLineEdit*>(editControl(kCode));
    connect(receiver, &QLineEdit::returnPressed, code, [code] { code->setFocus(); });
    connect(code, &QLineEdit::returnPressed, this, [this] { okButton()->setFocus(); });
    setHooks();
    list()->setColumnWidth(0, 130);
    list()->setMinimumWidth(280);
    resize(800, 440);
}

TLosenOrdForm::~TLosenOrdForm() = default;

QWidget* TLosenOrdForm::buildNotes() {
    auto* notes = new QWidget;
    auto* layout = new QVBoxLayout(notes);
    layout->setContentsMargins(0, 0, 0, 0);
    entryLabel_ = new QLabel(u"Add/edit record"_s, notes);
    entryLabel_->setObjectName(u"entryLabel"_s);
    QFont bold = entryLabel_->font();
    bold.setBold(true);
    entryLabel_->setFont(bold);
    entryLabel_->hide();
    auto* warning = new QLabel(
        u"You should absolute crypt and protect \nthese records before You close this form. "_s,
        notes);
    warning->setObjectName(u"warningLabel"_s);
    progress_ = new QProgressBar(notes);
    progress_->setObjectName(u"progressBar"_s);
    progress_->setTextVisible(false);
    progress_->hide();
    layout->addWidget(entryLabel_);
    layout->addWidget(warning);
    layout->addWidget(progress_);
    return notes;
}

bool TLosenOrdForm::scrambled() const {
    return scrambleKnp_->text() == kUnscramble;
}

void TLosenOrdForm::setHooks() {
    RegisterHooks& hooks = controller().hooks();
    hooks.allowEntry = [this](RegisterMode entry) {
        if (!scrambled()) {
            entryLabel_->setVisible(entry == RegisterMode::Adding);
            return true;
        }
        context().dialogs.info(
            this, u"Decrypt all records"_s,
            entry == RegisterMode::Adding
                ? u"The records are crypted at the moment. Before you can add or edit a record "
                  "you must decrypt all records."_s
                : u"The recors are crypted at the moment. Before you can add or edit a record "
                  "you must decrypt all records."_s);
        return false;
    };
    hooks.allowDelete = [this] {
        if (!scrambled())
            return true;
        context().dialogs.info(this, u"Not allowed"_s,
                               u"You can not delete any record which is crypted."_s);
        return false;
    };
    hooks.afterPost = [this](RegisterMode) { entryLabel_->hide(); };
    hooks.afterCancel = [this](RegisterMode) {
        entryLabel_->hide();
        heading()->hide();
    };
    hooks.opened = [this] { showScrambledState(); };
    hooks.rules = [this](RegisterMode mode, DerivedState& state) {
        // While the pass runs nothing else may touch the store.
        if (pass_) {
            state.locked = true;
            state.browsingControls = false;
        }
        state.own[kScrambleControl] = !isEntry(mode) && !pass_;
    };
}

void TLosenOrdForm::changeEvent(QEvent* event) {
    RegisterWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !pass_)
        run([this] { showScrambledState(); });
}

// The caption follows the settings each time the window is shown or activated.
void TLosenOrdForm::showScrambledState() {
    Table& config = context().tdm.configTb();
    config.open();
    scrambleKnp_->setText(config.asLogical(u"Krypterad"_s) ? kUnscramble : kScramble);
}

void TLosenOrdForm::refuseCodeSearch() {
    if (!scrambled())
        return;
    context().dialogs.info(this, u"You can not search on crypted records"_s,
                           u"This funtion only works when your records are decrypted"_s);
    findOption(kReceiverOption)->click();
}

void TLosenOrdForm::CryptKnpClick() {
    if (pass_ || isEntry(mode()))
        return;
    run([this] {
        Table& config = context().tdm.configTb();
        config.open();
        if (mainPasswordIsSet(config) && !(askPassword_ && askPassword_()))
            return;
        const auto direction =
            scrambled() ? ScrambleDirection::Unscramble : ScrambleDirection::Scramble;
        auto pass = std::make_unique<CodeStorePass>(context().tdm, direction, this);
        if (const std::optional<QString> refusal = pass->prepare()) {
            context().dialogs.info(this, u"Cannot crypt"_s, *refusal);
            return;
        }
        if (pass->recordCount() == 0)
            return; // an empty store keeps its state
        pass_ = pass.release();
        progress_->setRange(0, pass_->recordCount());
        progress_->setValue(0);
        progress_->show();
        connect(pass_, &CodeStorePass::advanced, progress_, &QProgressBar::setValue);
        connect(pass_, &CodeStorePass::finished, this, [this] { passEnded({}); });
        connect(pass_, &CodeStorePass::failed, this, &TLosenOrdForm::passEnded);
        controller().refreshState();
        pass_->start();
    });
}

void TLosenOrdForm::passEnded(const QString& failure) {
    pass_->deleteLater();
    pass_ = nullptr;
    controller().refreshState(); // the find group takes clicks again
    progress_->hide();
    progress_->setValue(0);
    if (failure.isEmpty()) {
        scrambleKnp_->setText(scrambled() ? kScramble : kUnscramble);
        // Scrambled codes cannot be searched: the find moves to the receiver.
        if (scrambled() && findOption(kCodeOption)->isChecked())
            findOption(kReceiverOption)->click();
    } else {
        context().dialogs.errorBox(this, failure);
    }
    run([this] { table().refresh(); });
}

} // namespace hoardly
