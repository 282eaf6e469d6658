#pragma once

#include "data/RunState.h"

#include <QString>

namespace hoardly {

// The lending command the register windows share. A register window calls
// lendCurrentRecord with its own type from its lending tool button and menu entries.
class LendingCommand {
public:
    virtual ~LendingCommand() = default;
    // Nothing when the type's register table is closed or empty; otherwise lend() with the
    // current record's name field.
    virtual void lendCurrentRecord(LendObjectType type) = 0;
    // Records the pending object (type, name cut to 40 characters, full name in the lend-out
    // dialog) and shows the choice dialog modally.
    virtual void lend(LendObjectType type, const QString& objectName) = 0;
};

// The address book's side of a lend-out whose "Add the borrower to the addressbook" box is
// ticked: the lend-out dialog switches the book into its lend-out mode, then hands it the
// borrower, who is refused when already filed or otherwise opened as a new, pre-filled entry.
class AddressBookHandOff {
public:
    virtual ~AddressBookHandOff() = default;
    virtual void enterLendOutMode() = 0;
    // The e-mail address is already lower-cased.
    virtual void addBorrower(const QString& firstName, const QString& lastName,
                             const QString& phone, const QString& email) = 0;
};

} // namespace hoardly
