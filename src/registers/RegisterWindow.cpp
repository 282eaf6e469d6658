#include "RegisterWindow.h"

#include "lending/Lending.h"

#include "MasterGrid.h"
#include "data/Collation.h"
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
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace hoardly {

RegisterWindow::RegisterWindow(AppContext& context, RegisterDescription description,
                               QWidget* parent)
    : QMainWindow(parent), context_(context), d_(std::move(description)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(d_.table ? d_.table->objectName : QString());
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(u"pages"_s);
    setCentralWidget(pages_);
    buildBrowsePage();
    buildEditPage();
    searchPlace_ = new QWidget(pages_);
    searchPlace_->setObjectName(d_.searchPage);
    pages_->addWidget(searchPlace_);
    buildMasterListPage();
    buildCommands();

    commands_->setHandler(cmd::close, [this] { close(); });
    commands_->setHandler(cmd::add, [this] { addRecord(); });
    commands_->setHandler(cmd::edit, [this] { editRecord(); });
    commands_->setHandler(cmd::remove, [this] { deleteRecord(); });
    commands_->setHandler(cmd::masterList, [this] { showMasterList(); });
    commands_->setHandler(cmd::back, [this] { back(); });
    commands_->setHandler(cmd::findByConditions, [this] { showSearchPage(); });
    commands_->setHandler(cmd::help, [this] { context_.shell.openHelp(); });
    commands_->setHandler(cmd::about, [this] { context_.shell.showAbout(); });
    for (int i = 0; i < d_.sortOptions.size(); ++i)
        commands_->setHandler(d_.sortOptions[i].command, [this, i] { sortBy(i); });
    if (!d_.hideColumnCommand.isEmpty())
        commands_->setHandler(d_.hideColumnCommand, [this] {
            const int column = listModel_->columnOfField(d_.hideColumnField);
            list_->setColumnHidden(column, commands_->isChecked(d_.hideColumnCommand));
        });
    if (!d_.hideHeadingCommand.isEmpty())
        commands_->setHandler(d_.hideHeadingCommand, [this] {
            heading_->setVisible(!commands_->isChecked(d_.hideHeadingCommand));
        });

    enterAsTab_ = new EnterAsTab(this);
    // In the master list's grid ENTER ends the cell edit, as in any table a user edits.
    enterAsTab_->exempt(masterGrid_);
    pages_->setCurrentWidget(browsePage_);
    resize(940, 620);
    setMinimumSize(640, 440);
}

RegisterWindow::~RegisterWindow() {
    // QWidget's destructor hides the window, and the focus-out of a child (the find box
    // follows the table then) would reach this window's slots after its own part is gone.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

Table& RegisterWindow::table() const {
    return context_.tdm.table(*d_.table);
}

DataSource& RegisterWindow::source() const {
    return context_.tdm.source(*d_.table);
}

RegisterWindow::Page RegisterWindow::page() const {
    QWidget* current = pages_->currentWidget();
    if (current == editPage_)
        return Page::Edit;
    if (current == masterPage_)
        return Page::MasterList;
    if (current == browsePage_)
        return Page::Browse;
    return Page::Search;
}

QAction* RegisterWindow::action(const QString& id) const {
    return commands_->action(id);
}

void RegisterWindow::setCommandHandler(const QString& id, std::function<void()> handler) {
    commands_->setHandler(id, [this, handler = std::move(handler)] { run(handler); });
}

QWidget* RegisterWindow::editControl(const QString& field) const {
    return editControls_.value(field);
}

QSpinBox* RegisterWindow::indexSpin() const {
    return qobject_cast<QSpinBox*>(editControls_.value(d_.indexField));
}

QTableView* RegisterWindow::masterGrid() const {
    return masterGrid_;
}

bool RegisterWindow::run(const std::function<void()>& command) {
    return runCommand(context_.dialogs, this, command);
}

void RegisterWindow::reportError(const QString& text) {
    // A failing control can report again while the box is up; one box is enough.
    if (reportingError_)
        return;
    reportingError_ = true;
    context_.dialogs.errorBox(this, text);
    reportingError_ = false;
}

void RegisterWindow::connectErrors(QObject* sender) {
    if (auto* binding = qobject_cast<FieldBinding*>(sender))
        connect(binding, &FieldBinding::failed, this, &RegisterWindow::reportError);
    else if (auto* grid = qobject_cast<GridBinding*>(sender))
        connect(grid, &GridBinding::failed, this, &RegisterWindow::reportError);
}

// --- the search page ------------------------------------------------------------------------

void RegisterWindow::installSearchPage(QWidget* page, std::function<void()> enter,
                                       bool keepsEnter) {
    const int at = pages_->indexOf(searchPage_ ? searchPage_.data() : searchPlace_);
    QWidget* old = pages_->widget(at);
    pages_->insertWidget(at, page);
    pages_->removeWidget(old);
    if (old == searchPlace_)
        searchPlace_->hide();
    if (page->objectName().isEmpty())
        page->setObjectName(d_.searchPage);
    searchPage_ = page;
    enterSearch_ = std::move(enter);
    if (keepsEnter)
        enterAsTab_->exempt(page);
}

void RegisterWindow::showSearchPage() {
    if (!searchPage_)
        return;
    showPage(Page::Search);
    setMode(RegisterMode::Searching);
    commands_->setEnabled(cmd::back, true);
    lockCommands();
    if (enterSearch_)
        enterSearch_();
}

// --- opening and closing --------------------------------------------------------------------

void RegisterWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (opened_)
        return;
    opened_ = true;
    opening();
}

void RegisterWindow::opening() {
    run([this] {
        showPage(Page::Browse);
        Table& table = this->table();
        if (!table.isOpen())
            table.open();
        tickSortOption();
        table.first();
        focusList();
    });
}

void RegisterWindow::closeEvent(QCloseEvent* event) {
    if (mode_ == RegisterMode::MasterList && !run([this] { postMasterListEdit(); })) {
        // What the grid holds could not be stored: the window stays, so nothing is lost.
        event->ignore();
        return;
    }
    table().close();
    context_.shell.showMainWindow();
    QMainWindow::closeEvent(event);
}

// --- steps ----------------------------------------------------------------------------------

void RegisterWindow::setMode(RegisterMode mode) {
    mode_ = mode;
}

void RegisterWindow::lockCommands() {
    commands_->setLocked(true);
}

void RegisterWindow::unlockCommands() {
    commands_->setLocked(false);
}

void RegisterWindow::showPage(Page page) {
    switch (page) {
    case Page::Browse:
        pages_->setCurrentWidget(browsePage_);
        break;
    case Page::Edit:
        pages_->setCurrentWidget(editPage_);
        break;
    case Page::Search:
        if (searchPage_)
            pages_->setCurrentWidget(searchPage_);
        break;
    case Page::MasterList:
        pages_->setCurrentWidget(masterPage_);
        break;
    }
}

void RegisterWindow::focusList() {
    list_->setFocus(Qt::OtherFocusReason);
}

void RegisterWindow::focusRequired() {
    if (QWidget* control = editControl(d_.requiredField))
        control->setFocus(Qt::OtherFocusReason);
}

void RegisterWindow::updateHeading() {
    if (d_.headingField.isEmpty())
        return;
    const Table& table = this->table();
    if (!table.isOpen() || table.isEmpty() || table.state() == TableState::Insert)
        return;
    run([&] { heading_->setText(table.asText(d_.headingField)); });
}

bool RegisterWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyRelease)
        updateHeading();
    return QMainWindow::eventFilter(watched, event);
}

void RegisterWindow::tickSortOption() {
    if (d_.sortOptions.isEmpty())
        return;
    int ticked = d_.sortFallback;
    for (int i = 0; i < d_.sortOptions.size(); ++i) {
        if (d_.sortOptions[i].index.compare(table().indexName(), Qt::CaseInsensitive) == 0)
            ticked = i;
    }
    for (int i = 0; i < d_.sortOptions.size(); ++i)
        commands_->setChecked(d_.sortOptions[i].command, i == ticked);
}

void RegisterWindow::chooseFindOption(int index) {
    const FindOption& option = d_.findOptions[index];
    findBox_->setField(option.field, option.maxLength);
    findBox_->setFocus(Qt::OtherFocusReason);
}

namespace {

QString controlText(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control))
        return memo->toPlainText();
    return u"-"_s; // a window without a required text control never refuses OK
}

// Replaces a pick list's entries without touching its text or the record it is bound to.
void setEntries(QComboBox* combo, const QStringList& entries) {
    const QSignalBlocker blocker(combo);
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
}

} // namespace

void RegisterWindow::fillPickLists() {
    Table& standard = context_.tdm.standardTb();
    for (const auto& [field, combo] : std::as_const(pickLists_)) {
        for (const EditField& def : std::as_const(d_.editFields)) {
            if (def.field != field)
                continue;
            QStringList entries = def.items + rememberedValues(standard, def.remembered);
            if (def.sorted)
                sortForPeople(entries);
            setEntries(combo, entries);
        }
    }
}

void RegisterWindow::emptyPickLists() {
    for (const auto& entry : std::as_const(pickLists_)) {
        const QSignalBlocker blocker(entry.second);
        entry.second->clear();
        entry.second->setEditText(QString());
    }
}

void RegisterWindow::rememberPickValues() {
    Table& standard = context_.tdm.standardTb();
    for (const QString& field : std::as_const(d_.remember)) {
        for (const EditField& def : std::as_const(d_.editFields)) {
            if (def.field != field || def.remembered.isEmpty())
                continue;
            if (const auto* combo = qobject_cast<QComboBox*>(editControl(field)))
                rememberValue(standard, def.remembered, combo->currentText());
        }
    }
}

void RegisterWindow::postMasterListEdit() {
    masterGrid_->commitEditor();
    if (table().isOpen() && table().state() != TableState::Browse)
        table().post();
}

// --- the commands ---------------------------------------------------------------------------

void RegisterWindow::addRecord() {
    run([this] {
        Table& table = this->table();
        fillPickLists();
        setMode(RegisterMode::Adding);
        lockCommands();
        showPage(Page::Edit);
        if (QSpinBox* spin = indexSpin())
            spin->setValue(proposeNextIndex(table, d_.indexField, spin->maximum()));
        table.append();
        focusRequired();
    });
}

void RegisterWindow::editRecord() {
    run([this] {
        Table& table = this->table();
        if (isTableEmpty(table)) {
            context_.dialogs.info(this, d_.editEmpty.caption, d_.editEmpty.text);
            return;
        }
        setMode(RegisterMode::Editing);
        fillPickLists();
        if (QSpinBox* spin = indexSpin())
            spin->setValue(int(table.asInteger(d_.indexField)));
        showPage(Page::Edit);
        table.edit();
        focusRequired();
        lockCommands();
    });
}

void RegisterWindow::acceptRecord() {
    if (mode_ != RegisterMode::Adding && mode_ != RegisterMode::Editing)
        return;
    run([this] {
        Table& table = this->table();
        if (controlText(editControl(d_.requiredField)).trimmed().isEmpty()) {
            context_.dialogs.info(this, d_.requiredMissing.caption, d_.requiredMissing.text);
            focusRequired();
            return;
        }
        if (QSpinBox* spin = indexSpin())
            table.setInteger(d_.indexField, spin->value());
        table.post();
        context_.run.dataChanged = true;
        if (mode_ == RegisterMode::Editing) {
            table.refresh();
            showPage(Page::Browse);
            focusList();
            unlockCommands();
        }
        rememberPickValues();
        emptyPickLists();
        context_.tdm.standardTb().refresh();
        showPage(Page::Browse);
        focusList();
        unlockCommands();
        setMode(RegisterMode::Browsing);
        table.refresh();
    });
}

void RegisterWindow::cancelRecord() {
    if (mode_ != RegisterMode::Adding && mode_ != RegisterMode::Editing)
        return;
    run([this] {
        Table& table = this->table();
        table.cancel();
        emptyPickLists();
        setMode(RegisterMode::Browsing);
        showPage(Page::Browse);
        table.refresh();
        unlockCommands();
        focusList();
    });
}

void RegisterWindow::deleteRecord() {
    run([this] {
        Table& table = this->table();
        if (isTableEmpty(table)) {
            context_.dialogs.info(this, d_.deleteEmpty.caption, d_.deleteEmpty.text);
            return;
        }
        const QString name = table.asText(d_.nameField);
        if (!context_.dialogs.question(this, d_.deleteCaption, d_.deleteText.arg(name),
                                       BoxIcon::Exclamation))
            return;
        table.remove();
        table.refresh();
        context_.run.dataChanged = true;
        Table& borrow = context_.tdm.borrowTb();
        if (isObjectLent(borrow, name) &&
            context_.dialogs.question(this, d_.lentCaption, d_.lentText.arg(name),
                                      BoxIcon::Question))
            dropLendingRecord(borrow, name);
    });
}

void RegisterWindow::showMasterList() {
    commands_->setEnabled(cmd::back, true);
    lockCommands();
    showPage(Page::MasterList);
    setMode(RegisterMode::MasterList);
    commands_->setMasterListReleased(true);
}

void RegisterWindow::back() {
    if (mode_ == RegisterMode::MasterList && !run([this] { postMasterListEdit(); }))
        return;
    commands_->setEnabled(cmd::back, false);
    unlockCommands();
    showPage(Page::Browse);
    setMode(RegisterMode::Browsing);
}

void RegisterWindow::sortBy(int option) {
    for (int i = 0; i < d_.sortOptions.size(); ++i)
        commands_->setChecked(d_.sortOptions[i].command, i == option);
    run([&] {
        table().selectIndex(d_.sortOptions[option].index);
        table().first();
    });
}

} // namespace hoardly
