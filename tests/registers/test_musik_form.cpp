#include "FakeShell.h"
#include "MusicData.h"
#include "RecordingLending.h"
#include "RegisterWindowFixture.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "WidgetHelpers.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "lending/LendingInterfaces.h"
#include "registers/FindBox.h"
#include "registers/MusikForm.h"
#include "registers/SearchPage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

using Page = RegisterWindow::Page;

namespace {

QStringList itemTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace

class TestMusikForm : public QObject, test::RegisterWindowFixture<TMusikForm> {
    Q_OBJECT

    Table& records() { return tdm->musikTb(); }
    QString current() { return records().asText(u"Titel"_s); }
    QString stored(const QString& file, const QString& sql) { return catalogue->scalar(file, sql); }
    // The songs stored for a record, in the song table's order.
    QString songsOf(const QString& title) {
        const QString key =
            stored(u"Musik.DB"_s, u"SELECT Mid FROM Musik WHERE Titel = '%1'"_s.arg(title));
        return stored(u"song.db"_s, u"SELECT group_concat(Namn, '|') FROM (SELECT Namn FROM "
                                    "Song WHERE Mid = %1 ORDER BY SongId)"_s.arg(
                                        key.isEmpty() ? u"NULL"_s : key));
    }
    QString remembered() {
        return stored(u"Standard.db"_s, u"SELECT group_concat(Musikartist, '|') FROM (SELECT "
                                        "Musikartist FROM Standard WHERE coalesce(Musikartist, "
                                        "'') <> '' ORDER BY Sid)"_s);
    }

    QCheckBox* mixedBox() {
        return qobject_cast<QCheckBox*>(window->editControl(u"Samlingsskiva"_s));
    }
    QStringList browseSongs() { return itemTexts(window->detailList()); }
    // Typed as a user types, so the bound boxes write into the record.
    void typeRecord(const QString& title, const QString& artist) {
        retype(line(u"Titel"_s), title);
        retype(pick(u"Artist"_s)->lineEdit(), artist);
    }
    static void retype(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void saveSong(const QString& name) {
        window->songBox()->setText(name);
        window->saveNextButton()->click();
    }
    // A new record through OK, Yes and songs, then OK.
    void addWithSongs(const QString& title, const QString& artist, const QStringList& songs) {
        trigger(cmd::add);
        typeRecord(title, artist);
        dialogs.answer(Answer::Yes);
        window->acceptRecord();
        for (const QString& song : songs)
            saveSong(song);
        window->acceptRecord();
    }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void openingShowsTheFirstRecordWithItsSongs() {
        test::addMusic(*catalogue);
        tdm->standardTb().refresh();
        openWindow();
        QCOMPARE(window->page(), Page::Browse);
        QCOMPARE(current(), u"Arrival"_s); // artist order
        QCOMPARE(window->heading()->text(), u"Abba"_s);
        QCOMPARE(browseSongs(), (QStringList{u"Dancing Queen"_s, u"Money, Money, Money"_s}));
        QVERIFY(!window->hitPanel()->isVisible());
        QCOMPARE(QApplication::focusWidget(), window->list());
        // Moving on shows the next record's songs and artist; a record without songs says so.
        window->list()->setFocus();
        QTest::keyClick(window->list(), Qt::Key_Down);
        QCOMPARE(current(), u"Gold"_s);
        QCOMPARE(browseSongs(), (QStringList{u"Dancing Queen"_s}));
        QTest::keyClick(window->list(), Qt::Key_Down);
        QCOMPARE(window->heading()->text(), u"Åsa Jinder"_s); // people's order: Å as A
        QCOMPARE(browseSongs(), (QStringList{u"ÅSA-VISAN"_s}));
        QTest::keyClick(window->list(), Qt::Key_Down);
        QCOMPARE(window->heading()->text(), u"Bach"_s);
        QCOMPARE(browseSongs(), (QStringList{u"Dancing Queen"_s}));
        records().last();
        QCOMPARE(current(), u"Mixed Hits"_s);
        QCOMPARE(browseSongs(), (QStringList{u"Dancing Queen (ABBA)"_s, u"Yesterday (Beatles)"_s}));
    }

    void withoutAnySongTheListAndHeadingStayAsTheyAre() {
        catalogue->exec(u"Musik.DB"_s, u"INSERT INTO Musik (Titel, Artist) VALUES ('One', "
                                       "'Alpha'), ('Two', 'Beta')"_s);
        openWindow();
        QCOMPARE(window->heading()->text(), u"Music"_s);
        QVERIFY(browseSongs().isEmpty());
        records().next();
        QCOMPARE(window->heading()->text(), u"Music"_s);
        QVERIFY(browseSongs().isEmpty());
    }

    void okAndNoStoresARecordWithoutSongs() {
        // Another record's song: with no song at all, the list would not be refreshed.
        catalogue->exec(u"song.db"_s, u"INSERT INTO Song (Mid, Namn) VALUES (99, 'x')"_s);
        openWindow();
        trigger(cmd::add);
        QCOMPARE(window->page(), Page::Edit);
        QVERIFY(!window->songBox()->isEnabled());
        QVERIFY(!window->saveNextButton()->isEnabled());
        typeRecord(u"Blue"_s, u"Joni Mitchell"_s);
        mixedBox()->setChecked(true);
        dialogs.answer(Answer::No);
        window->acceptRecord();
        dialogs.expectBox(0, BoxKind::Question, u"Add songs"_s,
                          u"Would you like to add songs to record <Blue>?"_s, BoxIcon::Question);
        QCOMPARE(window->page(), Page::Browse);
        QVERIFY(run.dataChanged);
        // A mixed record stored through OK keeps the typed artist.
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT Artist || '/' || Samlingsskiva FROM Musik"_s),
                 u"Joni Mitchell/1"_s);
        QCOMPARE(browseSongs(), (QStringList{u"No songs added"_s}));
        QCOMPARE(remembered(), u"Joni Mitchell"_s);
    }

    void okAndYesTakesSongsInEntryOrder() {
        openWindow();
        trigger(cmd::add);
        typeRecord(u"Abbey Road"_s, u"Beatles"_s);
        dialogs.answer(Answer::Yes);
        window->acceptRecord();
        QCOMPARE(window->page(), Page::Edit);
        QVERIFY(!window->okButton()->isEnabled()); // the entry ends with a song or Cancel
        QVERIFY(window->songBox()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), window->songBox());
        QVERIFY(!window->saveNextButton()->isEnabled());
        window->songBox()->setText(u"Come Together"_s);
        QVERIFY(window->saveNextButton()->isEnabled());
        window->saveNextButton()->click();
        // The first "&Save/next" stored the record and its song.
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT count(*) FROM Musik"_s), u"1"_s);
        QCOMPARE(songsOf(u"Abbey Road"_s), u"Come Together"_s);
        QVERIFY(window->okButton()->isEnabled());
        QVERIFY(window->songBox()->text().isEmpty());
        QCOMPARE(itemTexts(window->songsOnRecord()), (QStringList{u"Come Together"_s}));
        saveSong(u"Something"_s);
        window->acceptRecord();
        QCOMPARE(window->page(), Page::Browse);
        QCOMPARE(songsOf(u"Abbey Road"_s), u"Come Together|Something"_s);
        QCOMPARE(browseSongs(), (QStringList{u"Come Together"_s, u"Something"_s}));
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT count(*) FROM Musik"_s), u"1"_s);
        QCOMPARE(remembered(), u"Beatles"_s);
    }

    void cancelRemovesWhatTheEntryStored() {
        openWindow();
        // Before any "&Save/next": nothing was stored.
        trigger(cmd::add);
        typeRecord(u"Kind of Blue"_s, u"Miles Davis"_s);
        dialogs.answer(Answer::Yes);
        window->acceptRecord();
        window->cancelRecord();
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT count(*) FROM Musik"_s), u"0"_s);
        // After one: the stored record and its song go again.
        trigger(cmd::add);
        QVERIFY(!window->songBox()->isEnabled());
        QVERIFY(window->okButton()->isEnabled());
        typeRecord(u"Kind of Blue"_s, u"Miles Davis"_s);
        dialogs.answer(Answer::Yes);
        window->acceptRecord();
        saveSong(u"So What"_s);
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT count(*) FROM Musik"_s), u"1"_s);
        window->cancelRecord();
        QCOMPARE(window->page(), Page::Browse);
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT count(*) FROM Musik"_s), u"0"_s);
        QCOMPARE(stored(u"song.db"_s, u"SELECT count(*) FROM Song"_s), u"0"_s);
        QCOMPARE(records().recordCount(), 0);
    }

    void aMixedRecordStoredBySongsTakesItsTitleAsArtist() {
        openWindow();
        trigger(cmd::add);
        typeRecord(u"Now 5"_s, u"Various"_s);
        mixedBox()->setChecked(true);
        dialogs.answer(Answer::Yes);
        window->acceptRecord();
        saveSong(u"Song (Someone)"_s);
        window->acceptRecord();
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT Artist || '/' || Samlingsskiva FROM Musik"_s),
                 u"Now 5/1"_s);
    }

    void longSongNamesAreCutWhileAddingOnly() {
        const QString long45 = QString(45, u'x');
        openWindow();
        addWithSongs(u"Long"_s, u"Band"_s, {long45});
        QCOMPARE(songsOf(u"Long"_s), QString(40, u'x'));
        trigger(cmd::edit);
        saveSong(long45);
        window->acceptRecord();
        QCOMPARE(songsOf(u"Long"_s), QString(40, u'x') + u'|' + long45);
        // The browse list shows the first 40 characters of each.
        QCOMPARE(browseSongs(), (QStringList{QString(40, u'x'), QString(40, u'x')}));
    }

    void editingRenamesAClickedSongAndAddsATypedOne() {
        test::addMusic(*catalogue);
        openWindow();
        QVERIFY(records().locate(u"Titel"_s, {u"Abbey Road"_s}));
        trigger(cmd::edit);
        QVERIFY(window->songBox()->isEnabled());
        QCOMPARE(window->songsOnRecord()->toolTip(),
                 u"Right mousebutton to delete a song from the record"_s);
        QCOMPARE(itemTexts(window->songsOnRecord()),
                 (QStringList{u"Come Together"_s, u"Something"_s, u"Here Comes the Sun"_s}));
        QListWidget* list = window->songsOnRecord();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        QCOMPARE(window->songBox()->text(), u"Something"_s);
        saveSong(u"Something Else"_s);
        QCOMPARE(songsOf(u"Abbey Road"_s), u"Come Together|Here Comes the Sun|Something Else"_s);
        // Without a click, the typed name is a new song.
        saveSong(u"Octopus's Garden"_s);
        QCOMPARE(songsOf(u"Abbey Road"_s),
                 u"Come Together|Here Comes the Sun|Something Else|Octopus's Garden"_s);
        QCOMPARE(itemTexts(list).size(), 4);
        // An artist typed while editing is not remembered.
        retype(pick(u"Artist"_s)->lineEdit(), u"The Beatles"_s);
        window->acceptRecord();
        QCOMPARE(remembered(), u"Abba|Bach|Beatles"_s);
        QVERIFY(list->toolTip().isEmpty() || window->page() == Page::Browse);
    }

    void removingASongAsksAndNeedsASelection() {
        test::addMusic(*catalogue);
        openWindow();
        QVERIFY(records().locate(u"Titel"_s, {u"Abbey Road"_s}));
        trigger(cmd::edit);
        QCOMPARE(window->removeSongAction()->text(), u"Radera markerad låt"_s);
        dialogs.answer(Answer::Ok);
        window->removeSongAction()->trigger();
        dialogs.expectLastBox(BoxKind::Info, u"No song selected"_s,
                              u"You must select which song you want to delete from the list!"_s);
        QCOMPARE(QApplication::focusWidget(), window->editControl(u"Titel"_s));
        QListWidget* list = window->songsOnRecord();
        list->setCurrentRow(0);
        dialogs.answer(Answer::No);
        window->removeSongAction()->trigger();
        dialogs.expectLastBox(BoxKind::Question, u"Remove songs"_s,
                              u"You are going to remove the song [ Come Together ] . Are you "
                              "sure?"_s);
        QCOMPARE(itemTexts(list).size(), 3);
        list->setCurrentRow(0);
        dialogs.answer(Answer::Yes);
        window->removeSongAction()->trigger();
        QCOMPARE(songsOf(u"Abbey Road"_s), u"Something|Here Comes the Sun"_s);
        QCOMPARE(QApplication::focusWidget(), list);
        window->cancelRecord();
    }

    void cancelWhileEditingKeepsTheFieldsButNeedsTitleAndArtist() {
        test::addMusic(*catalogue);
        openWindow();
        trigger(cmd::edit);
        retype(line(u"Titel"_s), QString());
        dialogs.answer(Answer::Ok);
        window->cancelRecord();
        dialogs.expectLastBox(BoxKind::Info, u"No name or title"_s,
                              u"Title and name is required"_s);
        QCOMPARE(window->page(), Page::Edit);
        retype(line(u"Titel"_s), u"Arrival (remastered)"_s);
        window->cancelRecord();
        QCOMPARE(window->page(), Page::Browse);
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT Titel FROM Musik WHERE Mid = 1"_s),
                 u"Arrival (remastered)"_s);
    }

    void saveNextNeedsTitleAndArtist() {
        test::addMusic(*catalogue);
        openWindow();
        trigger(cmd::edit);
        retype(pick(u"Artist"_s)->lineEdit(), QString());
        dialogs.answer(Answer::Ok);
        saveSong(u"Fernando"_s);
        dialogs.expectLastBox(BoxKind::Info, u"Name or title missing"_s,
                              u"Title and name is required"_s);
        QCOMPARE(songsOf(u"Arrival"_s), u"Dancing Queen|Money, Money, Money"_s);
        dialogs.answer(Answer::Ok);
        window->cancelRecord();
        dialogs.expectLastBox(BoxKind::Info, u"No name or title"_s,
                              u"Title and name is required"_s);
        dialogs.answer(Answer::Ok);
        window->acceptRecord();
        dialogs.expectLastBox(BoxKind::Info, u"No name"_s,
                              u"Name of the artist/group is required"_s);
        QCOMPARE(window->page(), Page::Edit);
        retype(pick(u"Artist"_s)->lineEdit(), u"Abba"_s);
        window->acceptRecord();
        QCOMPARE(window->page(), Page::Browse);
    }

    void deletingRemovesEverySongAndOnYesTheLoan() {
        test::addMusic(*catalogue);
        catalogue->exec(u"borrow.db"_s,
                        u"INSERT INTO Borrow (Objektyp, Objekt, \"Utlanad till\") VALUES "
                        "('Musik', 'Abbey Road', 'Eva Lind')"_s);
        openWindow();
        QVERIFY(records().locate(u"Titel"_s, {u"Abbey Road"_s}));
        dialogs.answer(Answer::Yes);
        dialogs.answer(Answer::Yes);
        trigger(cmd::remove);
        dialogs.expectBox(0, BoxKind::Question, u"Delete record"_s,
                          u"You are just trying to delete record with title [ Abbey Road ] . Are "
                          "you sure? All songs which belongs to that title will be deleted as "
                          "well"_s,
                          BoxIcon::Exclamation);
        dialogs.expectBox(1, BoxKind::Question, u"Clean up lent out"_s,
                          u"The object [Abbey Road] is recorded as lent out. Delete that record "
                          "as well? "_s,
                          BoxIcon::Question);
        QCOMPARE(stored(u"song.db"_s, u"SELECT count(*) FROM Song WHERE Mid = 3"_s), u"0"_s);
        QCOMPARE(stored(u"song.db"_s, u"SELECT count(*) FROM Song"_s), u"7"_s);
        QCOMPARE(stored(u"borrow.db"_s, u"SELECT count(*) FROM Borrow"_s), u"0"_s);
        QVERIFY(run.dataChanged);
        QCOMPARE(browseSongs(), (QStringList{u"Dancing Queen (ABBA)"_s, u"Yesterday (Beatles)"_s}));
    }

    void emptyTableCommandsAnswerWithTheirBoxes() {
        openWindow();
        dialogs.answer(Answer::Ok);
        trigger(cmd::edit);
        dialogs.answer(Answer::Ok);
        trigger(cmd::remove);
        dialogs.expectBox(0, BoxKind::Info, u"Empty"_s, u"You can't do that. Empty database"_s);
        dialogs.expectBox(1, BoxKind::Info, u"Empty database"_s, u"Not such a command."_s);
        // Lending an empty table is the shared lending command's nothing-to-do.
        trigger(cmd::lending);
        QCOMPARE(lending.types, QList{LendObjectType::Musik});
    }

    void lendingLendsTheRecordAsObjectTypeOne() {
        test::addMusic(*catalogue);
        openWindow();
        trigger(cmd::lending);
        QCOMPARE(lending.types, QList{LendObjectType::Musik});
        QCOMPARE(int(lending.types.first()), 1);
    }

    void theSongFindShowsItsHitInThePanel() {
        test::addMusic(*catalogue);
        openWindow();
        QRadioButton* songOption = window->findOption(2);
        QCOMPARE(songOption->text(), u"Song"_s);
        songOption->click();
        QVERIFY(!window->findBox()->isVisible());
        FindBox* songFind = window->detailFindBox();
        QVERIFY(songFind->isVisible());
        QCOMPARE(QApplication::focusWidget(), songFind);
        QTest::keyClicks(songFind, u"som"_s);
        QCOMPARE(current(), u"Abbey Road"_s);
        QCOMPARE(window->heading()->text(), u"Beatles"_s);
        QCOMPARE(songFind->resultLabel()->text(), u"Hit!"_s);
        QVERIFY(window->hitPanel()->isVisible());
        QCOMPARE(itemTexts(window->hitPanel()),
                 (QStringList{u"Song:     Something"_s, u" "_s, u"From title:    Abbey Road"_s,
                              u"With artist:   Beatles"_s, u" "_s, u" "_s, u" "_s,
                              u"The search is find nearest as possible."_s}));
        // Any letter case, beyond A to Z too: the first song in the song table's order.
        songFind->clear();
        QVERIFY(!window->hitPanel()->isVisible());
        QTest::keyClicks(songFind, u"åsa"_s);
        QCOMPARE(current(), u"Visor"_s);
        QTest::keyClicks(songFind, u"x"_s);
        QCOMPARE(songFind->resultLabel()->text(), u"Not found!"_s);
        QVERIFY(!window->hitPanel()->isVisible());
        // Back to titles: the panel hides, the title box shows again.
        window->findOption(0)->click();
        QVERIFY(window->findBox()->isVisible());
        QVERIFY(!songFind->isVisible());
        QTest::keyClicks(window->findBox(), u"gold"_s);
        QCOMPARE(current(), u"Gold"_s);
        QCOMPARE(window->findBox()->resultLabel()->text(), u"Found!"_s);
        QCOMPARE(browseSongs(), (QStringList{u"Dancing Queen"_s}));
    }

    void findByConditionsShowsTheMusicSearchPage() {
        test::addMusic(*catalogue);
        openWindow();
        trigger(cmd::findByConditions);
        QCOMPARE(window->page(), Page::Search);
        auto* search = qobject_cast<SearchPage*>(window->searchPage());
        QCOMPARE(search->selectedCriterion(), 0);
        search->firstInput()->setEditText(u"Abba"_s);
        search->submitButton()->click();
        QTRY_VERIFY(!tdm->filmQ().isRunning());
        QCOMPARE(tdm->filmQ().rowCount(), 2);
        trigger(cmd::back);
        QCOMPARE(window->page(), Page::Browse);
    }

    void eachModeLeavesExactlyItsCommandsUsable() {
        test::addMusic(*catalogue);
        openWindow();
        const auto usable = [this] {
            return test::usableEntries(window, window->toolBar(), window->popupMenu());
        };
        QCOMPARE(usable().toolBar,
                 (QStringList{u"Back to mainmenu"_s, u"Print preview"_s, u"Print"_s,
                              u"Add record"_s, u"Edit record"_s, u"Del record"_s, u"Lent out"_s,
                              u"Find by conditions"_s, u"Masterlist"_s}));
        QCOMPARE(
            usable().menus,
            (QStringList{u"&File|Print preview"_s, u"&File|Send to file (HTML)"_s, u"&File|Print"_s,
                         u"&File|Back to mainmenu"_s, u"&Options|Turn music off"_s,
                         u"&Database functions|Add record"_s, u"&Database functions|Edit record"_s,
                         u"&Database functions|Del record"_s, u"&Database functions|Lent out"_s,
                         u"&Database functions|Find records by conditions"_s,
                         u"&Database functions|Masterlist"_s, u"&Help|Help"_s, u"&Help|About"_s}));
        QCOMPARE(usable().popup,
                 (QStringList{u"Add record"_s, u"Edit record"_s, u"Del record"_s, u"Lent out"_s,
                              u"Find by conditions"_s, u"Masterlist"_s, u"Print preview"_s,
                              u"Sent to file (HTML)"_s, u"Print"_s, u"Back to main"_s}));
        // The lock leaves the tool bar's "Print" alone.
        trigger(cmd::masterList);
        QCOMPARE(usable().toolBar, (QStringList{u"Print"_s, u"Back"_s}));
        trigger(cmd::back);
        trigger(cmd::edit);
        QCOMPARE(usable().toolBar, QStringList{u"Print"_s});
        QCOMPARE(usable().popup, QStringList());
        QCOMPARE(usable().menus,
                 (QStringList{u"&Options|Turn music off"_s, u"&Help|Help"_s, u"&Help|About"_s}));
        window->cancelRecord();
    }
};

QTEST_MAIN(TestMusikForm)
#include "test_musik_form.moc"
