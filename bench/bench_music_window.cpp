// Times the music window on 100,000 records with 1,200,000 songs: opening until the first
// record and its songs are painted, one move to the next record until its songs are painted,
// the song find box, and "List all songs by an artist/group" on the search page.
// Run: QT_QPA_PLATFORM=offscreen ./bench_music_window [records] [songs per record]
#include "FilmGenerator.h"
#include "MusicGenerator.h"
#include "Timing.h"
#include "Unattended.h"
#include "data/Query.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "registers/FindBox.h"
#include "registers/MusikForm.h"
#include "registers/SearchCriteria.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTextStream>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::bench;

namespace {

double keystroke(QWidget* box, QChar c) {
    QElapsedTimer timer;
    timer.start();
    if (c == u' ')
        QTest::keyClick(box, Qt::Key_Space);
    else
        QTest::keyClicks(box, QString(c));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return ms(timer);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const int perRecord = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 12;
    const QString dir = bench::makeBenchCatalogue();
    QElapsedTimer timer;
    timer.start();
    bench::generateMusic(dir, records, perRecord);
    out() << "Generated " << records << " records with " << records * perRecord << " songs in "
          << QString::number(ms(timer), 'f', 0) << " ms\n";

    TDM tdm;
    tdm.setDirectoryOfClosed(dir);
    tdm.standardTb().open();
    bench::FailingDialogs dialogs;
    RunState run;
    bench::NoShell shell;
    AppContext context{dialogs, tdm, run, shell};
    const long before = bench::residentKilobytes();

    timer.restart();
    auto* window = new TMusikForm(context);
    PaintWatch firstPaint(window->detailList()->viewport());
    window->show();
    untilPainted(firstPaint);
    report(u"construct + show until the first songs are painted"_s, ms(timer));
    out() << "  current record: " << tdm.musikTb().asText(u"Titel"_s) << ", "
          << window->detailList()->count() << " songs, resident memory +"
          << (bench::residentKilobytes() - before) / 1024 << " MB\n";

    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        out() << "(the window did not become active)\n";
    window->list()->setFocus();
    QList<double> moves;
    for (int i = 0; i < 200; ++i) {
        PaintWatch paint(window->detailList()->viewport());
        timer.restart();
        QTest::keyClick(window->list(), Qt::Key_Down);
        untilPainted(paint);
        moves << ms(timer);
    }
    summary(u"one record on (Down) until its songs are painted"_s, moves);

    timer.restart();
    window->findOption(2)->click();
    QCoreApplication::processEvents();
    report(u"choosing \"Song\" (starts reading the song names)"_s, ms(timer));
    timer.restart();
    const double stretch =
        longestStretchUntil([&] { return tdm.songTb().prefixTextsReady(u"Namn"_s); });
    report(u"song names read in the background, until in"_s, ms(timer));
    report(u"  longest GUI stretch meanwhile"_s, stretch);
    FindBox* songFind = window->detailFindBox();
    const QString wanted = bench::generatedSong(records * 7 / 10, 3).toLower();
    QList<double> keys;
    for (QChar c : wanted)
        keys << keystroke(songFind, c);
    report(u"song find, first key"_s, keys.first());
    summary(u"song find, each later key"_s, keys.mid(1));
    out() << "  typed \"" << wanted << "\", found: " << tdm.songTb().asText(u"Namn"_s) << " on "
          << tdm.musikTb().asText(u"Titel"_s) << "\n";
    QList<double> misses;
    for (int i = 0; i < 5; ++i)
        misses << keystroke(songFind, u'q');
    summary(u"song find, keys that find nothing"_s, misses);

    const search::Criterion& songsByArtist = search::musicSearch().criteria.at(1);
    QList<double> lists;
    int rows = 0;
    for (int i = 0; i < 10; ++i) {
        const search::BuiltStatement built =
            search::buildStatement(songsByArtist, {bench::generatedArtist(1 + i * 37)});
        timer.restart();
        Query& query = tdm.filmQ();
        query.setStatement({built.sql});
        query.setParameters(built.values);
        query.open();
        rows = query.rowCount();
        lists << ms(timer);
        query.close();
    }
    summary(u"\"List all songs by an artist/group\" (query)"_s, lists);
    out() << "  rows for one artist: " << rows << "\n";
    out() << "Resident memory with the window open: +"
          << (bench::residentKilobytes() - before) / 1024 << " MB (whole process "
          << bench::residentKilobytes() / 1024 << " MB)\n";

    window->close();
    delete window;
    QDir(dir).removeRecursively();
    return 0;
}
