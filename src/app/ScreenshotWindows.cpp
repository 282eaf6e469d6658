#include "ScreenshotWindows.h"

#include "AboutBox.h"
#include "Application.h"
#include "HelpForm.h"
#include "MainForm.h"
#include "TipsForm.h"

using namespace Qt::StringLiterals;

namespace hoardly {

void setUpNow(Application& app) {
    if (TIntroForm* intro = app.introForm())
        intro->IntroTimerTimer();
    app.mainForm().updateButtons();
}

namespace {

QWidget* showMain(Application& app) {
    setUpNow(app);
    app.start();
    return &app.mainForm();
}

QWidget* showIntro(Application& app) {
    TIntroForm* intro = app.introForm();
    intro->adjustSize();
    intro->show();
    return intro;
}

QWidget* showTips(Application& app) {
    TTipsForm& tips = app.tipsForm();
    tips.setLines({u"Fields marked with * are always required."_s, QString(),
                   u"Move between the fields with the TAB or RETURN key."_s, QString(),
                   u"If several films share one video tape, give them the same index."_s});
    tips.show();
    return &tips;
}

QWidget* showAbout(Application& app) {
    app.aboutBox().show();
    return &app.aboutBox();
}

QWidget* showHelp(Application& app) {
    app.openHelp();
    return &app.helpForm();
}

} // namespace

// One line a window.
const std::vector<ScreenshotWindow>& screenshotWindows() {
    static const std::vector<ScreenshotWindow> windows{
        {"main", showMain},   {"intro", showIntro}, {"tips", showTips},
        {"about", showAbout}, {"help", showHelp},
    };
    return windows;
}

} // namespace hoardly
