#include "ContextFixture.h"
#include "WidgetHelpers.h"
#include "data/Sqlite.h"
#include "security/MainPassword.h"
#include "security/PasswordGroup.h"
#include "security/PasswordPrompt.h"
#include "security/Scramble.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

using test::child;

class TestPassword : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ContextFixture> fixture;
    test::TempCatalogue* catalogue = nullptr;
    TDM* tdm = nullptr;
    RunState* run = nullptr;
    test::ScriptedDialogs* dialogs = nullptr;
    AppContext* context = nullptr;

    // The password as the settings field holds it, straight from the file.
    QString storedPassword() const {
        return catalogue->scalar(u"Config.db"_s, u"SELECT ifnull(PW, '') FROM Config"_s);
    }
    void setStoredPassword(const QString& plain) {
        FileDatabase config(catalogue->file(u"Config.db"_s), false);
        config.prepare(u"UPDATE Config SET PW = ?1"_s).bind(1, ScrambleText(plain)).step();
        tdm->configTb().refresh();
    }

    // Shows the prompt modally, types each entry in turn with ENTER, then, while it is still
    // open, types `leftTyped` and closes it the way `close` says ("cancel", "escape",
    // "closebox"). Answers whether the prompt accepted.
    bool answerPrompt(PasswordPrompt& prompt, const QStringList& entries, const QString& close,
                      QStringList* editsAtEachTry = nullptr, const QString& leftTyped = {}) {
        test::whenModal([&](QWidget* modal) {
            QCOMPARE(modal, &prompt);
            for (const QString& entry : entries) {
                if (!prompt.isVisible())
                    break;
                if (editsAtEachTry)
                    *editsAtEachTry << prompt.edit()->text();
                QTest::keyClicks(prompt.edit(), entry);
                QTest::keyClick(prompt.edit(), Qt::Key_Return);
            }
            if (!prompt.isVisible())
                return;
            QTest::keyClicks(prompt.edit(), leftTyped);
            if (close == u"cancel"_s)
                child<QPushButton>(prompt, u"CancelKnp"_s)->click();
            else if (close == u"escape"_s)
                QTest::keyClick(prompt.edit(), Qt::Key_Escape);
            else
                prompt.close();
        });
        return prompt.ask();
    }

private slots:
    void init() {
        fixture = std::make_unique<test::ContextFixture>();
        catalogue = &fixture->catalogue;
        tdm = &fixture->tdm;
        run = &fixture->run;
        dialogs = &fixture->dialogs;
        context = &fixture->context;
    }
    void cleanup() {
        HOARDLY_VERIFY_DIALOGS(*dialogs);
        fixture.reset();
    }

    void thePasswordIsStoredScrambledAsTyped() {
        QVERIFY(!mainPasswordIsSet(tdm->configTb()));
        storeMainPassword(tdm->configTb(), u"Ab1"_s);
        // Reversed and each character raised by seven; the case as typed.
        QCOMPARE(storedPassword(), u"8iH"_s);
        QVERIFY(mainPasswordIsSet(tdm->configTb()));
        QVERIFY(matchesMainPassword(tdm->configTb(), u"ab1"_s));
        QVERIFY(matchesMainPassword(tdm->configTb(), u"AB1"_s));
        QVERIFY(!matchesMainPassword(tdm->configTb(), u"Ab"_s));
        QVERIFY(!matchesMainPassword(tdm->configTb(), u"Ab1 "_s));
    }

    void onlyTheLettersAToZIgnoreTheirCase() {
        QCOMPARE(upperAsciiLetters(u"blåbär öl 42"_s), u"BLåBäR öL 42"_s);
        setStoredPassword(u"Ölbåt"_s);
        QVERIFY(matchesMainPassword(tdm->configTb(), u"ÖLBåT"_s));
        QVERIFY(!matchesMainPassword(tdm->configTb(), u"ölbåt"_s));
        QVERIFY(!matchesMainPassword(tdm->configTb(), u"ÖLBÅT"_s));
        // A stored form that cannot be unscrambled matches nothing, not even itself.
        catalogue->exec(u"Config.db"_s, u"UPDATE Config SET PW = char(1)"_s);
        tdm->configTb().refresh();
        QVERIFY(!matchesMainPassword(tdm->configTb(), QString(QChar(1))));
    }

    void aNewPasswordWithACharacterThatCannotBeScrambledIsRefused() {
        const QString odd = u"ab"_s + QString::fromUcs4(U"\U0010FFFA", 1);
        QCOMPARE(newPasswordRefusal(odd),
                 std::optional<QString>(u"Your new password holds the character U+10FFFA, which "
                                        "cannot be scrambled. Please choose a password without "
                                        "it."_s));
        QVERIFY(!newPasswordRefusal(u"blåbär🔑"_s));
    }

    void theCodeStorePromptLooksAsItShould() {
        TPwForm prompt(*context);
        QCOMPARE(prompt.windowTitle(), u"Password"_s);
        QCOMPARE(child<QLabel>(prompt, u"PasswordLabel"_s)->text(), u"Password"_s);
        QCOMPARE(prompt.edit()->maxLength(), 12);
        QCOMPARE(prompt.edit()->echoMode(), QLineEdit::Password);
        QVERIFY(prompt.edit()->styleSheet().contains(u"lineedit-password-character: 36;"_s));
        QCOMPARE(child<QPushButton>(prompt, u"OkKnp"_s)->text(), u"&OK"_s);
        QVERIFY(child<QPushButton>(prompt, u"OkKnp"_s)->isDefault());
        QCOMPARE(child<QPushButton>(prompt, u"CancelKnp"_s)->text(), u"&Cancel"_s);

        TPwForm2 current(*context);
        QCOMPARE(current.windowTitle(), u"Password"_s);
        QCOMPARE(child<QLabel>(current, u"PasswordLabel"_s)->text(), u"Your current password"_s);
        QCOMPARE(current.edit()->maxLength(), 32767); // no limit of its own
        QVERIFY(current.edit()->styleSheet().contains(u"lineedit-password-character: 42;"_s));
    }

    void theCodeStorePromptTakesTheRightPasswordInAnyCase() {
        setStoredPassword(u"Secret"_s);
        TPwForm prompt(*context);
        prompt.edit()->setText(u"left over"_s);
        QStringList edits;
        dialogs->answer(Answer::Ok);
        dialogs->answer(Answer::Ok);
        QVERIFY(answerPrompt(prompt, {u"wrong"_s, u"secre"_s, u"sEcReT"_s}, u"ok"_s, &edits));
        // Each showing and each wrong try starts with an empty edit.
        QCOMPARE(edits, (QStringList{QString(), QString(), QString()}));
        QCOMPARE(dialogs->boxes().size(), 2);
        dialogs->expectBox(0, BoxKind::Plain, u"Hoardly"_s, u"Wrong password. Try again"_s);
        dialogs->expectBox(1, BoxKind::Plain, u"Hoardly"_s, u"Wrong password. Try again"_s);
        QVERIFY(!prompt.isVisible());
    }

    void closingAPromptInAnyOtherWayRefuses_data() {
        QTest::addColumn<QString>("close");
        QTest::newRow("Cancel") << u"cancel"_s;
        QTest::newRow("ESC") << u"escape"_s;
        QTest::newRow("the close box") << u"closebox"_s;
    }
    void closingAPromptInAnyOtherWayRefuses() {
        QFETCH(QString, close);
        setStoredPassword(u"Secret"_s);
        TPwForm prompt(*context);
        TPwForm2 current(*context);
        for (PasswordPrompt* each :
             {static_cast<PasswordPrompt*>(&prompt), static_cast<PasswordPrompt*>(&current)}) {
            // Right before, the same prompt accepted.
            QVERIFY(answerPrompt(*each, {u"secret"_s}, u"ok"_s));
            QVERIFY(!answerPrompt(*each, {}, close));
            // The right password typed but not confirmed does not count either.
            QVERIFY(!answerPrompt(*each, {}, close, nullptr, u"secret"_s));
        }
        QVERIFY(dialogs->boxes().isEmpty());
    }

    void theCodeStorePromptTakesAtMostTwelveCharacters() {
        // No main password is longer than eight characters; a longer entry never matches.
        setStoredPassword(u"abcdefgh"_s);
        TPwForm prompt(*context);
        dialogs->answer(Answer::Ok);
        QVERIFY(!answerPrompt(prompt, {u"abcdefghabcdefgh"_s}, u"cancel"_s));
        dialogs->expectLastBox(BoxKind::Plain, u"Hoardly"_s, u"Wrong password. Try again"_s);
    }

    void theCurrentPasswordPromptRefusesWrongAndEmptyEntries() {
        setStoredPassword(u"Secret"_s);
        TPwForm2 current(*context);
        for (int i = 0; i < 3; ++i)
            dialogs->answer(Answer::Ok);
        QVERIFY(answerPrompt(
            current, {QString(), u"Secret!"_s, u"secretsecretsecret"_s, u"SECRET"_s}, u"ok"_s));
        QCOMPARE(dialogs->boxes().size(), 3);
        for (int i = 0; i < 3; ++i)
            dialogs->expectBox(i, BoxKind::Info, u"Felaktigt lösenord"_s,
                               u"Felaktigt lösenord, försök igen eller avbryt."_s);
    }

    // --- the "Password" group --------------------------------------------------------------

    void theGroupStartsShowing() {
        TPwForm2 current(*context);
        PasswordGroup group(*context, current);
        group.show();
        QCOMPARE(group.title(), u"Password"_s);
        QCOMPARE(child<QLabel>(group, u"PasswordText"_s)->text(),
                 u"Password to the\nPw/code database"_s);
        QCOMPARE(child<QLabel>(group, u"VerifyLabel"_s)->text(), u"Verify"_s);
        QCOMPARE(child<QPushButton>(group, u"ChangeKnp"_s)->text(), u"C&hange"_s);
        QCOMPARE(child<QPushButton>(group, u"PwOkKnp"_s)->text(), u"O&K"_s);
        QVERIFY(!group.isEntering());
        QVERIFY(group.passwordEdit()->isReadOnly());
        QVERIFY(group.passwordEdit()->text().isEmpty());
        QCOMPARE(group.passwordEdit()->maxLength(), 8);
        QCOMPARE(group.verifyEdit()->maxLength(), 8);
        QVERIFY(group.passwordEdit()->styleSheet().contains(u"lineedit-password-character: 36;"_s));
        QVERIFY(group.verifyEdit()->styleSheet().contains(u"lineedit-password-character: 36;"_s));
        QVERIFY(!group.verifyEdit()->isVisible());
        QVERIFY(!child<QLabel>(group, u"VerifyLabel"_s)->isVisible());
        QVERIFY(child<QPushButton>(group, u"ChangeKnp"_s)->isVisible());
        QVERIFY(!child<QPushButton>(group, u"PwOkKnp"_s)->isVisible());
    }

    void aFirstPasswordIsSetWithoutAPrompt() {
        TPwForm2 current(*context);
        PasswordGroup group(*context, current);
        group.show();
        QApplication::setActiveWindow(&group);
        group.load();
        dialogs->answer(Answer::Ok);
        group.ChangeKnpClick();
        dialogs->expectLastBox(BoxKind::Plain, u"Hoardly"_s,
                               u"Enter your new password and verify it. After that just click "
                               "OK. "_s);
        QVERIFY(group.isEntering());
        QVERIFY(!group.passwordEdit()->isReadOnly());
        QVERIFY(group.verifyEdit()->isVisible());
        QVERIFY(child<QLabel>(group, u"VerifyLabel"_s)->isVisible());
        QVERIFY(!child<QPushButton>(group, u"ChangeKnp"_s)->isVisible());
        QVERIFY(child<QPushButton>(group, u"PwOkKnp"_s)->isVisible());
        QCOMPARE(group.focusWidget(), group.passwordEdit());

        // Typing is limited to eight characters; the case counts for nothing in the match.
        QTest::keyClicks(group.passwordEdit(), u"Blue1234x"_s);
        QCOMPARE(group.passwordEdit()->text(), u"Blue1234"_s);
        group.passwordEdit()->setText(u"BlåBär12"_s);
        group.verifyEdit()->setText(u"blåbär12"_s);
        dialogs->answer(Answer::Ok);
        group.OkKnpClick();
        dialogs->expectLastBox(BoxKind::Plain, u"Hoardly"_s,
                               u"You have a new password. Don't forget it."_s);
        QCOMPARE(storedPassword(), ScrambleText(u"BlåBär12"_s));
        QVERIFY(run->dataChanged);
        // Written in place: the settings file is still private to its owner.
        QCOMPARE(QFile::permissions(catalogue->file(u"Config.db"_s)) &
                     QFileDevice::Permissions(0x7077),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(!group.isEntering());
        QVERIFY(group.passwordEdit()->text().isEmpty());
        QVERIFY(group.verifyEdit()->text().isEmpty());
        QVERIFY(!group.verifyEdit()->isVisible());

        // Now that one is set, the next change asks for it.
        test::whenModal([&](QWidget* modal) {
            QVERIFY(qobject_cast<TPwForm2*>(modal));
            current.reject();
        });
        group.ChangeKnpClick();
        QVERIFY(!group.isEntering());
        QCOMPARE(dialogs->boxes().size(), 2); // a refused prompt shows nothing more
    }

    void theNewPasswordIsChecked_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("verify");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        const QString both = u"You must both enter Your new password and verify it."_s;
        const QString mismatch = u"Your password did not match. Please try again."_s;
        QTest::newRow("both empty") << QString() << QString() << int(BoxKind::Info)
                                    << u"incorrect procedure"_s << both << u"PasswordEd"_s;
        QTest::newRow("no verify") << u"abc"_s << QString() << int(BoxKind::Info)
                                   << u"incorrect procedure"_s << both << u"VerifyEd"_s;
        QTest::newRow("no password") << QString() << u"abc"_s << int(BoxKind::Info)
                                     << u"incorrect procedure"_s << both << u"PasswordEd"_s;
        QTest::newRow("different") << u"abc"_s << u"abd"_s << int(BoxKind::Plain) << u"Hoardly"_s
                                   << mismatch << u"PasswordEd"_s;
        QTest::newRow("different beyond a-z") << u"åbc"_s << u"Åbc"_s << int(BoxKind::Plain)
                                              << u"Hoardly"_s << mismatch << u"PasswordEd"_s;
        const QString odd = u"x"_s + QString::fromUcs4(U"\U0010FFFF", 1);
        QTest::newRow("cannot be scrambled")
            << odd << odd << int(BoxKind::Error) << u"Error"_s
            << u"Your new password holds the character U+10FFFF, which cannot be scrambled. "
               "Please choose a password without it."_s
            << u"PasswordEd"_s;
    }
    void theNewPasswordIsChecked() {
        QFETCH(QString, password);
        QFETCH(QString, verify);
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        setStoredPassword(u"old"_s);
        const QString before = storedPassword();
        TPwForm2 current(*context);
        PasswordGroup group(*context, current);
        group.show();
        QApplication::setActiveWindow(&group);
        group.load();
        test::whenModal([&](QWidget*) {
            QTest::keyClicks(current.edit(), u"OLD"_s);
            QTest::keyClick(current.edit(), Qt::Key_Return);
        });
        dialogs->answer(Answer::Ok);
        group.ChangeKnpClick();
        QVERIFY(group.isEntering());
        group.passwordEdit()->setText(password);
        group.verifyEdit()->setText(verify);
        dialogs->answer(Answer::Ok);
        group.OkKnpClick();
        dialogs->expectLastBox(BoxKind(kind), caption, text);
        // Nothing is written and the group stays in entering, the entries kept.
        QCOMPARE(storedPassword(), before);
        QVERIFY(!run->dataChanged);
        QVERIFY(group.isEntering());
        QCOMPARE(group.passwordEdit()->text(), password);
        QCOMPARE(group.verifyEdit()->text(), verify);
        QCOMPARE(group.focusWidget()->objectName(), focus);
    }

    void resettingTheGroupForgetsTheEntryAndTheNote() {
        setStoredPassword(u"old"_s);
        TPwForm2 current(*context);
        PasswordGroup group(*context, current);
        group.show();
        group.load();
        test::whenModal([&](QWidget*) {
            current.edit()->setText(u"old"_s);
            current.OkKnpClick();
        });
        dialogs->answer(Answer::Ok);
        group.ChangeKnpClick();
        group.passwordEdit()->setText(u"new"_s);
        group.verifyEdit()->setText(u"ne"_s);
        group.reset();
        QVERIFY(!group.isEntering());
        QVERIFY(group.passwordEdit()->text().isEmpty());
        QVERIFY(group.passwordEdit()->isReadOnly());
        QVERIFY(group.verifyEdit()->text().isEmpty());
        QVERIFY(!group.verifyEdit()->isVisible());
        // Without the note, a change would go on without asking (until the next load).
        dialogs->answer(Answer::Ok);
        group.ChangeKnpClick();
        QVERIFY(group.isEntering());
    }
};

QTEST_MAIN(TestPassword)
#include "test_password.moc"
