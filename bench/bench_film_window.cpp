// Times the film window on a 100,000-film table: opening until the first film is painted, one
// find-box keystroke until the bound controls are repainted, and the paint of a full viewport
// of the list and of the master list after a scroll.
// Run: QT_QPA_PLATFORM=offscreen ./bench_film_window [count]   (or under xvfb-run)
#include "FilmGenerator.h"
#include "Timing.h"
#include "Unattended.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "registers/FilmForm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextStream>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::bench;

namespace {

// One key typed into the find box, until every update it caused (the find box, the result
// label, the heading, the record panel, the list) has been painted.
double keystroke(QWidget* box, Qt::Key key) {
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(box, key, Qt::NoModifier);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return ms(timer);
}

Qt::Key keyOf(QChar c) {
    if (c == u' ')
        return Qt::Key_Space;
    return Qt::Key(c.toUpper().unicode());
}

QList<double> scrollPaints(QTableView* view, int jumps) {
    QRandomGenerator random(7);
    QList<double> paints;
    QScrollBar* bar = view->verticalScrollBar();
    for (int i = 0; i < jumps; ++i) {
        // A jump to a part of the table not seen before, then one step on.
        bar->setValue(int(random.bounded(bar->maximum() + 1)));
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        view->viewport()->repaint();
        paints << ms(timer);
        bar->setValue(std::min(bar->maximum(), bar->value() + bar->pageStep()));
        timer.restart();
        view->viewport()->repaint();
        paints << ms(timer);
    }
    return paints;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bench::FilmCatalogue catalogue = bench::makeFilmCatalogue(argc, argv);
    const QString dir = catalogue.directory;
    const int count = catalogue.count;
    QElapsedTimer timer;

    TDM tdm;
    tdm.setDirectoryOfClosed(dir);
    tdm.standardTb().open();
    bench::FailingDialogs dialogs;
    RunState run;
    bench::NoShell shell;
    AppContext context{dialogs, tdm, run, shell};
    const long before = bench::residentKilobytes();

    // Opening: construct, show, until the list has painted the first film.
    timer.restart();
    auto* window = new TFilmForm(context);
    const double constructed = ms(timer);
    window->resize(1000, 700);
    PaintWatch listPaint(window->list()->viewport());
    window->show();
    untilPainted(listPaint);
    report(u"construct + show until the first film is painted"_s, ms(timer));
    report(u"  of which constructing the window"_s, constructed);
    out() << "  current film: " << tdm.filmTb().asText(u"Titel"_s) << ", resident memory +"
          << (bench::residentKilobytes() - before) / 1024 << " MB\n";

    // The find box on the title: the first key reads the titles once; later keys search them.
    QWidget* box = window->findBox();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        out() << "(the window did not become active)\n";
    timer.restart();
    window->findBox()->setFocus();
    report(u"entering the find box (starts reading the titles)"_s, ms(timer));
    timer.restart();
    const double stretch =
        longestStretchUntil([&] { return tdm.filmTb().prefixTextsReady(u"Titel"_s); });
    report(u"titles read in the background, until in"_s, ms(timer));
    report(u"  longest GUI stretch meanwhile"_s, stretch);
    window->findBox()->clear();
    QCoreApplication::processEvents();
    const QString wanted = bench::generatedTitle(count * 7 / 10).toLower();
    QList<double> keys;
    for (int i = 0; i < wanted.size(); ++i)
        keys << keystroke(box, keyOf(wanted[i]));
    report(u"find box, first key"_s, keys.first());
    summary(u"find box, each later key (locate + repaint)"_s, keys.mid(1));
    out() << "  typed \"" << wanted << "\", found: " << tdm.filmTb().asText(u"Titel"_s) << "\n";
    QList<double> misses;
    for (int i = 0; i < 10; ++i)
        misses << keystroke(box, Qt::Key_Q);
    summary(u"find box, keys that find nothing (whole scan)"_s, misses);

    // The find box on the index number.
    timer.restart();
    window->findOption(1)->click();
    report(u"choosing \"Index\" (reads every number once)"_s, ms(timer));
    window->findBox()->clear();
    QCoreApplication::processEvents();
    QList<double> digits;
    for (QChar c : QString::number(count % 60000 / 2))
        digits << keystroke(box, keyOf(c));
    report(u"find box on Index, first key"_s, digits.first());
    summary(u"find box on Index, later keys"_s, digits.mid(1));

    // Scrolling: paint of a full viewport after a jump to a part not seen before.
    summary(u"list: paint of a full viewport after a scroll"_s, scrollPaints(window->list(), 25));

    timer.restart();
    window->action(u"sortTitle"_s)->trigger();
    report(u"sort by title: the command itself"_s, ms(timer));
    const double sortStretch =
        longestStretchUntil([&] { return tdm.filmTb().indexName() == u"Filmtitel"_s; });
    listPaint.painted = false;
    untilPainted(listPaint);
    report(u"sort by title until the list has painted"_s, ms(timer));
    report(u"  longest GUI stretch meanwhile"_s, sortStretch);
    window->action(u"sortIndex"_s)->trigger();

    timer.restart();
    window->action(u"masterList"_s)->trigger();
    PaintWatch masterPaint(window->masterGrid()->viewport());
    untilPainted(masterPaint);
    report(u"master list shown and painted"_s, ms(timer));
    summary(u"master list: paint of a full viewport after a scroll"_s,
            scrollPaints(window->masterGrid(), 25));

    timer.restart();
    window->close();
    QCoreApplication::processEvents();
    report(u"closing the window"_s, ms(timer));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // As the Film button opens it in a running program: Qt's first-use costs (fonts, styles)
    // are behind, as the main window has paid them.
    QList<double> reopenings;
    QList<double> constructions;
    for (int i = 0; i < 5; ++i) {
        timer.restart();
        auto* again = new TFilmForm(context);
        constructions << ms(timer);
        again->resize(1000, 700);
        PaintWatch paint(again->list()->viewport());
        again->show();
        untilPainted(paint);
        reopenings << ms(timer);
        again->close();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    summary(u"opening again until the first film is painted"_s, reopenings);
    summary(u"  of which constructing the window"_s, constructions);
    QDir(dir).removeRecursively();
    return 0;
}
