#include "ScreenshotWindows.h"

#include "AboutBox.h"
#include "Application.h"
#include "HelpForm.h"
#include "MainForm.h"
#include "TipsForm.h"
#include "data/TDM.h"
#include "registers/AdressForm.h"

#include <QToolButton>

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

QWidget* showAdress(Application& app) {
    setUpNow(app);
    Table& adress = app.tdm().adressTb();
    adress.open();
    const QStringList people[] = {
        {u"Berg"_s, u"Anna"_s, u"Storgatan 12"_s, u"123 45 Stockholm"_s, u"08-12345"_s,
         u"070-1112233"_s, u"anna.berg@example.se"_s},
        {u"Andersson"_s, u"Nils"_s, u"Kungsvägen 3"_s, u"411 01 Göteborg"_s, u"031-5566"_s,
         u"073-4567890"_s, u"nils@example.se"_s},
        {u"Lind"_s, u"Eva"_s, u"Ängsvägen 7"_s, u"222 22 Lund"_s, u"046-1234"_s, QString(),
         QString()},
        {u"Bokhandeln AB"_s, QString(), u"Drottninggatan 40"_s, u"111 51 Stockholm"_s,
         u"08-7001000"_s, QString(), u"info@bokhandeln.example"_s},
    };
    for (const QStringList& person : people) {
        adress.append();
        const QStringList fields{u"Efternamn"_s, u"Fornamn"_s, u"Gatuadress"_s,  u"Postadress"_s,
                                 u"Telefon"_s,   u"Mobil"_s,   u"E-postadress"_s};
        for (qsizetype i = 0; i < fields.size(); ++i)
            adress.setText(fields[i], person[i]);
        adress.post();
    }
    adress.close();
    // Opened as the main window's "Adresses" button opens it, with a caption drawn at random.
    app.mainForm().button(MainButton::Addresses)->click();
    return &app.adressForm();
}

} // namespace

// One line a window.
const std::vector<ScreenshotWindow>& screenshotWindows() {
    static const std::vector<ScreenshotWindow> windows{
        {"main", showMain},   {"intro", showIntro}, {"tips", showTips},
        {"about", showAbout}, {"help", showHelp},   {"adress", showAdress},
    };
    return windows;
}

} // namespace hoardly
