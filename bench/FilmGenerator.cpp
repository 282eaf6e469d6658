#include "FilmGenerator.h"
#include "Timing.h"

#include "data/Sqlite.h"
#include "data/StarterData.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace hoardly::bench {

namespace {

const QStringList& adjectives() {
    static const QStringList words{
        u"Silent"_s, u"Last"_s,    u"Broken"_s,   u"Golden"_s, u"Dark"_s,     u"Lost"_s,
        u"Hidden"_s, u"Burning"_s, u"Frozen"_s,   u"Wild"_s,   u"Endless"_s,  u"Crimson"_s,
        u"Secret"_s, u"Distant"_s, u"Iron"_s,     u"Paper"_s,  u"Midnight"_s, u"Stolen"_s,
        u"Sweet"_s,  u"Bitter"_s,  u"Electric"_s, u"Quiet"_s,  u"Northern"_s, u"Fallen"_s};
    return words;
}

const QStringList& nouns() {
    static const QStringList words{
        u"River"_s,   u"Horizon"_s, u"Kingdom"_s,  u"Letter"_s,  u"Summer"_s,  u"Garden"_s,
        u"Station"_s, u"Mirror"_s,  u"Harbour"_s,  u"Promise"_s, u"Highway"_s, u"Island"_s,
        u"Empire"_s,  u"Window"_s,  u"Stranger"_s, u"Forest"_s,  u"Machine"_s, u"Winter"_s,
        u"Voyage"_s,  u"Orchard"_s, u"Signal"_s,   u"Shadow"_s,  u"Lantern"_s, u"Frontier"_s};
    return words;
}

const QStringList& firstNames() {
    static const QStringList words{u"Anna"_s,   u"Erik"_s,  u"Maria"_s, u"John"_s,   u"Greta"_s,
                                   u"Lars"_s,   u"Sofia"_s, u"Peter"_s, u"Ingrid"_s, u"Max"_s,
                                   u"Helena"_s, u"Tom"_s,   u"Liv"_s,   u"Paul"_s,   u"Åsa"_s};
    return words;
}

const QStringList& lastNames() {
    static const QStringList words{u"Berg"_s,    u"Lindqvist"_s, u"Stone"_s,   u"Carter"_s,
                                   u"Nyström"_s, u"Holm"_s,      u"Wallace"_s, u"Ekberg"_s,
                                   u"Moreau"_s,  u"Jansson"_s,   u"Keller"_s,  u"Öberg"_s,
                                   u"Fischer"_s, u"Dahl"_s,      u"Reyes"_s,   u"Sandberg"_s};
    return words;
}

QString person(QRandomGenerator& random) {
    return firstNames()[int(random.bounded(firstNames().size()))] + u' ' +
           lastNames()[int(random.bounded(lastNames().size()))];
}

} // namespace

QString generatedTitle(int i) {
    const int a = i % int(adjectives().size());
    const int n = (i / int(adjectives().size())) % int(nouns().size());
    return u"The "_s + adjectives()[a] + u' ' + nouns()[n] + u' ' + QString::number(i);
}

void generateFilms(const QString& directory, int count) {
    static const QStringList categories{u"Action"_s,  u"Comedy"_s,      u"Drama"_s, u"Thriller"_s,
                                        u"Western"_s, u"Documentary"_s, u"Horror"_s};
    static const QStringList media{u"VHS"_s, u"DVD"_s, u"Laserdisc"_s, u"Hi8"_s};
    static const QStringList rates{u"*****"_s, u"****"_s, u"***"_s, u"**"_s, u"*"_s};
    QRandomGenerator random(20261209);
    FileDatabase database(QDir(directory).filePath(u"film.DB"_s), false);
    database.exec(u"BEGIN"_s);
    Statement insert = database.prepare(
        u"INSERT INTO Film (\"Index\", Titel, Kategori, Inspelningsar, Aktor, Aktor2, Aktor3, "
        "Regi, Media, Kritik, Kommentar, Utlanad, Speltid) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?)"_s);
    for (int i = 1; i <= count; ++i) {
        insert.bindAll({i % 60000 + 1, generatedTitle(i),
                        categories[int(random.bounded(categories.size()))],
                        QString::number(1930 + random.bounded(95)), person(random), person(random),
                        person(random), person(random), media[int(random.bounded(media.size()))],
                        rates[int(random.bounded(rates.size()))],
                        u"Bought at the market, good copy."_s, 70 + random.bounded(120)});
        insert.step();
        insert.reset();
    }
    database.exec(u"COMMIT"_s);
}

QString makeBenchCatalogue() {
    QTemporaryDir dir;
    dir.setAutoRemove(false);
    installStarterFiles(QString::fromUtf8(HOARDLY_STARTER_DIR), dir.path());
    return dir.path();
}

long residentKilobytes() {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

FilmCatalogue makeFilmCatalogue(int argc, char** argv, int fallback) {
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : fallback;
    const QString dir = makeBenchCatalogue();
    QElapsedTimer timer;
    timer.start();
    generateFilms(dir, count);
    out() << "Generated " << count << " films in " << QString::number(ms(timer), 'f', 0) << " ms\n";
    return {dir, count};
}

} // namespace hoardly::bench
