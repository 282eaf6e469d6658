// Every walk the program makes over a whole table reads it with one statement, however many
// records it holds (and those that end on the last record, as a walk with first and next
// does, one more to read that record): the reminder scan, the search page's column lists, the pick
// lists, the inventory's total, the current-literature list and the code store's pass.
#include "StatementCounter.h"
#include "TempCatalogue.h"
#include "data/TDM.h"
#include "lending/ReminderScan.h"
#include "registers/CurrentLiteratureList.h"
#include "registers/Inventory.h"
#include "registers/RegisterLogic.h"
#include "registers/SearchCriteria.h"
#include "security/CodeStorePass.h"

#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;
using namespace hoardly;

using Walk = std::function<int(TDM&)>; // answers how many records it met
Q_DECLARE_METATYPE(Walk)

class TestWalks : public QObject {
    Q_OBJECT

    static constexpr int kRecords = 40;

    // kRecords rows of the file's table, each given by `row(i)` as a VALUES tuple.
    static void fill(test::TempCatalogue& catalogue, const QString& file, const QString& into,
                     const std::function<QString(int)>& row) {
        QStringList rows;
        for (int i = 1; i <= kRecords; ++i)
            rows << row(i);
        catalogue.exec(file, u"INSERT INTO "_s + into + u" VALUES "_s + rows.join(u", "_s));
    }

private slots:
    void aWalkIsOneStatement_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("into");
        QTest::addColumn<QString>("row");
        QTest::addColumn<Walk>("walk");
        QTest::addColumn<int>("statements");
        QTest::newRow("reminder scan")
            << u"borrow.db"_s << u"Borrow (Objektyp, Objekt, \"Utlanad datum\", Send_mail)"_s
            << u"('Film', 'Film %1', '2024-01-01', 1)"_s << Walk([](TDM& tdm) {
                   return int(findDueReminders(tdm.borrowTb(), QDate(2024, 3, 9)).due.size());
               })
            << 2;
        QTest::newRow("search page, a register's column")
            << u"film.DB"_s << u"Film (\"Index\", Titel, Regi)"_s << u"(%1, 'Film %1', 'Lynch')"_s
            << Walk([](TDM& tdm) {
                   return int(
                       search::sourceEntries(
                           tdm,
                           {search::SourceKind::RegisterColumn, &schema::film(), u"Regi"_s, {}})
                           .size());
               })
            << 2;
        QTest::newRow("pick list")
            << u"Standard.db"_s << u"Standard (Aktor)"_s << u"('Actor %1')"_s << Walk([](TDM& tdm) {
                   return int(rememberedValues(tdm.standardTb(), u"Aktor"_s, 0).size());
               })
            << 1;
        QTest::newRow("inventory total")
            << u"Value.DB"_s << u"Value (Benamning, \"Varderad till\")"_s << u"('Chair', 1)"_s
            << Walk([](TDM& tdm) { return int(inventory::estimatedTotal(tdm.valueTb())); }) << 1;
        QTest::newRow("current-literature list")
            << u"bok.DB"_s << u"Bok (Titel, Author)"_s << u"('Book %1', 'Author %1')"_s
            << Walk([](TDM& tdm) { return int(literature::booksInOrder(tdm.bokTb()).size()); })
            << 1;
        QTest::newRow("code store pass")
            << u"kod.db"_s << u"Kod (Mottagare, Kod)"_s << u"('Bank %1', '1234')"_s
            << Walk([](TDM& tdm) {
                   CodeStorePass pass(tdm, ScrambleDirection::Scramble);
                   return pass.prepare() ? -1 : pass.recordCount();
               })
            << 1;
    }
    void aWalkIsOneStatement() {
        QFETCH(QString, file);
        QFETCH(QString, into);
        QFETCH(QString, row);
        QFETCH(Walk, walk);
        QFETCH(int, statements);
        test::TempCatalogue catalogue;
        fill(catalogue, file, into, [&](int i) { return row.arg(i); });
        TDM tdm;
        tdm.setDirectoryOfClosed(catalogue.path());
        for (const TableSchema* schema : schema::all()) {
            if (schema->fileName == file)
                tdm.table(*schema).open();
        }
        test::StatementCounter counter(tdm.connection().handle());
        QCOMPARE(walk(tdm), kRecords);
        QCOMPARE(counter.count, statements);
    }
};

QTEST_GUILESS_MAIN(TestWalks)
#include "test_walks.moc"
