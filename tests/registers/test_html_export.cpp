#include "FileBytes.h"
#include "FileModes.h"
#include "HtmlExportData.h"
#include "data/DownloadPage.h"
#include "data/Errors.h"
#include "data/TDM.h"
#include "data/Table.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;
using html::Register;

namespace {

const QString kAddress = QString::fromLatin1(kDownloadAddress);

using test::readBytes;

// The cells of every row of a page as Python's HTML parser reads them, each row's
// non-breaking spaces at the end of a cell taken off.
QList<QStringList> parsedRows(const QByteArray& page) {
    static const char* const kParser = R"(
import sys, json
from html.parser import HTMLParser
class Cells(HTMLParser):
    def __init__(self):
        super().__init__()
        self.rows, self.cell = [], None
    def handle_starttag(self, tag, attrs):
        if tag == 'tr': self.rows.append([])
        if tag in ('td', 'th'): self.cell = ''
    def handle_endtag(self, tag):
        if tag in ('td', 'th') and self.cell is not None:
            self.rows[-1].append(self.cell.rstrip('\xa0')); self.cell = None
    def handle_data(self, data):
        if self.cell is not None: self.cell += data
parser = Cells()
parser.feed(sys.stdin.buffer.read().decode('ascii'))
print(json.dumps(parser.rows))
)";
    QProcess python;
    python.start(u"/usr/bin/python3"_s, {u"-c"_s, QString::fromLatin1(kParser)});
    if (!python.waitForStarted())
        return {};
    python.write(page);
    python.closeWriteChannel();
    python.waitForFinished();
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(python.readAllStandardOutput()).array())
        rows << row.toVariant().toStringList();
    return rows;
}

} // namespace

class TestHtmlExport : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    Table& open(Table& table, const QString& index = {}) {
        table.selectIndex(index);
        table.open();
        return table;
    }
    QByteArray page(Register which, Table& table) {
        return html::pageOf(html::member(which), table, dateToText(test::kExportDay), kAddress);
    }
    QString target() const { return QDir(catalogue->path()).filePath(u"list.html"_s); }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void everyMembersPageByteForByte_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("golden");
        QTest::newRow("film") << int(Register::Film) << u"html-film.html"_s;
        QTest::newRow("music") << int(Register::Music) << u"html-music.html"_s;
        QTest::newRow("software") << int(Register::Software) << u"html-software.html"_s;
        QTest::newRow("literature") << int(Register::Literature) << u"html-literature.html"_s;
        QTest::newRow("inventory") << int(Register::Inventory) << u"html-inventory.html"_s;
    }
    void everyMembersPageByteForByte() {
        QFETCH(int, which);
        QFETCH(QString, golden);
        Table* table = nullptr;
        switch (Register(which)) {
        case Register::Film:
            test::addFilmsToExport(*catalogue);
            table = &open(tdm->filmTb(), u"Nummer"_s);
            break;
        case Register::Music:
            test::addMusicToExport(*catalogue);
            table = &open(tdm->musikTb());
            break;
        case Register::Software:
            test::addSoftwareToExport(*catalogue);
            table = &open(tdm->dataTb());
            break;
        case Register::Literature:
            test::addBooksToExport(*catalogue);
            table = &open(tdm->bokTb(), u"Index_Sec"_s);
            break;
        case Register::Inventory:
            test::addObjectsToExport(*catalogue);
            table = &open(tdm->valueTb());
            break;
        }
        const QByteArray expected = test::goldenPage(golden);
        QVERIFY(!expected.isEmpty());
        html::writeHtmlList(html::member(Register(which)), *table, target(),
                            dateToText(test::kExportDay), kAddress);
        const QByteArray written = readBytes(target());
        QCOMPARE(written, expected);
        // Every line ends in CR LF, and nothing beyond ASCII is left.
        QCOMPARE(written.count('\n'), written.count("\r\n"));
        QVERIFY(std::all_of(written.begin(), written.end(), [](char c) { return c > 0; }));
    }

    void valuesAreEscapedAndEveryLetterBeyondAsciiIsAReference() {
        QCOMPARE(html::escaped(u"Tom & Jerry <\"Live\">"_s),
                 QByteArray("Tom &amp; Jerry &lt;&quot;Live&quot;&gt;"));
        QCOMPARE(html::escaped(u"Åsa's å ä ö é ß"_s),
                 QByteArray("&#xC5;sa's &#xE5; &#xE4; &#xF6; &#xE9; &#xDF;"));
        QCOMPARE(html::escaped(u"七人の侍"_s), QByteArray("&#x4E03;&#x4EBA;&#x306E;&#x4F8D;"));
        // A character beyond the first plane is one reference, not two halves.
        QCOMPARE(html::escaped(u"\U0001F3AC"_s), QByteArray("&#x1F3AC;"));
        // A line break inside a value keeps the row on its one line.
        QCOMPARE(html::escaped(u"a\r\nb\tc"_s), QByteArray("a&#xD;&#xA;b&#x9;c"));
        QCOMPARE(html::escaped(u"&amp;"_s), QByteArray("&amp;amp;"));
        QCOMPARE(html::escaped(QString()), QByteArray());
    }

    void aParserReadsBackEveryValueAsTyped() {
        catalogue->exec(
            u"film.DB"_s,
            u"INSERT INTO Film (\"Index\", Titel, Kategori, Kritik, Inspelningsar) VALUES "
            "(1, '七人の侍', 'Drama', '傑作', '1954'), "
            "(2, 'Tom & Jerry <Untitled> \"x\"', 'Child', '', ''), "
            "(3, 'Smultronstället', 'Drama', 'Émile''s choice', '1957'), "
            "(4, '\U0001F3AC &nbsp; &#x41;', NULL, NULL, NULL)"_s);
        const QList<QStringList> rows = parsedRows(page(Register::Film, open(tdm->filmTb())));
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0],
                 (QStringList{u"Index"_s, u"Title"_s, u"Category"_s, u"Rate"_s, u"From year"_s}));
        QCOMPARE(rows[1], (QStringList{u"1"_s, u"七人の侍"_s, u"Drama"_s, u"傑作"_s, u"1954"_s}));
        QCOMPARE(rows[2], (QStringList{u"2"_s, u"Tom & Jerry <Untitled> \"x\""_s, u"Child"_s,
                                       QString(), QString()}));
        QCOMPARE(rows[3], (QStringList{u"3"_s, u"Smultronstället"_s, u"Drama"_s,
                                       u"Émile's choice"_s, u"1957"_s}));
        // Text that looks like an entity is text too.
        QCOMPARE(rows[4], (QStringList{u"4"_s, u"\U0001F3AC &nbsp; &#x41;"_s, QString(), QString(),
                                       QString()}));
    }

    void emptyFieldsGiveCellsOfANonBreakingSpaceAlone() {
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel) VALUES (7, 'Bare')"_s);
        QVERIFY(page(Register::Film, open(tdm->filmTb()))
                    .contains("\r\n<TR><TD>7&nbsp;</TD><TD>Bare&nbsp;</TD><TD>&nbsp;</TD>"
                              "<TD>&nbsp;</TD><TD>&nbsp;</TD></TR>\r\n"));
        // The inventory's empty date is an empty cell, its empty value "0".
        catalogue->exec(u"Value.DB"_s, u"INSERT INTO Value (Benamning) VALUES ('Lamp')"_s);
        QVERIFY(page(Register::Inventory, open(tdm->valueTb()))
                    .contains("\r\n<TR><TD>Lamp&nbsp;</TD><TD>&nbsp;</TD><TD>&nbsp;</TD>"
                              "<TD>&nbsp;</TD><TD>0&nbsp;</TD></TR>\r\n"));
    }

    void theLiteratureRowsFourthValueHasNoSpaceAfterIt() {
        catalogue->exec(u"bok.DB"_s, u"INSERT INTO Bok (Titel, Author, Category, Kritik, "
                                     "Publication_Year) VALUES ('T', 'A', 'C', 'R', 'Y'), "
                                     "('Empty', NULL, NULL, NULL, NULL)"_s);
        const QByteArray written = page(Register::Literature, open(tdm->bokTb()));
        QVERIFY(written.contains("\r\n<TR><TD>T&nbsp;</TD><TD>A&nbsp;</TD><TD>C&nbsp;</TD>"
                                 "<TD>R</TD><TD>Y&nbsp;</TD></TR>\r\n"));
        QVERIFY(written.contains("\r\n<TR><TD>Empty&nbsp;</TD><TD>&nbsp;</TD><TD>&nbsp;</TD>"
                                 "<TD></TD><TD>&nbsp;</TD></TR>\r\n"));
        // The other members join every cell alike.
        for (const Register other :
             {Register::Film, Register::Music, Register::Software, Register::Inventory})
            QCOMPARE(html::member(other).bareCell, -1);
    }

    void aTitleInJapaneseIsWrittenAsReferences() {
        catalogue->exec(u"film.DB"_s,
                        u"INSERT INTO Film (\"Index\", Titel) VALUES (1, '千と千尋の神隠し')"_s);
        QVERIFY(page(Register::Film, open(tdm->filmTb()))
                    .contains("<TD>1&nbsp;</TD><TD>&#x5343;&#x3068;&#x5343;&#x5C0B;&#x306E;"
                              "&#x795E;&#x96A0;&#x3057;&nbsp;</TD>"));
    }

    void rowsFollowTheTablesOrderAndTheLastRecordIsCurrent_data() {
        QTest::addColumn<QString>("index");
        QTest::newRow("by index") << u"Nummer"_s;
        QTest::newRow("by title") << u"Filmtitel"_s;
    }
    void rowsFollowTheTablesOrderAndTheLastRecordIsCurrent() {
        QFETCH(QString, index);
        // Accented and Swedish first letters: the order for people is not the file's order.
        catalogue->exec(u"film.DB"_s,
                        u"INSERT INTO Film (\"Index\", Titel) VALUES (4, 'Zorro'), "
                        "(1, 'Émile'), (3, 'abc'), (2, 'Ångest'), (5, 'Ärlig'), (6, 'Eden')"_s);
        Table& films = open(tdm->filmTb(), index);
        films.moveTo(2);
        QSignalSpy moved(&films, &Table::currentChanged);
        const QList<QStringList> rows = parsedRows(page(Register::Film, films));
        QStringList exported;
        for (qsizetype row = 1; row < rows.size(); ++row)
            exported << rows[row].value(1);
        QStringList shown;
        for (int position = 0; position < films.recordCount(); ++position)
            shown << films.textAt(position, films.fieldIndex(u"Titel"_s));
        QCOMPARE(exported, shown);
        // The scan tells the bound controls once, at its end, on the last record.
        QCOMPARE(moved.count(), 1);
        QCOMPARE(films.position(), films.recordCount() - 1);
        QCOMPARE(films.asText(u"Titel"_s), shown.last());
        QVERIFY(!films.controlsDisabled());
    }

    void aFileThatCannotBeWrittenIsNamedAndAnEarlierOneKept() {
        test::addFilmsToExport(*catalogue);
        Table& films = open(tdm->filmTb());
        films.moveTo(1);
        const QString missing = QDir(catalogue->path()).filePath(u"no such folder/Filmlist.html"_s);
        try {
            html::writeHtmlList(html::member(Register::Film), films, missing, u"today"_s, kAddress);
            QFAIL("the write into a missing folder succeeded");
        } catch (const FileError& error) {
            QVERIFY2(error.text().contains(QDir::toNativeSeparators(missing)),
                     qPrintable(error.text()));
            QVERIFY(error.text().contains(u"export the list again"_s));
        }
        // The file could not even be made: the table was not walked.
        QCOMPARE(films.position(), 1);

        // A write-protected folder keeps the earlier list whole.
        test::obeyFileModes();
        const QString folder = QDir(catalogue->path()).filePath(u"kept"_s);
        QVERIFY(QDir().mkdir(folder));
        const QString earlier = QDir(folder).filePath(u"Filmlist.html"_s);
        QVERIFY(test::writeBytes(earlier, "the earlier list"));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QVERIFY_THROWS_EXCEPTION(FileError, html::writeHtmlList(html::member(Register::Film), films,
                                                                earlier, u"today"_s, kAddress));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        QCOMPARE(readBytes(earlier), QByteArray("the earlier list"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"Filmlist.html"_s});
    }

    void aTableThatCannotBeReadLeavesTheEarlierList() {
        QVERIFY(test::writeBytes(target(), "the earlier list"));
        catalogue->exec(u"film.DB"_s, u"ALTER TABLE Film DROP COLUMN Kritik"_s);
        QVERIFY_THROWS_EXCEPTION(StoreError, html::writeHtmlList(html::member(Register::Film),
                                                                 open(tdm->filmTb()), target(),
                                                                 u"today"_s, kAddress));
        QCOMPARE(readBytes(target()), QByteArray("the earlier list"));
        QCOMPARE(QDir(catalogue->path()).entryList({u"list*"_s}, QDir::Files | QDir::Hidden),
                 QStringList{u"list.html"_s});
    }
};

QTEST_GUILESS_MAIN(TestHtmlExport)
#include "test_html_export.moc"
