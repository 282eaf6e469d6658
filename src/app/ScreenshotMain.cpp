// hoardly-screenshot WINDOW OUT.png: builds the program over a fresh starter catalogue, shows
// one window and saves a picture of it. Used by scripts/screenshot.sh under Xvfb.
#include "Application.h"
#include "Artwork.h"
#include "Dialogs.h"
#include "ScreenshotWindows.h"
#include "data/StarterData.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

void settle(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

bool waitForExposed(QWidget* widget) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (widget->windowHandle() && widget->windowHandle()->isExposed())
            return true;
        QThread::msleep(10);
    }
    return false;
}

int usage() {
    QStringList names;
    for (const ScreenshotWindow& window : screenshotWindows())
        names << QString::fromLatin1(window.name);
    std::fprintf(stderr, "usage: hoardly-screenshot WINDOW OUT.png\nwindows: %s\n",
                 qPrintable(names.join(u", "_s)));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QApplication::setWindowIcon(programIcon());
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 3)
        return usage();
    const QString name = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);

    const ScreenshotWindow* chosen = nullptr;
    for (const ScreenshotWindow& window : screenshotWindows()) {
        if (name == QString::fromLatin1(window.name))
            chosen = &window;
    }
    if (!chosen)
        return usage();

    QTemporaryDir catalogue;
    installStarterFiles(QString::fromUtf8(HOARDLY_STARTER_DIR), catalogue.path());
    QtDialogs dialogs;
    AppOptions options;
    options.intro = {600000, 0}; // the set-up runs when a window asks for it, at once
    options.helpDirectory = QString::fromUtf8(HOARDLY_HELP_SOURCE_DIR);
    Application app(dialogs, catalogue.path(), options);

    QWidget* widget = chosen->show(app);
    if (!widget || !waitForExposed(widget)) {
        std::fprintf(stderr, "the window \"%s\" did not show\n", argv[1]);
        return 1;
    }
    settle(400);
    if (!widget->grab().save(out)) {
        std::fprintf(stderr, "could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
