// Shows the lending windows with a few loans and saves a picture of each, for the
// documentation: lending_screenshots <directory>. Run it under a real display (Xvfb).
#include "TempCatalogue.h"
#include "app/Dialogs.h"
#include "app/Shell.h"
#include "data/TDM.h"
#include "lending/BorrowChoiceForm.h"
#include "lending/BorrowFillinForm.h"
#include "lending/BorrowForm.h"
#include "lending/LendingWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

class NoShell final : public Shell {
public:
    void showTips(const QStringList&) override {}
    void showAbout() override {}
    void openHelp() override {}
    void showMainWindow() override {}
};

bool save(QWidget& window, const QString& path) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QTest::qWait(300);
    const bool saved = window.grab().save(path);
    window.hide();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: lending_screenshots <directory>");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    test::TempCatalogue catalogue;
    catalogue.exec(u"borrow.db"_s,
                   u"INSERT INTO Borrow (Objektyp, Objekt, \"Utlanad till\", \"E-post\", Tele, "
                   "\"Utlanad datum\", Send_mail) VALUES "
                   "('Film', 'Alien', 'Anna Berg', 'anna@example.se', '08-123-45', "
                   "'2024-02-11', 1), "
                   "('Musik', 'Abbey Road', 'Per Holm', NULL, '031-77-20', '2024-03-02', NULL), "
                   "('Literatur', 'Röda rummet', 'Eva Lind', NULL, NULL, '2024-03-09', NULL)"_s);
    TDM tdm;
    tdm.setDirectoryOfClosed(catalogue.path());
    tdm.borrowTb().open();
    RunState run;
    QtDialogs dialogs;
    NoShell shell;
    AppContext context{dialogs, tdm, run, shell};
    LendingWindows lending(context);
    lending.fillinForm().setObjectLabel(u"Alien"_s);
    const QList<std::pair<QString, QString>> entries{{u"FirstNameEd"_s, u"Anna"_s},
                                                     {u"LastNameEd"_s, u"Berg"_s},
                                                     {u"PhoneEd"_s, u"08-123-45"_s},
                                                     {u"EmailEd"_s, u"anna@example.se"_s}};
    for (const auto& [name, text] : entries)
        lending.fillinForm().findChild<QLineEdit*>(name)->setText(text);
    lending.fillinForm().findChild<QCheckBox*>(u"RemindBox"_s)->setChecked(true);

    bool ok = save(lending.choiceForm(), out.filePath(u"lending-choice.png"_s));
    ok = save(lending.fillinForm(), out.filePath(u"lending-fillin.png"_s)) && ok;
    tdm.borrowTb().first();
    ok = save(lending.borrowForm(), out.filePath(u"lending-overview.png"_s)) && ok;
    return ok ? 0 : 1;
}
