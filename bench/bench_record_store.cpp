// Times the record store on a 100,000-film table against a plain SQLite read of the same rows.
#include "FilmGenerator.h"
#include "data/Schema.h"
#include "data/Sqlite.h"
#include "data/Table.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>
#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

QTextStream out(stdout);

double milliseconds(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

void report(const char* what, double ms) {
    out << qSetFieldWidth(52) << Qt::left << what << qSetFieldWidth(0)
        << QString::number(ms, 'f', 2) << " ms\n";
    out.flush();
}

// The same rows in the same order, read by SQLite alone: every column of every film.
double rawRead(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM Film ORDER BY \"Index\"", -1, &stmt, nullptr);
    long long bytes = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(stmt); ++i)
            bytes += sqlite3_column_bytes(stmt, i);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    const double ms = milliseconds(timer);
    out << "(raw read touched " << bytes << " bytes)\n";
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const QString dir = bench::makeBenchCatalogue();
    QElapsedTimer timer;
    timer.start();
    bench::generateFilms(dir, count);
    out << "Generated " << count << " films in " << QString::number(milliseconds(timer), 'f', 0)
        << " ms\n";

    const QString path = QDir(dir).filePath(u"film.DB"_s);
    const double raw = rawRead(path);
    report("sqlite3 reading all rows in Index order", raw);

    const long before = bench::residentKilobytes();
    Connection connection;
    Table films(connection, schema::film());
    films.setDirectory(dir);
    films.selectIndex(u"Nummer"_s);
    timer.restart();
    films.open();
    films.first();
    const QString firstTitle = films.asText(u"Titel"_s);
    const double open = milliseconds(timer);
    report("open + first record in Nummer order", open);
    out << "  ratio to the raw read: " << QString::number(open / raw, 'f', 2)
        << "x (target <= 3x)\n";

    timer.restart();
    films.selectIndex(u"Filmtitel"_s);
    report("switch to Filmtitel", milliseconds(timer));
    films.selectIndex(u"Nummer"_s);

    timer.restart();
    bool found = films.locatePrefix(u"Titel"_s, bench::generatedTitle(count - 3).toLower());
    report("prefix locate near the end, unprepared (cold)", milliseconds(timer));
    films.refresh();
    timer.restart();
    films.preparePrefixLocate(u"Titel"_s);
    report("starting the find box's background read", milliseconds(timer));
    timer.restart();
    while (!films.prefixTextsReady(u"Titel"_s))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    report("the background read, until in", milliseconds(timer));
    double worst = 0;
    for (int length = 5; length <= 24; ++length) {
        timer.restart();
        found =
            films.locatePrefix(u"Titel"_s, bench::generatedTitle(count - 3).left(length)) && found;
        worst = std::max(worst, milliseconds(timer));
    }
    report("prefix locate near the end, next keys (worst)", worst);
    timer.restart();
    const bool missing = films.locatePrefix(u"Titel"_s, u"zzz no such title"_s);
    report("prefix locate that finds nothing", milliseconds(timer));
    out << "  found: " << (found ? "yes" : "NO") << ", not found: " << (missing ? "NO" : "yes")
        << " (target < 16 ms per key)\n";

    timer.restart();
    films.edit();
    films.setText(u"Kommentar"_s, u"Edited by the benchmark"_s);
    films.post();
    report("post of one edited record (order unchanged)", milliseconds(timer));
    timer.restart();
    films.edit();
    films.setInteger(u"Index"_s, 30000);
    films.post();
    report("post of one edited record (index changed)", milliseconds(timer));

    timer.restart();
    films.refresh();
    report("refresh", milliseconds(timer));

    timer.restart();
    films.last();
    for (int i = 0; i < 1000; ++i)
        films.prior();
    report("1000 moves to the prior record", milliseconds(timer));

    const long after = bench::residentKilobytes();
    out << "Memory for the open table: " << (after - before) / 1024 << " MB (target < 100 MB)\n";
    out << "First title: " << firstTitle << "\n";
    films.close();
    QDir(dir).removeRecursively();
    return 0;
}
