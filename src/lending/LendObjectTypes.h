#pragma once

#include "data/RunState.h"

#include <QList>
#include <QString>

namespace hoardly {

struct TableSchema;

// What lending does with the register record of one kind of object: where it lives, which
// field names it, and which fields carry the loan.
struct LendObjectKind {
    LendObjectType type;
    QString objektyp; // the text written to the lending record's Objektyp
    const TableSchema& (*schema)();
    QString nameField;
    QString lentFlag;
    QString lentToField;
    QString lentDateField;
    QString returnText; // written to the lent-to field when the object comes back
};

// The four kinds, in the order of their numbers.
const QList<LendObjectKind>& lendObjectKinds();
const LendObjectKind& lendObjectKind(LendObjectType type);
// The kind whose Objektyp text this is (exact comparison); nullptr for any other text.
const LendObjectKind* lendObjectKindOf(const QString& objektyp);

} // namespace hoardly
