#pragma once

#include "RegisterLogic.h"
#include "RegisterState.h"

#include <QList>
#include <QObject>
#include <functional>
#include <optional>

class QWidget;

namespace hoardly {

class Table;
struct AppContext;
struct RegisterDescription;

// What the controller asks of the window it drives: the controls of an entry, the focus and
// the state it derived. The window implements it; the controller holds no widget.
class RegisterView {
public:
    virtual ~RegisterView() = default;
    // The window the boxes of the commands stand over.
    virtual QWidget* boxParent() = 0;
    virtual void showState(const DerivedState& state) = 0;
    // An entry starts: pick lists filled, unbound controls given their first value.
    virtual void prepareEntry(RegisterMode mode) = 0;
    // What the control of a field holds.
    virtual QString entryText(const QString& field) const = 0;
    // OK: the unbound controls write into the record before it is posted.
    virtual void writeUnbound() = 0;
    // OK, after the post: the pick lists' new values are remembered.
    virtual void rememberEntry() = 0;
    // The entry is over: pick lists emptied.
    virtual void endEntry() = 0;
    virtual void focusField(const QString& field) = 0;
    // The control the user browses with: the list, or the page's first box.
    virtual void focusBrowsing() = 0;
    // Leaving the master list: what the grid's open cell holds goes into the record.
    virtual void commitGrid() = 0;
};

// The steps a register adds to the record commands. Each one is optional.
struct RegisterHooks {
    // Before an entry starts, before anything else: false refuses it (the register said why).
    std::function<bool(RegisterMode)> allowEntry;
    // Deleting, after the empty-table answer and before the question: false refuses it.
    std::function<bool()> allowDelete;
    // Checks beyond the description's; the first problem stops OK.
    std::function<std::optional<EntryProblem>()> validate;
    // An entry has started: the record is appended or in edit state, the mode set.
    std::function<void(RegisterMode)> entered;
    // Before the post (the unbound controls are written); false keeps the entry open.
    std::function<bool()> beforePost;
    // After the entry ended with OK, with the mode it had.
    std::function<void(RegisterMode)> afterPost;
    // Cancel, before the entry is dropped: false keeps it open (the register said why).
    std::function<bool(RegisterMode)> beforeCancel;
    // After the entry was dropped with Cancel, with the mode it had.
    std::function<void(RegisterMode)> afterCancel;
    // Deleting: the records that belong to the current one go, in the same transaction.
    std::function<void()> deleteDependants;
    // After a record was deleted (and the table re-read).
    std::function<void()> afterDelete;
    // After the controller re-read the table (OK, Cancel, Delete).
    std::function<void()> afterRefresh;
    // After the window opened its tables.
    std::function<void()> opened;
    // The window closes, its tables closed; answers whether the main window is shown again.
    std::function<bool()> closing;
    // Rules of the register's own over what the mode derives.
    std::function<void(RegisterMode, DerivedState&)> rules;
};

// The register window model's controller: the mode, the tables the window opens and closes,
// the command wrapper and the record commands as fixed steps with the register's hooks. Every
// change of mode goes through deriveState, so no command sets the page, the lock or a button.
class RegisterController final : public QObject {
    Q_OBJECT
public:
    RegisterController(AppContext& context, const RegisterDescription& description,
                       RegisterView& view, QObject* parent = nullptr);

    RegisterHooks& hooks() { return hooks_; }
    RegisterMode mode() const { return mode_; }
    const DerivedState& state() const { return state_; }
    Table& table() const;
    // The register's table first, then its detail tables (the detail list's among them).
    QList<Table*> tables() const;

    // Runs one command: a store or file error stops it in the default error box.
    bool run(const std::function<void()>& command);

    // The window is shown: the tables are opened (unless an entry is pending in them).
    void open();
    // The window closes: the master list's row is stored (false when it cannot be: the
    // window stays), the tables are closed and the main window is shown again.
    bool close();

    void add();
    void edit();
    void accept(); // OK
    void cancel(); // Cancel, ESC
    void remove();
    void showSearch();
    void showMasterList();
    void back();
    // A sort option: the table's order becomes the index's, from its first record. Chosen
    // during an entry, it comes when the entry ends, so the pending record stays as it is.
    // A large table ordered for people is ordered in the background first; the window goes on
    // meanwhile and takes the order when it is in.
    void sortBy(const QString& index);
    // The register's lending command: its record goes to the shared lending command.
    void lend();

    // Puts the register into a mode; the derived state follows.
    void setMode(RegisterMode mode);
    // Derives the state again, after the register's own state changed.
    void refreshState();

private:
    void leaveMasterList();
    // Closing with an entry open: true when it was saved or dropped as the user chose.
    bool endEntryForClosing();
    void applyPendingSort();
    void removeCurrent();
    void refreshTable();

    AppContext& context_;
    const RegisterDescription& d_;
    RegisterView& view_;
    RegisterHooks hooks_;
    RegisterMode mode_ = RegisterMode::Browsing;
    DerivedState state_;
    QString pendingSort_;
    QString orderAwaited_; // a sort whose order is being read in the background
};

} // namespace hoardly
