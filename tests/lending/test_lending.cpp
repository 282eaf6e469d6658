#include "TempCatalogue.h"
#include "data/Errors.h"
#include "data/TDM.h"
#include "lending/LendObjectTypes.h"
#include "lending/Lending.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {
const QDate kToday(2024, 3, 9);
}

// The lend-out and the return as operations on the store, without any window.
class TestLending : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    QString borrowField(const QString& field, int bid = 1) {
        return catalogue->scalar(u"borrow.db"_s, u"SELECT ifnull(\"%1\", 'NULL') FROM Borrow "
                                                 "WHERE Bid = %2"_s.arg(field)
                                                     .arg(bid));
    }
    QString borrowCount() {
        return catalogue->scalar(u"borrow.db"_s, u"SELECT count(*) FROM Borrow"_s);
    }
    QString filmField(const QString& field, int id) {
        return catalogue->scalar(
            u"film.DB"_s,
            u"SELECT ifnull(\"%1\", 'NULL') FROM Film WHERE FilmId = %2"_s.arg(field).arg(id));
    }
    void addLoan(const QString& type, const QString& objekt, const QString& reminder = u"NULL"_s,
                 const QString& sent = u"NULL"_s) {
        catalogue->exec(u"borrow.db"_s,
                        u"INSERT INTO Borrow (Objektyp, Objekt, \"Utlanad till\", "
                        "\"Utlanad datum\", Send_mail, Has_sent) VALUES ('%1', '%2', "
                        "'Eva Lind', '2024-01-02', %3, %4)"_s.arg(type, objekt, reminder, sent));
    }
    static LendOut loanOf(LendObjectType type, const QString& objekt,
                          const BorrowerEntry& borrower) {
        return {type, objekt, borrower, kToday};
    }
    static BorrowerEntry anna() {
        return {u"Anna"_s, u"Berg"_s, u"08-123"_s, u"anna@example.se"_s, true};
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel, Utlanad, "
                                      "\"Utlanad till\") VALUES (1, 'Alien', 0, 'Finns i hyllan'),"
                                      " (2, 'Brazil', 0, 'Finns i hyllan'),"
                                      " (3, 'Alien', 1, 'Per Holm')"_s);
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void theBorrowerChecksComeInTheirOrder() {
        const auto problem = [](const BorrowerEntry& entry) {
            const auto found = checkBorrower(entry);
            return found ? found->caption + u'|' + found->message : QString();
        };
        QCOMPARE(problem({}),
                 u"Namn på låntagaren saknas|Some name for the borrower is required"_s);
        QCOMPARE(checkBorrower({})->focus, BorrowerField::LastName);
        // The name check comes first, even with a bad address.
        QCOMPARE(checkBorrower({{}, {}, {}, u"x"_s, true})->caption,
                 u"Namn på låntagaren saknas"_s);
        QVERIFY(!checkBorrower({{}, u"Berg"_s, {}, {}, false}));
        QVERIFY(!checkBorrower({u"Anna"_s, {}, {}, {}, false}));

        QCOMPARE(problem({u"Anna"_s, {}, {}, {}, true}),
                 u"Missing E-mail address|If you like to use the E-mail reminder the E-mail "
                 "address is required"_s);
        QCOMPARE(checkBorrower({u"Anna"_s, {}, {}, {}, true})->focus, BorrowerField::Email);
        // Without '@' the address is refused, whether or not a reminder is asked for.
        for (bool remind : {true, false}) {
            const auto refused = checkBorrower({u"Anna"_s, {}, {}, u"anna.example.se"_s, remind});
            QVERIFY(refused);
            QCOMPARE(refused->caption + u'|' + refused->message,
                     u"mysterious E-mail address|I suppose this E-mailaddress won't work"_s);
            QCOMPARE(refused->focus, BorrowerField::Email);
        }
        QVERIFY(!checkBorrower({u"Anna"_s, {}, {}, u"@"_s, true}));

        // An address the lending table would have to cut is refused, not shortened.
        const QString fifty = QString(40, u'a') + u"@b.example"_s;
        QCOMPARE(fifty.size(), 50);
        QVERIFY(!checkBorrower({u"Anna"_s, {}, {}, fifty, true}));
        QCOMPARE(problem({u"Anna"_s, {}, {}, fifty + u"x"_s, false}),
                 u"Long E-mail address|The E-mail address can hold at most 50 characters"_s);
    }

    void namesAndLowerCasing() {
        QCOMPARE(borrowerName({u"Anna"_s, {}, {}, {}, false}), u"Anna "_s);
        QCOMPARE(borrowerName({{}, u"Berg"_s, {}, {}, false}), u" Berg"_s);
        QCOMPARE(borrowerName(anna()), u"Anna Berg"_s);
        QCOMPARE(lowerAsciiLetters(u"ÅSA.Öberg@EXAMPLE.SE"_s), u"Åsa.Öberg@example.se"_s);
        QCOMPARE(lowerAsciiLetters(u"ÉMILE@ÄÖ.ÆØ"_s), u"Émile@ÄÖ.ÆØ"_s);
    }

    void theObjectTypesAreLookedUpByTheirExactText() {
        QCOMPARE(lendObjectKinds().size(), 4);
        for (const LendObjectKind& kind : lendObjectKinds()) {
            QCOMPARE(&lendObjectKind(kind.type), &kind);
            QCOMPARE(lendObjectKindOf(kind.objektyp), &kind);
            // Every field the kind names is a field of its table.
            for (const QString& field :
                 {kind.nameField, kind.lentFlag, kind.lentToField, kind.lentDateField})
                QVERIFY2(kind.schema().fieldIndex(field) >= 0, qPrintable(field));
        }
        QCOMPARE(lendObjectKind(LendObjectType::Data).nameField, u"Namn"_s);
        QVERIFY(!lendObjectKindOf(u"film"_s));
        QVERIFY(!lendObjectKindOf(u"Bok"_s));
    }

    void aLendOutWritesTheLoanAndMarksTheFirstRecordOfThatName() {
        BorrowerEntry onlyLast{{}, u"Berg"_s, {}, {}, false};
        lendOut(*tdm, loanOf(LendObjectType::Film, u"Alien"_s, onlyLast));
        QCOMPARE(borrowCount(), u"1"_s);
        QCOMPARE(borrowField(u"Objektyp"_s), u"Film"_s);
        QCOMPARE(borrowField(u"Objekt"_s), u"Alien"_s);
        QCOMPARE(borrowField(u"Utlanad till"_s), u" Berg"_s);
        QCOMPARE(borrowField(u"E-post"_s), u"NULL"_s);
        QCOMPARE(borrowField(u"Tele"_s), u"NULL"_s);
        QCOMPARE(borrowField(u"Utlanad datum"_s), u"2024-03-09"_s);
        // Without a reminder the two flags are left unwritten; both read as false.
        QCOMPARE(borrowField(u"Send_mail"_s), u"NULL"_s);
        QCOMPARE(borrowField(u"Has_sent"_s), u"NULL"_s);
        QCOMPARE(filmField(u"Utlanad"_s, 1), u"1"_s);
        QCOMPARE(filmField(u"Utlanad till"_s, 1), u" Berg"_s);
        QCOMPARE(filmField(u"Utlaningsdatum"_s, 1), u"2024-03-09"_s);
        QCOMPARE(filmField(u"Utlanad till"_s, 3), u"Per Holm"_s);
        QCOMPARE(tdm->filmTb().asText(u"Utlanad till"_s), u" Berg"_s);

        lendOut(*tdm, loanOf(LendObjectType::Film, u"Brazil"_s, anna()));
        QCOMPARE(borrowField(u"Send_mail"_s, 2), u"1"_s);
        QCOMPARE(borrowField(u"Has_sent"_s, 2), u"NULL"_s);
        QCOMPARE(borrowField(u"E-post"_s, 2), u"anna@example.se"_s);
        QCOMPARE(borrowField(u"Tele"_s, 2), u"08-123"_s);
        QCOMPARE(tdm->borrowTb().recordCount(), 2);
    }

    void anObjectMissingFromItsRegisterIsStillLent() {
        lendOut(*tdm, loanOf(LendObjectType::Film, u"Casablanca"_s, anna()));
        QCOMPARE(borrowField(u"Objekt"_s), u"Casablanca"_s);
        QCOMPARE(catalogue->scalar(u"film.DB"_s, u"SELECT sum(Utlanad) FROM Film"_s), u"1"_s);
        // Comparison is exact: another letter case is another name.
        lendOut(*tdm, loanOf(LendObjectType::Film, u"ALIEN"_s, anna()));
        QCOMPARE(filmField(u"Utlanad"_s, 1), u"0"_s);
    }

    void eachTypeIsLentAndReturnedThroughItsOwnFields_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("returnText");
        QTest::newRow("film") << 0 << u"film.DB"_s << u"INSERT INTO Film (Titel) VALUES ('Heat')"_s
                              << u"Finns i hyllan"_s;
        QTest::newRow("music") << 1 << u"Musik.DB"_s
                               << u"INSERT INTO Musik (Titel) VALUES ('Heat')"_s
                               << u"Finns i skivstället "_s;
        QTest::newRow("software") << 2 << u"data.DB"_s
                                  << u"INSERT INTO Data (Namn) VALUES ('Heat')"_s
                                  << u"Finns i lådan"_s;
        QTest::newRow("literature")
            << 3 << u"bok.DB"_s << u"INSERT INTO Bok (Titel) VALUES ('Heat')"_s
            << u"In the bookcase"_s;
    }
    void eachTypeIsLentAndReturnedThroughItsOwnFields() {
        QFETCH(int, type);
        QFETCH(QString, file);
        QFETCH(QString, insert);
        QFETCH(QString, returnText);
        catalogue->exec(file, insert);
        const LendObjectKind& kind = lendObjectKind(LendObjectType(type));
        const QString table = kind.schema().tableName;
        const auto field = [&](const QString& name) {
            return catalogue->scalar(file, u"SELECT ifnull(\"%1\", 'NULL') FROM %2 WHERE \"%3\" = "
                                           "'Heat'"_s.arg(name, table, kind.nameField));
        };

        lendOut(*tdm, loanOf(LendObjectType(type), u"Heat"_s, anna()));
        QCOMPARE(borrowField(u"Objektyp"_s), kind.objektyp);
        QCOMPARE(field(kind.lentFlag), u"1"_s);
        QCOMPARE(field(kind.lentToField), u"Anna Berg"_s);
        QCOMPARE(field(kind.lentDateField), u"2024-03-09"_s);

        tdm->borrowTb().first();
        returnCurrentLoan(*tdm);
        QCOMPARE(borrowCount(), u"0"_s);
        QCOMPARE(field(kind.lentFlag), u"0"_s);
        QCOMPARE(field(kind.lentToField), returnText);
        QCOMPARE(field(kind.lentDateField), u"NULL"_s);
        QVERIFY(tdm->borrowTb().isEmpty());
    }

    void aReturnResetsTheFirstRecordOfThatName() {
        // The third film was lent, but the first of the name is the one found.
        addLoan(u"Film"_s, u"Alien"_s);
        addLoan(u"Film"_s, u"Brazil"_s);
        catalogue->exec(u"film.DB"_s, u"UPDATE Film SET Utlanad = 1 WHERE FilmId = 2"_s);
        tdm->borrowTb().open();
        returnCurrentLoan(*tdm);
        QCOMPARE(filmField(u"Utlanad till"_s, 1), u"Finns i hyllan"_s);
        QCOMPARE(filmField(u"Utlanad"_s, 3), u"1"_s);
        QCOMPARE(filmField(u"Utlanad till"_s, 3), u"Per Holm"_s);
        QCOMPARE(tdm->borrowTb().asText(u"Objekt"_s), u"Brazil"_s);

        // A loan of a name that no register holds, or of an unknown type, only goes.
        addLoan(u"Video"_s, u"Brazil"_s);
        addLoan(u"Film"_s, u"Solaris"_s);
        tdm->borrowTb().refresh();
        tdm->borrowTb().last();
        returnCurrentLoan(*tdm);
        tdm->borrowTb().last();
        QCOMPARE(tdm->borrowTb().asText(u"Objektyp"_s), u"Video"_s);
        returnCurrentLoan(*tdm);
        QCOMPARE(borrowCount(), u"1"_s);
        QCOMPARE(filmField(u"Utlanad"_s, 2), u"1"_s);

        tdm->borrowTb().first();
        returnCurrentLoan(*tdm);
        QCOMPARE(filmField(u"Utlanad"_s, 2), u"0"_s);
        QVERIFY(tdm->borrowTb().isEmpty());
        returnCurrentLoan(*tdm); // an empty list: nothing happens
        QVERIFY(tdm->borrowTb().isEmpty());
    }

    void aLendOutThatFailsHalfwayWritesNothing_data() {
        QTest::addColumn<QString>("breakage");
        // The register file lacks its lent flag: the edit fails after the loan was posted.
        QTest::newRow("missing lent field") << u"ALTER TABLE Film DROP COLUMN Utlanad"_s;
        // The register file refuses the change: posting the register record fails.
        QTest::newRow("refused write")
            << u"CREATE TRIGGER refuse BEFORE UPDATE ON Film BEGIN "
               "SELECT RAISE(ABORT, 'the film table is write-protected'); END"_s;
    }
    void aLendOutThatFailsHalfwayWritesNothing() {
        QFETCH(QString, breakage);
        addLoan(u"Musik"_s, u"Abbey Road"_s);
        catalogue->exec(u"film.DB"_s, breakage);
        Table& borrow = tdm->borrowTb();
        Table& films = tdm->filmTb();
        borrow.open();
        films.open();
        films.moveTo(1);

        QVERIFY_THROWS_EXCEPTION(StoreError,
                                 lendOut(*tdm, loanOf(LendObjectType::Film, u"Alien"_s, anna())));
        QCOMPARE(borrowCount(), u"1"_s);
        QCOMPARE(filmField(u"Utlanad till"_s, 1), u"Finns i hyllan"_s);
        // Neither table object shows the loan that never was.
        QCOMPARE(borrow.state(), TableState::Browse);
        QCOMPARE(borrow.recordCount(), 1);
        QCOMPARE(borrow.asText(u"Objekt"_s), u"Abbey Road"_s);
        QCOMPARE(films.state(), TableState::Browse);
        QCOMPARE(films.position(), 1);
        QCOMPARE(films.asText(u"Titel"_s), u"Brazil"_s);
        films.first();
        QCOMPARE(films.asText(u"Utlanad till"_s), u"Finns i hyllan"_s);

        // Once the register is sound again, the same lend-out goes through.
        catalogue->exec(u"film.DB"_s, u"DROP TRIGGER IF EXISTS refuse"_s);
        if (!films.hasField(u"Utlanad"_s))
            return;
        lendOut(*tdm, loanOf(LendObjectType::Film, u"Alien"_s, anna()));
        QCOMPARE(borrowCount(), u"2"_s);
        QCOMPARE(filmField(u"Utlanad till"_s, 1), u"Anna Berg"_s);
    }

    void aReturnThatFailsHalfwayKeepsTheLoan() {
        addLoan(u"Film"_s, u"Brazil"_s);
        addLoan(u"Film"_s, u"Alien"_s);
        catalogue->exec(u"film.DB"_s, u"CREATE TRIGGER refuse BEFORE UPDATE ON Film BEGIN "
                                      "SELECT RAISE(ABORT, 'write-protected'); END"_s);
        Table& borrow = tdm->borrowTb();
        borrow.open();
        borrow.last();
        QVERIFY_THROWS_EXCEPTION(StoreError, returnCurrentLoan(*tdm));
        QCOMPARE(borrowCount(), u"2"_s);
        QCOMPARE(borrow.recordCount(), 2);
        QCOMPARE(borrow.position(), 1);
        QCOMPARE(borrow.asText(u"Objekt"_s), u"Alien"_s);
        QCOMPARE(tdm->filmTb().state(), TableState::Browse);
        QCOMPARE(filmField(u"Utlanad till"_s, 1), u"Finns i hyllan"_s);
    }

    void theReminderCanBeSwitchedOffOnlyWhileItIsDue() {
        Table& borrow = tdm->borrowTb();
        borrow.open();
        QVERIFY(!reminderCanBeSwitchedOff(borrow)); // no loan at all
        addLoan(u"Film"_s, u"Alien"_s);
        addLoan(u"Film"_s, u"Brazil"_s, u"1"_s, u"1"_s);
        addLoan(u"Film"_s, u"Heat"_s, u"1"_s, u"0"_s);
        addLoan(u"Film"_s, u"Ran"_s, u"1"_s);
        borrow.refresh();
        const QList<bool> expected{false, false, true, true};
        for (int i = 0; i < expected.size(); ++i) {
            borrow.moveTo(i);
            QCOMPARE(reminderCanBeSwitchedOff(borrow), expected[i]);
        }
        borrow.moveTo(2);
        switchOffReminder(borrow);
        QCOMPARE(borrowField(u"Send_mail"_s, 3), u"0"_s);
        QCOMPARE(borrowField(u"Has_sent"_s, 3), u"0"_s);
        QCOMPARE(borrow.asText(u"Objekt"_s), u"Heat"_s);
        QVERIFY(!reminderCanBeSwitchedOff(borrow));
        borrow.close();
        QVERIFY(!reminderCanBeSwitchedOff(borrow));
    }

    void aDeletedRegisterRecordCanDropItsLoan() {
        addLoan(u"Literatur"_s, u"Alien"_s);
        QVERIFY(!dropLendingRecord(tdm->borrowTb(), u"alien"_s));
        QVERIFY(dropLendingRecord(tdm->borrowTb(), u"Alien"_s));
        QCOMPARE(borrowCount(), u"0"_s);
        QVERIFY(tdm->borrowTb().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLending)
#include "test_lending.moc"
