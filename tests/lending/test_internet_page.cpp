#include "ContextFixture.h"
#include "lending/InternetPage.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

// The "Internet" tab of the properties window, on its own.
class TestInternetPage : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ContextFixture> env;
    std::unique_ptr<QDialog> window; // stands in for the properties window
    InternetPage* page = nullptr;

    QPushButton* knp(const QString& name) { return page->findChild<QPushButton*>(name); }
    QList<QLineEdit*> edits() {
        return {page->nameEdit(), page->addressEdit(), page->smtpEdit(), page->portEdit()};
    }
    QString stored() {
        return env->catalogue.scalar(u"Config.db"_s,
                                     u"SELECT ifnull(Mailid, 'NULL') || '|' || ifnull(Mailadress, "
                                     "'NULL') || '|' || ifnull(SMTP, 'NULL') || '|' || "
                                     "ifnull(Mailport, 'NULL') || '|' || typeof(Mailport) "
                                     "FROM Config"_s);
    }
    void type(const QString& name, const QString& address, const QString& smtp,
              const QString& port) {
        page->nameEdit()->setText(name);
        page->addressEdit()->setText(address);
        page->smtpEdit()->setText(smtp);
        page->portEdit()->setText(port);
    }
    bool readOnly() {
        for (QLineEdit* edit : edits()) {
            if (!edit->isReadOnly())
                return false;
        }
        return true;
    }
    void expectBrowsing() {
        QVERIFY(readOnly());
        QVERIFY(!knp(u"MailOkKnp"_s)->isEnabled());
        QVERIFY(!knp(u"MailCancelKnp"_s)->isEnabled());
        QVERIFY(knp(u"MailChangeKnp"_s)->isEnabled());
        QVERIFY(!page->changing());
    }

private slots:
    void init() {
        env = std::make_unique<test::ContextFixture>();
        env->setConfig(u"Mailid = 'Anna Berg', Mailadress = 'anna@example.se', "
                       "SMTP = 'smtp.example.se', Mailport = 25"_s);
        window = std::make_unique<QDialog>();
        page = new InternetPage(env->context, window.get());
        auto* layout = new QVBoxLayout(window.get());
        layout->addWidget(page);
        page->loadSettings();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        HOARDLY_VERIFY_DIALOGS(env->dialogs);
        window.reset();
        env.reset();
    }

    void theTabShowsTheStoredSettingsReadOnly() {
        QCOMPARE(page->findChild<QGroupBox*>(u"InternetGroup"_s)->title(),
                 u"This information is required if You would like to send reminders"_s);
        QStringList labels;
        for (const QLabel* label : page->findChildren<QLabel*>())
            labels << label->text();
        QCOMPARE(labels, (QStringList{u"Your name"_s, u"Your E-mail address"_s, u"SMTP-Server"_s,
                                      u"Port"_s, u"(Deafult = Port 25)"_s}));
        QCOMPARE(knp(u"MailOkKnp"_s)->text(), u"&OK"_s);
        QCOMPARE(knp(u"MailCancelKnp"_s)->text(), u"&Cancel"_s);
        QCOMPARE(knp(u"MailChangeKnp"_s)->text(), u"C&hange"_s);
        QCOMPARE(knp(u"MailTipKnp"_s)->text(), u"&Tip"_s);
        QCOMPARE(page->nameEdit()->text(), u"Anna Berg"_s);
        QCOMPARE(page->addressEdit()->text(), u"anna@example.se"_s);
        QCOMPARE(page->smtpEdit()->text(), u"smtp.example.se"_s);
        QCOMPARE(page->portEdit()->text(), u"25"_s);
        expectBrowsing();
        // The edits hold what the settings record keeps, no more.
        for (QLineEdit* edit : {page->nameEdit(), page->addressEdit(), page->smtpEdit()})
            QCOMPARE(edit->maxLength(), 60);
    }

    void changeMakesTheEditsWritable() {
        knp(u"MailChangeKnp"_s)->click();
        QVERIFY(page->changing());
        for (QLineEdit* edit : edits())
            QVERIFY(!edit->isReadOnly());
        QVERIFY(knp(u"MailOkKnp"_s)->isEnabled());
        QVERIFY(knp(u"MailCancelKnp"_s)->isEnabled());
        QTRY_VERIFY(page->nameEdit()->hasFocus());
    }

    void okWritesTheSettings() {
        knp(u"MailChangeKnp"_s)->click();
        type(u"Åsa Öberg"_s, u"asa@example.se"_s, u"mail.example.se"_s, u"0587"_s);
        knp(u"MailOkKnp"_s)->click();
        QCOMPARE(stored(), u"Åsa Öberg|asa@example.se|mail.example.se|587|integer"_s);
        QVERIFY(env->run.dataChanged);
        expectBrowsing();
        QCOMPARE(env->tdm.configTb().asInteger(u"Mailport"_s), 587); // read again
        QCOMPARE(page->portEdit()->text(), u"0587"_s);
        QVERIFY(env->dialogs.boxes().isEmpty());
    }

    void anEmptyFieldIsRefused_data() {
        QTest::addColumn<int>("field");
        for (int field = 0; field < 4; ++field)
            QTest::newRow(qPrintable(QString::number(field))) << field;
    }
    void anEmptyFieldIsRefused() {
        QFETCH(int, field);
        knp(u"MailChangeKnp"_s)->click();
        type(u"Åsa"_s, u"no-at-sign"_s, u"mail.example.se"_s, u"99999"_s);
        edits()[field]->clear();
        env->dialogs.answer(Answer::Ok);
        knp(u"MailOkKnp"_s)->click();
        // The emptiness is told first, before the address or the port is looked at.
        env->dialogs.expectLastBox(BoxKind::Info, u"Info is missing"_s,
                                   u"All fields are required"_s);
        QCOMPARE(env->dialogs.boxes().size(), 1);
        QCOMPARE(stored(), u"Anna Berg|anna@example.se|smtp.example.se|25|integer"_s);
        QVERIFY(page->changing());
        QVERIFY(!env->run.dataChanged);
    }

    void anAddressWithoutAtIsRefused() {
        knp(u"MailChangeKnp"_s)->click();
        type(u"Åsa"_s, u"asa.example.se"_s, u"mail.example.se"_s, u"99999"_s);
        page->nameEdit()->setFocus();
        env->dialogs.answer(Answer::Ok);
        knp(u"MailOkKnp"_s)->click();
        env->dialogs.expectLastBox(BoxKind::Info, u"Incorrect E-mailaddress"_s,
                                   u"I suppose that E-mailaddress will be lost out there"_s);
        QCOMPARE(env->dialogs.boxes().size(), 1);
        QTRY_VERIFY(page->addressEdit()->hasFocus());
        QCOMPARE(stored(), u"Anna Berg|anna@example.se|smtp.example.se|25|integer"_s);
        QCOMPARE(page->addressEdit()->text(), u"asa.example.se"_s); // kept for mending
    }

    void aPortOutsideTheRangeIsRefused_data() {
        QTest::addColumn<QString>("port");
        QTest::newRow("zero") << u"0"_s;
        QTest::newRow("too high") << u"65536"_s;
        QTest::newRow("far too high") << u"99999999999999999999999"_s;
        QTest::newRow("pasted letters") << u"25a"_s;
        QTest::newRow("pasted sign") << u"+25"_s;
    }
    void aPortOutsideTheRangeIsRefused() {
        QFETCH(QString, port);
        knp(u"MailChangeKnp"_s)->click();
        type(u"Åsa"_s, u"asa@example.se"_s, u"mail.example.se"_s, port);
        env->dialogs.answer(Answer::Ok);
        knp(u"MailOkKnp"_s)->click();
        env->dialogs.expectLastBox(BoxKind::Info, u"Incorrect port"_s,
                                   u"The port is a number from 1 to 65535"_s);
        QTRY_VERIFY(page->portEdit()->hasFocus());
        QCOMPARE(stored(), u"Anna Berg|anna@example.se|smtp.example.se|25|integer"_s);
        QVERIFY(page->changing());
    }

    void theHighestPortIsTaken() {
        knp(u"MailChangeKnp"_s)->click();
        page->portEdit()->setText(u"65535"_s);
        knp(u"MailOkKnp"_s)->click();
        QCOMPARE(stored(), u"Anna Berg|anna@example.se|smtp.example.se|65535|integer"_s);
    }

    void cancelPutsTheStoredSettingsBack() {
        knp(u"MailChangeKnp"_s)->click();
        type(u"Åsa"_s, u"asa@example.se"_s, u"mail.example.se"_s, u"2525"_s);
        knp(u"MailCancelKnp"_s)->click();
        QCOMPARE(page->nameEdit()->text(), u"Anna Berg"_s);
        QCOMPARE(page->portEdit()->text(), u"25"_s);
        QCOMPARE(stored(), u"Anna Berg|anna@example.se|smtp.example.se|25|integer"_s);
        QVERIFY(!env->run.dataChanged);
        expectBrowsing();
    }

    void escapePressesCancelWhileChanging() {
        knp(u"MailChangeKnp"_s)->click();
        page->smtpEdit()->setText(u"typed"_s);
        QTRY_VERIFY(page->nameEdit()->hasFocus());
        QTest::keyClick(page->nameEdit(), Qt::Key_Escape);
        QCOMPARE(page->smtpEdit()->text(), u"smtp.example.se"_s);
        expectBrowsing();
        QVERIFY(window->isVisible()); // the key went to the page's Cancel
        // Otherwise the key is the window's.
        page->nameEdit()->setFocus();
        QTest::keyClick(page->nameEdit(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    void thePortTakesDigitsOnly() {
        knp(u"MailChangeKnp"_s)->click();
        page->portEdit()->clear();
        page->portEdit()->setFocus();
        env->dialogs.answer(Answer::Ok);
        QTest::keyClicks(page->portEdit(), u"2x5"_s);
        QCOMPARE(page->portEdit()->text(), u"25"_s);
        env->dialogs.expectLastBox(BoxKind::Plain, u"Hoardly"_s,
                                   u"Only digits allowed in this field"_s);
        QCOMPARE(env->dialogs.boxes().size(), 1);
    }

    void tipShowsFiveParagraphs() {
        knp(u"MailTipKnp"_s)->click();
        QCOMPARE(env->shell.tips.size(), 1);
        const QStringList& lines = env->shell.tips[0];
        QCOMPARE(lines.size(), 9);
        for (int i = 1; i < 9; i += 2)
            QCOMPARE(lines[i], QString());
        QCOMPARE(lines[0],
                 u"This function will only work if you have a Internetprovider and you have your "
                 "own E-mailaddress account. Observe that this function to send reminder don't "
                 "check if the e-mail arrive to the receiver. It just send it. Because of that "
                 "you must be sure to have write a correct E-mail address to all you wish to "
                 "send reminders"_s);
        QCOMPARE(lines[2], u"Your name: Your first- and lastname."_s);
        QCOMPARE(lines[4], u"Your E-mail address: Enter your E-mail address who your Internet "
                           "providers has assign to you"_s);
        QCOMPARE(lines[6],
                 u"SMTP-server: Is that server which receive your mail and sends it further to "
                 "the receiveserver. If you don't know the SMTP server name check with your "
                 "Internetprovider or look in your settings in Internet Explorer or Netscape "
                 "Navigator or in any browser you use"_s);
        QCOMPARE(lines[8], u"Port: Is the logical port whish your computer communicate with the "
                           "net. Default is 25 and you probably don't have to change that"_s);
    }

    void reopeningTheWindowReloadsTheEdits() {
        knp(u"MailChangeKnp"_s)->click();
        page->nameEdit()->setText(u"typed"_s);
        env->setConfig(u"Mailport = 2525"_s);
        page->loadSettings();
        QCOMPARE(page->nameEdit()->text(), u"Anna Berg"_s);
        QCOMPARE(page->portEdit()->text(), u"2525"_s);
        expectBrowsing();
        // A settings table closed meanwhile (by a backup, say) is opened again.
        env->tdm.configTb().close();
        page->loadSettings();
        QCOMPARE(page->smtpEdit()->text(), u"smtp.example.se"_s);
    }
};

QTEST_MAIN(TestInternetPage)
#include "test_internet_page.moc"
