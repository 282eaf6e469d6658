// The preview window of a printed list and the real output's print without a printer.
#include "PdfWords.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "data/TDM.h"
#include "printing/ListDocument.h"
#include "printing/ListOutput.h"
#include "printing/ListPreview.h"

#include <QAction>
#include <QLabel>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::print;

class TestListPreview : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;
    test::ScriptedDialogs dialogs;

    ListDocument films(int count) {
        catalogue->exec(u"film.DB"_s, u"DELETE FROM Film"_s);
        catalogue->exec(u"film.DB"_s,
                        u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                        u"WHERE i < %1) INSERT INTO Film (\"Index\", Titel) "
                        u"SELECT i, 'Film ' || i FROM n"_s.arg(count));
        const ListLayout& layout = listLayout(PrintList::Film);
        return ListDocument(layout, readListRecords(tdm->connection(), layout, catalogue->path()),
                            u"2026-12-10"_s);
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        tdm = std::make_unique<TDM>();
        dialogs.reset();
    }
    void cleanup() {
        HOARDLY_VERIFY_DIALOGS(dialogs);
        tdm.reset();
        catalogue.reset();
    }

    void aLongListPaintsOnlyThePagesInSight() {
        const ListDocument document = films(5000);
        QVERIFY(document.pageCount() > 90);
        int printed = 0;
        ListPreview preview(document, dialogs, [&] { ++printed; });
        preview.resize(800, 700);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QTRY_VERIFY(preview.view()->pagesPainted() > 0);
        QVERIFY(preview.view()->pagesPainted() <= 3);
        QCOMPARE(preview.windowTitle(), u"Print preview"_s);
        QCOMPARE(preview.pageLabel()->text(), u"Page 1 of %1"_s.arg(document.pageCount()));
        preview.action(u"nextPage"_s)->trigger();
        QCOMPARE(preview.pageLabel()->text(), u"Page 2 of %1"_s.arg(document.pageCount()));
        preview.action(u"lastPage"_s)->trigger();
        QCOMPARE(preview.view()->currentPage(), document.pageCount() - 1);
        QCOMPARE(preview.pageLabel()->text(), u"Page %1 of %1"_s.arg(document.pageCount()));
        const double zoom = preview.view()->zoom();
        preview.action(u"zoomIn"_s)->trigger();
        QVERIFY(preview.view()->zoom() > zoom);
        QCOMPARE(preview.view()->currentPage(), document.pageCount() - 1);
        preview.action(u"print"_s)->trigger();
        QCOMPARE(printed, 1);
    }

    void savingAsPdfWritesEveryPage() {
        const ListDocument document = films(130);
        ListPreview preview(document, dialogs, [] {});
        QTemporaryDir out;
        const QString path = out.filePath(u"films.pdf"_s);
        dialogs.answerFile(path);
        preview.action(u"savePdf"_s)->trigger();
        const FileRequest& request = dialogs.fileRequests().first();
        QCOMPARE(request.kind, FileRequestKind::Save);
        QCOMPARE(request.fileName, u"film.pdf"_s);
        QCOMPARE(request.defaultSuffix, u"pdf"_s);
        QCOMPARE(test::pdfPageCount(path), 3);
        const QList<test::PdfWord> words = test::readPdfWords(path);
        QCOMPARE(test::named(words, u"Page3"_s).size(), 1);
        QVERIFY(dialogs.boxes().isEmpty());

        // A folder that is not there: the file cannot be written, and the box says where.
        const QString missing = out.filePath(u"gone/films.pdf"_s);
        dialogs.answerFile(missing);
        dialogs.answer(Answer::Ok);
        preview.saveAsPdf();
        QCOMPARE(dialogs.lastBox().kind, BoxKind::Error);
        QVERIFY(dialogs.lastBox().text.contains(QDir::toNativeSeparators(missing)));
        // A cancelled save dialog writes nothing.
        dialogs.answerFile(QString());
        preview.saveAsPdf();
        QCOMPARE(dialogs.boxes().size(), 1);
    }

    void withoutAPrinterThePrintSaysSo() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("this machine has a printer");
        const ListDocument document = films(3);
        QtListOutput output(dialogs);
        dialogs.answer(Answer::Ok);
        output.print(nullptr, document);
        dialogs.expectLastBox(BoxKind::Info, u"No printer"_s,
                              u"No printer is installed, so the list cannot be printed. Install "
                              u"a printer, or open the print preview and save the list as a PDF "
                              u"file there."_s);
    }
};

QTEST_MAIN(TestListPreview)
#include "test_list_preview.moc"
