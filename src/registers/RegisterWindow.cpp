#include "RegisterWindow.h"

#include "DetailPanel.h"
#include "HtmlExportCommand.h"
#include "MasterGrid.h"
#include "SearchPage.h"
#include "data/Collation.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "ui/BoundControls.h"
#include "ui/Commands.h"
#include "ui/KeyFilters.h"
#include "ui/PictureBox.h"

#include <QAbstractItemView>
#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace hoardly {

RegisterWindow::RegisterWindow(AppContext& context, RegisterDescription description,
                               QWidget* parent)
    : QMainWindow(parent), context_(context), d_(checked(std::move(description))) {
    if (!d_.closingHides)
        setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(d_.table->objectName);
    faults_ = new FaultReporter(context_.dialogs, this);
    RegisterView& view = *this;
    controller_ = std::make_unique<RegisterController>(context_, d_, view);

    pages_ = new QStackedWidget(this);
    pages_->setObjectName(u"pages"_s);
    setCentralWidget(pages_);
    if (d_.layout == RegisterLayout::OnePage) {
        buildOnePage();
    } else {
        buildBrowsePage();
        buildEditPage();
        if (!d_.searchPage.isEmpty()) {
            searchPlace_ = new QWidget(pages_);
            searchPlace_->setObjectName(d_.searchPage);
            pages_->addWidget(searchPlace_);
        }
        if (d_.masterList) {
            masterPlace_ = new QWidget(pages_);
            masterPlace_->setObjectName(d_.masterList->name);
            pages_->addWidget(masterPlace_);
        }
    }
    buildCommands();
    connectHeading();
    connectDetail();
    if (d_.enterMovesOn)
        enterAsTab_ = new EnterAsTab(this);
    updateTabOrder();
    claimRecordKeys(pages_);
    controller_->refreshState();
}

RegisterWindow::~RegisterWindow() {
    // The pages go while the window is whole: a control losing the focus on its way out
    // still reaches a window, not the remains of one.
    delete takeCentralWidget();
    // The tool bar, menus and find box go later, with QMainWindow: none reaches this window then.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

Table& RegisterWindow::table() const {
    return controller_->table();
}

DataSource& RegisterWindow::source() const {
    return context_.tdm.source(*d_.table);
}

RegisterWindow::Page RegisterWindow::page() const {
    QWidget* current = pages_->currentWidget();
    if (current && current == editPage_)
        return Page::Edit;
    if (current && current == masterPage_)
        return Page::MasterList;
    if (current && (current == searchPage_ || current == searchPlace_))
        return Page::Search;
    return Page::Browse;
}

QWidget* RegisterWindow::pageOf(Page page) const {
    switch (page) {
    case Page::Browse:
        return browsePage_;
    case Page::Edit:
        return editPage_ ? editPage_ : browsePage_;
    case Page::Search:
        return searchPage_ ? searchPage_.data() : browsePage_;
    case Page::MasterList:
        return masterPage_ ? masterPage_ : browsePage_;
    }
    return browsePage_;
}

void RegisterWindow::exportHtmlList() {
    if (d_.htmlExport)
        run([this] { runHtmlExport(context_.dialogs, this, table(), *d_.htmlExport, today()); });
}

void RegisterWindow::switchMusic() {
    if (!context_.music)
        return;
    if (commands_->isChecked(cmd::musicOff))
        context_.music->turnMusicOff();
    else
        context_.music->turnMusicOn();
}

QAction* RegisterWindow::action(const QString& id) const {
    return commands_->action(id);
}

void RegisterWindow::setCommandHandler(const QString& id, std::function<void()> handler) {
    commands_->setHandler(id, std::move(handler));
}

QSpinBox* RegisterWindow::indexSpin() const {
    return qobject_cast<QSpinBox*>(editControl(d_.indexField));
}

void RegisterWindow::connectFaults(QObject* sender) {
    if (auto* binding = qobject_cast<FieldBinding*>(sender)) {
        connect(binding, &FieldBinding::failed, faults_, &FaultReporter::report);
    } else if (auto* grid = qobject_cast<GridBinding*>(sender)) {
        connect(grid, &GridBinding::failed, faults_, &FaultReporter::report);
    } else if (auto* model = qobject_cast<TableGridModel*>(sender)) {
        connect(model, &TableGridModel::readFailed, faults_, &FaultReporter::report);
        connect(model, &TableGridModel::writeFailed, faults_, &FaultReporter::report);
    } else if (auto* find = qobject_cast<FindBox*>(sender)) {
        connect(find, &FindBox::failed, faults_, &FaultReporter::report);
    }
}

void RegisterWindow::addToPage(PagePlace place, QWidget* widget, bool browsingControl) {
    QBoxLayout* layout = places_.value(place);
    Q_ASSERT_X(layout, "RegisterWindow::addToPage", "the register's layout has no such place");
    layout->addWidget(widget);
    // On a page already shown, a new control would only appear at the next event round.
    if (!widget->testAttribute(Qt::WA_WState_ExplicitShowHide))
        widget->show();
    if (browsingControl)
        browsingControls_ << widget;
    updateTabOrder();
    controller_->refreshState();
}

void RegisterWindow::nameControl(const QString& name, QWidget* widget) {
    ownControls_.insert(name, widget);
}

// --- the search page ------------------------------------------------------------------------

void RegisterWindow::installSearchPage(QWidget* page, std::function<void()> enter,
                                       bool keepsEnter) {
    Q_ASSERT_X(searchPlace_, "RegisterWindow::installSearchPage",
               "the register has no search page");
    searchCriteria_ = nullptr; // this page stands instead of the one not built yet
    QWidget* old = searchPage_ ? searchPage_.data() : searchPlace_;
    replacePage(old, page);
    if (old == searchPlace_)
        searchPlace_->hide();
    if (page->objectName().isEmpty())
        page->setObjectName(d_.searchPage);
    searchPage_ = page;
    enterSearch_ = std::move(enter);
    if (keepsEnter && enterAsTab_)
        enterAsTab_->exempt(page);
    claimRecordKeys(page);
}

void RegisterWindow::replacePage(QWidget* old, QWidget* page) {
    pages_->insertWidget(pages_->indexOf(old), page);
    pages_->removeWidget(old);
}

void RegisterWindow::installSearchPage(const search::SearchRegister& criteria) {
    searchCriteria_ = &criteria;
}

void RegisterWindow::ensureSearchPage() {
    if (!searchCriteria_)
        return;
    auto* search = new SearchPage(context_, *std::exchange(searchCriteria_, nullptr), this);
    installSearchPage(
        search, [search] { search->enter(); }, search->submitsOnEnter());
}

QWidget* RegisterWindow::searchPage() {
    ensureSearchPage();
    return searchPage_;
}

void RegisterWindow::ensureMasterListPage() {
    if (!d_.masterList || masterPage_)
        return;
    buildMasterListPage();
    if (enterAsTab_) // in the master list's grid ENTER ends the cell edit
        enterAsTab_->exempt(masterGrid_);
    claimRecordKeys(masterPage_);
}

QTableView* RegisterWindow::masterGrid() {
    ensureMasterListPage();
    return masterGrid_;
}

FindBox* RegisterWindow::masterFindBox() {
    ensureMasterListPage();
    return masterFind_;
}

Navigator* RegisterWindow::masterNavigator() {
    ensureMasterListPage();
    return masterNavigator_;
}

QPushButton* RegisterWindow::masterTipsButton() {
    ensureMasterListPage();
    return masterTips_;
}

void RegisterWindow::claimRecordKeys(QWidget* root) {
    for (QWidget* box : root->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(box) || qobject_cast<QPlainTextEdit*>(box) ||
            qobject_cast<QAbstractSpinBox*>(box))
            box->installEventFilter(this);
    }
}

bool RegisterWindow::isRecordKey(const QKeyEvent* key) const {
    if (mode() != RegisterMode::Browsing ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::ShiftModifier)
        return false;
    const QString command = key->key() == Qt::Key_Insert   ? cmd::edit
                            : key->key() == Qt::Key_Delete ? cmd::remove
                                                           : QString();
    const QAction* action = command.isEmpty() ? nullptr : commands_->action(command);
    return action && action->isEnabled();
}

void RegisterWindow::showSearchPage() {
    ensureSearchPage();
    if (!searchPage_)
        return;
    controller_->showSearch();
    if (mode() == RegisterMode::Searching && enterSearch_)
        enterSearch_();
}

// --- opening and closing --------------------------------------------------------------------

void RegisterWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window that lives for the run opens at every showing, but not when it is brought
    // back from the task bar; the others open once.
    if (d_.closingHides ? event->spontaneous() : opened_)
        return;
    opened_ = true;
    controller_->open();
    tickSortOption();
}

void RegisterWindow::closeEvent(QCloseEvent* event) {
    if (!controller_->close()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

// --- the state ------------------------------------------------------------------------------

namespace {

// Makes one of a one-page register's boxes take typing or show its value read-only, in the
// window's colour then, so the user sees when typing is possible.
void setBoxEditable(QWidget* box, bool editable, const QPalette& window) {
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->setReadOnly(!editable);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(box))
        memo->setReadOnly(!editable);
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(box))
        spin->setReadOnly(!editable);
    else
        box->setEnabled(editable);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, window.color(editable ? QPalette::Base : QPalette::Window));
    box->setPalette(palette);
}

} // namespace

void RegisterWindow::showState(const DerivedState& state) {
    if (!commands_)
        return; // still being built
    if (state.page == Page::Search)
        ensureSearchPage();
    else if (state.page == Page::MasterList)
        ensureMasterListPage();
    pages_->setCurrentWidget(pageOf(state.page));
    commands_->setLocked(state.locked);
    if (commands_->action(cmd::back))
        commands_->setEnabled(cmd::back, state.backEnabled);
    commands_->setMasterListReleased(state.masterListReleased);
    okButton_->setEnabled(state.okEnabled);
    cancelButton_->setEnabled(state.cancelEnabled);
    escape_->setEnabled(state.escapeCancels);
    if (d_.layout == RegisterLayout::OnePage) {
        for (QWidget* box : std::as_const(entryOrder_))
            setBoxEditable(box, state.boxesEditable, palette());
    }
    for (QWidget* control : std::as_const(browsingControls_))
        control->setEnabled(state.browsingControls);
    for (auto own = state.own.cbegin(); own != state.own.cend(); ++own) {
        if (QWidget* control = ownControls_.value(own.key()))
            control->setEnabled(own.value());
        else if (commands_->action(own.key()))
            commands_->setEnabled(own.key(), own.value());
    }
}

void RegisterWindow::focusField(const QString& field) {
    if (QWidget* control = editControl(field))
        control->setFocus(Qt::OtherFocusReason);
}

void RegisterWindow::focusBrowsing() {
    if (list_)
        list_->setFocus(Qt::OtherFocusReason);
    else if (!entryOrder_.isEmpty())
        entryOrder_.first()->setFocus(Qt::OtherFocusReason);
}

void RegisterWindow::commitGrid() {
    if (masterGrid_)
        masterGrid_->commitEditor();
}

// --- the heading and the find group ---------------------------------------------------------

void RegisterWindow::connectHeading() {
    const HeadingTriggers triggers = d_.heading.triggers;
    if (!heading_ || d_.heading.field.isEmpty())
        return;
    if (list_ && triggers.testFlag(HeadingTrigger::ListClick))
        connect(list_, &QTableView::clicked, this, &RegisterWindow::updateHeading);
    if (list_ && triggers.testFlag(HeadingTrigger::ListKey))
        list_->installEventFilter(this);
    if (navigator_ && triggers.testFlag(HeadingTrigger::Navigator))
        connect(navigator_, &Navigator::clicked, this, &RegisterWindow::updateHeading);
    if (findBox_ && triggers.testFlag(HeadingTrigger::FindTextChanged))
        connect(findBox_, &QLineEdit::textChanged, this, &RegisterWindow::updateHeading);
    if (findBox_ && triggers.testFlag(HeadingTrigger::Found))
        connect(findBox_, &FindBox::searched, this, [this](bool found) {
            if (found)
                updateHeading();
        });
}

void RegisterWindow::updateHeading() {
    const Table& table = this->table();
    if (!table.isOpen() || table.isEmpty() || table.state() == TableState::Insert)
        return;
    run([&] { heading_->setText(table.asText(d_.heading.field)); });
}

bool RegisterWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyRelease)
        updateHeading();
    // While browsing, Shift+Insert and Shift+Delete edit and delete the record wherever the
    // focus is; a box would take them as paste and cut and the command would never run.
    if (event->type() == QEvent::ShortcutOverride && isRecordKey(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    // ESC in an open pick list is the list's: it closes the list, the entry stays. Left to
    // the list, the window's ESC would then cancel the entry as well.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        if (auto* view = qobject_cast<QAbstractItemView*>(watched); view && view->isVisible()) {
            if (auto* combo = qobject_cast<QComboBox*>(view->window()->parentWidget())) {
                combo->hidePopup();
                event->accept();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void RegisterWindow::chooseFindOption(int index) {
    const FindOption& option = d_.find->options[index];
    if (detailPanel_ && detailPanel_->findBox()) {
        detailPanel_->hideHits();
        detailPanel_->findBox()->hide();
        findBox_->setEnabled(true);
        findBox_->show();
    }
    findBox_->setField(option.field, option.maxLength);
    findBox_->setFocus(Qt::OtherFocusReason);
    findBox_->selectAll(); // typing replaces the value shown, also when the box had the focus
}

void RegisterWindow::chooseDetailFind() {
    FindBox* rows = detailPanel_->findBox();
    findBox_->setEnabled(false);
    findBox_->hide();
    rows->show();
    rows->setFocus(Qt::OtherFocusReason);
    rows->selectAll();
}

// --- the detail list ------------------------------------------------------------------------

DetailRows& RegisterWindow::detailRows() const {
    Q_ASSERT(detailPanel_);
    return detailPanel_->rows();
}

QListWidget* RegisterWindow::detailList() const {
    return detailPanel_ ? detailPanel_->list() : nullptr;
}

QListWidget* RegisterWindow::hitPanel() const {
    return detailPanel_ ? detailPanel_->hitPanel() : nullptr;
}

FindBox* RegisterWindow::detailFindBox() const {
    return detailPanel_ ? detailPanel_->findBox() : nullptr;
}

// The record's rows follow it wherever it moves while browsing: list, navigator, finds, OK,
// Cancel and Delete all end on a current record.
void RegisterWindow::connectDetail() {
    if (!detailPanel_)
        return;
    connect(&table(), &Table::currentChanged, this, [this] {
        if (!isEntry(mode()))
            refreshDetail();
    });
    connect(detailPanel_, &DetailPanel::recordFound, this, &RegisterWindow::refreshDetail);
    connect(detailPanel_, &DetailPanel::failed, faults_, &FaultReporter::report);
}

// The heading shows the record's field whenever its rows are shown again.
void RegisterWindow::refreshDetail() {
    run([this] {
        if (detailPanel_->refresh() && heading_ && !d_.heading.field.isEmpty())
            heading_->setText(table().asText(d_.heading.field));
    });
}

// --- sorting --------------------------------------------------------------------------------

void RegisterWindow::tickSortOption() {
    if (d_.sortOptions.isEmpty() || !table().isOpen())
        return;
    int ticked = d_.sortFallback;
    for (int i = 0; i < d_.sortOptions.size(); ++i) {
        if (d_.sortOptions[i].index.compare(table().indexName(), Qt::CaseInsensitive) == 0)
            ticked = i;
    }
    for (int i = 0; i < d_.sortOptions.size(); ++i)
        commands_->setChecked(d_.sortOptions[i].command, i == ticked);
}

void RegisterWindow::sortBy(int option) {
    for (int i = 0; i < d_.sortOptions.size(); ++i)
        commands_->setChecked(d_.sortOptions[i].command, i == option);
    controller_->sortBy(d_.sortOptions[option].index);
}

// --- entries --------------------------------------------------------------------------------

namespace {

QString controlText(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control))
        return memo->toPlainText();
    if (const auto* spin = qobject_cast<const QSpinBox*>(control))
        return QString::number(spin->value());
    return {};
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

// The radio buttons of a radio group, in the order of its entries.
QList<QRadioButton*> radioButtons(QWidget* group) {
    return group->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
}

// Checks the radio button of that word, or none when no button has it.
void showChoice(QWidget* group, const QString& word) {
    for (QRadioButton* radio : radioButtons(group)) {
        // A checked button of an exclusive group cannot be unchecked on its own.
        radio->setAutoExclusive(false);
        radio->setChecked(radio->text() == word);
        radio->setAutoExclusive(true);
    }
}

} // namespace

QString RegisterWindow::entryText(const QString& field) const {
    return controlText(editControl(field));
}

void RegisterWindow::fillPickLists() {
    Table& standard = context_.tdm.standardTb();
    for (const auto& [field, combo] : std::as_const(pickLists_)) {
        const EditField* def = d_.editField(field);
        QStringList entries =
            def->items + rememberedValues(standard, def->remembered, def->rememberedLength);
        if (def->sorted)
            sortForPeople(entries);
        setEntries(combo, entries);
    }
}

void RegisterWindow::prepareEntry(RegisterMode mode) {
    fillPickLists();
    Table& table = this->table();
    const bool adding = mode == RegisterMode::Adding;
    for (const EditField& field : std::as_const(d_.editFields)) {
        QWidget* control = editControl(field.field);
        if (auto* spin = qobject_cast<QSpinBox*>(control)) {
            if (!adding)
                spin->setValue(int(table.asInteger(field.field)));
            else if (field.field == d_.indexField)
                spin->setValue(proposeNextIndex(table, d_.indexField, spin->maximum()));
        } else if (auto* date = qobject_cast<QDateEdit*>(control)) {
            const QDate stored = adding ? QDate() : table.asDate(field.field);
            date->setDate(stored.isValid() ? stored : QDate::currentDate());
        } else if (auto* picture = qobject_cast<PictureBox*>(control)) {
            picture->setFieldValue(adding ? QByteArray() : table.value(field.field).toByteArray());
        } else if (field.writtenAtOk && field.kind == EditKind::Check) {
            qobject_cast<QCheckBox*>(control)->setChecked(!adding && table.asLogical(field.field));
        } else if (field.kind == EditKind::Radio) {
            // The record's own choice; a new record, or a value that is none of them, shows
            // none chosen, so OK keeps what the record holds.
            showChoice(control, adding ? QString() : table.asText(field.field));
        }
    }
}

void RegisterWindow::writeUnbound() {
    Table& table = this->table();
    for (const EditField& field : std::as_const(d_.editFields)) {
        QWidget* control = editControl(field.field);
        if (auto* spin = qobject_cast<QSpinBox*>(control)) {
            table.setInteger(field.field, spin->value());
        } else if (auto* date = qobject_cast<QDateEdit*>(control)) {
            table.setDate(field.field, date->date());
        } else if (auto* picture = qobject_cast<PictureBox*>(control)) {
            table.setBytes(field.field, picture->fieldValue());
        } else if (field.writtenAtOk && field.kind == EditKind::Check) {
            table.setLogical(field.field, qobject_cast<QCheckBox*>(control)->isChecked());
        } else if (field.kind == EditKind::Radio) {
            // The first chosen button's word; none chosen keeps what the record holds.
            for (QRadioButton* radio : radioButtons(control)) {
                if (radio->isChecked()) {
                    table.setText(field.field, radio->text());
                    break;
                }
            }
        }
    }
}

void RegisterWindow::rememberEntry() {
    if (d_.remember.isEmpty())
        return;
    Table& standard = context_.tdm.standardTb();
    for (const QString& field : std::as_const(d_.remember)) {
        const EditField* def = d_.editField(field);
        if (const auto* combo = qobject_cast<QComboBox*>(editControl(field))) {
            const QString text = def->rememberedLength > 0
                                     ? combo->currentText().left(def->rememberedLength)
                                     : combo->currentText();
            rememberValue(standard, def->remembered, text);
        }
    }
    standard.refresh();
}

void RegisterWindow::endEntry() {
    for (const auto& entry : std::as_const(pickLists_)) {
        const QSignalBlocker blocker(entry.second);
        entry.second->clear();
        entry.second->setEditText(QString());
    }
}

} // namespace hoardly
