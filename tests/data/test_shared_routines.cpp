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
    void writeCaptionBytes(const test::TempCatalogue& catalogue, const QByteArray& bytes) {
        QFile file(captionFilePath(catalogue.path()));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    // Every caption that the draws give (each candidate of a small file shows among them).
    QSet<QString> drawnCaptions(const test::TempCatalogue& catalogue, int draws = 300) {
        QRandomGenerator random(3);
        QSet<QString> seen;
        for (int i = 0; i < draws; ++i)
            seen << randomCaptionText(catalogue.path(), random);
        return seen;
    }
    static QByteArray utf16(const QString& text, QSysInfo::Endian order) {
        QByteArray bytes =
            order == QSysInfo::LittleEndian ? QByteArray("\xff\xfe", 2) : QByteArray("\xfe\xff", 2);
        for (QChar c : text) {
            const char high = char(c.unicode() >> 8);
            const char low = char(c.unicode() & 0xff);
            bytes.append(order == QSysInfo::LittleEndian ? low : high);
            bytes.append(order == QSysInfo::LittleEndian ? high : low);
        }
        return bytes;
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

    void captionsOfUtf16FilesAreDecoded() {
        test::TempCatalogue catalogue;
        const QString text = u"Första raden\r\nZweite Zeile \u00e9t\u00e9\r\n"_s;
        for (const auto order : {QSysInfo::LittleEndian, QSysInfo::BigEndian}) {
            writeCaptionBytes(catalogue, utf16(text, order));
            QCOMPARE(drawnCaptions(catalogue),
                     (QSet<QString>{u"Första raden"_s, u"Zweite Zeile été"_s}));
        }
        writeCaptionBytes(catalogue, "\xef\xbb\xbfMed m\xc3\xa4rke\n"); // UTF-8 with its mark
        QCOMPARE(drawnCaptions(catalogue), QSet<QString>{u"Med märke"_s});
    }

    void aBinaryFileGivesNoCaption() {
        test::TempCatalogue catalogue;
        QRandomGenerator bytes(7);
        QByteArray noise(64 * 1024, Qt::Uninitialized);
        for (char& byte : noise)
            byte = char(bytes.bounded(256));
        writeCaptionBytes(catalogue, noise);
        QCOMPARE(drawnCaptions(catalogue), QSet<QString>{u"Hoardly"_s});
        // A NUL near the start marks a binary file, even with text lines around it.
        writeCaptionBytes(catalogue, QByteArray("Good line\nBad") + '\0' + "line\nOther\n");
        QCOMPARE(drawnCaptions(catalogue), QSet<QString>{u"Hoardly"_s});
    }

    void onlyPrintableLinesOfACaptionsLengthAreDrawn() {
        test::TempCatalogue catalogue;
        QByteArray bytes(9000, 'w'); // too long for a caption
        // Past the first block a NUL spoils only its own line, as other control characters do.
        bytes += QByteArray("\nBad") + '\0' + "line\nTab\there\nBell\a\n   \n";
        bytes += QByteArray(200, 'x') + '\n';                         // the longest caption
        bytes += QByteArray(50 * 1024 * 1024, 'y') + "\r\nAfter\r\n"; // a 50 MB line
        writeCaptionBytes(catalogue, bytes);
        QCOMPARE(drawnCaptions(catalogue, 30), (QSet<QString>{QString(200, u'x'), u"After"_s}));
    }

    void onlyTheDrawableLinesAreRead() {
        test::TempCatalogue catalogue;
        // Bytes that are no UTF-8 after the last line that can be drawn do not turn the lines
        // before it into Windows-1252: they are never read.
        QByteArray bytes;
        for (int i = 0; i < 2181; ++i)
            bytes += "Sm\xc3\xa5 filmer\n";
        bytes += "Gammal \xe5\xe4\xf6\n";
        writeCaptionBytes(catalogue, bytes);
        QCOMPARE(drawnCaptions(catalogue), QSet<QString>{u"Små filmer"_s});
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
