#include "FakeShell.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "data/PictureField.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "registers/RegisterWindow.h"
#include "ui/PictureBox.h"
#include "ui/WebLink.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

CommandSet recordCommands() {
    CommandSet set;
    set.commands = {
        registerCommand(cmd::close, u"Back to mainmenu"_s, u"Mainmenu"_s, u"Huvumenyn"_s),
        registerCommand(cmd::add, u"Add record"_s, u"Add record"_s, u"Lägg till ny post"_s),
        registerCommand(cmd::edit, u"Edit record"_s, u"Edit record"_s, u"Editera post"_s),
        registerCommand(cmd::remove, u"Delete record"_s, u"Del record"_s, u"Ta bort post"_s),
    };
    set.menus = {{u"database"_s, u"Database"_s, {cmd::add, cmd::edit, cmd::remove}}};
    set.toolBar = {cmd::close, cmd::add, cmd::edit, cmd::remove};
    set.popup = {cmd::add, cmd::edit, cmd::remove, u"|"_s, cmd::close};
    set.lock.toolBar = set.toolBar;
    set.lock.menus = {u"database"_s};
    set.lock.popup = set.popup;
    return set;
}

// Two pages over the software table: a web link, a read-only check, a radio group.
RegisterDescription softwareLike() {
    RegisterDescription d;
    d.table = &schema::data();
    d.nameField = u"Namn"_s;
    d.heading = {u"Software"_s, u"Namn"_s, HeadingTrigger::ListClick | HeadingTrigger::Navigator};
    d.browse.name = u"Data"_s;
    d.browse.picture = Picture::Software;
    d.browse.listColumns = {{u"Namn"_s, u"Title"_s}};
    d.browse.panel = {PanelField(u"Manufacturer"_s, {u"Producent"_s}),
                      PanelField(u"Web"_s, {u"Web"_s}, PanelKind::Link),
                      PanelField(u"Registered"_s, {u"Registrerad"_s}, PanelKind::Check)};
    d.browse.navigator = Navigator::moves();
    d.editPage = u"Nytt program"_s;
    d.editFields = {
        EditField(u"Title/Name*"_s, u"Namn"_s),
        EditField(u"Type"_s, u"Typ"_s, EditKind::Radio)
            .listing({u"Commercial"_s, u"Shareware"_s, u"Freeware"_s, u"Demo"_s}),
        EditField(u"Registered"_s, u"Registrerad"_s, EditKind::Check),
        EditField(u"Price"_s, u"Pris"_s).limited(5).digits(),
    };
    d.entryFocus = u"Namn"_s;
    d.checks = {
        EntryCheck::required(u"Namn"_s, u"Title/Name is required"_s, u"Title/name missing"_s)};
    d.commands = recordCommands();
    d.editEmpty = {u"Sorry. There are no records in the database"_s, u"Empty"_s};
    d.deleteEmpty = {u"Not such command. Empty database"_s, u"Empty as my wallet"_s};
    d.deleteQuestion = {u"Record with name [ %1 ] will be lost. Are you sure?"_s,
                        u"Delete a record"_s};
    return d;
}

// Two pages over the home inventory: a date picker and a picture, neither bound.
RegisterDescription inventoryLike() {
    RegisterDescription d = softwareLike();
    d.table = &schema::value();
    d.nameField = u"Benamning"_s;
    d.heading = {u"Home inventory"_s, u"Benamning"_s, {}};
    d.browse.name = u"Vardesaker"_s;
    d.browse.listColumns = {{u"Benamning"_s, u"Name"_s}};
    d.browse.panel = {PanelField(u"Date in You hand"_s, {u"Inkopt_Datum"_s}),
                      PanelField(u"Picture"_s, {u"Bild"_s}, PanelKind::Picture)};
    d.editPage = u"Ny"_s;
    d.editFields = {EditField(u"Namn*"_s, u"Benamning"_s),
                    EditField(u"Date in to Your hand"_s, u"Inkopt_Datum"_s, EditKind::Date),
                    EditField(u"Picture"_s, u"Bild"_s, EditKind::Picture)};
    d.entryFocus = u"Benamning"_s;
    d.checks = {EntryCheck::required(u"Benamning"_s, u"Name is required."_s, u"No name"_s)};
    return d;
}

QImage filled(const QColor& colour, const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

// The register window model beyond the film window and the address book: the kinds of
// controls and the places the coming registers need.
class TestRegisterWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;
    test::ScriptedDialogs dialogs;
    RunState run;
    test::FakeShell shell;
    std::unique_ptr<AppContext> context;
    QPointer<RegisterWindow> window;

    RegisterWindow* open(RegisterDescription description) {
        window = new RegisterWindow(*context, std::move(description));
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("the window did not become active");
        return window;
    }
    QString stored(const QString& file, const QString& sql) { return catalogue->scalar(file, sql); }
    QRadioButton* radio(const QString& word) {
        return window->editControl(u"Typ"_s)->findChild<QRadioButton*>(u"radio_"_s + word);
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        tdm->standardTb().open();
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

    void aRegisterHasOnlyThePagesItDescribes() {
        open(softwareLike());
        const auto* pages = window->findChild<QStackedWidget*>(u"pages"_s);
        QCOMPARE(pages->count(), 2);
        QCOMPARE(pages->widget(0)->objectName(), u"Data"_s);
        QCOMPARE(pages->widget(1)->objectName(), u"Nytt program"_s);
        QVERIFY(!window->masterGrid());
        QVERIFY(!window->findBox());
        QVERIFY(!window->searchPage());
        QCOMPARE(window->heading()->text(), u"Software"_s);
        // Without those pages their modes are not reached.
        window->showMasterList();
        window->showSearchPage();
        QCOMPARE(window->mode(), RegisterMode::Browsing);
    }

    void theWebLinkOpensTheRecordsAddress() {
        catalogue->exec(u"data.DB"_s,
                        u"INSERT INTO Data (Namn, Web, Registrerad) VALUES "
                        "('Editor', 'https://editor.example', 1), ('Game', NULL, 0)"_s);
        open(softwareLike());
        auto* link = window->findChild<WebLink*>(u"panel_Web"_s);
        QCOMPARE(link->text(), u"https://editor.example"_s);
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(shell.linksOpened, QStringList{u"https://editor.example"_s});
        QVERIFY(link->wasOpened());
        window->navigator()->press(NavButton::Next);
        QCOMPARE(window->heading()->text(), u"Game"_s);
        QCOMPARE(link->text(), QString()); // no address, no link
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(shell.linksOpened.size(), 1);
    }

    void theReadOnlyCheckShowsTheFieldAndChangesNothing() {
        catalogue->exec(
            u"data.DB"_s,
            u"INSERT INTO Data (Namn, Registrerad) VALUES ('Editor', 1), ('Game', NULL)"_s);
        open(softwareLike());
        auto* check = window->findChild<QCheckBox*>(u"panel_Registrerad"_s);
        QVERIFY(check->isChecked());
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(check->isChecked());
        QCOMPARE(tdm->dataTb().state(), TableState::Browse);
        tdm->dataTb().next();
        QVERIFY(!check->isChecked()); // no value reads as not registered
    }

    void theRadioGroupWritesTheChosenWordAtOk() {
        open(softwareLike());
        window->addRecord();
        QCOMPARE(window->page(), RegisterWindow::Page::Edit);
        QTest::keyClicks(window->editControl(u"Namn"_s), u"Editor"_s);
        radio(u"Shareware"_s)->click();
        qobject_cast<QCheckBox*>(window->editControl(u"Registrerad"_s))->setChecked(true);
        window->okButton()->click();
        QCOMPARE(stored(u"data.DB"_s, u"SELECT Typ || '/' || Registrerad FROM Data"_s),
                 u"Shareware/1"_s);

        // Editing shows the record's own choice; none chosen keeps what the record holds.
        catalogue->exec(u"data.DB"_s, u"INSERT INTO Data (Namn, Typ) VALUES ('Zork', 'Demo')"_s);
        tdm->dataTb().refresh();
        tdm->dataTb().last();
        window->editRecord();
        QVERIFY(radio(u"Demo"_s)->isChecked());
        QVERIFY(!radio(u"Shareware"_s)->isChecked());
        window->okButton()->click();
        QCOMPARE(stored(u"data.DB"_s, u"SELECT Typ FROM Data WHERE Namn = 'Zork'"_s), u"Demo"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theDateAndThePictureAreWrittenAtOkOnly() {
        open(inventoryLike());
        window->addRecord();
        auto* date = qobject_cast<QDateEdit*>(window->editControl(u"Inkopt_Datum"_s));
        auto* picture = qobject_cast<PictureBox*>(window->editControl(u"Bild"_s));
        QCOMPARE(date->date(), QDate::currentDate());
        QVERIFY(picture->image().isNull());
        QTest::keyClicks(window->editControl(u"Benamning"_s), u"Vase"_s);
        date->setDate(QDate(2021, 5, 4));
        QGuiApplication::clipboard()->setImage(filled(Qt::red, {8, 6}));
        picture->setFocus();
        QTest::keyClick(picture, Qt::Key_Insert, Qt::ShiftModifier); // the box's paste
        QCOMPARE(window->mode(), RegisterMode::Adding);
        QVERIFY(!picture->image().isNull());
        window->okButton()->click();
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QCOMPARE(stored(u"Value.DB"_s, u"SELECT Inkopt_Datum FROM Value"_s), u"2021-05-04"_s);
        QCOMPARE(stored(u"Value.DB"_s, u"SELECT hex(substr(Bild, 1, 4)) FROM Value"_s),
                 u"01000001"_s);
        auto* shown = window->findChild<QLabel*>(u"panel_Bild"_s);
        QCOMPARE(shown->pixmap().size(), QSize(8, 6));

        // An edit starts from the record's own date and picture; Cancel leaves both.
        const QString pictureLength = stored(u"Value.DB"_s, u"SELECT length(Bild) FROM Value"_s);
        window->editRecord();
        QCOMPARE(date->date(), QDate(2021, 5, 4));
        QCOMPARE(picture->image().size(), QSize(8, 6));
        date->setDate(QDate(2022, 1, 1));
        picture->setFocus();
        QTest::keyClick(picture, Qt::Key_X, Qt::ControlModifier);
        window->cancelButton()->click();
        QCOMPARE(stored(u"Value.DB"_s, u"SELECT Inkopt_Datum || '/' || length(Bild) FROM Value"_s),
                 u"2021-05-04/"_s + pictureLength);
        // Removing the picture and OK empties the field.
        window->editRecord();
        picture->setFocus();
        QTest::keyClick(picture, Qt::Key_Delete, Qt::ShiftModifier);
        window->okButton()->click();
        QCOMPARE(stored(u"Value.DB"_s, u"SELECT coalesce(length(Bild), 'none') FROM Value"_s),
                 u"none"_s);
        QVERIFY(shown->pixmap().isNull());
    }

    void aRegisterPutsItsOwnControlsIntoThePlacesOfThePages() {
        open(inventoryLike());
        auto* total = new QLabel(u"0 $"_s);
        auto* songs = new QLabel(u"No songs added"_s);
        auto* pic = new QPushButton(u"&Pic"_s);
        auto* detail = new QPushButton(u"Detail"_s);
        window->addToPage(PagePlace::BelowPanel, total);
        window->addToPage(PagePlace::BelowList, songs, true);
        window->addToPage(PagePlace::EditSide, pic);
        window->addToPage(PagePlace::EditSide, detail);
        window->nameControl(u"detail"_s, detail);
        window->controller().hooks().rules = [](RegisterMode mode, DerivedState& state) {
            state.own[u"detail"_s] = mode == RegisterMode::Editing;
        };
        const auto* pages = window->findChild<QStackedWidget*>(u"pages"_s);
        QVERIFY(pages->widget(0)->isAncestorOf(total));
        QVERIFY(pages->widget(0)->isAncestorOf(songs));
        QVERIFY(pages->widget(1)->isAncestorOf(pic));
        QVERIFY(total->isVisible() && songs->isVisible() && !pic->isVisible());
        window->addRecord();
        QVERIFY(pic->isVisible() && !total->isVisible());
        QVERIFY(!songs->isEnabled()); // a browsing control, as the navigator is
        QVERIFY(!detail->isEnabled());
        window->cancelRecord();
        QVERIFY(songs->isEnabled());
        catalogue->exec(u"Value.DB"_s, u"INSERT INTO Value (Benamning) VALUES ('Vase')"_s);
        tdm->valueTb().refresh();
        window->editRecord();
        QVERIFY(detail->isEnabled());
        window->cancelRecord();
        QVERIFY(!detail->isEnabled());
    }
};

QTEST_MAIN(TestRegisterWindow)
#include "test_register_window.moc"
