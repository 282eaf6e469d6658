// Times the HTML export of the film window on a 100,000-film table: from the command to the
// completion message, sorted by index and by title, with the shown window's list and bound
// controls following the table; and the page alone, built without a window.
// Run: QT_QPA_PLATFORM=offscreen ./bench_html_export [count]
#include "FilmGenerator.h"
#include "Timing.h"
#include "Unattended.h"
#include "data/Dates.h"
#include "data/DownloadPage.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "registers/FilmForm.h"
#include "registers/HtmlExport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTableView>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::bench;

namespace {

// Answers the save dialog with one path and notes the boxes, which are the completion message.
class ExportDialogs final : public Dialogs {
public:
    explicit ExportDialogs(QString path) : path_(std::move(path)) {}
    Answer show(QWidget*, const Box& box) override {
        lastBox = box.caption + u": "_s + box.text;
        return Answer::Ok;
    }
    QString askFile(QWidget*, const FileRequest&) override { return path_; }
    std::optional<QString> askText(QWidget*, const TextRequest&) override { return {}; }
    QString lastBox;

private:
    QString path_;
};

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
    const QString path = QDir(dir).filePath(u"Filmlist.html"_s);
    ExportDialogs dialogs(path);
    RunState run;
    bench::NoShell shell;
    AppContext context{dialogs, tdm, run, shell};

    auto* window = new TFilmForm(context);
    window->resize(1000, 700);
    window->show();
    QCoreApplication::processEvents();
    Table& films = tdm.filmTb();

    for (const QString& order : {u"sortIndex"_s, u"sortTitle"_s}) {
        window->action(order)->trigger();
        films.moveTo(count / 2);
        QCoreApplication::processEvents();
        QList<double> runs;
        for (int i = 0; i < 5; ++i) {
            films.moveTo(count / 2);
            QCoreApplication::processEvents();
            timer.restart();
            window->action(cmd::htmlExport)->trigger();
            QCoreApplication::processEvents(); // the list and the panel repaint on the last film
            runs << ms(timer);
        }
        summary(u"export command (%1), until repainted"_s.arg(order), runs);
        out() << "  " << dialogs.lastBox << "; " << QFileInfo(path).size() / 1024
              << " kB; current film at position " << films.position() << " of " << count << ": "
              << films.asText(u"Titel"_s) << "\n";

        QList<double> pages;
        for (int i = 0; i < 5; ++i) {
            timer.restart();
            const QByteArray page = html::pageOf(html::member(html::Register::Film), films,
                                                 dateToText(QDate::currentDate()),
                                                 QString::fromLatin1(kDownloadAddress));
            pages << ms(timer);
        }
        summary(u"the page alone (%1; scan and escaping, no file)"_s.arg(order), pages);
    }

    window->close();
    QCoreApplication::processEvents();
    QDir(dir).removeRecursively();
    return 0;
}
