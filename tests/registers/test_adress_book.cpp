#include "TempCatalogue.h"
#include "data/TDM.h"
#include "registers/AdressBook.h"
#include "registers/AdressForm.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::adressbook;

class TestAddressBook : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    Table& adress() { return tdm->adressTb(); }

    void file(const QString& lastName, const QString& firstName = {}) {
        adress().append();
        adress().setText(kLastName, lastName);
        adress().setText(kFirstName, firstName);
        adress().post();
    }
    QString current() { return adress().asText(kLastName); }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        adress().open();
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void theBoxesAndFindOptionsNameFieldsOfTheTable() {
        const RegisterDescription book = adressDescription();
        QVERIFY(descriptionProblems(book).isEmpty());
        QStringList labels;
        QStringList phones;
        for (const EditField& box : book.editFields) {
            labels << box.label;
            QVERIFY2(schema::adress().fieldIndex(box.field) >= 0, qPrintable(box.field));
            if (box.keyFilter == KeyFilterKind::PhoneDigits)
                phones << box.field;
        }
        QCOMPARE(labels, (QStringList{u"First name"_s, u"Last name*"_s, u"Street"_s,
                                      u"Postal && zip"_s, u"Phone work"_s, u"Phone home"_s,
                                      u"Celluar"_s, u"E-Mail"_s, u"Homesite"_s, u"Comments"_s}));
        QCOMPARE(phones, (QStringList{u"Telefon arbete"_s, u"Telefon"_s, u"Mobil"_s}));
        QStringList options;
        for (const FindOption& option : book.find->options)
            options << option.label + u'=' + option.field;
        QCOMPARE(options, (QStringList{u"First name=Fornamn"_s, u"Last name=Efternamn"_s,
                                       u"Phone home=Telefon"_s, u"Celluar=Mobil"_s,
                                       u"Address=Gatuadress"_s}));
        QCOMPARE(book.find->options[kLastNameOption].field, kLastName);
    }

    static std::optional<EntryProblem> checkEntry(const QString& lastName, const QString& email) {
        return firstFailedCheck(adressChecks(), [&](const QString& field) {
            return field == kLastName ? lastName : field == kEmail ? email : QString();
        });
    }

    void theEntryNeedsALastNameAndAnEmailWithAnAt() {
        const auto missing = checkEntry({}, {});
        QVERIFY(missing);
        QCOMPARE(missing->text, u"Last name is required. "_s);
        QCOMPARE(missing->caption, u"Last name field empty"_s);
        QCOMPARE(missing->field, kLastName);
        // Blanks are no name; the last name is checked before the address.
        QVERIFY(checkEntry(u"   "_s, u"no-at"_s));
        QCOMPARE(checkEntry(u"   "_s, u"no-at"_s)->field, kLastName);

        const auto weird = checkEntry(u"Berg"_s, u"anna.example.se"_s);
        QVERIFY(weird);
        QCOMPARE(weird->text, u"I suppose a mail with that E-mail address will be lost in space"_s);
        QCOMPARE(weird->caption, u"Weird E-Mail address"_s);
        QCOMPARE(weird->field, kEmail);

        QVERIFY(!checkEntry(u"Berg"_s, {}));       // no address is fine
        QVERIFY(!checkEntry(u"Berg"_s, u"a@b"_s)); // nothing else is examined
        QVERIFY(!checkEntry(u"Bokhandeln AB"_s, u"@"_s));
    }

    void theEmailIsStoredWithOnlyAToZLowerCased() {
        QCOMPARE(storedEmail(u"Anna.BERG@Example.SE"_s), u"anna.berg@example.se"_s);
        QCOMPARE(storedEmail(u"ÅSA.Öberg@ÄNGEN.SE"_s), u"Åsa.Öberg@Ängen.se"_s);
        QCOMPARE(storedEmail(QString()), QString());
    }

    void aLetterGoesToTheFirstLastNameAtOrAfterIt() {
        // Only A, B and Y, in mixed letter case; the table starts in key order.
        file(u"yngve"_s);
        file(u"Berg"_s);
        file(u"andersson"_s);
        file(u"Ytterberg"_s);
        file(u"Adams"_s);
        goToLetter(adress(), u'C');
        QCOMPARE(adress().indexName(), u"ENamn"_s);
        QCOMPARE(current(), u"yngve"_s);
        goToLetter(adress(), u'Z');
        QCOMPARE(current(), u"Ytterberg"_s); // no Z: the last record
        QCOMPARE(adress().position(), adress().recordCount() - 1);
        goToLetter(adress(), u'A');
        QCOMPARE(current(), u"Adams"_s);
        goToLetter(adress(), u'B');
        QCOMPARE(current(), u"Berg"_s);
        goToLetter(adress(), u'y');
        QCOMPARE(current(), u"yngve"_s);
    }

    void aLetterInAnEmptyBookMovesNowhere() {
        goToLetter(adress(), u'M');
        QVERIFY(adress().isEmpty());
    }

    void aBorrowerIsFiledOnlyUnderTheExactSameNames() {
        file(u"Berg"_s, u"Anna"_s);
        file(u"Lind"_s, u"Eva"_s);
        adress().first();
        QVERIFY(isFiled(adress(), u"Eva"_s, u"Lind"_s));
        QCOMPARE(current(), u"Lind"_s);
        QVERIFY(!isFiled(adress(), u"eva"_s, u"Lind"_s));
        QVERIFY(!isFiled(adress(), u"Eva"_s, u"LIND"_s));
        QVERIFY(!isFiled(adress(), u"Anna"_s, u"Lind"_s));
        QVERIFY(!isFiled(adress(), QString(), u"Berg"_s));
        // Only a last name: filed when the record has no first name either.
        file(u"Bokhandeln AB"_s);
        QVERIFY(isFiled(adress(), QString(), u"Bokhandeln AB"_s));
        // A first name longer than the field is compared as it would be stored.
        const QString longFirst = u"Anna-Karin Margareta Elisabeth"_s;
        file(u"Ek"_s, longFirst);
        QVERIFY(isFiled(adress(), longFirst, u"Ek"_s));
    }

    void theRefusalNamesThePersonWithTwoBlanksBeforeTheBracket() {
        const EntryProblem refusal = alreadyFiled(u"Anna"_s, u"Berg"_s);
        QCOMPARE(refusal.caption, u"No copies"_s);
        QCOMPARE(refusal.text, u"A record already exist with name  [Anna Berg]. This record will "
                               u"not be added to the addressbook"_s);
    }

    void aBorrowerIsAppendedPendingWithHisFourValues() {
        appendBorrower(adress(), u"Anna"_s, u"Berg"_s, u"08-123"_s, u"anna@example.se"_s);
        QCOMPARE(adress().state(), TableState::Insert);
        QCOMPARE(adress().recordCount(), 0);
        adress().post();
        QCOMPARE(catalogue->scalar(u"adress.DB"_s,
                                   u"SELECT Fornamn || '|' || Efternamn || '|' || Telefon || '|' "
                                   u"|| \"E-postadress\" FROM Adress"_s),
                 u"Anna|Berg|08-123|anna@example.se"_s);
    }
};

QTEST_GUILESS_MAIN(TestAddressBook)
#include "test_adress_book.moc"
