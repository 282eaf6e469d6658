#include "TempCatalogue.h"
#include "data/TDM.h"
#include "lending/LoanCheck.h"

#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

// The start-up's check of the lending register against the registers' lent flags, on files
// left half written by an earlier version.
class TestLoanCheck : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    void addLoan(const QString& type, const QString& objekt, const QString& borrower,
                 const QString& day) {
        catalogue->exec(u"borrow.db"_s, u"INSERT INTO Borrow (Objektyp, Objekt, \"Utlanad till\", "
                                        "\"Utlanad datum\") VALUES ('%1', '%2', '%3', '%4')"_s.arg(
                                            type, objekt, borrower, day));
    }
    QString film(const QString& select, int id) {
        return catalogue->scalar(u"film.DB"_s,
                                 u"SELECT %1 FROM Film WHERE FilmId = %2"_s.arg(select).arg(id));
    }
    static QString lentState() {
        return u"Utlanad || '|' || ifnull(\"Utlanad till\", 'NULL') || '|' || "
               "ifnull(Utlaningsdatum, 'NULL')"_s;
    }
    static QString listed(const QList<LoanDisagreement>& found) {
        QStringList items;
        for (const LoanDisagreement& item : found)
            items << u"%1 %2 %3 %4"_s
                         .arg(item.kind == LoanDisagreement::Kind::FlagWithoutLoan ? u"flag"_s
                                                                                   : u"loan"_s)
                         .arg(int(item.type))
                         .arg(item.objekt)
                         .arg(item.key);
        return items.join(u", "_s);
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        // 1 Alien: marked, no loan. 2 Brazil: a loan, not marked. 3 Casablanca: both, agreed.
        // 4 and 5 Ran: the first unmarked, the second marked; its loan is the music's.
        catalogue->exec(u"film.DB"_s,
                        u"INSERT INTO Film (\"Index\", Titel, Utlanad, \"Utlanad till\", "
                        "Utlaningsdatum) VALUES (1, 'Alien', 1, 'Per Holm', '2023-05-01'),"
                        " (2, 'Brazil', 0, 'Finns i hyllan', NULL),"
                        " (3, 'Casablanca', 1, 'Eva Lind', '2024-01-02'),"
                        " (4, 'Ran', 0, 'Finns i hyllan', NULL),"
                        " (5, 'Ran', 1, 'Eva Lind', '2024-01-02')"_s);
        catalogue->exec(u"bok.DB"_s, u"INSERT INTO Bok (Titel, Lent_Out, Lent_To) VALUES "
                                     "('Dune', 1, 'Ola Ek')"_s);
        addLoan(u"Film"_s, u"Brazil"_s, u"Ola Ek"_s, u"2024-02-03"_s);
        addLoan(u"Film"_s, u"Casablanca"_s, u"Eva Lind"_s, u"2024-01-02"_s);
        addLoan(u"Musik"_s, u"Ran"_s, u"Eva Lind"_s, u"2024-01-02"_s);
        // Neither of these disagrees with anything: no record of the name, an unknown kind.
        addLoan(u"Film"_s, u"Solaris"_s, u"Ola Ek"_s, u"2024-02-03"_s);
        addLoan(u"Video"_s, u"Alien"_s, u"Ola Ek"_s, u"2024-02-03"_s);
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void findsFlagsWithoutLoansAndLoansWithoutFlags() {
        const QList<LoanDisagreement> found = findLoanDisagreements(*tdm);
        QCOMPARE(listed(found), u"flag 0 Alien 1, flag 0 Ran 5, loan 0 Brazil 1, flag 3 Dune 1"_s);
        // Reading moves and opens nothing.
        QVERIFY(!tdm->filmTb().isOpen());
        QVERIFY(!tdm->borrowTb().isOpen());
        QCOMPARE(loanDisagreementMessage(found),
                 u"The lending register and the registers disagree about 4 objects, as an "
                 "earlier version of the program could leave them after a crash:\n\n"
                 "\"Alien\" (Film) is marked as lent out, but there is no lending record for "
                 "it.\n"
                 "\"Ran\" (Film) is marked as lent out, but there is no lending record for it.\n"
                 "\"Brazil\" (Film) has a lending record, but is not marked as lent out.\n"
                 "\"Dune\" (Literatur) is marked as lent out, but there is no lending record "
                 "for it.\n\n"
                 "Mend them now? An object without a lending record is marked as returned; an "
                 "object with one is marked as lent out to its borrower."_s);
    }

    void mendingFinishesEachHalfWrittenLoanAndClosesTheTablesAgain() {
        mendLoanDisagreements(*tdm, findLoanDisagreements(*tdm));
        QCOMPARE(film(lentState(), 1), u"0|Finns i hyllan|NULL"_s);
        QCOMPARE(film(lentState(), 2), u"1|Ola Ek|2024-02-03"_s);
        QCOMPARE(film(lentState(), 3), u"1|Eva Lind|2024-01-02"_s);
        QCOMPARE(film(lentState(), 4), u"0|Finns i hyllan|NULL"_s);
        QCOMPARE(film(lentState(), 5), u"0|Finns i hyllan|NULL"_s);
        QCOMPARE(catalogue->scalar(u"bok.DB"_s, u"SELECT Lent_Out || '|' || Lent_To || '|' || "
                                                "ifnull(Lent_Date, 'NULL') FROM Bok"_s),
                 u"0|In the bookcase|NULL"_s);
        // Loans are never removed by the mend.
        QCOMPARE(catalogue->scalar(u"borrow.db"_s, u"SELECT count(*) FROM Borrow"_s), u"5"_s);
        for (Table* table : {&tdm->filmTb(), &tdm->bokTb(), &tdm->borrowTb()})
            QVERIFY2(!table->isOpen(), qPrintable(table->schema().fileName));
        QVERIFY(findLoanDisagreements(*tdm).isEmpty());
    }

    void theOfferAsksOnceAndMendsOnlyOnYes() {
        QStringList asked;
        offerToMendLoans(*tdm, [&](const QString& text) {
            asked << text;
            return false;
        });
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked.first().startsWith(u"The lending register and the registers disagree "
                                         "about 4 objects"_s));
        QCOMPARE(film(lentState(), 1), u"1|Per Holm|2023-05-01"_s);

        offerToMendLoans(*tdm, [&](const QString& text) {
            asked << text;
            return true;
        });
        QCOMPARE(asked.size(), 2);
        QCOMPARE(film(lentState(), 1), u"0|Finns i hyllan|NULL"_s);
        // Agreeing files ask nothing.
        offerToMendLoans(*tdm, [&](const QString& text) {
            asked << text;
            return true;
        });
        QCOMPARE(asked.size(), 2);
    }

    void aLongListNamesTheFirstTenAndCountsTheRest() {
        QStringList rows;
        for (int i = 0; i < 11; ++i)
            rows << u"(%1, 'Extra %1', 1)"_s.arg(i + 10);
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel, Utlanad) VALUES "_s +
                                          rows.join(u", "_s));
        const QString message = loanDisagreementMessage(findLoanDisagreements(*tdm));
        QVERIFY(message.startsWith(u"The lending register and the registers disagree about 15 "
                                   "objects"_s));
        QCOMPARE(message.count(u"\n\""_s), 10); // one line for each object named
        QVERIFY(message.contains(u"\n... and 5 more.\n\n"_s));
        QVERIFY(message.contains(u"\"Extra 17\""_s));
        QVERIFY(!message.contains(u"\"Extra 18\""_s));
    }

    void aRegisterThatCannotBeReadIsPassedOver() {
        QVERIFY(QFile::remove(catalogue->file(u"bok.DB"_s)));
        catalogue->exec(u"film.DB"_s, u"ALTER TABLE Film DROP COLUMN Utlanad"_s);
        addLoan(u"Data"_s, u"Word"_s, u"Ola Ek"_s, u"2024-02-03"_s);
        catalogue->exec(u"data.DB"_s, u"INSERT INTO Data (Namn, Utlanad) VALUES ('Word', 0)"_s);
        QCOMPARE(listed(findLoanDisagreements(*tdm)), u"loan 2 Word 6"_s);
        // Without a lending register there is nothing to compare.
        QVERIFY(QFile::remove(catalogue->file(u"borrow.db"_s)));
        QVERIFY(findLoanDisagreements(*tdm).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLoanCheck)
#include "test_loan_check.moc"
