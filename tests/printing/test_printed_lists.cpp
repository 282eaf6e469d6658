// The seven printed lists, written as PDF and read back with pdftotext: texts, positions,
// bands over several pages, orders and pictures.
#include "PdfWords.h"
#include "TempCatalogue.h"
#include "data/DownloadPage.h"
#include "data/Schema.h"
#include "data/TDM.h"
#include "printing/ListDocument.h"
#include "ui/PictureCodec.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::print;
using namespace hoardly::test;

namespace {

constexpr double kTolerance = 0.5; // mm
const QString kDate = u"2026-12-10"_s;

#define NEAR(actual, expected)                                                                     \
    QVERIFY2(std::abs((actual) - (expected)) <= kTolerance,                                        \
             qPrintable(u"%1 mm, expected %2 mm"_s.arg(actual).arg(expected)))

// The one word that has this text, on the page given (0: any page).
PdfWord only(const QList<PdfWord>& words, const QString& text, int page = 0) {
    QList<PdfWord> found = named(page ? onPage(words, page) : words, text);
    if (found.size() != 1)
        qWarning("\"%s\" is on the page %lld times", qPrintable(text), qlonglong(found.size()));
    return found.value(0);
}

// The first word of the phrase where its words follow one another.
PdfWord phrase(const QList<PdfWord>& words, const QString& text) {
    const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + parts.size() <= words.size(); ++i) {
        bool all = true;
        for (qsizetype j = 0; j < parts.size() && all; ++j)
            all = words[i + j].text == parts[j];
        if (all)
            return words[i];
    }
    qWarning("\"%s\" is not in the PDF", qPrintable(text));
    return {};
}

// The words of the given texts, in reading order.
QStringList among(const QList<PdfWord>& words, const QStringList& texts) {
    QStringList found;
    for (const PdfWord& word : words) {
        if (texts.contains(word.text))
            found << word.text;
    }
    return found;
}

} // namespace

class TestPrintedLists : public QObject {
    Q_OBJECT

    std::unique_ptr<TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;
    std::unique_ptr<QTemporaryDir> out;

    void insert(const QString& file, const QString& table, const QString& columns,
                const QStringList& rows) {
        for (const QString& row : rows)
            catalogue->exec(file, u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(table, columns, row));
    }

    // The list as a PDF file, and its words.
    QList<PdfWord> render(PrintList list, const QString& name = u"list"_s,
                          ListDocument** kept = nullptr) {
        const ListLayout& layout = listLayout(list);
        auto* document = new ListDocument(
            layout, readListRecords(tdm->connection(), layout, catalogue->path()), kDate);
        path = out->filePath(name + u".pdf"_s);
        [&] { QVERIFY(writeListPdf(*document, path)); }();
        pages = document->pageCount();
        if (kept)
            *kept = document;
        else
            delete document;
        return readPdfWords(path);
    }
    QString path;
    int pages = 0;

    // One record whose every printed field holds a single word of its own (numbers and dates
    // where the field is one), so each text can be found in the PDF.
    ListRecord oneRecordOf(const ListLayout& layout) {
        QStringList columns, values;
        int n = 0;
        for (const QString& field : layout.fields()) {
            const FieldDef& def = layout.table->fields[layout.table->fieldIndex(field)];
            columns << u"\""_s + field + u"\""_s;
            ++n;
            if (def.type == FieldType::Integer)
                values << QString::number(100 + n);
            else if (def.type == FieldType::Date)
                values << u"'2024-05-06'"_s;
            else
                values << u"'W%1x%2'"_s.arg(n).arg(field.left(3));
        }
        catalogue->exec(layout.table->fileName,
                        u"INSERT INTO \"%1\" (%2) VALUES (%3)"_s.arg(
                            layout.table->tableName, columns.join(u','), values.join(u',')));
        return readListRecords(tdm->connection(), layout, catalogue->path()).value(0);
    }

private slots:
    void init() {
        catalogue = std::make_unique<TempCatalogue>();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        out = std::make_unique<QTemporaryDir>();
        for (PrintList list : allLists())
            catalogue->exec(listLayout(list).table->fileName,
                            u"DELETE FROM \"%1\""_s.arg(listLayout(list).table->tableName));
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
        out.reset();
    }

    void textsStandAtTheirPositions_data() {
        QTest::addColumn<PrintList>("list");
        for (PrintList list : allLists())
            QTest::newRow(qPrintable(listLayout(list).name)) << list;
    }
    void textsStandAtTheirPositions() {
        QFETCH(PrintList, list);
        const ListLayout& layout = listLayout(list);
        const ListRecord record = oneRecordOf(layout);
        const QList<PdfWord> words = render(list);
        QCOMPARE(pages, 1);
        QCOMPARE(pdfPageCount(path), 1);

        // The title band is 22 mm high, the column header band 7 mm (none when empty).
        const bool dateFirst = layout.datePlace == DatePlace::AboveTitle;
        const double detailTop = 22.0 + (layout.header.isEmpty() ? 0.0 : 7.0);
        const PdfWord title = phrase(words, layout.title);
        NEAR(title.x, 0.0);
        NEAR(title.y, dateFirst ? 5.5 : 0.0);
        const PdfWord date = phrase(words, layout.dateWord + u' ' + kDate);
        NEAR(date.x, 0.0);
        NEAR(date.y, dateFirst ? 0.0 : 15.0);

        // A caption that is also the title ("Address") is the lower of the two.
        for (const BandText& caption : layout.header) {
            const QList<PdfWord> found = named(words, caption.caption.split(u' ').first());
            QVERIFY2(!found.isEmpty(), qPrintable(caption.caption));
            NEAR(found.last().x, caption.x);
            NEAR(found.last().y, 22.0 + caption.y);
        }
        const QStringList fields = layout.fields();
        for (const BandText& text : layout.detail) {
            const QStringList value =
                (text.field.isEmpty() ? text.caption : record.texts[fields.indexOf(text.field)])
                    .split(u' ', Qt::SkipEmptyParts);
            const QList<PdfWord> found =
                named(words, text.align == Align::Right ? value.last() : value.first());
            QVERIFY2(!found.isEmpty(), qPrintable(value.join(u' ')));
            // A field shown twice (the inventory's name) stands at each of its places.
            const auto at = [&](double x) {
                return std::any_of(found.begin(), found.end(), [&](const PdfWord& w) {
                    const double place = text.align == Align::Left    ? w.x
                                         : text.align == Align::Right ? w.right
                                                                      : (w.x + w.right) / 2;
                    return std::abs(place - x) <= kTolerance;
                });
            };
            const double expected = text.align == Align::Left    ? text.x
                                    : text.align == Align::Right ? text.x + text.width
                                                                 : text.x + text.width / 2;
            QVERIFY2(at(expected), qPrintable(value.join(u' ')));
            QVERIFY2(std::any_of(found.begin(), found.end(),
                                 [&](const PdfWord& w) {
                                     return std::abs(w.y - (detailTop + text.y)) <= kTolerance;
                                 }),
                     qPrintable(value.join(u' ')));
        }

        QCOMPARE(pageText(words, 1).count(layout.closing), 1);
        NEAR(phrase(words, layout.closing).x, 0.0);
        const PdfWord footer = only(words, u"Page1"_s);
        NEAR(footer.right, kPageWidth);
        NEAR(footer.y, kPageHeight - 6.0 + 1.5);
    }

    void aLongFilmListRepeatsCaptionsAndClosesOnce() {
        QStringList rows;
        for (int i = 1; i <= 130; ++i)
            rows << u"%1, 'Title%1', 'Drama', '1999', %2, '***'"_s.arg(i).arg(90 + i);
        insert(u"film.DB"_s, u"Film"_s,
               u"\"Index\", Titel, Kategori, Inspelningsar, Speltid, Kritik"_s, rows);
        const QList<PdfWord> words = render(PrintList::Film);
        QCOMPARE(pages, 3);
        QCOMPARE(pdfPageCount(path), 3);
        QCOMPARE(named(words, u"Film"_s).size(), 1);
        QCOMPARE(only(words, u"Film"_s).page, 1);
        for (int page = 1; page <= 3; ++page) {
            for (const QString& caption : {u"Index"_s, u"Title"_s, u"Screentime"_s, u"Rate"_s})
                NEAR(only(words, caption, page).x, caption == u"Index"_s   ? 0.3
                                                   : caption == u"Title"_s ? 16.9
                                                   : caption == u"Rate"_s  ? 155.6
                                                                           : 134.1);
            const PdfWord footer = only(words, u"Page"_s + QString::number(page), page);
            NEAR(footer.right, kPageWidth);
        }
        // Page 2 starts under its column captions, not under a title.
        const PdfWord captionOn2 = only(words, u"Title"_s, 2);
        NEAR(captionOn2.y, only(words, u"Title"_s, 1).y - only(words, u"Index"_s, 1).y +
                               only(words, u"Index"_s, 2).y);
        QVERIFY(captionOn2.y < 3);
        const QString closing =
            u"Created with help og Hoardly found at "_s + QString::fromLatin1(kDownloadAddress);
        QCOMPARE(named(words, u"Created"_s).size(), 2); // the date line and the closing
        QVERIFY(!pageText(words, 1).contains(closing));
        QVERIFY(!pageText(words, 2).contains(closing));
        QVERIFY(pageText(words, 3).contains(closing));
        // Every film once, in key order, the first and the last at their places.
        for (int i = 1; i <= 130; ++i)
            QCOMPARE(named(words, u"Title%1"_s.arg(i)).size(), 1);
        QVERIFY(only(words, u"Title1"_s).page == 1 && only(words, u"Title130"_s).page == 3);
        NEAR(only(words, u"220"_s).right, 134.7 + 13.5);
        QVERIFY(only(words, u"Title2"_s).y > only(words, u"Title1"_s).y);
    }

    void theAddressListIsOrderedByLastName() {
        insert(u"adress.DB"_s, u"Adress"_s, u"Efternamn, Fornamn"_s,
               {u"'Young', 'Ann'"_s, u"'adams', 'Bo'"_s, u"'Baker', 'Cid'"_s, u"'Ek', 'Dan'"_s});
        const QList<PdfWord> words = render(PrintList::Addresses);
        const QStringList names{u"adams"_s, u"Baker"_s, u"Ek"_s, u"Young"_s};
        QCOMPARE(among(words, names), names);
        // Each first name on its last name's line.
        NEAR(only(words, u"Bo"_s).y, only(words, u"adams"_s).y);
        NEAR(only(words, u"Bo"_s).x, 30.1);
    }

    void theMusicListIsOrderedByArtistIgnoringCase() {
        insert(u"Musik.DB"_s, u"Musik"_s, u"Titel, Artist"_s,
               {u"'T1', 'beatles'"_s, u"'T2', 'Cream'"_s, u"'T3', 'ABBA'"_s, u"'T4', 'Blondie'"_s,
                u"'T5', 'abc'"_s});
        const QList<PdfWord> words = render(PrintList::Music);
        const QStringList artists{u"ABBA"_s, u"abc"_s, u"beatles"_s, u"Blondie"_s, u"Cream"_s};
        QCOMPARE(among(words, artists), artists);
        NEAR(only(words, u"ABBA"_s).x, 1.3);
    }

    void theInventoryPrintsOneObjectPerPage() {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        const QString hex = QString::fromLatin1(pictureFieldValue(picture).toHex());
        insert(u"Value.DB"_s, u"Value"_s, u"Benamning, Marknr, \"Varderad till\", Bild"_s,
               {u"'Clock', 'M1', 1200, X'%1'"_s.arg(hex), u"'Vase', 'M2', 300, NULL"_s,
                u"'Chair', 'M3', 80, X'%1'"_s.arg(hex)});
        const QList<PdfWord> words = render(PrintList::Inventory);
        QCOMPARE(pages, 3);
        QCOMPARE(pdfPageCount(path), 3);
        const QStringList names{u"Clock"_s, u"Vase"_s, u"Chair"_s};
        for (int page = 1; page <= 3; ++page) {
            // The name in the block's corner and among the values, nothing of the others.
            QCOMPARE(named(onPage(words, page), names[page - 1]).size(), 2);
            QVERIFY(only(words, u"Estimated"_s, page).y > 80);
        }
        QCOMPARE(only(words, u"Home"_s).page, 1);
        // The vase has no picture: its page's frame stays empty.
        QCOMPARE(pdfImagePages(path), (QList<int>{1, 3}));
        // The blocks stand at the top of pages 2 and 3, under the title on page 1.
        const double top1 = only(words, u"Picture"_s, 1).y;
        const double top2 = only(words, u"Picture"_s, 2).y;
        NEAR(only(words, u"Picture"_s, 3).y, top2);
        QVERIFY(top1 > top2 + 20);
        QVERIFY(pageText(words, 3).contains(u"This list created by Hoardly"_s));
        QVERIFY(!pageText(words, 2).contains(u"This list created by Hoardly"_s));
    }

    void aLongSoftwareNameWrapsOntoASecondLine() {
        insert(u"data.DB"_s, u"Data"_s, u"Namn, Version"_s,
               {u"'Alpha beta gamma delta epsilon zeta eta theta iota kappa lambda', '1.0'"_s,
                u"'Short', '2.0'"_s});
        const QList<PdfWord> words = render(PrintList::Software);
        const PdfWord alpha = only(words, u"Alpha"_s);
        const PdfWord lambda = only(words, u"lambda"_s);
        QVERIFY(lambda.y > alpha.y + 3);
        // The second line starts at the name's column too.
        PdfWord second = lambda;
        for (const PdfWord& word : words) {
            if (std::abs(word.y - lambda.y) < 0.5 && word.x < second.x)
                second = word;
        }
        NEAR(second.x, 1.3);
        QVERIFY(only(words, u"theta"_s).right <= 1.3 + 59.9 + kTolerance);
        // The next record stands below both lines.
        QVERIFY(only(words, u"Short"_s).y > lambda.y + 3);
        NEAR(only(words, u"1.0"_s).y, alpha.y);
    }

    void anEmptyTableGivesAListOnlyWherePrintIfEmptyIsSet() {
        for (PrintList list : {PrintList::Film, PrintList::Music}) {
            const QList<PdfWord> words = render(list);
            QCOMPARE(pages, 1);
            QVERIFY(pageText(words, 1).startsWith(listLayout(list).title));
            QVERIFY(pageText(words, 1).contains(listLayout(list).closing));
            QCOMPARE(only(words, u"Page1"_s).page, 1);
        }
        for (PrintList list : {PrintList::Software, PrintList::Literature, PrintList::Codes,
                               PrintList::Addresses, PrintList::Inventory}) {
            const ListLayout& layout = listLayout(list);
            ListDocument document(layout, {}, kDate);
            QCOMPARE(document.pageCount(), 0);
        }
    }
};

QTEST_MAIN(TestPrintedLists)
#include "test_printed_lists.moc"
