#include "ScreenshotWindows.h"

#include "DemoCatalogue.h"
#include "app/AboutBox.h"
#include "app/Application.h"
#include "app/HelpForm.h"
#include "app/MainForm.h"
#include "app/TipsForm.h"
#include "data/Dates.h"
#include "data/SettingsRecord.h"
#include "data/TDM.h"
#include "data/TextFiles.h"
#include "lending/BorrowChoiceForm.h"
#include "lending/BorrowFillinForm.h"
#include "lending/BorrowForm.h"
#include "lending/EpostForm.h"
#include "lending/LendingWindows.h"
#include "maintenance/BackUpForm.h"
#include "maintenance/BackupProcessForm.h"
#include "maintenance/ConfigForm.h"
#include "maintenance/FileCopyFacility.h"
#include "printing/ListDocument.h"
#include "printing/ListPreview.h"
#include "registers/AdressForm.h"
#include "registers/FilmForm.h"
#include "registers/FindBox.h"
#include "registers/LiteratureForm.h"
#include "registers/MusikForm.h"
#include "registers/SearchPage.h"
#include "registers/SoftwareForm.h"
#include "registers/ValueForm.h"
#include "security/CodeStoreForm.h"
#include "security/MainPassword.h"
#include "security/PasswordGroup.h"
#include "security/PasswordPrompt.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace hoardly {

void setUpNow(Application& app) {
    // Once only: the intro that did it is closed but not yet destroyed.
    if (TIntroForm* intro = app.introForm(); intro && !app.run().startupDone)
        intro->IntroTimerTimer();
    app.mainForm().updateButtons();
}

namespace {

// Runs a step once the event loop runs again. A step may open a modal window: the steps it
// queued before run in that window's own event loop.
void later(std::function<void()> step) {
    QTimer::singleShot(0, QCoreApplication::instance(), std::move(step));
}

// The register window a main-window button opened; a name given is typed into its find box,
// so the list and the panel show that record.
template <class Form> Form* openedRegister(const QString& name) {
    Form* form = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<Form*>(window))
            form = found;
    }
    if (form && !name.isEmpty()) {
        form->findBox()->setText(name);
        form->findBox()->find();
    }
    return form;
}

// The film window over the demo films, opened as the main window's Film button opens it.
TFilmForm* openFilmWindow(Application& app, const QString& title = {}) {
    setUpNow(app);
    addDemoFilms(app.tdm());
    addDemoLoans(app.tdm());
    app.mainForm().button(MainButton::Film)->click();
    return openedRegister<TFilmForm>(title);
}

// The software window over the demo software, opened by the main window's Software button.
TSoftwareForm* openSoftwareWindow(Application& app, const QString& name = {}) {
    setUpNow(app);
    addDemoSoftware(app.tdm());
    app.mainForm().button(MainButton::Software)->click();
    return openedRegister<TSoftwareForm>(name);
}

// The literature window over the demo books, opened by the main window's Literature button.
TBokForm* openLiteratureWindow(Application& app, const QString& title = {}) {
    setUpNow(app);
    addDemoBooks(app.tdm());
    app.mainForm().button(MainButton::Literature)->click();
    return openedRegister<TBokForm>(title);
}

// The home inventory over the demo objects, opened by the main window's Inventory button.
TValueForm* openInventory(Application& app) {
    setUpNow(app);
    addDemoInventory(app.tdm());
    app.mainForm().button(MainButton::Inventory)->click();
    return openedRegister<TValueForm>({});
}

// The music window over the demo records, opened by the main window's Music button.
TMusikForm* openMusicWindow(Application& app) {
    setUpNow(app);
    addDemoMusic(app.tdm());
    app.mainForm().button(MainButton::Music)->click();
    return openedRegister<TMusikForm>({});
}

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

// The film window's tips, from the Tip button of its edit page.
QWidget* showTips(Application& app) {
    TFilmForm* films = openFilmWindow(app);
    if (!films)
        return nullptr;
    films->action(cmd::add)->trigger();
    later([films] { films->tipButton()->click(); });
    return &app.tipsForm();
}

// A window that a command of the film window's Help menu opens.
QWidget* fromFilmHelpMenu(Application& app, const QString& command, QWidget* opened) {
    TFilmForm* films = openFilmWindow(app);
    if (!films)
        return nullptr;
    later([films, command] { films->action(command)->trigger(); });
    return opened;
}

// About, from the film window's Help menu.
QWidget* showAbout(Application& app) {
    return fromFilmHelpMenu(app, cmd::about, &app.aboutBox());
}

// The help book, from the main window's Help button.
QWidget* showHelp(Application& app) {
    app.mainForm().button(MainButton::Help)->click();
    return &app.helpForm();
}

QWidget* showAdress(Application& app) {
    setUpNow(app);
    addDemoAddresses(app.tdm());
    // Opened as the main window's "Adresses" button opens it, with a caption drawn at random.
    app.mainForm().button(MainButton::Addresses)->click();
    return &app.adressForm();
}

// "Last name field empty": OK on a new address without a last name.
QWidget* showAdressBox(Application& app) {
    QWidget* book = showAdress(app);
    later([&app] {
        TAdressForm& form = app.adressForm();
        form.addRecord();
        form.findChild<QLineEdit*>(u"box_Fornamn"_s)->setText(u"Karin"_s);
        form.okButton()->click();
    });
    return book;
}

// The help window on a page with pictures, as a reader comes to it from the contents.
QWidget* showHelpPage(Application& app) {
    THelpForm& help = app.helpForm();
    help.openContents();
    const QList<HelpTopic>& contents = help.book().contents();
    for (int row = 0; row < contents.size(); ++row) {
        if (contents[row].target == u"registers.html"_s)
            help.contentsList()->setCurrentRow(row);
    }
    return &help;
}

// Help, asked for from the film window's Help menu.
QWidget* showHelpFromFilm(Application& app) {
    return fromFilmHelpMenu(app, cmd::help, &app.helpForm());
}

QWidget* showFilmBrowse(Application& app) {
    return openFilmWindow(app, u"Der Himmel"_s);
}

QWidget* showFilmCommand(Application& app, const QString& command) {
    TFilmForm* films = openFilmWindow(app, u"Casablanca"_s);
    if (films)
        films->action(command)->trigger();
    return films;
}

QWidget* showFilmEdit(Application& app) {
    return showFilmCommand(app, cmd::edit);
}

QWidget* showFilmMasterList(Application& app) {
    return showFilmCommand(app, cmd::masterList);
}

QWidget* showInventoryBrowse(Application& app) {
    TValueForm* inventory = openInventory(app);
    if (inventory)
        inventory->table().moveTo(2);
    return inventory;
}

QWidget* showInventoryEdit(Application& app) {
    TValueForm* inventory = openInventory(app);
    if (inventory)
        inventory->action(cmd::edit)->trigger();
    return inventory;
}

QWidget* showLiteratureBrowse(Application& app) {
    return openLiteratureWindow(app, u"Dune"_s);
}

QWidget* showLiteratureEdit(Application& app) {
    TBokForm* books = openLiteratureWindow(app, u"Gösta"_s);
    if (books)
        books->action(cmd::edit)->trigger();
    return books;
}

QWidget* showLiteratureMasterList(Application& app) {
    TBokForm* books = openLiteratureWindow(app);
    if (books)
        books->action(cmd::masterList)->trigger();
    return books;
}

// The search runs on the query's own thread; the picture waits for its rows.
void submitAndWait(Application& app, SearchPage* search) {
    search->submitButton()->click();
    while (app.tdm().filmQ().isRunning())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// "List all books in a chosen genre", the genre chosen and submitted.
QWidget* showLiteratureSearch(Application& app) {
    TBokForm* books = openLiteratureWindow(app);
    if (!books)
        return nullptr;
    books->action(cmd::findByConditions)->trigger();
    if (auto* search = qobject_cast<SearchPage*>(books->searchPage())) {
        search->selectCriterion(1);
        search->firstInput()->setCurrentText(u"Fairy tale"_s);
        submitAndWait(app, search);
    }
    return books;
}

QWidget* showMusicBrowse(Application& app) {
    TMusikForm* music = openMusicWindow(app);
    if (music)
        music->table().first();
    return music;
}

// Editing a record: its songs on the edit page, one clicked for renaming.
QWidget* showMusicEdit(Application& app) {
    TMusikForm* music = openMusicWindow(app);
    if (!music)
        return nullptr;
    music->action(cmd::edit)->trigger();
    music->songsOnRecord()->setCurrentRow(1);
    music->songBox()->setText(music->songsOnRecord()->item(1)->text());
    return music;
}

// A song found by its first letters: the hit panel over the song list.
QWidget* showMusicHit(Application& app) {
    TMusikForm* music = openMusicWindow(app);
    if (!music)
        return nullptr;
    music->findOption(2)->click();
    music->detailFindBox()->setText(u"here c"_s);
    music->detailFindBox()->find();
    return music;
}

// "List all songs by an artist/group", the artist chosen and submitted.
QWidget* showMusicSearch(Application& app) {
    TMusikForm* music = openMusicWindow(app);
    if (!music)
        return nullptr;
    music->action(cmd::findByConditions)->trigger();
    if (auto* search = qobject_cast<SearchPage*>(music->searchPage())) {
        search->selectCriterion(1);
        search->firstInput()->setCurrentText(u"The Beatles"_s);
        submitAndWait(app, search);
    }
    return music;
}

QWidget* showMusicMasterList(Application& app) {
    TMusikForm* music = openMusicWindow(app);
    if (music)
        music->action(cmd::masterList)->trigger();
    return music;
}

QWidget* showSoftwareBrowse(Application& app) {
    return openSoftwareWindow(app, u"WinZip"_s);
}

QWidget* showSoftwareEdit(Application& app) {
    TSoftwareForm* software = openSoftwareWindow(app, u"Delphi"_s);
    if (software)
        software->action(cmd::edit)->trigger();
    return software;
}

QWidget* showSoftwareMasterList(Application& app) {
    TSoftwareForm* software = openSoftwareWindow(app);
    if (software)
        software->action(cmd::masterList)->trigger();
    return software;
}

// "List all software from a supplier", the supplier chosen and submitted.
QWidget* showSoftwareSearch(Application& app) {
    TSoftwareForm* software = openSoftwareWindow(app);
    if (!software)
        return nullptr;
    software->action(cmd::findByConditions)->trigger();
    if (auto* search = qobject_cast<SearchPage*>(software->searchPage())) {
        search->selectCriterion(5);
        search->firstInput()->setCurrentText(u"Dustin"_s);
        submitAndWait(app, search);
    }
    return software;
}

// "Find by conditions" with the first criterion, films with a special actor, submitted.
QWidget* showFilmSearch(Application& app) {
    TFilmForm* films = openFilmWindow(app);
    if (!films)
        return nullptr;
    films->action(cmd::findByConditions)->trigger();
    if (auto* search = qobject_cast<SearchPage*>(films->searchPage())) {
        search->firstInput()->setEditText(u"Al Pacino"_s);
        submitAndWait(app, search);
    }
    return films;
}

// The film window's "Lending" command on its first film; `inChoice` runs once the choice
// dialog is up.
void lendFirstFilm(Application& app, std::function<void()> inChoice = {}) {
    TFilmForm* films = openFilmWindow(app);
    if (!films)
        return;
    later([films, inChoice] {
        if (inChoice)
            later(inChoice);
        films->action(cmd::lending)->trigger();
    });
}

QWidget* showLendingChoice(Application& app) {
    lendFirstFilm(app);
    return &app.lending().choiceForm();
}

QWidget* showLendingFillin(Application& app) {
    TBorrowChoiceForm& choice = app.lending().choiceForm();
    TBorrowFillinForm& fillin = app.lending().fillinForm();
    lendFirstFilm(app, [&choice, &fillin] {
        later([&fillin] {
            const QList<std::pair<QString, QString>> entries{
                {u"FirstNameEd"_s, u"Anna"_s},
                {u"LastNameEd"_s, u"Berg"_s},
                {u"PhoneEd"_s, u"08-12345"_s},
                {u"EmailEd"_s, u"anna.berg@example.se"_s}};
            for (const auto& [name, text] : entries)
                fillin.findChild<QLineEdit*>(name)->setText(text);
            fillin.findChild<QCheckBox*>(u"RemindBox"_s)->setChecked(true);
        });
        choice.findChild<QRadioButton*>(u"NewLendingRadio"_s)->click();
        choice.OkKnpClick();
    });
    return &fillin;
}

// Accepts the message box that comes up next.
void acceptNextMessage() {
    later([] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
}

// A borrower already in the address book, handed to it after the lend-out: "No copies".
QWidget* showLendingNoCopies(Application& app) {
    TBorrowChoiceForm& choice = app.lending().choiceForm();
    TBorrowFillinForm& fillin = app.lending().fillinForm();
    lendFirstFilm(app, [&app, &choice, &fillin] {
        addDemoAddresses(app.tdm());
        later([&fillin] {
            fillin.findChild<QLineEdit*>(u"FirstNameEd"_s)->setText(u"Anna"_s);
            fillin.findChild<QLineEdit*>(u"LastNameEd"_s)->setText(u"Berg"_s);
            fillin.findChild<QCheckBox*>(u"AddressBox"_s)->setChecked(true);
            acceptNextMessage(); // "The object are now marked as out of loan"
            fillin.OkKnpClick();
        });
        choice.findChild<QRadioButton*>(u"NewLendingRadio"_s)->click();
        choice.OkKnpClick();
    });
    return &fillin;
}

// The choice dialog's first choice, the list of every loan.
QWidget* showLendingOverview(Application& app) {
    TBorrowChoiceForm& choice = app.lending().choiceForm();
    lendFirstFilm(app, [&choice] { choice.OkKnpClick(); });
    return &app.lending().borrowForm();
}

// The properties window as the main window's button opens it, over a catalogue with a few
// loans, a backup directory and the automatic backup on; `inWindow` runs once it is up.
TConfigForm* openProperties(Application& app, std::function<void(TConfigForm&)> inWindow = {}) {
    setUpNow(app);
    addDemoFilms(app.tdm());
    addDemoLoans(app.tdm());
    Table& config = app.tdm().configTb();
    changeSettings(config, [&] {
        config.setText(u"Backuppath"_s, u"/media/backup/Hoardly"_s);
        config.setLogical(u"Backup"_s, true);
    });
    TConfigForm* form = &app.configForm();
    later([&app, form, inWindow] {
        if (inWindow)
            later([form, inWindow] { inWindow(*form); });
        app.mainForm().button(MainButton::Properties)->click();
    });
    return form;
}

// Brings the tab of this title to the front.
void showTab(TConfigForm& form, const QString& title) {
    for (int i = 0; i < form.tabs()->count(); ++i) {
        if (form.tabs()->tabText(i) == title)
            form.tabs()->setCurrentIndex(i);
    }
}

QWidget* showPropertiesSecurity(Application& app) {
    return openProperties(app, [](TConfigForm& form) { showTab(form, u"Security"_s); });
}

// The music tab with a list of songs a user added over time.
QWidget* showPropertiesMusic(Application& app) {
    setUpNow(app);
    const QString music = QDir::home().filePath(u"Music/"_s);
    const QString midi = QDir(app.run().appDir).filePath(u"midi/"_s);
    writeTextFile(midi + u"midi.dat"_s,
                  (QStringList{midi + u"first.mid"_s, music + u"Bach - Air.mid"_s,
                               music + u"Rain on the roof.wav"_s, music + u"Evening jazz.mp3"_s,
                               music + u"Satie - Gymnopedie 1.mid"_s}
                       .join(u"\r\n"_s) +
                   u"\r\n"_s));
    Table& config = app.tdm().configTb();
    changeSettings(config, [&] {
        config.setLogical(u"Musicon"_s, true);
        config.setLogical(u"Copyfiles"_s, true);
    });
    return openProperties(app);
}

// A folder for the backup pictures, beside the temporary catalogue.
QString pictureBackupFolder() {
    const QString folder = QDir::temp().filePath(u"Hoardly backup"_s);
    QDir().mkpath(folder);
    return folder;
}

// The backup window once it has listed the catalogue's files and before it copies them.
QWidget* showBackup(Application& app) {
    setUpNow(app);
    addDemoFilms(app.tdm());
    const BackupTimings listingOnly{0, 20, 600000, 0};
    auto* form = new TBackUpProcessForm(app.context(), pictureBackupFolder(), app.run().appDir,
                                        listingOnly, &app.mainForm());
    form->open();
    return form;
}

// The backup directory dialog, opened on the user's home folder.
QWidget* showBackupDirectory(Application& app) {
    setUpNow(app);
    QDir::setCurrent(QDir::homePath());
    TBackUpForm& form = app.backUpForm();
    later([&form] { form.exec(); });
    return &form;
}

// The last question before a restore replaces the tables.
QWidget* showRestoreQuestion(Application& app) {
    return openProperties(app, [&app](TConfigForm& form) {
        Table& config = app.tdm().configTb();
        changeSettings(config, [&] { config.setText(u"Backuppath"_s, pictureBackupFolder()); });
        showTab(form, u"Security"_s);
        // The first question is answered Yes; the picture is taken of the second.
        later([] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Yes)->click();
        });
        form.findChild<QCheckBox*>(u"RestoreBox"_s)->click();
        form.findChild<QPushButton*>(u"BackupOkKnp"_s)->click();
    });
}

// The file copy's question when a music file of that name is in the midi folder already, as
// adding a song from a folder of its own asks with the copy setting on.
QWidget* showCopyReplace(Application& app) {
    return openProperties(app, [&app](TConfigForm& form) {
        const QString folder = pictureBackupFolder();
        const QString midi = QDir(app.run().appDir).filePath(u"midi"_s);
        QFile::remove(QDir(folder).filePath(u"first.mid"_s));
        QFile::copy(QDir(midi).filePath(u"first.mid"_s), QDir(folder).filePath(u"first.mid"_s));
        copyFiles(app.dialogs(), &form, {folder, midi, u"first.mid"_s, true, true}, [](bool) {});
    });
}

QWidget* showPropertiesLending(Application& app) {
    return openProperties(app, [](TConfigForm& form) { showTab(form, u"Lending"_s); });
}

// The mail settings of a user who sends reminders.
QWidget* showPropertiesInternet(Application& app) {
    setUpNow(app);
    Table& config = app.tdm().configTb();
    changeSettings(config, [&] {
        config.setText(u"Mailid"_s, u"Anna Berg"_s);
        config.setText(u"Mailadress"_s, u"anna.berg@example.se"_s);
        config.setText(u"SMTP"_s, u"smtp.example.se"_s);
    });
    return openProperties(app, [](TConfigForm& form) { showTab(form, u"Internet"_s); });
}

// "C&hange" pressed with no password set, and a new one half typed.
QWidget* showPropertiesPasswordChange(Application& app) {
    return openProperties(app, [](TConfigForm& form) {
        auto* group = form.findChild<PasswordGroup*>();
        acceptNextMessage();
        showTab(form, u"Security"_s);
        group->ChangeKnpClick();
        group->passwordEdit()->setText(u"Secret"_s);
        group->verifyEdit()->setText(u"Sec"_s);
    });
}

TPwForm2* currentPasswordPrompt() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<TPwForm2*>(window))
            return found;
    }
    return nullptr;
}

// The current password asked for by "C&hange" once a password is set, partly typed.
QWidget* showPasswordCurrent(Application& app) {
    setUpNow(app);
    storeMainPassword(app.tdm().configTb(), u"Secret"_s);
    TPwForm2* prompt = currentPasswordPrompt();
    openProperties(app, [prompt](TConfigForm& form) {
        later([prompt] { prompt->edit()->setText(u"Secr"_s); });
        form.findChild<PasswordGroup*>()->ChangeKnpClick();
    });
    return prompt;
}

// The code store's prompt before its codes are scrambled, partly typed.
QWidget* showPasswordCodeStore(Application& app) {
    setUpNow(app);
    storeMainPassword(app.tdm().configTb(), u"Secret"_s);
    auto* prompt = new TPwForm(app.context(), &app.mainForm());
    later([prompt] {
        later([prompt] { prompt->edit()->setText(u"Secr"_s); });
        prompt->ask();
    });
    return prompt;
}

TLosenOrdForm* openCodeStore(Application& app) {
    setUpNow(app);
    addDemoCodes(app.tdm());
    app.mainForm().button(MainButton::Codes)->click();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<TLosenOrdForm*>(window))
            return found;
    }
    return nullptr;
}

QWidget* showCodesBrowse(Application& app) {
    return openCodeStore(app);
}

QWidget* showCodesEdit(Application& app) {
    TLosenOrdForm* codes = openCodeStore(app);
    if (codes)
        later([codes] { codes->action(cmd::add)->trigger(); });
    return codes;
}

// After a scramble pass: the codes as they are stored, the button offers "Decrypt".
QWidget* showCodesScrambled(Application& app) {
    TLosenOrdForm* codes = openCodeStore(app);
    if (codes)
        later([codes] { codes->scrambleButton()->click(); });
    return codes;
}

// A reminder on its way: the server has taken the greeting, the message goes.
QWidget* showReminderProgress(Application& app) {
    setUpNow(app);
    app.start();
    auto& window = app.addWindow<TEpostForm>(app.dialogs(), &app.mainForm());
    window.begin();
    window.setStatus(QString::fromUtf8(reminderText::kConnected));
    window.setBar(50);
    return &window;
}

// The register's HTML list, exported through its window's command; the dialogs answer the
// save dialog.
QWidget* exportList(RegisterWindow* window) {
    if (window)
        window->action(cmd::htmlExport)->trigger();
    return window;
}

QWidget* exportFilms(Application& app) {
    return exportList(openFilmWindow(app));
}

QWidget* exportMusic(Application& app) {
    return exportList(openMusicWindow(app));
}

QWidget* exportSoftware(Application& app) {
    return exportList(openSoftwareWindow(app));
}

QWidget* exportBooks(Application& app) {
    return exportList(openLiteratureWindow(app));
}

QWidget* exportInventory(Application& app) {
    return exportList(openInventory(app));
}

// The list a register prints, laid out from the table file in Applikationpath as its print
// request does.
print::ListDocument printedList(Application& app, PrintList list) {
    const print::ListLayout& layout = print::listLayout(list);
    return print::ListDocument(
        layout,
        print::readListRecords(app.tdm().connection(), layout,
                               app.tdm().configTb().asText(u"Applikationpath"_s)),
        dateToText(QDate::currentDate()));
}

// The register's printed list as a PDF file, where the dialogs answer a save dialog.
QWidget* writePrintedList(Application& app, QWidget* window, PrintList list) {
    if (!window)
        return nullptr;
    FileRequest request;
    request.kind = FileRequestKind::Save;
    print::writeListPdf(printedList(app, list), app.dialogs().askFile(window, request));
    return window;
}

template <PrintList list, auto open> QWidget* printList(Application& app) {
    return writePrintedList(app, open(app), list);
}
TFilmForm* openFilms(Application& app) {
    return openFilmWindow(app);
}
TSoftwareForm* openSoftware(Application& app) {
    return openSoftwareWindow(app);
}
TBokForm* openBooks(Application& app) {
    return openLiteratureWindow(app);
}
QWidget* openCodes(Application& app) {
    return openCodeStore(app);
}

// The film window's print preview: the list and its preview window, kept with the window.
class ShownPreview final : public QObject {
public:
    ShownPreview(Application& app, QWidget* window)
        : QObject(window), document_(printedList(app, PrintList::Film)),
          preview_(new print::ListPreview(
              document_, app.dialogs(), [] {}, window)) {}
    print::ListPreview& dialog() { return *preview_; }

private:
    print::ListDocument document_;
    print::ListPreview* preview_; // the window's child
};

QWidget* showPrintPreview(Application& app) {
    TFilmForm* films = openFilmWindow(app);
    if (!films)
        return nullptr;
    auto* shown = new ShownPreview(app, films);
    shown->dialog().show();
    return &shown->dialog();
}

} // namespace

// One line a window.
const std::vector<ScreenshotWindow>& screenshotWindows() {
    static const std::vector<ScreenshotWindow> windows{
        {"main", showMain},
        {"intro", showIntro},
        {"tips", showTips},
        {"about", showAbout},
        {"help", showHelp},
        {"help-from-film", showHelpFromFilm, false},
        {"help-page", showHelpPage, false},
        {"adress", showAdress},
        {"adress-box", showAdressBox},
        {"html-film", exportFilms},
        {"html-music", exportMusic},
        {"html-software", exportSoftware},
        {"html-literature", exportBooks},
        {"html-inventory", exportInventory},
        {"pdf-film", printList<PrintList::Film, openFilms>},
        {"pdf-music", printList<PrintList::Music, openMusicWindow>},
        {"pdf-software", printList<PrintList::Software, openSoftware>},
        {"pdf-literature", printList<PrintList::Literature, openBooks>},
        {"pdf-codes", printList<PrintList::Codes, openCodes>},
        {"pdf-addresses", printList<PrintList::Addresses, showAdress>},
        {"pdf-inventory", printList<PrintList::Inventory, openInventory>},
        {"print-preview", showPrintPreview},
        {"film-browse", showFilmBrowse},
        {"film-edit", showFilmEdit},
        {"film-masterlist", showFilmMasterList},
        {"film-search", showFilmSearch},
        {"music-browse", showMusicBrowse},
        {"music-edit", showMusicEdit},
        {"music-hit", showMusicHit},
        {"music-search", showMusicSearch},
        {"music-masterlist", showMusicMasterList},
        {"inventory-browse", showInventoryBrowse},
        {"inventory-edit", showInventoryEdit},
        {"literature-browse", showLiteratureBrowse},
        {"literature-edit", showLiteratureEdit},
        {"literature-search", showLiteratureSearch},
        {"literature-masterlist", showLiteratureMasterList},
        {"software-browse", showSoftwareBrowse},
        {"software-edit", showSoftwareEdit},
        {"software-search", showSoftwareSearch},
        {"software-masterlist", showSoftwareMasterList},
        {"lending-choice", showLendingChoice},
        {"lending-fillin", showLendingFillin},
        {"lending-overview", showLendingOverview},
        {"lending-no-copies", showLendingNoCopies},
        {"properties-security", showPropertiesSecurity},
        {"properties-music", showPropertiesMusic},
        {"backup", showBackup},
        {"backup-directory", showBackupDirectory},
        {"restore-question", showRestoreQuestion},
        {"copy-replace", showCopyReplace},
        {"properties-password-change", showPropertiesPasswordChange},
        {"properties-lending", showPropertiesLending},
        {"properties-internet", showPropertiesInternet},
        {"password-current", showPasswordCurrent},
        {"password-codestore", showPasswordCodeStore},
        {"codes-browse", showCodesBrowse},
        {"codes-edit", showCodesEdit},
        {"codes-scrambled", showCodesScrambled},
        {"reminder-progress", showReminderProgress},
    };
    return windows;
}

QString pictureName(const ScreenshotWindow& window) {
    if (!window.pictured)
        return {};
    const QString name = QString::fromLatin1(window.name);
    if (name.startsWith(u"pdf-"_s))
        return u"print-"_s + name.mid(4);
    return name;
}

} // namespace hoardly
