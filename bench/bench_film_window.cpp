// Times every interaction of the film window on a table of generated films, as the longest
// stretch the GUI thread spent away from its event loop (what a user feels as the window not
// answering), with the time until the interaction's outcome was in and painted. Each round
// opens the window afresh and runs every interaction once; the figures are the median and the
// worst of the rounds.
// Run: QT_QPA_PLATFORM=offscreen ./bench_film_window [count] [rounds]   (or under xvfb-run)
#include "FilmGenerator.h"
#include "Timing.h"
#include "Unattended.h"
#include "data/Query.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "registers/FilmForm.h"
#include "registers/FindBox.h"
#include "registers/SearchPage.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
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

// Answers every question with Yes (the delete question is the only one a round asks) and
// counts the boxes, so that a run that met an error box says so.
class YesDialogs final : public Dialogs {
public:
    Answer show(QWidget*, const Box& box) override {
        if (box.kind != BoxKind::Question) {
            ++problems;
            out() << "UNEXPECTED BOX: " << box.caption << ": " << box.text << "\n";
        }
        return Answer::Yes;
    }
    QString askFile(QWidget*, const FileRequest&) override { return {}; }
    std::optional<QString> askText(QWidget*, const TextRequest&) override { return {}; }
    int problems = 0;
};

Qt::Key keyOf(QChar c) {
    if (c == u' ')
        return Qt::Key_Space;
    return Qt::Key(c.toUpper().unicode());
}

// The figures of every interaction over the rounds, in the order they were first met.
class Figures {
public:
    void add(const QString& what, const Stretch& stretch) {
        if (!stretches_.contains(what))
            order_ << what;
        stretches_[what] << stretch;
    }
    void print() const {
        out() << qSetFieldWidth(52) << Qt::left << u"interaction"_s << qSetFieldWidth(0)
              << "longest GUI stretch (median / worst)   until done (median)\n";
        for (const QString& what : order_) {
            QList<double> longest;
            QList<double> done;
            for (const Stretch& s : stretches_[what]) {
                longest << s.longestMs;
                done << s.untilDoneMs;
            }
            std::sort(longest.begin(), longest.end());
            std::sort(done.begin(), done.end());
            out() << qSetFieldWidth(52) << Qt::left << what << qSetFieldWidth(8) << Qt::right
                  << QString::number(longest[longest.size() / 2], 'f', 1) << qSetFieldWidth(0)
                  << " / " << qSetFieldWidth(7) << QString::number(longest.last(), 'f', 1)
                  << qSetFieldWidth(18) << QString::number(done[done.size() / 2], 'f', 1)
                  << qSetFieldWidth(0) << " ms\n";
        }
        out().flush();
    }

private:
    QStringList order_;
    QMap<QString, QList<Stretch>> stretches_;
};

class Round {
public:
    Round(AppContext& context, int count, Figures& figures)
        : context_(context), tdm_(context.tdm), count_(count), figures_(figures) {}

    void run(bool measureMemory) {
        const long before = residentKilobytes();
        open();
        findBox();
        if (measureMemory) {
            out() << "resident memory with the window open and the titles read: +"
                  << (residentKilobytes() - before) / 1024 << " MB\n";
        }
        listKeys();
        sortByTitle();
        writes();
        searchPage();
        masterList();
        close();
    }

private:
    Table& films() const { return tdm_.filmTb(); }
    QString title() const { return films().asText(u"Titel"_s); }

    Stretch untilPainted(const QString& what, QWidget* widget, const std::function<void()>& act,
                         const std::function<bool()>& alsoDone = {}) {
        PaintWatch paint(widget);
        const Stretch stretch =
            stretchOf(act, [&] { return paint.painted && (!alsoDone || alsoDone()); });
        figures_.add(what, stretch);
        return stretch;
    }

    void open() {
        PaintWatch* paint = nullptr;
        const Stretch opening = stretchOf(
            [&] {
                window_ = new TFilmForm(context_);
                window_->resize(1000, 700);
                paint = new PaintWatch(window_->list()->viewport());
                window_->show();
            },
            [&] { return paint && paint->painted; });
        figures_.add(u"opening the window (Film button)"_s, opening);
        delete paint;
        window_->activateWindow();
        if (!QTest::qWaitForWindowActive(window_))
            out() << "(the window did not become active)\n";
    }

    void key(QWidget* widget, Qt::Key key, const QString& what, const std::function<bool()>& done) {
        figures_.add(what, stretchOf([&] { QTest::keyClick(widget, key); }, done));
    }

    void findBox() {
        // The first key comes at once after entering the box, before the titles are read:
        // it finds when they are in.
        FindBox* box = window_->findBox();
        const QString wanted = generatedTitle(count_ * 7 / 10).toLower();
        figures_.add(u"entering the find box"_s, stretchOf([&] { box->setFocus(); }));
        box->clear();
        key(box, keyOf(wanted[0]), u"find box: first key, before the titles are in"_s,
            [&] { return !box->isWaiting(); });
        for (int i = 1; i < wanted.size(); ++i) {
            key(box, keyOf(wanted[i]), u"find box: each later key (worst of the title)"_s,
                [] { return true; });
        }
        if (title().toLower() != wanted)
            out() << "FIND BOX FOUND \"" << title() << "\" FOR \"" << wanted << "\"\n";
        key(box, Qt::Key_Q, u"find box: a key that finds nothing"_s, [] { return true; });
        box->clear();
        figures_.add(u"choosing the find option \"Index\""_s,
                     stretchOf([&] { window_->findOption(1)->click(); }));
        for (QChar c : QString::number(count_ % 60000 / 2))
            key(box, keyOf(c), u"find box on Index: each key"_s, [] { return true; });
        window_->findOption(0)->click();
    }

    void listKeys() {
        QTableView* list = window_->list();
        list->setFocus();
        key(list, Qt::Key_End, u"End in the list"_s, [] { return true; });
        if (films().position() != films().recordCount() - 1)
            out() << "END DID NOT GO TO THE LAST FILM\n";
        key(list, Qt::Key_Home, u"Home in the list"_s, [] { return true; });
        QRandomGenerator random(7);
        QScrollBar* bar = list->verticalScrollBar();
        for (int i = 0; i < 5; ++i) {
            untilPainted(u"list: a scroll to a part not seen before"_s, list->viewport(),
                         [&] { bar->setValue(int(random.bounded(bar->maximum() + 1))); });
        }
    }

    void sortByTitle() {
        untilPainted(
            u"sort by title, until the list shows it"_s, window_->list()->viewport(),
            [&] { window_->action(u"sortTitle"_s)->trigger(); },
            [&] { return films().indexName() == u"Filmtitel"_s; });
        untilPainted(
            u"sort by index, until the list shows it"_s, window_->list()->viewport(),
            [&] { window_->action(u"sortIndex"_s)->trigger(); },
            [&] { return films().indexName() == u"Nummer"_s; });
    }

    void writes() {
        // In the order for people, where a write puts the records in order again.
        window_->action(u"sortTitle"_s)->trigger();
        while (films().indexName() != u"Filmtitel"_s)
            QCoreApplication::processEvents();
        films().moveTo(films().recordCount() / 2);
        figures_.add(u"Edit record"_s, stretchOf([&] { window_->action(u"edit"_s)->trigger(); }));
        auto* comment = qobject_cast<QPlainTextEdit*>(window_->editControl(u"Kommentar"_s));
        if (comment)
            comment->setPlainText(u"Seen again"_s);
        figures_.add(u"OK after an edit (in title order)"_s,
                     stretchOf([&] { window_->okButton()->click(); }));
        figures_.add(u"Add record"_s, stretchOf([&] { window_->action(u"add"_s)->trigger(); }));
        auto* titleBox = qobject_cast<QLineEdit*>(window_->editControl(u"Titel"_s));
        // Typed, as a user does: the record takes what is typed, not what a program sets.
        QTest::keyClicks(titleBox, u"A Film Added In The Bench"_s);
        figures_.add(u"OK after an addition (in title order)"_s,
                     stretchOf([&] { window_->okButton()->click(); }));
        if (title() != u"A Film Added In The Bench"_s)
            out() << "THE ADDED FILM IS NOT CURRENT: " << title() << "\n";
        figures_.add(u"Delete record (in title order)"_s,
                     stretchOf([&] { window_->action(u"delete"_s)->trigger(); }));
        window_->action(u"sortIndex"_s)->trigger();
        while (films().indexName() != u"Nummer"_s)
            QCoreApplication::processEvents();
    }

    void searchPage() {
        figures_.add(u"Find by conditions (the search page)"_s,
                     stretchOf([&] { window_->action(u"findByConditions"_s)->trigger(); }));
        auto* page = qobject_cast<SearchPage*>(window_->searchPage());
        const Query& query = tdm_.filmQ();
        const auto submit = [&](const QString& what, int criterion, const QString& text) {
            page->selectCriterion(criterion);
            page->firstInput()->setEditText(text);
            untilPainted(
                what, page->grid()->viewport(), [&] { page->submitButton()->click(); },
                [&] { return query.isOpen(); });
            if (query.rowCount() == 0)
                out() << "THE SEARCH \"" << what << "\" FOUND NOTHING\n";
        };
        submit(u"Submit: films with an actor"_s, 0, u"Anna Berg"_s);
        submit(u"Submit: films of a category"_s, 2, u"Drama"_s);
        submit(u"Submit: films below a screen time (most)"_s, 4, u"150"_s);
        figures_.add(u"Back from the search page"_s,
                     stretchOf([&] { window_->action(u"back"_s)->trigger(); }));
    }

    void masterList() {
        QTableView* grid = window_->masterGrid();
        untilPainted(u"Masterlist shown"_s, grid->viewport(),
                     [&] { window_->action(u"masterList"_s)->trigger(); });
        QRandomGenerator random(11);
        QScrollBar* bar = grid->verticalScrollBar();
        for (int i = 0; i < 5; ++i) {
            untilPainted(u"Masterlist: a scroll to a part not seen before"_s, grid->viewport(),
                         [&] { bar->setValue(int(random.bounded(bar->maximum() + 1))); });
        }
        figures_.add(u"Back from the master list"_s,
                     stretchOf([&] { window_->action(u"back"_s)->trigger(); }));
    }

    void close() {
        figures_.add(u"closing the window"_s, stretchOf([&] { window_->close(); }));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        window_ = nullptr;
    }

    AppContext& context_;
    TDM& tdm_;
    int count_;
    Figures& figures_;
    TFilmForm* window_ = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const FilmCatalogue catalogue = makeFilmCatalogue(argc, argv);
    const int rounds = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 3;

    TDM tdm;
    tdm.setDirectoryOfClosed(catalogue.directory);
    tdm.standardTb().open();
    YesDialogs dialogs;
    RunState run;
    NoShell shell;
    AppContext context{dialogs, tdm, run, shell};

    Figures figures;
    // The first opening pays Qt's first-use costs (fonts, styles), as the main window has in a
    // running program; it is told apart.
    {
        Figures first;
        Round(context, catalogue.count, first).run(true);
        out() << "first round (Qt's first-use costs included):\n";
        first.print();
    }
    for (int i = 0; i < rounds; ++i)
        Round(context, catalogue.count, figures).run(false);
    out() << "\n" << catalogue.count << " films, " << rounds << " rounds:\n";
    figures.print();
    if (dialogs.problems > 0)
        out() << dialogs.problems << " unexpected boxes\n";
    QDir(catalogue.directory).removeRecursively();
    return dialogs.problems > 0 ? 1 : 0;
}
