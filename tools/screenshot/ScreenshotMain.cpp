// hoardly-screenshot WINDOW OUT.png: builds the program over a fresh starter catalogue, shows
// one window and saves a picture of it. Used by scripts/screenshot.sh under Xvfb.
// HOARDLY_HELP_DIR names another help book for the help window (an installed one, say).
// hoardly-screenshot html-REGISTER OUT.html: the register's HTML list over the demo
// catalogue, exported through its window, for a browser to render.
#include "ScreenshotWindows.h"
#include "app/Application.h"
#include "app/Artwork.h"
#include "data/StarterData.h"
#include "registers/RegisterWindow.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

constexpr qint64 kShowTimeout = 5000; // ms for the window to come up
constexpr qint64 kSettleTime = 400;   // ms on the screen before the picture

// The window's picture; when a message box stands over it, the box's picture instead, taken
// from the screen so that the frame a window manager draws around it shows too.
QPixmap picture(QWidget* widget) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return widget->grab();
    const QRect frame = box->frameGeometry();
    return box->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
}

// Saves a picture of the widget once it has been on the screen for a moment, then ends every
// event loop, a modal window's own included. It polls from a timer, so it runs in whichever
// loop is running. Answers the exit code.
int grabWhenShown(QWidget* widget, const QString& out) {
    int code = 1;
    QElapsedTimer clock;
    clock.start();
    qint64 shownAt = -1;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const bool shown =
            widget->isVisible() && widget->windowHandle() && widget->windowHandle()->isExposed();
        if (shownAt < 0 && shown)
            shownAt = clock.elapsed();
        if (shownAt < 0 && clock.elapsed() < kShowTimeout)
            return;
        if (shownAt >= 0 && clock.elapsed() - shownAt < kSettleTime)
            return;
        poll.stop();
        if (shownAt < 0)
            std::fprintf(stderr, "the window did not show\n");
        else if (!picture(widget).save(out))
            std::fprintf(stderr, "could not write %s\n", qPrintable(out));
        else
            code = 0;
        QCoreApplication::exit(code);
    });
    poll.start();
    QApplication::exec();
    return code;
}

// The dialogs of an export run: the save dialog answers the output file, every box OK (its
// text goes to stdout).
class ExportDialogs final : public Dialogs {
public:
    explicit ExportDialogs(QString path) : path_(std::move(path)) {}
    Answer show(QWidget*, const Box& box) override {
        std::printf("%s: %s\n", qPrintable(box.caption), qPrintable(box.text));
        return Answer::Ok;
    }
    QString askFile(QWidget*, const FileRequest&) override { return path_; }
    std::optional<QString> askText(QWidget*, const TextRequest&) override { return {}; }

private:
    QString path_;
};

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
    // An HTML list or a printed list's PDF file is written, not photographed.
    const bool exporting = name.startsWith(u"html-"_s) || name.startsWith(u"pdf-"_s);
    QtDialogs realDialogs;
    ExportDialogs exportDialogs(out);
    Dialogs& dialogs = exporting ? static_cast<Dialogs&>(exportDialogs) : realDialogs;
    AppOptions options;
    options.intro = {600000, 0}; // the set-up runs when a window asks for it, at once
    // The book of the source tree, or an installed one: HOARDLY_HELP_DIR=~/Hoardly/help.
    options.helpDirectory =
        qEnvironmentVariable("HOARDLY_HELP_DIR", QString::fromUtf8(HOARDLY_HELP_SOURCE_DIR));
    Application app(dialogs, catalogue.path(), options);

    QWidget* widget = chosen->show(app);
    if (!widget) {
        std::fprintf(stderr, "the window \"%s\" could not be opened\n", argv[1]);
        return 1;
    }
    const int code = exporting ? (QFile::exists(out) ? 0 : 1) : grabWhenShown(widget, out);
    // An entry left open for the picture is dropped, so closing asks nothing.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<RegisterWindow*>(window); form && isEntry(form->mode()))
            form->cancelRecord();
    }
    // A register window is destroyed when it closes, and must go before the tables it shows.
    QApplication::closeAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return code;
}
