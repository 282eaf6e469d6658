// Saves a picture of the film search page with a result, hosted in a plain window:
// xvfb-run -a -s "-screen 0 1280x800x24" ./shot_search_page docs/screenshots/film-search.png
#include "FilmGenerator.h"
#include "app/Dialogs.h"
#include "app/Shell.h"
#include "data/RunState.h"
#include "data/Sqlite.h"
#include "data/TDM.h"
#include "registers/SearchPage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace hoardly;

class NoShell final : public Shell {
public:
    void showTips(const QStringList&) override {}
    void showAbout() override {}
    void openHelp() override {}
    void showMainWindow() override {}
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = bench::makeBenchCatalogue();
    {
        FileDatabase films(QDir(dir).filePath(u"film.DB"_s), false);
        films.exec(
            u"INSERT INTO Film (\"Index\", Titel, Kategori, Inspelningsar, Aktor, Aktor2, Aktor3, "
            "Regi, Media, Kritik, Kommentar, Utlanad, Speltid, \"Utlanad till\") VALUES "
            "(1, 'Heat', 'Thriller', '1995', 'Al Pacino', 'Robert De Niro', 'Val Kilmer', "
            "'Michael Mann', 'DVD', '****', '', 0, 170, ''), "
            "(2, 'The Godfather', 'Drama', '1972', 'Marlon Brando', 'Al Pacino', 'James Caan', "
            "'Francis Ford Coppola', 'VHS', '*****', '', 1, 175, 'Eva Ek'), "
            "(3, 'Scarface', 'Drama', '1983', 'Steven Bauer', 'Michelle Pfeiffer', 'Al Pacino', "
            "'Brian De Palma', 'Laserdisc', '***', '', 0, 170, ''), "
            "(4, 'Serpico', 'Police', '1973', 'Al Pacino', 'John Randolph', '', "
            "'Sidney Lumet', 'VHS', '****', '', 0, 130, ''), "
            "(5, 'Taxi Driver', 'Drama', '1976', 'Robert De Niro', 'Jodie Foster', '', "
            "'Martin Scorsese', 'DVD', '*****', '', 0, 114, '')"_s);
        FileDatabase standard(QDir(dir).filePath(u"Standard.db"_s), false);
        standard.exec(u"INSERT INTO Standard (Aktor) VALUES ('Robert De Niro'), ('Al Pacino'), "
                      "('Marlon Brando'), ('Jodie Foster'), ('Val Kilmer')"_s);
    }
    QtDialogs dialogs;
    NoShell shell;
    RunState run;
    run.appDir = dir;
    TDM tdm;
    tdm.setDirectoryOfClosed(dir);
    QMainWindow window;
    window.setWindowTitle(u"Hoardly - Film"_s);
    auto* page = new SearchPage(AppContext{dialogs, tdm, run, shell}, search::filmSearch());
    window.setCentralWidget(page);
    window.resize(1180, 620);
    window.show();
    page->enter();
    page->firstInput()->setEditText(u"Al Pacino"_s);
    page->submitButton()->click();
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(800, &app, [&] {
        window.grab().save(out);
        app.quit();
    });
    const int rc = app.exec();
    QDir(dir).removeRecursively();
    return rc;
}
