#include "security/Scramble.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

static_assert(kScrambleOffset >= 1 && kScrambleOffset <= 9, "the offset is one decimal digit");

namespace {

QString character(char32_t value) {
    return QString::fromUcs4(&value, 1);
}

} // namespace

class TestScramble : public QObject {
    Q_OBJECT

private slots:
    void scramblingReversesAndRaisesEachCharacter() {
        // "Ab1" reversed is "1bA"; each raised by seven.
        QCOMPARE(ScrambleText(u"Ab1"_s), u"8iH"_s);
        QCOMPARE(UnscrambleText(u"8iH"_s), u"Ab1"_s);
        QCOMPARE(ScrambleText(QString()), QString());
        // A Swedish letter stays one character: Å (U+00C5) becomes U+00CC.
        QCOMPARE(ScrambleText(u"Å"_s), u"\u00CC"_s);
    }

    void everyTextComesBack_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << u"hunter2"_s;
        QTest::newRow("Swedish letters") << u"Blåbärssylt ÅÄÖ åäö"_s;
        QTest::newRow("outside the first plane") << u"🔑 kod 𝄞 😀"_s;
        QTest::newRow("blanks and signs") << u"  a & b <c> \"d\" 'e'  "_s;
        QTest::newRow("crossing into the next plane") << character(0xFFFC) + character(0xFFF9);
        QTest::newRow("just below the surrogates") << character(0xD7F8);
        QTest::newRow("the last that scrambles") << character(0x10FFF8);
        QTest::newRow("control characters") << u"\t\n"_s;
    }
    void everyTextComesBack() {
        QFETCH(QString, text);
        QVERIFY(!unconvertibleCharacter(text, ScrambleDirection::Scramble));
        const QString scrambled = ScrambleText(text);
        QCOMPARE(scrambled.toUcs4().size(), text.toUcs4().size());
        QVERIFY(scrambled != text);
        QVERIFY(!unconvertibleCharacter(scrambled, ScrambleDirection::Unscramble));
        QCOMPARE(UnscrambleText(scrambled), text);
    }

    void aCharacterOutsideThePairsStaysWhole() {
        // U+1F511 (a key) is one character in two halves; reversing keeps the halves together.
        const QString scrambled = ScrambleText(u"a🔑"_s);
        QCOMPARE(scrambled,
                 character(0x1F511 + kScrambleOffset) + character(u'a' + kScrambleOffset));
        // A character just below U+10000 rises into the next plane and takes two halves.
        QCOMPARE(ScrambleText(character(0xFFFC)).size(), 2);
    }

    void charactersWithoutCounterpartAreNamed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("scrambling");
        QTest::addColumn<uint>("culprit");
        QTest::newRow("above the last character")
            << u"ok"_s + character(0x10FFF9) << true << 0x10FFF9u;
        QTest::newRow("the last character") << character(0x10FFFF) << true << 0x10FFFFu;
        QTest::newRow("onto a surrogate, rising") << u"x"_s + character(0xD7FF) << true << 0xD7FFu;
        QTest::newRow("onto a surrogate, falling") << character(0xE000) << false << 0xE000u;
        QTest::newRow("below zero") << u"ab"_s + character(0x0003) << false << 0x0003u;
        QTest::newRow("a lone half, rising") << u"a"_s + QChar(0xD83D) << true << 0xD83Du;
        QTest::newRow("a lone half, falling") << QString(QChar(0xDE00)) << false << 0xDE00u;
    }
    void charactersWithoutCounterpartAreNamed() {
        QFETCH(QString, text);
        QFETCH(bool, scrambling);
        QFETCH(uint, culprit);
        const auto direction =
            scrambling ? ScrambleDirection::Scramble : ScrambleDirection::Unscramble;
        QCOMPARE(unconvertibleCharacter(text, direction), std::optional<char32_t>(culprit));
        bool refused = false;
        try {
            scrambling ? ScrambleText(text) : UnscrambleText(text);
        } catch (const ScrambleError& error) {
            refused = true;
            QVERIFY2(error.text().contains(u"U+%1"_s.arg(culprit, 4, 16, QChar(u'0')).toUpper()),
                     qPrintable(error.text()));
        }
        QVERIFY(refused);
    }

    void charactersAreNamedReadably() {
        QCOMPARE(describeCharacter(U'Å'), u"\"Å\" (U+00C5)"_s);
        QCOMPARE(describeCharacter(0x1F511), u"\"🔑\" (U+1F511)"_s);
        QCOMPARE(describeCharacter(0xD800), u"U+D800"_s);
        QCOMPARE(describeCharacter(0x10FFFF), u"U+10FFFF"_s);
        QCOMPARE(describeCharacter(0x0003), u"U+0003"_s);
    }
};

QTEST_GUILESS_MAIN(TestScramble)
#include "test_scramble.moc"
