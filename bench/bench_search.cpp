// Times each film criterion of the search page on a 100,000-film table: from Submit until the
// grid has its rows. Run offscreen: QT_QPA_PLATFORM=offscreen ./bench_search [count]
#include "FilmGenerator.h"
#include "Unattended.h"
#include "data/RunState.h"
#include "data/Sqlite.h"
#include "data/TDM.h"
#include "registers/SearchPage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

QTextStream out(stdout);

// Remembered names for the pick lists, as a well-used catalogue would have them.
void rememberNames(const QString& directory) {
    FileDatabase standard(QDir(directory).filePath(u"Standard.db"_s), false);
    standard.exec(u"BEGIN"_s);
    const QStringList first{u"Anna"_s,  u"Erik"_s, u"Maria"_s, u"John"_s,
                            u"Greta"_s, u"Lars"_s, u"Sofia"_s, u"Peter"_s};
    const QStringList last{u"Berg"_s, u"Holm"_s, u"Stone"_s, u"Carter"_s, u"Nyström"_s};
    for (const QString& f : first) {
        for (const QString& l : last) {
            Statement insert =
                standard.prepare(u"INSERT INTO Standard (Aktor, Regi) VALUES (?1, ?1)"_s);
            insert.bind(1, QString(f + u' ' + l));
            insert.step();
        }
    }
    standard.exec(u"COMMIT"_s);
}

struct Run {
    int criterion;
    QString first;
    QString second;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const QString dir = bench::makeBenchCatalogue();
    bench::generateFilms(dir, count);
    rememberNames(dir);
    QTemporaryDir work; // sql.txt goes to the working directory
    const QString savedWorkDir = QDir::currentPath();
    QDir::setCurrent(work.path());

    bench::FailingDialogs dialogs;
    bench::NoShell shell;
    RunState run;
    run.appDir = dir;
    TDM tdm;
    tdm.setDirectoryOfClosed(dir);
    const search::SearchRegister& film = search::filmSearch();
    SearchPage page(AppContext{dialogs, tdm, run, shell}, film);
    page.resize(1100, 700);
    page.show();
    QCoreApplication::processEvents();
    page.enter();

    const QList<Run> runs{{0, u"Anna Berg"_s, {}},
                          {1, u"Erik Holm"_s, {}},
                          {2, u"Drama"_s, {}},
                          {3, u"***"_s, {}},
                          {4, u"90"_s, {}},
                          {5, u"170"_s, {}},
                          {6, u"Anna Berg"_s, u"Erik Holm"_s},
                          {7, u"Erik Holm"_s, u"Anna Berg"_s},
                          {8, u"Drama"_s, u"***"_s},
                          {9, u"Anna Berg"_s, u"***"_s},
                          {10, u"1975"_s, {}},
                          {11, u"DVD"_s, {}}};
    out << "Films: " << count << "; median of 5 Submits until the grid has its rows\n";
    for (const Run& r : runs) {
        QElapsedTimer timer;
        timer.start();
        page.selectCriterion(r.criterion);
        const double select = double(timer.nsecsElapsed()) / 1e6;
        QList<double> submits;
        QList<double> painted;
        for (int i = 0; i < 5; ++i) {
            page.firstInput()->setEditText(r.first);
            if (!r.second.isEmpty())
                page.secondInput()->setEditText(r.second);
            timer.restart();
            page.submitButton()->click();
            (void)page.grid()->model()->rowCount();
            submits << double(timer.nsecsElapsed()) / 1e6;
            page.grid()->viewport()->repaint();
            painted << double(timer.nsecsElapsed()) / 1e6;
        }
        const double firstSubmit = submits.first();
        std::sort(submits.begin(), submits.end());
        std::sort(painted.begin(), painted.end());
        out << qSetFieldWidth(66) << Qt::left << film.criteria[r.criterion].radioText
            << qSetFieldWidth(0) << qSetFieldWidth(7) << Qt::right
            << page.grid()->model()->rowCount() << qSetFieldWidth(0) << " rows  "
            << QString::number(submits[2], 'f', 1) << " ms  (first "
            << QString::number(firstSubmit, 'f', 1) << " ms; painted "
            << QString::number(painted[2], 'f', 1) << " ms; selection step "
            << QString::number(select, 'f', 1) << " ms)\n";
        out.flush();
    }
    page.close();
    QDir::setCurrent(savedWorkDir);
    QDir(dir).removeRecursively();
    return 0;
}
