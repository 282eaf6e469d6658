#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "data/GridModels.h"
#include "data/TDM.h"
#include "ui/BoundControls.h"
#include "ui/KeyFilters.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestBoundControls : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    Table& films() { return tdm->filmTb(); }
    DataSource& filmSource() { return tdm->source(schema::film()); }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel, Utlanad) VALUES "
                                      "(1, 'Alien', 1), (2, 'Brazil', 0), (3, 'Casablanca', 0)"_s);
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        films().selectIndex(u"Nummer"_s);
        films().open();
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void everyControlFollowsTheOnePosition() {
        QWidget window;
        auto* title = new QLabel(&window);
        auto* edit = new QLineEdit(&window);
        auto* lent = new QCheckBox(&window);
        auto* grid = new QTableView(&window);
        LabelBinding titleBinding(filmSource(), u"Titel"_s, title);
        LineEditBinding editBinding(filmSource(), u"titel"_s, edit);
        CheckBinding lentBinding(filmSource(), u"Utlanad"_s, lent);
        TableGridModel model(filmSource(), {{u"Index"_s, u"Index"_s}, {u"Titel"_s, u"Title"_s}},
                             false);
        GridBinding gridBinding(model, grid);
        QCOMPARE(title->text(), u"Alien"_s);
        QVERIFY(lent->isChecked());
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.data(model.index(2, 1), Qt::DisplayRole).toString(), u"Casablanca"_s);

        // A second table object's move (another window's list) is seen by all controls.
        grid->setCurrentIndex(model.index(1, 1));
        QCOMPARE(films().position(), 1);
        QCOMPARE(title->text(), u"Brazil"_s);
        QCOMPARE(edit->text(), u"Brazil"_s);
        QVERIFY(!lent->isChecked());
        films().last();
        QCOMPARE(grid->currentIndex().row(), 2);
        QCOMPARE(title->text(), u"Casablanca"_s);

        films().close();
        QCOMPARE(title->text(), QString());
        QCOMPARE(model.rowCount(), 0);
    }

    void typingStartsAnEditUnlessTheSourceSaysNo() {
        QWidget window;
        auto* edit = new QLineEdit(&window);
        auto* memo = new QPlainTextEdit(&window);
        LineEditBinding editBinding(filmSource(), u"Titel"_s, edit);
        MemoBinding memoBinding(filmSource(), u"Kommentar"_s, memo);
        QCOMPARE(edit->maxLength(), 100);
        edit->setFocus();
        QTest::keyClicks(edit, u"s"_s);
        QCOMPARE(films().state(), TableState::Edit);
        QCOMPARE(films().asText(u"Titel"_s), u"Aliens"_s);
        films().post();
        QCOMPARE(catalogue->scalar(u"film.DB"_s, u"SELECT Titel FROM Film WHERE \"Index\" = 1"_s),
                 u"Aliens"_s);

        // The memo refuses what goes past the field's 240 characters.
        memo->setPlainText(QString(250, u'm'));
        QCOMPARE(memo->toPlainText().size(), 240);
        QCOMPARE(films().asText(u"Kommentar"_s).size(), 240);
        films().cancel();

        filmSource().setAutoEdit(false);
        QTest::keyClicks(edit, u"x"_s);
        QCOMPARE(films().state(), TableState::Browse);
        QCOMPARE(edit->text(), u"Aliens"_s);
    }

    void aReadOnlyBoxShowsTheStartOfALongValue() {
        const QString title = u"Brazil, or the long and winding road of "_s + QString(40, u'x');
        catalogue->exec(u"film.DB"_s,
                        u"UPDATE Film SET Titel = '%1' WHERE \"Index\" = 2"_s.arg(title));
        films().refresh();
        QWidget window;
        auto* edit = new QLineEdit(&window);
        edit->setReadOnly(true);
        edit->setFixedWidth(100);
        LineEditBinding binding(filmSource(), u"Titel"_s, edit);
        window.show();
        films().next();
        QCOMPARE(edit->text(), title);
        QCOMPARE(edit->cursorPosition(), 0);
        // Made editable, the caret goes after the text, where typing goes on; read-only
        // again, the box shows the start once more.
        edit->setReadOnly(false);
        QCOMPARE(edit->cursorPosition(), title.size());
        edit->setReadOnly(true);
        QCOMPARE(edit->cursorPosition(), 0);
    }

    void editableGridPostsWhenTheUserLeavesTheRow() {
        QTableView grid;
        TableGridModel model(filmSource(), {{u"Index"_s, u"Index"_s}, {u"Titel"_s, u"Title"_s}},
                             true);
        GridBinding binding(model, &grid);
        QVERIFY(model.setData(model.index(0, 1), u"Alien 2"_s, Qt::EditRole));
        QCOMPARE(films().state(), TableState::Edit);
        QCOMPARE(catalogue->scalar(u"film.DB"_s, u"SELECT Titel FROM Film WHERE \"Index\" = 1"_s),
                 u"Alien"_s);
        grid.setCurrentIndex(model.index(2, 1));
        QCOMPARE(films().state(), TableState::Browse);
        QCOMPARE(catalogue->scalar(u"film.DB"_s, u"SELECT Titel FROM Film WHERE \"Index\" = 1"_s),
                 u"Alien 2"_s);

        // A letter in a number cell is refused with the store's text.
        QSignalSpy failed(&model, &TableGridModel::writeFailed);
        QVERIFY(!model.setData(model.index(2, 0), u"x"_s, Qt::EditRole));
        QCOMPARE(failed.count(), 1);

        // Adding shows the new record as one more row until it is posted or dropped.
        films().append();
        QCOMPARE(model.rowCount(), 4);
        QVERIFY(model.setData(model.index(3, 1), u"Dune"_s, Qt::EditRole));
        films().cancel();
        QCOMPARE(model.rowCount(), 3);
    }

    void startingAnEditKeepsTheOpenCellEditor() {
        QTableView grid;
        TableGridModel model(filmSource(), {{u"Titel"_s, u"Title"_s}}, true);
        GridBinding binding(model, &grid);
        grid.show();
        const QModelIndex cell = model.index(0, 0);
        grid.setCurrentIndex(cell);
        grid.edit(cell);
        QVERIFY(grid.indexWidget(cell));
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        films().edit(); // what committing the cell does first
        QCOMPARE(resets.count(), 0);
        QVERIFY(grid.indexWidget(cell));
        QCOMPARE(films().state(), TableState::Edit);
        films().post();
        QCOMPARE(resets.count(), 0);
        films().close();
        QVERIFY(resets.count() > 0);
        QCOMPARE(model.rowCount(), 0);
    }

    void digitsFilterRefusesLettersWithOneMessageEach() {
        test::ScriptedDialogs dialogs;
        QLineEdit edit;
        DigitsFilter filter(dialogs, KeyFilterKind::DigitsOnly, &edit);
        dialogs.answer(Answer::Ok);
        dialogs.answer(Answer::Ok);
        QTest::keyClicks(&edit, u"1a2-"_s);
        QCOMPARE(edit.text(), u"12"_s);
        QCOMPARE(dialogs.boxes().size(), 2);
        dialogs.expectLastBox(BoxKind::Plain, u"Hoardly"_s, u"Only digits allowed in this field"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);

        QLineEdit phone;
        DigitsFilter phoneFilter(dialogs, KeyFilterKind::PhoneDigits, &phone);
        QTest::keyClicks(&phone, u"08-123"_s);
        QCOMPARE(phone.text(), u"08-123"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void enterMovesToTheNextControlEvenFromADigitsBox() {
        test::ScriptedDialogs dialogs;
        QWidget window;
        auto* first = new QLineEdit(&window);
        auto* second = new QPlainTextEdit(&window);
        auto* third = new QLineEdit(&window);
        QWidget::setTabOrder(first, second);
        QWidget::setTabOrder(second, third);
        DigitsFilter filter(dialogs, KeyFilterKind::DigitsOnly, first);
        EnterAsTab keys(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());
        QTest::keyClick(first, Qt::Key_Return);
        QVERIFY(second->hasFocus());
        QTest::keyClick(second, Qt::Key_Return); // never a new line in a memo
        QVERIFY(third->hasFocus());
        QCOMPARE(second->toPlainText(), QString());
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }
};

QTEST_MAIN(TestBoundControls)
#include "test_bound_controls.moc"
