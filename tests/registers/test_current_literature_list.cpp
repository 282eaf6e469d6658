#include "LiteratureData.h"
#include "TempCatalogue.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "registers/CurrentLiteratureList.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::literature;

namespace {

const QDate kToday(2024, 3, 5);
const QByteArray kSeparator(40, '*');

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The opening lines the list starts with on the test's day.
QByteArray opening() {
    return "Current literature " + dateToText(kToday).toUtf8() +
           "\r\nEvery book separated with a '*'\r\n\r\n\r\n" + kSeparator + "\r\n";
}

// The running numbers and titles of a written list, in file order.
QStringList numberedTitles(const QByteArray& bytes) {
    const QList<QByteArray> lines = bytes.split('\n');
    QStringList found;
    // Book n's number stands on line 5 + 6 (n - 1), counting from 0; its title two lines on.
    for (qsizetype line = 5; line + 2 < lines.size(); line += 6)
        found << QString::fromUtf8(lines[line].chopped(1)) + u' ' +
                     QString::fromUtf8(lines[line + 2].chopped(1));
    return found;
}

} // namespace

class TestCurrentLiteratureList : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;
    QString target;

    Table& openBooks(const QString& index) {
        Table& table = tdm->bokTb();
        table.selectIndex(index);
        table.open();
        return table;
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        test::addBooks(*catalogue);
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        target = QDir(catalogue->path()).filePath(u"Literature.html"_s);
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void threeBooksOneWithoutAuthorByteForByte() {
        const QList<ListedBook> three{{u"Dune"_s, u"Frank Herbert"_s, u"Sci-Fi"_s},
                                      {u"Anonymous Verses"_s, {}, u"Poetry"_s},
                                      {u"Röda rummet"_s, u"August Strindberg"_s, {}}};
        const QByteArray expected =
            opening() + "1\r\n\r\nDune\r\nFrank Herbert\r\nSci-Fi\r\n" + kSeparator + "\r\n" +
            "2\r\n\r\nAnonymous Verses\r\n\r\nPoetry\r\n" + kSeparator + "\r\n" +
            "3\r\n\r\nR\xc3\xb6"
            "da rummet\r\nAugust Strindberg\r\n\r\n" +
            kSeparator + "\r\n";
        QCOMPARE(currentLiteratureText(kToday, three).toUtf8(), expected);
        QVERIFY(opening().startsWith("Current literature ") &&
                dateToText(kToday).contains(u"2024"_s));
    }

    void anEmptyListHoldsTheOpeningLinesAlone() {
        QCOMPARE(currentLiteratureText(kToday, {}).toUtf8(), opening());
    }

    void theTableIsWrittenInItsCurrentOrder() {
        Table& byIndex = openBooks(u"Index_Sec"_s);
        writeCurrentLiteratureList(byIndex, target, kToday);
        QCOMPARE(
            numberedTitles(readBytes(target)),
            (QStringList{u"1 Dune"_s, u"2 Children of Dune"_s, u"3 Röda rummet"_s,
                         u"4 Anonymous Verses"_s, u"5 At Swim-Two-Birds"_s, u"6 Hemsöborna"_s}));
        byIndex.selectIndex(u"Titel_Sec"_s);
        byIndex.moveTo(3);
        writeCurrentLiteratureList(byIndex, target, kToday);
        const QByteArray bytes = readBytes(target);
        QCOMPARE(
            numberedTitles(bytes),
            (QStringList{u"1 Anonymous Verses"_s, u"2 At Swim-Two-Birds"_s, u"3 Children of Dune"_s,
                         u"4 Dune"_s, u"5 Hemsöborna"_s, u"6 Röda rummet"_s}));
        QCOMPARE(byIndex.position(), 3); // read without moving the list
        // The book without an author has an empty author line; the last line is a separator.
        QVERIFY(bytes.contains("1\r\n\r\nAnonymous Verses\r\n\r\nPoetry\r\n"));
        const QByteArray lastTwo = "\r\n5\r\n\r\nHems\xc3\xb6"
                                   "borna\r\naugust strindberg\r\nDrama\r\n" +
                                   kSeparator +
                                   "\r\n6\r\n\r\nR\xc3\xb6"
                                   "da rummet\r\nAugust Strindberg\r\nNovel\r\n" +
                                   kSeparator + "\r\n";
        QVERIFY(bytes.endsWith(lastTwo));
        QCOMPARE(bytes.count("\r\n"), 5 + 6 * 6);
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n")); // no bare line feed anywhere
    }

    void anEarlierFileIsReplacedWhole() {
        writeBytes(target, QByteArray(100000, 'x'));
        writeCurrentLiteratureList(openBooks(u"Index_Sec"_s), target, kToday);
        const QByteArray bytes = readBytes(target);
        QVERIFY(bytes.startsWith(opening()));
        QVERIFY(!bytes.contains('x'));
        // Nothing of the temporary file is left beside it.
        const QStringList beside =
            QDir(catalogue->path()).entryList({u"Literature*"_s}, QDir::Files | QDir::Hidden);
        QCOMPARE(beside, QStringList{u"Literature.html"_s});
    }

    void aFileThatCannotBeWrittenIsNamedAndNothingIsLeft() {
        Table& books = openBooks(u"Index_Sec"_s);
        const QString missing =
            QDir(catalogue->path()).filePath(u"no such folder/Literature.html"_s);
        try {
            writeCurrentLiteratureList(books, missing, kToday);
            QFAIL("the write into a missing folder succeeded");
        } catch (const FileError& error) {
            QVERIFY2(error.text().contains(QDir::toNativeSeparators(missing)),
                     qPrintable(error.text()));
            QVERIFY(error.text().contains(u"write the list again"_s));
        }
        // A folder of the chosen name is not a file to write; it keeps what it holds.
        QVERIFY(QDir(catalogue->path()).mkdir(u"Literature.html"_s));
        writeBytes(QDir(target).filePath(u"inside.txt"_s), "kept");
        QVERIFY_THROWS_EXCEPTION(FileError, writeCurrentLiteratureList(books, target, kToday));
        QCOMPARE(readBytes(QDir(target).filePath(u"inside.txt"_s)), QByteArray("kept"));
    }

    void aTableThatCannotBeReadLeavesTheEarlierList() {
        writeBytes(target, "the earlier list");
        catalogue->exec(u"bok.DB"_s, u"ALTER TABLE Bok DROP COLUMN Category"_s);
        QVERIFY_THROWS_EXCEPTION(StoreError,
                                 writeCurrentLiteratureList(openBooks({}), target, kToday));
        QCOMPARE(readBytes(target), QByteArray("the earlier list"));
    }
};

QTEST_GUILESS_MAIN(TestCurrentLiteratureList)
#include "test_current_literature_list.moc"
