#pragma once

#include "data/RunState.h"

#include <QList>
#include <QString>
#include <functional>

namespace hoardly {

class TDM;

// A register record and the lending register that disagree: earlier versions of the program
// wrote a lend-out or a return one file after the other, and a crash in between left one of
// the two written.
struct LoanDisagreement {
    enum class Kind {
        FlagWithoutLoan, // marked as lent, but no lending record of its kind names it
        LoanWithoutFlag, // a lending record names it, but no record of the name is marked
    };
    Kind kind = Kind::FlagWithoutLoan;
    LendObjectType type = LendObjectType::Film;
    QString objekt;
    qint64 key = 0; // FlagWithoutLoan: the register record; LoanWithoutFlag: the loan's Bid
};

// Reads the lending register and the four registers' files (where the table objects point)
// for disagreements; a register whose file cannot be read is passed over (its window reports
// it when opened). Moves no table object.
QList<LoanDisagreement> findLoanDisagreements(TDM& tdm);

// One text for all of them, naming each object (the first few), and what mending does.
QString loanDisagreementMessage(const QList<LoanDisagreement>& found);
inline constexpr auto kLoanDisagreementCaption = "Lending records";

// Finishes what each half-written write meant, in one transaction: a record marked as lent
// without a loan is marked as returned (as a return does); a loan whose record is not marked
// marks the first record of its name as lent to the loan's borrower on the loan's date.
// Table objects that were closed are closed again. Throws StoreError.
void mendLoanDisagreements(TDM& tdm, const QList<LoanDisagreement>& found);

// The start-up's check: when there are disagreements, asks once (with the message above)
// whether to mend them, and mends them on yes. Throws StoreError when the mend fails.
void offerToMendLoans(TDM& tdm, const std::function<bool(const QString& text)>& askToMend);

} // namespace hoardly
