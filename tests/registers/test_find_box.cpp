#include "TempCatalogue.h"
#include "data/TDM.h"
#include "registers/FindBox.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestFindBox : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;
    std::unique_ptr<QWidget> window;
    FindBox* box = nullptr;
    QLabel* result = nullptr;

    Table& films() { return tdm->filmTb(); }
    QString current() { return films().asText(u"Titel"_s); }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        // In number order: Brazil, abyss, Abba, Casablanca, ABC.
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel) VALUES "
                                      "(3, 'Abba'), (1, 'Brazil'), (2, 'abyss'), "
                                      "(4, 'Casablanca'), (15, 'ABC')"_s);
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        films().open();
        window = std::make_unique<QWidget>();
        box = new FindBox(tdm->source(schema::film()), u"Titel"_s, 40, window.get());
        result = new QLabel(window.get());
        box->setResultLabel(result);
        window->show();
    }
    void cleanup() {
        Table::setBackgroundPrefixReadFrom(50000);
        window.reset();
        tdm.reset();
        catalogue.reset();
    }

    void showsTheCurrentValueBetweenFinds() {
        QCOMPARE(box->text(), u"Brazil"_s);
        films().next();
        QCOMPARE(box->text(), u"abyss"_s);
        films().append();
        QCOMPARE(box->text(), QString()); // empty while a record is being inserted
        films().cancel();
        QCOMPARE(box->text(), u"abyss"_s);
        box->setField(u"Index"_s, 5);
        QCOMPARE(box->text(), u"2"_s);
        QCOMPARE(box->maxLength(), 5);
        films().close();
        QCOMPARE(box->text(), QString());
    }

    void findsByPrefixInAnyCaseInTheCurrentOrder() {
        QSignalSpy searched(box, &FindBox::searched);
        box->clear();
        QTest::keyClicks(box, u"AB"_s);
        QCOMPARE(box->text(), u"AB"_s); // the typed text stays while typing
        QCOMPARE(current(), u"abyss"_s);
        QCOMPARE(result->text(), u"Found!"_s);
        QVERIFY(result->isVisibleTo(window.get()));
        QCOMPARE(searched.count(), 2);
        QCOMPARE(searched.last().first().toBool(), true);
        QTest::keyClick(box, Qt::Key_C);
        QCOMPARE(current(), u"ABC"_s);
        QTest::keyClick(box, Qt::Key_X);
        QCOMPARE(result->text(), u"Not found!"_s);
        QCOMPARE(current(), u"ABC"_s); // a miss leaves the record where it is
        QVERIFY(!box->lastFindSucceeded());
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(result->text(), u"Found!"_s);
        QCOMPARE(current(), u"ABC"_s);

        films().selectIndex(u"Filmtitel"_s);
        box->clear();
        QTest::keyClicks(box, u"ab"_s);
        QCOMPARE(current(), u"Abba"_s);
    }

    // On a large table the texts are read in the background: the keys typed before they are
    // in find, once they come, the record the last text asks for; the window goes on meanwhile.
    void keysTypedBeforeTheBackgroundReadEndsFindWhenItComes() {
        Table::setBackgroundPrefixReadFrom(1);
        films().selectIndex(u"Filmtitel"_s); // the texts read before are out of date now
        QSignalSpy searched(box, &FindBox::searched);
        box->clear();
        QTest::keyClicks(box, u"ab"_s);
        QVERIFY(box->isWaiting());
        QCOMPARE(searched.count(), 0);
        QTest::keyClick(box, Qt::Key_Y);
        QTRY_VERIFY(!box->isWaiting());
        QCOMPARE(searched.count(), 1);
        QCOMPARE(current(), u"abyss"_s);
        QCOMPARE(result->text(), u"Found!"_s);
        QTest::keyClick(box, Qt::Key_Z); // the texts are in: the find answers at once
        QCOMPARE(result->text(), u"Not found!"_s);

        // Emptied while waiting, the box finds nothing when the texts come.
        films().first();
        films().selectIndex(u"Nummer"_s);
        box->clear();
        QTest::keyClicks(box, u"c"_s);
        QVERIFY(box->isWaiting());
        box->clear();
        QTRY_VERIFY(films().prefixTextsReady(u"Titel"_s));
        QCOMPARE(current(), u"Brazil"_s);
    }

    void everyChangeOfTheTextHidesTheResult() {
        box->clear();
        QTest::keyClicks(box, u"c"_s);
        QVERIFY(result->isVisibleTo(window.get()));
        films().first();
        QCOMPARE(box->text(), u"Brazil"_s);
        QVERIFY(!result->isVisibleTo(window.get()));
    }

    void keysThatChangeNothingFindNothing() {
        QSignalSpy searched(box, &FindBox::searched);
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClick(box, Qt::Key_Shift);
        QCOMPARE(searched.count(), 0);
        box->clear();
        QTest::keyClick(box, Qt::Key_Backspace); // an empty box finds nothing
        QCOMPARE(searched.count(), 0);
    }

    void aNumberFieldRefusesLettersWithABeep() {
        box->setField(u"Index"_s, 5);
        QSignalSpy refused(box, &FindBox::refused);
        box->clear();
        QTest::keyClicks(box, u"1a"_s);
        QCOMPARE(box->text(), u"1"_s);
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused.first().first().value<QChar>(), u'a');
        QCOMPARE(current(), u"Brazil"_s); // 1 is the first number starting with "1"
        QTest::keyClicks(box, u"5"_s);
        QCOMPARE(current(), u"ABC"_s);
        QTest::keyClicks(box, u"34567"_s);
        QCOMPARE(box->text(), u"15345"_s); // five characters at most
        QCOMPARE(refused.count(), 1);
        // Bound to the title again, letters and any length are welcome.
        box->setField(u"Titel"_s);
        box->clear();
        QTest::keyClicks(box, u"casablanca and more than forty characters of text"_s);
        QCOMPARE(box->text().size(), 49);
    }

    void escapeEmptiesTheBox() {
        QCOMPARE(box->text(), u"Brazil"_s);
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->text(), QString());
        QCOMPARE(current(), u"Brazil"_s);
    }

    void leavingAfterAHitShowsTheWholeValue() {
        auto* other = new QLineEdit(window.get());
        other->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, u"cas"_s);
        other->setFocus();
        QCOMPARE(box->text(), u"Casablanca"_s);
        // After a miss the typed text stays for mending.
        box->setFocus();
        QCOMPARE(box->selectedText(), u"Casablanca"_s); // entering selects the value shown
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClicks(box, u"q"_s);
        other->setFocus();
        QCOMPARE(box->text(), u"Casablancaq"_s);
    }
};

QTEST_MAIN(TestFindBox)
#include "test_find_box.moc"
