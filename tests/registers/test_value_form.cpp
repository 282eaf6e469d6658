#include "FakeShell.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "WidgetHelpers.h"
#include "data/PictureField.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "registers/ValueForm.h"
#include "ui/PictureBox.h"
#include "ui/PictureCodec.h"

#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

using Page = RegisterWindow::Page;

class TestValueForm : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;
    test::ScriptedDialogs dialogs;
    RunState run;
    test::FakeShell shell;
    std::unique_ptr<AppContext> context;
    QPointer<TValueForm> window;

    // Five objects; the first three carry values 1000, 250 and none.
    void addObjects() {
        catalogue->exec(u"Value.DB"_s,
                        u"INSERT INTO Value (Benamning, \"Varderad till\", Inkopt_Datum) VALUES "
                        "('Clock', 1000, '2001-05-17'), ('Vase', 250, NULL), ('Rug', NULL, NULL), "
                        "('Lamp', NULL, NULL), ('Chair', NULL, NULL)"_s);
    }
    void openWindow() {
        window = new TValueForm(*context);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("the inventory did not become active");
    }
    void trigger(const QString& id) { window->action(id)->trigger(); }
    QString current() { return tdm->valueTb().asText(u"Benamning"_s); }
    QString total() { return window->totalLabel()->text(); }
    PictureBox* pictureBox() { return qobject_cast<PictureBox*>(window->editControl(u"Bild"_s)); }
    QLabel* shownPicture() { return window->findChild<QLabel*>(u"panel_Bild"_s); }
    QString storedPicture(const QString& name) {
        return catalogue->scalar(u"Value.DB"_s,
                                 u"SELECT ifnull(nullif(hex(Bild), ''), 'none') FROM Value WHERE "
                                 "Benamning = '%1'"_s.arg(name));
    }
    // A picture file in the catalogue's folder.
    QString pictureFile(const QString& name, const QColor& colour, const char* format) {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = catalogue->file(name);
        image.save(path, format);
        return path;
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        dialogs.reset();
        run = RunState{};
        shell = test::FakeShell{};
        context = std::make_unique<AppContext>(AppContext{dialogs, *tdm, run, shell});
    }
    void cleanup() {
        delete window;
        HOARDLY_VERIFY_DIALOGS(dialogs);
        context.reset();
        tdm.reset();
        catalogue.reset();
    }

    void anEmptyInventoryShowsNothingWorth() {
        openWindow();
        QCOMPARE(window->windowTitle(), u"Home inventory"_s);
        QCOMPARE(total(), u"0 $"_s);
        QCOMPARE(window->page(), Page::Browse);
        dialogs.answer(Answer::Ok);
        trigger(u"edit"_s);
        dialogs.answer(Answer::Ok);
        trigger(u"delete"_s);
        dialogs.expectBox(0, BoxKind::Info, u"Empty register"_s, u"Not such a command!"_s);
        dialogs.expectBox(1, BoxKind::Info, u"Empty database"_s, u"Not such a command!"_s);
    }

    void theTotalFollowsEveryChange() {
        addObjects();
        openWindow();
        QCOMPARE(total(), u"1250 $"_s);
        QCOMPARE(current(), u"Clock"_s); // the opening moves back to the first object
        trigger(u"add"_s);
        QCOMPARE(window->page(), Page::Edit);
        QCOMPARE(QApplication::focusWidget(), window->editControl(u"Benamning"_s));
        QTest::keyClicks(window->editControl(u"Benamning"_s), u"Mirror"_s);
        dialogs.answer(Answer::Ok);
        QTest::keyClicks(window->editControl(u"Varderad till"_s), u"5x00"_s);
        dialogs.expectBox(0, BoxKind::Plain, u"Hoardly"_s, u"Only digits allowed in this field"_s);
        window->acceptRecord();
        QCOMPARE(total(), u"1750 $"_s);
        QVERIFY(run.dataChanged);
        QCOMPARE(current(), u"Mirror"_s);
        dialogs.answer(Answer::Yes);
        trigger(u"delete"_s);
        dialogs.expectLastBox(BoxKind::Question, u"Del record"_s,
                              u"This command will delete the record witn name [ Mirror ] . Are "
                              u"you sure?"_s);
        QCOMPARE(total(), u"1250 $"_s);
    }

    void aNameIsRequiredAndOkLeavesTheLastObjectCurrent() {
        addObjects();
        openWindow();
        tdm->valueTb().moveTo(2); // the third of five
        trigger(u"edit"_s);
        qobject_cast<QLineEdit*>(window->editControl(u"Benamning"_s))->clear();
        dialogs.answer(Answer::Ok);
        window->acceptRecord();
        dialogs.expectLastBox(BoxKind::Info, u"No name"_s, u"Name is required."_s);
        QCOMPARE(window->mode(), RegisterMode::Editing);
        QTest::keyClicks(window->editControl(u"Benamning"_s), u"Carpet"_s);
        window->acceptRecord();
        QCOMPARE(window->page(), Page::Browse);
        QCOMPARE(current(), u"Chair"_s);
        QCOMPARE(QApplication::focusWidget(), window->list());
    }

    // The date picker starts at the object's own date, so OK does not change a date nobody
    // touched; an object without one gets the day of the entry.
    void theDatePickerStartsAtTheObjectsDate() {
        addObjects();
        openWindow();
        trigger(u"edit"_s);
        auto* date = qobject_cast<QDateEdit*>(window->editControl(u"Inkopt_Datum"_s));
        QVERIFY(date->calendarPopup());
        QCOMPARE(date->date(), QDate(2001, 5, 17));
        window->acceptRecord();
        QCOMPARE(catalogue->scalar(u"Value.DB"_s,
                                   u"SELECT Inkopt_Datum FROM Value WHERE Benamning = 'Clock'"_s),
                 u"2001-05-17"_s);
    }

    // "&Pic" reads any picture Qt reads; only OK stores it, as a bitmap behind its header.
    void aChosenPictureIsStoredAtOkOnly() {
        addObjects();
        openWindow();
        trigger(u"edit"_s);
        dialogs.answerFile(pictureFile(u"red.png"_s, Qt::red, "PNG"));
        window->picButton()->click();
        QCOMPARE(dialogs.fileRequests().last().filter, pictureFileFilter());
        QVERIFY(dialogs.fileRequests().last().filter.startsWith(u"Bitmaps (*.bmp)"_s));
        QCOMPARE(pictureBox()->image().pixelColor(0, 0), QColor(Qt::red));
        window->cancelRecord();
        QCOMPARE(storedPicture(u"Clock"_s), u"none"_s);

        trigger(u"edit"_s);
        QVERIFY(pictureBox()->image().isNull());
        dialogs.answerFile(pictureFile(u"blue.bmp"_s, Qt::blue, "BMP"));
        window->picButton()->click();
        window->acceptRecord();
        const QByteArray stored = QByteArray::fromHex(storedPicture(u"Clock"_s).toLatin1());
        QVERIFY(hasPictureHeader(stored));
        QVERIFY(bitmapInPicture(stored).startsWith("BM"));
        QCOMPARE(pictureFromField(stored).pixelColor(0, 0), QColor(Qt::blue));
        tdm->valueTb().first();
        QCOMPARE(shownPicture()->pixmap().size(), QSize(8, 6));

        // Ctrl+X on the edit page empties the field at OK.
        trigger(u"edit"_s);
        pictureBox()->setFocus();
        QTest::keyClick(pictureBox(), Qt::Key_X, Qt::ControlModifier);
        window->acceptRecord();
        QCOMPARE(storedPicture(u"Clock"_s), u"none"_s);
    }

    void aPictureThatCannotBeReadChangesNothing() {
        addObjects();
        openWindow();
        trigger(u"edit"_s);
        dialogs.answerFile(pictureFile(u"green.bmp"_s, Qt::green, "BMP"));
        window->picButton()->click();
        QFile broken(catalogue->file(u"broken.png"_s));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("\x89PNG\r\n\x1a\nnot really a picture");
        broken.close();
        dialogs.answerFile(broken.fileName());
        dialogs.answer(Answer::Ok);
        window->picButton()->click();
        QCOMPARE(dialogs.lastBox().kind, BoxKind::ErrorBox);
        QVERIFY(dialogs.lastBox().text.contains(u"broken.png"_s));
        QCOMPARE(pictureBox()->image().pixelColor(0, 0), QColor(Qt::green));
        // A cancelled dialog changes nothing either.
        dialogs.answerFile(QString());
        window->picButton()->click();
        QCOMPARE(pictureBox()->image().pixelColor(0, 0), QColor(Qt::green));
        window->cancelRecord();
    }

    void aStoredPictureThatCannotBeDecodedShowsAnEmptyFrame() {
        catalogue->exec(u"Value.DB"_s, u"INSERT INTO Value (Benamning, Bild) VALUES "
                                       "('Odd', X'0100000108000000424DFFFFFFFF0000')"_s);
        openWindow();
        QVERIFY(shownPicture()->pixmap().isNull());
        trigger(u"edit"_s);
        QVERIFY(pictureBox()->image().isNull());
        window->cancelRecord();
    }

    void eachModeLeavesExactlyItsCommandsUsable() {
        addObjects();
        openWindow();
        const auto usable = [this] {
            return test::usableEntries(window, window->toolBar(), window->popupMenu());
        };
        QCOMPARE(usable().toolBar,
                 (QStringList{u"Back to main"_s, u"Print preview"_s, u"Print"_s, u"Add record"_s,
                              u"Edit record"_s, u"Del record"_s}));
        QCOMPARE(
            usable().menus,
            (QStringList{u"&File|Print preview"_s, u"&File|Print to file (HTML)"_s, u"&File|rint"_s,
                         u"&File|Back to maimmenu"_s, u"&Options|Turn music off"_s,
                         u"&Database functions|Add record"_s, u"&Database functions|Edit record"_s,
                         u"&Database functions|Del record"_s, u"&Help|Help"_s, u"&Help|About"_s}));
        QCOMPARE(usable().popup, (QStringList{u"Add record"_s, u"Edit record"_s, u"Del record"_s,
                                              u"Print preview"_s, u"Print"_s,
                                              u"Print to file (HTML)"_s, u"Back to main"_s}));
        // The tool bar's "Print" stays available during an entry.
        trigger(u"add"_s);
        QCOMPARE(usable().toolBar, QStringList{u"Print"_s});
        QCOMPARE(usable().menus,
                 (QStringList{u"&Options|Turn music off"_s, u"&Help|Help"_s, u"&Help|About"_s}));
        QCOMPARE(usable().popup, QStringList());
        window->cancelRecord();
        QCOMPARE(usable().toolBar.size(), 6);
    }
};

QTEST_MAIN(TestValueForm)
#include "test_value_form.moc"
