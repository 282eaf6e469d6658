#include "ScriptedDialogs.h"
#include "data/Errors.h"
#include "ui/Commands.h"

#include <QLineEdit>
#include <QWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

// One box per fault: what several controls meet in one turn of the event loop is shown once.
class TestFaultReporter : public QObject {
    Q_OBJECT

    test::ScriptedDialogs dialogs;

    static void failWith(const QString& text) { throw StoreError(text); }

private slots:
    void init() { dialogs.reset(); }
    void cleanup() { HOARDLY_VERIFY_DIALOGS(dialogs); }

    void theSameFaultInOneTurnIsShownOnce() {
        QWidget window;
        FaultReporter faults(dialogs, &window);
        dialogs.answer(Answer::Ok);
        for (int control = 0; control < 6; ++control)
            faults.report(u"The table film.DB has no field Kategori."_s);
        QCOMPARE(dialogs.boxes().size(), 1);
        dialogs.expectLastBox(BoxKind::ErrorBox, u"Hoardly"_s,
                              u"The table film.DB has no field Kategori."_s);
        // Another fault is news.
        dialogs.answer(Answer::Ok);
        faults.report(u"The table film.DB has no field Regi."_s);
        QCOMPARE(dialogs.boxes().size(), 2);
        // In a later turn the first is news again.
        QCoreApplication::processEvents();
        dialogs.answer(Answer::Ok);
        faults.report(u"The table film.DB has no field Kategori."_s);
        QCOMPARE(dialogs.boxes().size(), 3);
    }

    void aCommandsFaultIsAlwaysShownAndCoversTheControlsThatFollow() {
        QWidget window;
        auto* control = new QLineEdit(&window);
        new FaultReporter(dialogs, &window);
        const QString gone = u"The table film.DB is gone."_s;
        dialogs.answer(Answer::Ok);
        dialogs.answer(Answer::Ok);
        // The command runs from a control deep in the window: its reporter is found.
        QVERIFY(!runCommand(dialogs, control, [&] { failWith(gone); }));
        QVERIFY(!runCommand(dialogs, control, [&] { failWith(gone); }));
        QCOMPARE(dialogs.boxes().size(), 2); // two commands asked for, two answers
        window.findChild<FaultReporter*>()->report(gone);
        QCOMPARE(dialogs.boxes().size(), 2);
        QVERIFY(runCommand(dialogs, control, [] {}));
    }

    void aWindowWithoutAReporterShowsEachFault() {
        QWidget window;
        dialogs.answer(Answer::Ok);
        dialogs.answer(Answer::Ok);
        runCommand(dialogs, &window, [] { throw FileError(u"sql.txt cannot be written."_s); });
        runCommand(dialogs, &window, [] { throw FileError(u"sql.txt cannot be written."_s); });
        QCOMPARE(dialogs.boxes().size(), 2);
        dialogs.expectLastBox(BoxKind::ErrorBox, u"Hoardly"_s, u"sql.txt cannot be written."_s);
    }

    void aFaultWhileItsBoxIsUpIsNotShownOverIt() {
        // A real box runs an event loop of its own, where controls may fail again.
        class NestingDialogs final : public Dialogs {
        public:
            FaultReporter* reporter = nullptr;
            QStringList shown;
            Answer show(QWidget*, const Box& box) override {
                shown << box.text;
                if (reporter)
                    reporter->report(u"again"_s);
                return Answer::Ok;
            }
            QString askFile(QWidget*, const FileRequest&) override { return {}; }
            std::optional<QString> askText(QWidget*, const TextRequest&) override { return {}; }
        };
        NestingDialogs nesting;
        QWidget window;
        FaultReporter faults(nesting, &window);
        nesting.reporter = &faults;
        faults.report(u"first"_s);
        QCOMPARE(nesting.shown, QStringList{u"first"_s});
        nesting.reporter = nullptr;
    }
};

QTEST_MAIN(TestFaultReporter)
#include "test_fault_reporter.moc"
