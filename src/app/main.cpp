#include "Application.h"
#include "Artwork.h"
#include "ui/Dialogs.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(hoardly::kApplicationTitle));
    QApplication::setWindowIcon(hoardly::programIcon());
    // The main window ends the program; a register window closing while the main window is
    // still hidden must not.
    QApplication::setQuitOnLastWindowClosed(false);

    hoardly::QtDialogs dialogs;
    hoardly::Application hoardly(dialogs, QCoreApplication::applicationDirPath());
    hoardly.start();
    return app.exec();
}
