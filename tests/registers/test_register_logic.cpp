#include "TempCatalogue.h"
#include "data/Errors.h"
#include "data/TDM.h"
#include "lending/Lending.h"
#include "registers/RegisterLogic.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestRegisterLogic : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    Table& films() { return tdm->filmTb(); }
    Table& standard() { return tdm->standardTb(); }

    void addFilm(int index, const QString& title) {
        films().append();
        films().setInteger(u"Index"_s, index);
        films().setText(u"Titel"_s, title);
        films().post();
    }

    QString column(const QString& name) {
        return catalogue->scalar(u"Standard.db"_s,
                                 u"SELECT group_concat(coalesce(%1, '-'), '|') FROM "
                                 "(SELECT %1 FROM Standard ORDER BY Sid)"_s.arg(name));
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        catalogue->exec(u"Standard.db"_s, u"DELETE FROM Standard"_s);
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        films().open();
        standard().open();
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void theModesCarryTheirFlagsAndTheLock() {
        QVERIFY(!flagsOf(RegisterMode::Browsing).isNew);
        QVERIFY(!flagsOf(RegisterMode::Browsing).editing);
        QVERIFY(flagsOf(RegisterMode::Adding).isNew);
        QVERIFY(!flagsOf(RegisterMode::Adding).editing);
        QVERIFY(flagsOf(RegisterMode::Editing).editing);
        QVERIFY(!flagsOf(RegisterMode::MasterList).isNew);
        QVERIFY(!locksCommands(RegisterMode::Browsing));
        for (RegisterMode mode : {RegisterMode::Adding, RegisterMode::Editing,
                                  RegisterMode::Searching, RegisterMode::MasterList})
            QVERIFY(locksCommands(mode));
    }

    void theProposedIndexFollowsTheCurrentOrder() {
        QCOMPARE(proposeNextIndex(films(), u"Index"_s), 1);
        addFilm(7, u"Alien"_s);
        addFilm(3, u"Zelig"_s);
        addFilm(12, u"Brazil"_s);
        films().first();
        QCOMPARE(proposeNextIndex(films(), u"Index"_s), 13);
        QCOMPARE(films().asText(u"Titel"_s), u"Brazil"_s); // read from the last record
        // Sorted by title the last record is the alphabetically last title: a number in use.
        films().selectIndex(u"Filmtitel"_s);
        QCOMPARE(proposeNextIndex(films(), u"Index"_s), 4);
        QCOMPARE(films().asText(u"Titel"_s), u"Zelig"_s);
    }

    void theProposalStaysInTheSpinBoxRange() {
        addFilm(60000, u"Last"_s);
        QCOMPARE(proposeNextIndex(films(), u"Index"_s), 60000);
        films().edit();
        films().setText(u"Index"_s, QString());
        films().post();
        QCOMPARE(proposeNextIndex(films(), u"Index"_s), 1); // no number reads as 0
    }

    void rememberedValuesComeInKeyOrderWithoutEmptyOnes() {
        catalogue->exec(u"Standard.db"_s,
                        u"INSERT INTO Standard (Aktor, Regi) VALUES ('Zoe', NULL), (NULL, 'Lang'), "
                        "('', NULL), ('Anna', NULL), ('A name that is much longer than forty "
                        "characters', NULL)"_s);
        standard().refresh();
        QCOMPARE(rememberedValues(standard(), u"Aktor"_s),
                 (QStringList{u"Zoe"_s, u"Anna"_s,
                              u"A name that is much longer than forty characters"_s}));
        QCOMPARE(rememberedValues(standard(), u"Aktor"_s, 40).last(),
                 u"A name that is much longer than forty ch"_s);
        QCOMPARE(rememberedValues(standard(), u"regi"_s), QStringList{u"Lang"_s});
        QVERIFY_THROWS_EXCEPTION(StoreError, rememberedValues(standard(), u"Nothing"_s));
    }

    void aValueIsRememberedOnceAndACaseVariantAsASecondRow() {
        QVERIFY(rememberValue(standard(), u"Aktor"_s, u"Max von Sydow"_s));
        QVERIFY(!rememberValue(standard(), u"Aktor"_s, u"Max von Sydow"_s));
        QVERIFY(rememberValue(standard(), u"Aktor"_s, u"max von sydow"_s));
        QVERIFY(!rememberValue(standard(), u"Aktor"_s, QString()));
        // The same text in another column is another value.
        QVERIFY(rememberValue(standard(), u"Regi"_s, u"Max von Sydow"_s));
        QCOMPARE(column(u"Aktor"_s), u"Max von Sydow|max von sydow|-"_s);
        QCOMPARE(column(u"Regi"_s), u"-|-|Max von Sydow"_s);
    }

    void aValueLongerThanItsColumnIsNotRememberedAgainAndAgain() {
        const QString rate = u"Four stars out of five, and one for the music"_s; // 45 characters
        QVERIFY(rememberValue(standard(), u"Kritik"_s, rate));
        QVERIFY(!rememberValue(standard(), u"Kritik"_s, rate));
        QCOMPARE(column(u"Kritik"_s), rate.left(40));
    }

    void theLendingRecordOfATitleIsRemovedByExactTitle() {
        Table& borrow = tdm->borrowTb();
        QVERIFY(!borrow.isOpen());
        catalogue->exec(u"borrow.db"_s, u"INSERT INTO Borrow (Objektyp, Objekt) VALUES "
                                        "('Film', 'Alien'), ('Literatur', 'alien')"_s);
        QVERIFY(!dropLendingRecord(borrow, u"ALIEN"_s));
        QVERIFY(borrow.isOpen());
        QVERIFY(dropLendingRecord(borrow, u"Alien"_s));
        QVERIFY(!dropLendingRecord(borrow, u"Alien"_s));
        QCOMPARE(catalogue->scalar(u"borrow.db"_s, u"SELECT group_concat(Objekt) FROM Borrow"_s),
                 u"alien"_s);
    }

    void numberFieldsHoldDigitsOnly() {
        QVERIFY(fieldCanHold(FieldType::Integer, u'7'));
        QVERIFY(!fieldCanHold(FieldType::Integer, u'a'));
        QVERIFY(!fieldCanHold(FieldType::Integer, u'-'));
        QVERIFY(!fieldCanHold(FieldType::Integer, u' '));
        QVERIFY(!fieldCanHold(FieldType::Integer, QChar(0x0663))); // an Arabic-Indic three
        QVERIFY(fieldCanHold(FieldType::Text, u'ä'));
        QVERIFY(fieldCanHold(FieldType::Text, u'7'));
    }
};

QTEST_GUILESS_MAIN(TestRegisterLogic)
#include "test_register_logic.moc"
