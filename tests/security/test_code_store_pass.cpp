#include "TempCatalogue.h"
#include "data/Sqlite.h"
#include "data/TDM.h"
#include "security/CodeStorePass.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

// Receivers and codes as a household keeps them, Swedish letters and characters outside the
// first plane among them.
const QList<std::pair<QString, QString>> kCodes{
    {u"Bank"_s, u"4711"_s},
    {u"Mejl"_s, u"Blåbär-Öl"_s},
    {u"Router"_s, u"🔑wifi𝄞"_s},
    {u"Dörrkod"_s, u"ÅÄÖ åäö 12"_s},
};

} // namespace

class TestCodeStorePass : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    void addCodes(const QList<std::pair<QString, QString>>& codes) {
        FileDatabase kod(catalogue->file(u"kod.db"_s), false);
        for (const auto& [receiver, code] : codes) {
            Statement insert = kod.prepare(u"INSERT INTO Kod (Mottagare, Kod) VALUES (?1, ?2)"_s);
            insert.bind(1, receiver).bind(2, code);
            insert.step();
        }
    }
    void addNumberedCodes(int count) {
        QList<std::pair<QString, QString>> codes;
        for (int i = 1; i <= count; ++i)
            codes << std::pair{u"Receiver %1"_s.arg(i), u"code-%1-ö"_s.arg(i)};
        addCodes(codes);
    }
    // Every receiver and code in key order, read from the file.
    QStringList storedCodes() const {
        FileDatabase kod(catalogue->file(u"kod.db"_s), false);
        Statement select = kod.prepare(u"SELECT Mottagare, Kod FROM Kod ORDER BY Kid"_s);
        QStringList rows;
        while (select.step())
            rows << select.text(0) + u'=' + select.text(1);
        return rows;
    }
    QString krypterad() const {
        return catalogue->scalar(u"Config.db"_s, u"SELECT Krypterad FROM Config"_s);
    }
    static QStringList rows(const QList<std::pair<QString, QString>>& codes,
                            QString (*convert)(const QString&) = nullptr) {
        QStringList result;
        for (const auto& [receiver, code] : codes)
            result << receiver + u'=' + (convert ? convert(code) : code);
        return result;
    }
    // Runs a whole pass and waits for its end; whether it finished.
    bool runPass(ScrambleDirection direction, QStringList* progress = nullptr) {
        CodeStorePass pass(*tdm, direction);
        if (const std::optional<QString> refusal = pass.prepare()) {
            qWarning("%s", qPrintable(*refusal));
            return false;
        }
        QSignalSpy finished(&pass, &CodeStorePass::finished);
        QSignalSpy failed(&pass, &CodeStorePass::failed);
        if (progress)
            connect(&pass, &CodeStorePass::advanced, this,
                    [progress](int records) { *progress << QString::number(records); });
        pass.start();
        if (finished.isEmpty())
            finished.wait(20000);
        return finished.size() == 1 && failed.isEmpty();
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        tdm->configTb().open();
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void scramblingAndUnscramblingGiveEveryCodeBack() {
        addCodes(kCodes);
        QStringList progress;
        QVERIFY(runPass(ScrambleDirection::Scramble, &progress));
        QCOMPARE(progress, (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
        // On disk every code is held scrambled, the receivers as they were, the flag set.
        QCOMPARE(storedCodes(), rows(kCodes, ScrambleText));
        QCOMPARE(krypterad(), u"1"_s);
        QCOMPARE(tdm->kodTb().asText(u"Kod"_s), ScrambleText(kCodes[0].second));
        QVERIFY(tdm->configTb().asLogical(u"Krypterad"_s));

        QVERIFY(runPass(ScrambleDirection::Unscramble));
        QCOMPARE(storedCodes(), rows(kCodes));
        QCOMPARE(krypterad(), u"0"_s);
    }

    void aLongCodeKeepsEveryCharacterScrambled() {
        // 50 characters that each rise into the next plane take twice the room when scrambled.
        const QString code = QString(50, QChar(0xFFFA));
        addCodes({{u"Long"_s, code}});
        QVERIFY(runPass(ScrambleDirection::Scramble));
        QCOMPARE(storedCodes(), (QStringList{u"Long="_s + ScrambleText(code)}));
        QVERIFY(runPass(ScrambleDirection::Unscramble));
        QCOMPARE(storedCodes(), (QStringList{u"Long="_s + code}));
    }

    void everyRecordPausesAndNothingIsWrittenBeforeTheLast() {
        addNumberedCodes(20);
        const QStringList before = storedCodes();
        CodeStorePass pass(*tdm, ScrambleDirection::Scramble);
        QVERIFY(!pass.prepare());
        QCOMPARE(pass.recordCount(), 20);
        QCOMPARE(pass.pauseTimer().interval(), 50);
        QCOMPARE(pass.pauseTimer().timerType(), Qt::PreciseTimer);
        QStringList seenOnDisk;
        connect(&pass, &CodeStorePass::advanced, this, [&](int records) {
            if (records == 10)
                seenOnDisk = storedCodes() << krypterad();
        });
        QSignalSpy finished(&pass, &CodeStorePass::finished);
        QElapsedTimer clock;
        clock.start();
        pass.start();
        QVERIFY(pass.isRunning());
        QVERIFY(finished.wait(20000));
        // Twenty pauses of 50 ms: at least a second.
        QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(seenOnDisk, QStringList(before) << u"0"_s);
        QVERIFY(storedCodes() != before);
    }

    void aCodeThatCannotBeConvertedRefusesThePass() {
        addCodes(kCodes);
        addCodes({{u"Odd"_s, u"x"_s + QString::fromUcs4(U"\U0010FFFF", 1)}});
        CodeStorePass pass(*tdm, ScrambleDirection::Scramble);
        QCOMPARE(pass.prepare(),
                 std::optional<QString>(
                     u"The code of the receiver \"Odd\" holds the character U+10FFFF, which "
                     "cannot be scrambled. No code was changed."_s));
        QCOMPARE(krypterad(), u"0"_s);

        // A plain code read as scrambled: a character below the offset has no plain form.
        catalogue->exec(u"kod.db"_s, u"DELETE FROM Kod WHERE Mottagare = 'Odd'"_s);
        catalogue->exec(u"kod.db"_s, u"UPDATE Kod SET Kod = char(3) WHERE Mottagare = 'Bank'"_s);
        tdm->kodTb().refresh();
        CodeStorePass back(*tdm, ScrambleDirection::Unscramble);
        QCOMPARE(back.prepare(),
                 std::optional<QString>(u"The code of the receiver \"Bank\" holds the character "
                                        "U+0003, which cannot be unscrambled. No code was "
                                        "changed."_s));
    }

    void anEmptyStoreEndsAtOnceUnchanged() {
        CodeStorePass pass(*tdm, ScrambleDirection::Scramble);
        QVERIFY(!pass.prepare());
        QSignalSpy advanced(&pass, &CodeStorePass::advanced);
        QSignalSpy finished(&pass, &CodeStorePass::finished);
        pass.start();
        QCOMPARE(finished.size(), 1);
        QVERIFY(advanced.isEmpty());
        QVERIFY(!pass.isRunning());
        QCOMPARE(krypterad(), u"0"_s);
    }

    void aFailedWriteChangesNothing() {
        addCodes(kCodes);
        CodeStorePass pass(*tdm, ScrambleDirection::Scramble);
        QVERIFY(!pass.prepare());
        QSignalSpy finished(&pass, &CodeStorePass::finished);
        QSignalSpy failed(&pass, &CodeStorePass::failed);
        // A record goes while the pass pauses (it cannot from the program, whose window is
        // locked, but the pass must not trust that).
        connect(&pass, &CodeStorePass::advanced, this, [&](int records) {
            if (records == 2)
                catalogue->exec(u"kod.db"_s, u"DELETE FROM Kod WHERE Mottagare = 'Router'"_s);
        });
        pass.start();
        QVERIFY(failed.wait(20000));
        QVERIFY(finished.isEmpty());
        QCOMPARE(failed.first().first().toString(),
                 u"A record of the code store went missing during the pass. No code was "
                 "changed."_s);
        QStringList left = rows(kCodes);
        left.removeAt(2);
        QCOMPARE(storedCodes(), left);
        QCOMPARE(krypterad(), u"0"_s);
        // The table objects show what the files hold.
        QCOMPARE(tdm->kodTb().state(), TableState::Browse);
        QCOMPARE(tdm->kodTb().recordCount(), 3);
        QCOMPARE(tdm->kodTb().asText(u"Kod"_s), kCodes[0].second);
        QVERIFY(!tdm->configTb().asLogical(u"Krypterad"_s));
        QCOMPARE(tdm->configTb().state(), TableState::Browse);
    }

    void aPassKilledHalfWayLeavesEverythingAsBefore_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("signal");
        QTest::newRow("during the pauses") << u"pause"_s << u"paused 10"_s;
        QTest::newRow("during the writing") << u"write"_s << u"written 10"_s;
    }
    void aPassKilledHalfWayLeavesEverythingAsBefore() {
        QFETCH(QString, where);
        QFETCH(QString, signal);
        addNumberedCodes(20);
        tdm.reset(); // the child has the files to itself
        const QStringList before = storedCodes();

        QProcess child;
        child.start(QString::fromUtf8(HOARDLY_CODE_PASS_CHILD), {catalogue->path(), where});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        while (!said.contains('\n') && child.waitForReadyRead(20000))
            said += child.readAllStandardOutput();
        QCOMPARE(QString::fromUtf8(said).trimmed(), signal);
        child.kill(); // SIGKILL: no clean-up of any kind
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        // Reading the files again rolls back whatever the child left unfinished.
        QCOMPARE(storedCodes(), before);
        QCOMPARE(krypterad(), u"0"_s);
    }

    void theFilesStayPrivateAfterAPass() {
        addCodes(kCodes);
        QVERIFY(runPass(ScrambleDirection::Scramble));
        const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        const auto modeBits = QFileDevice::Permissions(0x7077); // not the user bits
        for (const QString& name : {u"kod.db"_s, u"Config.db"_s})
            QCOMPARE(QFile::permissions(catalogue->file(name)) & modeBits, ownerOnly);
    }
};

QTEST_GUILESS_MAIN(TestCodeStorePass)
#include "test_code_store_pass.moc"
