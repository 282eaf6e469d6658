// Times the printed film list of a 100,000-film table: reading and laying out the list, the
// PDF file with its pages, and the print preview from the request to its first page shown.
// The preview paints only the pages in sight, so its first page does not wait for the rest.
// Run: QT_QPA_PLATFORM=offscreen ./bench_print [count]
#include "FilmGenerator.h"
#include "Timing.h"
#include "data/Dates.h"
#include "data/TDM.h"
#include "printing/ListDocument.h"
#include "printing/ListOutput.h"

#include "Unattended.h"
#include "printing/ListPreview.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::bench;

namespace {

print::ListDocument filmList(TDM& tdm, const QString& dir) {
    const print::ListLayout& layout = print::listLayout(PrintList::Film);
    return print::ListDocument(layout, print::readListRecords(tdm.connection(), layout, dir),
                               dateToText(QDate::currentDate()));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bench::FilmCatalogue catalogue = bench::makeFilmCatalogue(argc, argv);
    const QString dir = catalogue.directory;
    QElapsedTimer timer;
    TDM tdm;
    tdm.setDirectoryOfClosed(dir);

    QList<double> reads;
    for (int i = 0; i < 3; ++i) {
        timer.restart();
        const print::ListDocument document = filmList(tdm, dir);
        reads << ms(timer);
    }
    summary(u"records read and laid out in pages"_s, reads);

    const print::ListDocument document = filmList(tdm, dir);
    const QString pdf = QDir(dir).filePath(u"films.pdf"_s);
    timer.restart();
    print::writeListPdf(document, pdf);
    report(u"PDF file written (%1 pages, %2 kB)"_s.arg(document.pageCount())
               .arg(QFileInfo(pdf).size() / 1024),
           ms(timer));

    // From the request (read, lay out, build the preview) until its first page has painted.
    FailingDialogs dialogs;
    QList<double> previews;
    int painted = 0;
    for (int i = 0; i < 3; ++i) {
        timer.restart();
        const print::ListDocument shown = filmList(tdm, dir);
        print::ListPreview preview(shown, dialogs, [] {});
        PaintWatch watch(preview.view()->viewport());
        preview.show();
        untilPainted(watch, 60000);
        previews << ms(timer);
        painted = preview.view()->pagesPainted();
        preview.hide();
    }
    summary(u"print preview, request to first page shown"_s, previews);
    out() << "  pages painted for the first view: " << painted << " of " << document.pageCount()
          << "\n";
    QDir(dir).removeRecursively();
    return 0;
}
