#include "IntroForm.h"

#include "Artwork.h"
#include "DatabaseSetup.h"
#include "Version.h"
#include "lending/LoanCheck.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

TIntroForm::TIntroForm(AppContext& context, const QString& executableDirectory,
                       std::function<void()> enableMusicTimer, IntroTimings timings,
                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), context_(context),
      executableDirectory_(executableDirectory), enableMusicTimer_(std::move(enableMusicTimer)),
      timings_(timings) {
    setObjectName(u"IntroForm"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::BusyCursor);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x1b, 0x2a, 0x4a));
    palette.setColor(QPalette::WindowText, QColor(0xf0, 0xe8, 0xd8));
    setPalette(palette);

    auto* picture = new QLabel(this);
    picture->setObjectName(u"introPicture"_s);
    picture->setPixmap(introPicture());

    auto* loading = new QLabel(u"Loading....."_s, this);
    loading->setObjectName(u"loadingLabel"_s);
    QFont font = loading->font();
    font.setPointSize(12);
    font.setBold(true);
    loading->setFont(font);

    const QString address = QString::fromLatin1(kDownloadAddress);
    auto* link = new QLabel(u"<a style=\"color:#9cc8ff\" href=\"%1\">%1</a>"_s.arg(address), this);
    link->setObjectName(u"downloadLink"_s);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    connect(link, &QLabel::linkActivated, this,
            [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(picture);
    layout->addWidget(loading, 0, Qt::AlignHCenter);
    layout->addWidget(link, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    introTimer_.setInterval(timings_.tickMs);
    connect(&introTimer_, &QTimer::timeout, this, &TIntroForm::IntroTimerTimer);
    introTimer_.start();
}

void TIntroForm::showModal() {
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
}

void TIntroForm::IntroTimerTimer() {
    // Stopped first: the error box below runs its own event loop, in which a second tick
    // must not start the set-up again.
    introTimer_.stop();
    const int waitMs = timings_.waitMs;
    const DatabaseSetupSteps steps{
        [] { QCoreApplication::processEvents(); },
        [waitMs] { QThread::msleep(static_cast<unsigned long>(waitMs)); },
        enableMusicTimer_,
        [this] { checkLoans(); },
    };
    runCommand(context_.dialogs, this, [&] {
        if (setUpDatabase(context_.tdm, context_.run, executableDirectory_, steps) ==
            DatabaseSetupResult::DatabaseError)
            context_.dialogs.message(this, QString::fromLatin1(kDatabaseOpenFailedMessage));
    });
    close();
}

// A failed mend is shown in the default error box; the start goes on.
void TIntroForm::checkLoans() {
    runCommand(context_.dialogs, this, [this] {
        offerToMendLoans(context_.tdm, [this](const QString& text) {
            return context_.dialogs.question(this, QString::fromLatin1(kLoanDisagreementCaption),
                                             text, BoxIcon::Exclamation);
        });
    });
}

} // namespace hoardly
