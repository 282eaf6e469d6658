// Writes pictures of the film window's browse, edit and master-list pages, for looking at the
// layout: film_screenshots <directory>. Runs on any display (Xvfb for the real look).
#include "FakeShell.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "registers/FilmForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"."_s;
    QDir().mkpath(out);
    test::TempCatalogue catalogue;
    catalogue.exec(
        u"film.DB"_s,
        u"INSERT INTO Film (\"Index\", Titel, Kategori, Inspelningsar, Aktor, Aktor2, Aktor3, "
        "Regi, Media, Kritik, Kommentar, Speltid, \"Utlanad till\") VALUES "
        "(1, 'Alien', 'Science Fiction', '1979', 'Sigourney Weaver', 'Tom Skerritt', "
        "'John Hurt', 'Ridley Scott', 'DVD', '*****', 'The director''s cut is on the same disc.', "
        "117, ''),"
        "(2, 'Brazil', 'Comedy', '1985', 'Jonathan Pryce', 'Robert De Niro', 'Katherine Helmond', "
        "'Terry Gilliam', 'VHS', '****', '', 142, 'Anna Berg'),"
        "(3, 'Casablanca', 'Drama', '1942', 'Humphrey Bogart', 'Ingrid Bergman', 'Paul Henreid', "
        "'Michael Curtiz', 'VHS', '*****', 'Black and white.', 102, ''),"
        "(4, 'Der Himmel über Berlin', 'Drama', '1987', 'Bruno Ganz', 'Solveig Dommartin', "
        "'Otto Sander', 'Wim Wenders', 'Laserdisc', '****', '', 128, ''),"
        "(5, 'Fargo', 'Thriller', '1996', 'Frances McDormand', 'William H. Macy', "
        "'Steve Buscemi', 'Joel Coen', 'DVD', '****', '', 98, ''),"
        "(5, 'The Big Lebowski', 'Comedy', '1998', 'Jeff Bridges', 'John Goodman', "
        "'Julianne Moore', 'Joel Coen', 'DVD', '***', 'Same tape as Fargo.', 117, ''),"
        "(6, 'Jaws', 'Thriller', '1975', 'Roy Scheider', 'Robert Shaw', 'Richard Dreyfuss', "
        "'Steven Spielberg', 'Video8', '****', '', 124, ''),"
        "(7, 'Metropolis', 'Science Fiction', '1927', 'Brigitte Helm', 'Alfred Abel', "
        "'Gustav Fröhlich', 'Fritz Lang', '16 mm', '*****', '', 153, ''),"
        "(8, 'Sjunde inseglet, Det', 'Drama', '1957', 'Max von Sydow', 'Gunnar Björnstrand', "
        "'Bengt Ekerot', 'Ingmar Bergman', 'VHS', '*****', '', 96, '')"_s);
    catalogue.exec(u"Standard.db"_s,
                   u"INSERT INTO Standard (Aktor) VALUES ('Bruno Ganz'), ('Max von Sydow')"_s);
    TDM tdm;
    tdm.setDirectoryOfClosed(catalogue.path());
    test::ScriptedDialogs dialogs;
    RunState run;
    test::FakeShell shell;
    AppContext context{dialogs, tdm, run, shell};

    auto* window = new TFilmForm(context);
    window->setWindowTitle(u"Every film has its own story"_s);
    window->resize(980, 640);
    window->show();
    QTest::qWait(200);
    window->table().moveTo(3);
    QTest::qWait(100);
    window->grab().save(out + u"/film-browse.png"_s);

    window->action(u"edit"_s)->trigger();
    QTest::qWait(100);
    window->grab().save(out + u"/film-edit.png"_s);
    window->cancelRecord();

    window->action(u"masterList"_s)->trigger();
    QTest::qWait(100);
    window->grab().save(out + u"/film-masterlist.png"_s);
    window->close();
    return 0;
}
