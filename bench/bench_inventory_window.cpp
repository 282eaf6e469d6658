// Times the home inventory on 2,000 objects that each carry a 640 × 480 picture: opening until
// the first picture is painted, one move to the next object until its picture is painted, and
// the memory the open window holds.
// Run: QT_QPA_PLATFORM=offscreen ./bench_inventory_window [count]   (or under xvfb-run)
#include "FilmGenerator.h"
#include "InventoryGenerator.h"
#include "Timing.h"
#include "Unattended.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "registers/ValueForm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QTextStream>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::bench;

namespace {} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000;
    const QString dir = bench::makeBenchCatalogue();
    QElapsedTimer timer;
    timer.start();
    bench::generateInventory(dir, count, QSize(640, 480));
    out() << "Generated " << count << " objects with 640 x 480 pictures in "
          << QString::number(ms(timer), 'f', 0) << " ms, Value.DB "
          << QFileInfo(QDir(dir).filePath(u"Value.DB"_s)).size() / (1024 * 1024) << " MB\n";

    TDM tdm;
    tdm.setDirectoryOfClosed(dir);
    bench::FailingDialogs dialogs;
    RunState run;
    bench::NoShell shell;
    AppContext context{dialogs, tdm, run, shell};
    const long before = bench::residentKilobytes();

    timer.restart();
    auto* window = new TValueForm(context);
    auto* picture = window->findChild<QLabel*>(u"panel_Bild"_s);
    PaintWatch firstPaint(picture);
    window->show();
    untilPainted(firstPaint);
    out() << qSetFieldWidth(52) << Qt::left << "construct + show until the first picture is painted"
          << qSetFieldWidth(0) << QString::number(ms(timer), 'f', 2) << " ms\n";
    out() << "  total shown: " << window->totalLabel()->text() << "\n";

    // One move to the next object by the list's Down key, until the new picture is painted.
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        out() << "(the window did not become active)\n";
    window->list()->setFocus();
    QList<double> moves;
    for (int i = 0; i < 200; ++i) {
        PaintWatch paint(picture);
        timer.restart();
        QTest::keyClick(window->list(), Qt::Key_Down);
        untilPainted(paint);
        moves << ms(timer);
    }
    summary(u"one record on (Down) until its picture is painted"_s, moves);
    out() << "  current object: " << tdm.valueTb().asText(u"Benamning"_s) << "\n";

    QList<double> jumps;
    for (int i = 0; i < 50; ++i) {
        PaintWatch paint(picture);
        timer.restart();
        QTest::keyClick(window->list(), i % 2 ? Qt::Key_Home : Qt::Key_End, Qt::ControlModifier);
        untilPainted(paint);
        jumps << ms(timer);
    }
    summary(u"first / last object until its picture is painted"_s, jumps);
    out() << "Resident memory with the window open: +"
          << (bench::residentKilobytes() - before) / 1024 << " MB (whole process "
          << bench::residentKilobytes() / 1024 << " MB)\n";

    window->close();
    delete window;
    QDir(dir).removeRecursively();
    return 0;
}
