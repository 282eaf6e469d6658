#include "RegisterController.h"

#include "RegisterDescription.h"
#include "data/RunState.h"
#include "data/SharedRoutines.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "data/WriteTogether.h"
#include "lending/Lending.h"
#include "lending/LendingInterfaces.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <utility>

namespace hoardly {

RegisterController::RegisterController(AppContext& context, const RegisterDescription& description,
                                       RegisterView& view, QObject* parent)
    : QObject(parent), context_(context), d_(description), view_(view),
      state_(deriveState(description.shape(), RegisterMode::Browsing)) {}

Table& RegisterController::table() const {
    return context_.tdm.table(*d_.table);
}

QList<Table*> RegisterController::tables() const {
    QList<Table*> all{&table()};
    for (const TableSchema* detail : d_.detailTables)
        all << &context_.tdm.table(*detail);
    if (d_.detail && !d_.detailTables.contains(d_.detail->table))
        all << &context_.tdm.table(*d_.detail->table);
    return all;
}

bool RegisterController::run(const std::function<void()>& command) {
    return runCommand(context_.dialogs, view_.boxParent(), command);
}

void RegisterController::setMode(RegisterMode mode) {
    mode_ = mode;
    refreshState();
}

void RegisterController::refreshState() {
    state_ = deriveState(d_.shape(), mode_);
    if (hooks_.rules)
        hooks_.rules(mode_, state_);
    view_.showState(state_);
}

// --- opening and closing --------------------------------------------------------------------

void RegisterController::open() {
    run([this] {
        // An entry handed over while the window was hidden (a borrower to file) keeps its
        // tables as they are.
        if (!isEntry(mode_)) {
            // The detail rows are reached through queries on their key; a song table of a
            // million rows then opens without reading a million keys.
            if (d_.detail)
                context_.tdm.table(*d_.detail->table).setKeysOnDemand(true);
            for (Table* table : tables())
                table->open();
            if (!d_.openIndex.isEmpty())
                table().selectIndex(d_.openIndex);
            table().first();
        }
        if (hooks_.opened)
            hooks_.opened();
    });
    refreshState();
    if (isEntry(mode_))
        view_.focusField(d_.entryFocus);
    else
        view_.focusBrowsing();
}

bool RegisterController::close() {
    if (mode_ == RegisterMode::MasterList && !run([this] { leaveMasterList(); }))
        return false; // what the grid holds could not be stored: the window stays
    if (isEntry(mode_) && !endEntryForClosing())
        return false;
    // A pending entry goes with the tables, so the next opening starts browsing.
    run([this] {
        const QList<Table*> all = tables();
        for (auto table = all.rbegin(); table != all.rend(); ++table)
            (*table)->close();
    });
    setMode(RegisterMode::Browsing);
    if (!hooks_.closing || hooks_.closing())
        context_.shell.showMainWindow();
    return true;
}

bool RegisterController::endEntryForClosing() {
    Box box;
    box.kind = BoxKind::Question;
    box.caption = QStringLiteral("Close window");
    box.text = QStringLiteral("The record you are entering is not saved. Do you want to save it "
                              "before the window closes?");
    box.icon = BoxIcon::Question;
    box.buttons = {Answer::Yes, Answer::No, Answer::Cancel};
    switch (context_.dialogs.show(view_.boxParent(), box)) {
    case Answer::Yes:
        accept(); // OK's checks: a refused record keeps the window open
        break;
    case Answer::No:
        cancel();
        break;
    default:
        return false;
    }
    return !isEntry(mode_);
}

// --- the record commands --------------------------------------------------------------------

void RegisterController::add() {
    if (mode_ != RegisterMode::Browsing)
        return;
    run([this] {
        if (hooks_.allowEntry && !hooks_.allowEntry(RegisterMode::Adding))
            return;
        view_.prepareEntry(RegisterMode::Adding);
        table().append();
        setMode(RegisterMode::Adding);
        if (hooks_.entered)
            hooks_.entered(RegisterMode::Adding);
        view_.focusField(d_.entryFocus);
    });
}

void RegisterController::edit() {
    if (mode_ != RegisterMode::Browsing)
        return;
    run([this] {
        if (hooks_.allowEntry && !hooks_.allowEntry(RegisterMode::Editing))
            return;
        if (isTableEmpty(table())) {
            // A register without an answer to an empty table just does nothing.
            if (!d_.editEmpty.isEmpty())
                context_.dialogs.info(view_.boxParent(), d_.editEmpty.caption, d_.editEmpty.text);
            return;
        }
        view_.prepareEntry(RegisterMode::Editing);
        table().edit();
        setMode(RegisterMode::Editing);
        if (hooks_.entered)
            hooks_.entered(RegisterMode::Editing);
        view_.focusField(d_.entryFocus);
    });
}

void RegisterController::accept() {
    if (!isEntry(mode_))
        return;
    const RegisterMode entry = mode_;
    run([this, entry] {
        std::optional<EntryProblem> problem = firstFailedCheck(
            d_.checks, [this](const QString& field) { return view_.entryText(field); });
        if (!problem && hooks_.validate)
            problem = hooks_.validate();
        if (problem) {
            context_.dialogs.info(view_.boxParent(), problem->caption, problem->text);
            view_.focusField(problem->field);
            return; // the record stays pending
        }
        view_.writeUnbound();
        if (hooks_.beforePost && !hooks_.beforePost())
            return;
        table().post();
        context_.run.dataChanged = true;
        setMode(RegisterMode::Browsing);
        view_.rememberEntry();
        view_.endEntry();
        applyPendingSort();
        refreshTable();
        if (hooks_.afterPost)
            hooks_.afterPost(entry);
        view_.focusBrowsing();
    });
}

void RegisterController::cancel() {
    if (!isEntry(mode_))
        return;
    const RegisterMode entry = mode_;
    run([this, entry] {
        if (hooks_.beforeCancel && !hooks_.beforeCancel(entry))
            return;
        table().cancel();
        setMode(RegisterMode::Browsing);
        view_.endEntry();
        applyPendingSort();
        refreshTable();
        if (hooks_.afterCancel)
            hooks_.afterCancel(entry);
        view_.focusBrowsing();
    });
}

void RegisterController::remove() {
    if (mode_ != RegisterMode::Browsing)
        return;
    run([this] {
        Table& table = this->table();
        if (isTableEmpty(table)) {
            context_.dialogs.info(view_.boxParent(), d_.deleteEmpty.caption, d_.deleteEmpty.text);
            return;
        }
        if (hooks_.allowDelete && !hooks_.allowDelete())
            return;
        const QString name = table.asText(d_.nameField);
        if (!context_.dialogs.question(view_.boxParent(), d_.deleteQuestion.caption,
                                       d_.deleteQuestion.text.arg(name), BoxIcon::Exclamation))
            return;
        removeCurrent();
        refreshTable();
        context_.run.dataChanged = true;
        if (!d_.lentQuestion.isEmpty()) {
            Table& borrow = context_.tdm.borrowTb();
            if (isObjectLent(borrow, name) &&
                context_.dialogs.question(view_.boxParent(), d_.lentQuestion.caption,
                                          d_.lentQuestion.text.arg(name), BoxIcon::Question))
                dropLendingRecord(borrow, name);
        }
        if (hooks_.afterDelete)
            hooks_.afterDelete();
    });
}

void RegisterController::removeCurrent() {
    if (!hooks_.deleteDependants && !d_.detail) {
        table().remove();
        return;
    }
    writeTogether(tables(), [this] {
        if (d_.detail) {
            Table& rows = context_.tdm.table(*d_.detail->table);
            rows.removeWhere(d_.detail->keyField, table().value(d_.detail->keyField));
        }
        if (hooks_.deleteDependants)
            hooks_.deleteDependants();
        table().remove();
    });
}

void RegisterController::refreshTable() {
    table().refresh();
    if (hooks_.afterRefresh)
        hooks_.afterRefresh();
}

// --- the other pages ------------------------------------------------------------------------

void RegisterController::showSearch() {
    if (mode_ == RegisterMode::Browsing && d_.shape().searchPage)
        setMode(RegisterMode::Searching);
}

void RegisterController::showMasterList() {
    if (mode_ == RegisterMode::Browsing && d_.masterList)
        setMode(RegisterMode::MasterList);
}

void RegisterController::back() {
    if (mode_ != RegisterMode::Searching && mode_ != RegisterMode::MasterList)
        return;
    if (mode_ == RegisterMode::MasterList && !run([this] { leaveMasterList(); }))
        return;
    setMode(RegisterMode::Browsing);
}

void RegisterController::leaveMasterList() {
    view_.commitGrid();
    Table& table = this->table();
    if (table.isOpen() && table.state() != TableState::Browse)
        table.post();
}

void RegisterController::sortBy(const QString& index) {
    if (isEntry(mode_)) {
        pendingSort_ = index;
        return;
    }
    run([this, &index] {
        table().selectIndex(index);
        table().first();
    });
}

void RegisterController::applyPendingSort() {
    if (pendingSort_.isEmpty())
        return;
    table().selectIndex(std::exchange(pendingSort_, QString()));
    table().first();
}

void RegisterController::lend() {
    if (d_.lendObjectType && context_.lending)
        context_.lending->lendCurrentRecord(*d_.lendObjectType);
}

} // namespace hoardly
