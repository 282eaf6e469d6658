#include "TempCatalogue.h"
#include "data/Errors.h"
#include "data/TDM.h"
#include "lending/Lending.h"
#include "registers/RegisterLogic.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

Q_DECLARE_METATYPE(hoardly::RegisterMode)
Q_DECLARE_METATYPE(hoardly::RegisterPage)

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

    void theModesCarryTheirFlags() {
        QVERIFY(!flagsOf(RegisterMode::Browsing).isNew);
        QVERIFY(!flagsOf(RegisterMode::Browsing).editing);
        QVERIFY(flagsOf(RegisterMode::Adding).isNew);
        QVERIFY(!flagsOf(RegisterMode::Adding).editing);
        QVERIFY(flagsOf(RegisterMode::Editing).editing);
        QVERIFY(!flagsOf(RegisterMode::MasterList).isNew);
        QVERIFY(isEntry(RegisterMode::Adding) && isEntry(RegisterMode::Editing));
        QVERIFY(!isEntry(RegisterMode::Browsing) && !isEntry(RegisterMode::MasterList));
    }

    // The one derivation of a window's state, mode by mode, for a register of pages with a
    // search page and a master list, and for a one-page register.
    void theStateFollowsFromTheModeAlone_data() {
        QTest::addColumn<bool>("onePage");
        QTest::addColumn<RegisterMode>("mode");
        QTest::addColumn<RegisterPage>("page");
        // locked, back, master list released, OK/Cancel/ESC, boxes editable, browsing controls
        QTest::addColumn<QString>("flags");
        using M = RegisterMode;
        using P = RegisterPage;
        QTest::newRow("pages, browsing") << false << M::Browsing << P::Browse << u"-----B"_s;
        QTest::newRow("pages, adding") << false << M::Adding << P::Edit << u"L--O--"_s;
        QTest::newRow("pages, editing") << false << M::Editing << P::Edit << u"L--O--"_s;
        QTest::newRow("pages, searching") << false << M::Searching << P::Search << u"LK---B"_s;
        QTest::newRow("pages, master list")
            << false << M::MasterList << P::MasterList << u"LKR--B"_s;
        QTest::newRow("one page, browsing") << true << M::Browsing << P::Browse << u"-----B"_s;
        QTest::newRow("one page, adding") << true << M::Adding << P::Browse << u"L--OE-"_s;
        QTest::newRow("one page, editing") << true << M::Editing << P::Browse << u"L--OE-"_s;
    }
    void theStateFollowsFromTheModeAlone() {
        QFETCH(bool, onePage);
        QFETCH(RegisterMode, mode);
        QFETCH(RegisterPage, page);
        QFETCH(QString, flags);
        const RegisterShape shape{onePage, !onePage, !onePage};
        const DerivedState state = deriveState(shape, mode);
        QCOMPARE(state.page, page);
        QString seen;
        seen += state.locked ? u'L' : u'-';
        seen += state.backEnabled ? u'K' : u'-';
        seen += state.masterListReleased ? u'R' : u'-';
        QCOMPARE(state.okEnabled, state.cancelEnabled);
        QCOMPARE(state.okEnabled, state.escapeCancels);
        seen += state.okEnabled ? u'O' : u'-';
        seen += state.boxesEditable ? u'E' : u'-';
        seen += state.browsingControls ? u'B' : u'-';
        QCOMPARE(seen, flags);
        QVERIFY(state.own.isEmpty());
    }

    void aRegisterWithoutThePageStaysOnTheBrowsePage() {
        const RegisterShape twoPages{false, false, false}; // the home inventory's
        QCOMPARE(deriveState(twoPages, RegisterMode::Searching).page, RegisterPage::Browse);
        QCOMPARE(deriveState(twoPages, RegisterMode::MasterList).page, RegisterPage::Browse);
        QCOMPARE(deriveState(twoPages, RegisterMode::Adding).page, RegisterPage::Edit);
    }

    void theChecksOfAnEntryStopAtTheFirstThatFails() {
        const QList<EntryCheck> checks{
            EntryCheck::required(u"Titel"_s, u"Title is required"_s, u"No title"_s),
            EntryCheck::required(u"Artist"_s, u"Name of the artist/group is required"_s,
                                 u"No name"_s),
            EntryCheck::containsWhenFilled(u"Mail"_s, u"@"_s, u"Weird"_s, u"Weird mail"_s)};
        QHash<QString, QString> values;
        const auto valueOf = [&](const QString& field) { return values.value(field); };
        QCOMPARE(firstFailedCheck(checks, valueOf)->field, u"Titel"_s);
        values[u"Titel"_s] = u"  "_s; // blanks are no title
        QCOMPARE(firstFailedCheck(checks, valueOf)->caption, u"No title"_s);
        values[u"Titel"_s] = u"Abbey Road"_s;
        const auto artist = firstFailedCheck(checks, valueOf);
        QCOMPARE(artist->text, u"Name of the artist/group is required"_s);
        QCOMPARE(artist->field, u"Artist"_s);
        values[u"Artist"_s] = u"The Beatles"_s;
        QVERIFY(!firstFailedCheck(checks, valueOf)); // no address at all is fine
        values[u"Mail"_s] = u"beatles.example"_s;
        QCOMPARE(firstFailedCheck(checks, valueOf)->field, u"Mail"_s);
        values[u"Mail"_s] = u"@"_s;
        QVERIFY(!firstFailedCheck(checks, valueOf));
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
