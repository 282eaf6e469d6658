#include "TempCatalogue.h"
#include "data/Errors.h"
#include "data/Schema.h"
#include "data/SharedRoutines.h"
#include "data/Sqlite.h"
#include "data/StarterData.h"
#include "data/Table.h"
#include "data/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestSharedRoutines : public QObject {
    Q_OBJECT

    void writeCaptions(const test::TempCatalogue& catalogue, const QString& text) {
        writeTextFile(captionFilePath(catalogue.path()), text);
    }

private slots:
    void captionFallsBackWhenTheFileIsMissingOrHasNoLine() {
        test::TempCatalogue catalogue;
        QFile::remove(captionFilePath(catalogue.path()));
        QCOMPARE(randomCaptionText(catalogue.path()), u"Hoardly"_s);
        writeCaptions(catalogue, u"\n\n\r\n\n"_s);
        QCOMPARE(randomCaptionText(catalogue.path()), u"Hoardly"_s);
    }

    void captionDrawsOnlyNonEmptyLinesAmongTheFirst2181() {
        test::TempCatalogue catalogue;
        QStringList lines(2181);
        lines[4] = u"Fifth line"_s;
        lines[2180] = u"Last drawable"_s;
        lines << u"Beyond the limit"_s;
        writeCaptions(catalogue, lines.join(u'\n'));
        QRandomGenerator random(42);
        QSet<QString> seen;
        for (int i = 0; i < 200; ++i)
            seen << randomCaptionText(catalogue.path(), random);
        QCOMPARE(seen, (QSet<QString>{u"Fifth line"_s, u"Last drawable"_s}));
    }

    void captionReadsOldSingleByteFiles() {
        test::TempCatalogue catalogue;
        QFile file(captionFilePath(catalogue.path()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Sm\xe5 filmer\n"); // Windows-1252
        file.close();
        QCOMPARE(randomCaptionText(catalogue.path()), u"Små filmer"_s);
    }

    void keyFiltersAndLastCharacter() {
        for (QChar c : u"0123456789\b\r"_s)
            QVERIFY(isDigitsOnlyKey(c));
        for (QChar c : u"a-+ .å"_s)
            QVERIFY(!isDigitsOnlyKey(c));
        QVERIFY(isPhoneDigitsKey(u'-'));
        QVERIFY(isPhoneDigitsKey(u'\r'));
        QVERIFY(!isPhoneDigitsKey(u'+'));
        QCOMPARE(lastCharacter(u"/home/hoardly/"_s), u"/"_s);
        QCOMPARE(lastCharacter(u"x"_s), u"x"_s);
        QCOMPARE(lastCharacter(QString()), QString());
    }

    void isObjectLentComparesOnlyTheObjectExactly() {
        test::TempCatalogue catalogue;
        catalogue.exec(u"borrow.db"_s,
                       u"INSERT INTO Borrow (Objektyp, Objekt) VALUES ('Literatur', 'Dune')"_s);
        Connection connection;
        Table borrow(connection, schema::borrow());
        borrow.setDirectory(catalogue.path());
        QVERIFY(isObjectLent(borrow, u"Dune"_s)); // opens the closed register
        QVERIFY(borrow.isOpen());
        QCOMPARE(borrow.asText(u"Objektyp"_s), u"Literatur"_s);
        QVERIFY(!isObjectLent(borrow, u"dune"_s));
        QVERIFY(!isObjectLent(borrow, u"Dun"_s));
        borrow.close();
    }

    void starterCatalogueHasItsRowsAndNeverReplacesAFile() {
        test::TempCatalogue catalogue;
        QCOMPARE(catalogue.scalar(u"Config.db"_s,
                                  u"SELECT AppPathChecked || First_time || Soundcard || Backup "
                                  "|| Mailport FROM Config"_s),
                 u"011025"_s);
        QCOMPARE(catalogue.scalar(u"Config.db"_s, u"SELECT count(*) FROM Config"_s), u"1"_s);
        QCOMPARE(catalogue.scalar(u"Standard.db"_s, u"SELECT count(Kritik) FROM Standard"_s),
                 QString::number(starterFilmRates().size()));
        for (const TableSchema* table : schema::all())
            QVERIFY2(QFile::exists(catalogue.file(table->fileName)), qPrintable(table->fileName));
        QVERIFY(QFile::exists(catalogue.file(u"midi/first.mid"_s)));
        QVERIFY(QFile(catalogue.file(u"midi/test.wav"_s)).size() > 1000);

        catalogue.exec(u"film.DB"_s, u"INSERT INTO Film (Titel) VALUES ('Mine')"_s);
        QFile::remove(catalogue.file(u"midi/test.wav"_s));
        const QStringList copied =
            installStarterFiles(QString::fromUtf8(HOARDLY_STARTER_DIR), catalogue.path());
        QCOMPARE(copied, QStringList{u"midi/test.wav"_s});
        QCOMPARE(catalogue.scalar(u"film.DB"_s, u"SELECT Titel FROM Film"_s), u"Mine"_s);
        QVERIFY_THROWS_EXCEPTION(StoreError, createTableFile(catalogue.path(), schema::film()));
    }
};

QTEST_GUILESS_MAIN(TestSharedRoutines)
#include "test_shared_routines.moc"
