#pragma once

#include <QHash>
#include <QString>

namespace hoardly {

// The modes of a register window. Browsing, searching and the master list leave the table in
// browse state between commands; adding and editing hold one record pending (an entry).
enum class RegisterMode { Browsing, Adding, Editing, Searching, MasterList };

// The two flags the windows test: a new record is pending, or the current one is being edited.
struct ModeFlags {
    bool isNew = false;
    bool editing = false;
};
ModeFlags flagsOf(RegisterMode mode);
// Adding or editing: a record is pending until OK or Cancel.
bool isEntry(RegisterMode mode);

// The pages a register window can show; a one-page register shows its browse page only.
enum class RegisterPage { Browse, Edit, Search, MasterList };

// What a register is made of, as far as its state depends on it.
struct RegisterShape {
    bool onePage = false; // browsing and entries share one page, whose boxes open for an entry
    bool searchPage = false;
    bool masterList = false;
};

// Everything about a register window that follows from its mode (and from the register's own
// state, through its rules): what the window shows and which of its commands and controls work.
struct DerivedState {
    RegisterPage page = RegisterPage::Browse;
    bool locked = false;             // the register's command lock
    bool backEnabled = false;        // "Back" from the search page and the master list
    bool masterListReleased = false; // the tool-bar buttons the master list frees from the lock
    bool okEnabled = false;
    bool cancelEnabled = false;
    bool escapeCancels = false;   // ESC is the Cancel button
    bool boxesEditable = false;   // one page: the record's boxes take typing
    bool browsingControls = true; // navigator, letter bar, find group: moving between records
    // Controls and commands of the register's own, by name, with the state its rules give them.
    QHash<QString, bool> own;

    friend bool operator==(const DerivedState&, const DerivedState&) = default;
};

// The one place that derives a register window's state from its mode. A register adds rules
// of its own by changing the result (DerivedState::own, or okEnabled while songs are typed).
DerivedState deriveState(const RegisterShape& shape, RegisterMode mode);

} // namespace hoardly
