#include "ScreenshotWindows.h"
#include "app/HelpBook.h"
#include "app/HelpForm.h"
#include "data/TextFiles.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

QString shippedBook() {
    return QString::fromUtf8(HOARDLY_HELP_SOURCE_DIR);
}

QString screenshotDirectory() {
    return QString::fromUtf8(HOARDLY_SCREENSHOT_DIR);
}

// The pages of the book by file name, with their HTML.
QMap<QString, QString> bookPages() {
    QMap<QString, QString> pages;
    const QDir book(shippedBook());
    for (const QString& page : book.entryList({u"*.html"_s}, QDir::Files))
        pages.insert(page, readTextFile(book.filePath(page)));
    return pages;
}

// The pictures a page shows: the sources of its <img> elements.
QStringList imageSources(const QString& html) {
    static const QRegularExpression image(u"<img\\b[^>]*\\bsrc=\"([^\"]+)\""_s,
                                          QRegularExpression::CaseInsensitiveOption);
    QStringList sources;
    for (const auto& match : image.globalMatch(html))
        sources << match.captured(1);
    return sources;
}

// The lists scripts/print-pictures.sh pictures ("for list in film music ...; do").
QStringList printedListsPictured() {
    const QString script = readTextFile(QString::fromUtf8(HOARDLY_PRINT_PICTURES_SCRIPT));
    static const QRegularExpression loop(u"for list in ([a-z ]+); do"_s);
    const auto match = loop.match(script);
    return match.hasMatch() ? match.captured(1).split(u' ', Qt::SkipEmptyParts) : QStringList{};
}

// Whether a target ("page.html" or "page.html#anchor") leads somewhere in the book.
QString brokenTarget(const HelpBook& book, const QString& target) {
    const QString path = book.filePath(target);
    if (!QFileInfo::exists(path))
        return u"%1: no such page"_s.arg(target);
    const qsizetype hash = target.indexOf(u'#');
    if (hash >= 0 && !readTextFile(path).contains(u"name=\"%1\""_s.arg(target.mid(hash + 1))))
        return u"%1: no such anchor"_s.arg(target);
    return {};
}

} // namespace

class TestHelpBook : public QObject {
    Q_OBJECT

private slots:
    void topicsAreReadLineByLine() {
        QString problem;
        const auto topics = HelpBook::parseTopics(
            u"# a comment\n\nFilms | films.html\n  Lending, returns |lending.html#returns \r\n"
            "no bar here\n | lost.html\n"_s,
            &problem);
        QCOMPARE(topics, (QList<HelpTopic>{{u"Films"_s, u"films.html"_s},
                                           {u"Lending, returns"_s, u"lending.html#returns"_s}}));
        QVERIFY(problem.contains(u"Line 5"_s));
        QVERIFY(problem.contains(u"Line 6"_s));
    }

    void typingInTheIndexFindsTheNearestKeyword() {
        QTemporaryDir dir;
        writeTextFile(dir.filePath(u"contents.txt"_s), u"Start | start.html\n"_s);
        writeTextFile(dir.filePath(u"index.txt"_s),
                      u"lending | l.html\nBackup | b.html\nBorrower | w.html\nactors | a.html\n"_s);
        const HelpBook book = HelpBook::load(dir.path());
        QStringList order;
        for (const HelpTopic& topic : book.index())
            order << topic.title;
        QCOMPARE(order, (QStringList{u"actors"_s, u"Backup"_s, u"Borrower"_s, u"lending"_s}));
        QCOMPARE(book.indexPosition(QString()), 0);
        QCOMPARE(book.indexPosition(u"b"_s), 1);
        QCOMPARE(book.indexPosition(u"BO"_s), 2);
        QCOMPARE(book.indexPosition(u"c"_s), 3); // nearest following keyword
        QCOMPARE(book.indexPosition(u"zebra"_s), -1);
        QCOMPARE(book.filePath(u"b.html#there"_s), dir.filePath(u"b.html"_s));
    }

    void aMissingBookSaysSoInsteadOfShowingNothing() {
        QTemporaryDir dir;
        const HelpBook book = HelpBook::load(dir.filePath(u"help"_s));
        QVERIFY(book.isEmpty());
        QVERIFY(!book.problem().isEmpty());

        THelpForm help(dir.filePath(u"help"_s));
        help.openContents();
        QVERIFY(help.browser()->toPlainText().contains(u"The help book is missing"_s));
        QVERIFY(!help.tabs()->isEnabled());
    }

    void everyEntryAndLinkOfTheShippedBookLeadsSomewhere() {
        const HelpBook book = HelpBook::load(shippedBook());
        QVERIFY2(book.problem().isEmpty(), qPrintable(book.problem()));
        QVERIFY(book.contents().size() >= 10);
        QVERIFY(book.index().size() >= 30);
        QStringList broken;
        for (const HelpTopic& topic : book.contents() + book.index()) {
            if (const QString problem = brokenTarget(book, topic.target); !problem.isEmpty())
                broken << problem;
        }
        // Every page is in the contents, and every link between pages works.
        QSet<QString> listed;
        for (const HelpTopic& topic : book.contents())
            listed << topic.target.section(u'#', 0, 0);
        const QRegularExpression link(u"href=\"([^\"]+)\""_s);
        const QStringList pages = QDir(shippedBook()).entryList({u"*.html"_s}, QDir::Files);
        for (const QString& page : pages) {
            if (!listed.contains(page))
                broken << u"%1: not in the contents"_s.arg(page);
            const QString html = readTextFile(QDir(shippedBook()).filePath(page));
            for (const auto& match : link.globalMatch(html)) {
                const QString target = match.captured(1);
                if (target.startsWith(u"https://"_s))
                    continue;
                if (const QString problem = brokenTarget(book, target); !problem.isEmpty())
                    broken << page + u" links to "_s + problem;
            }
            // Every picture is there, and the help window can read it.
            for (const QString& source : imageSources(html)) {
                const QString path = QDir(shippedBook()).filePath(source);
                if (source.contains(u':') || !QFileInfo(path).isFile())
                    broken << u"%1 shows %2: no such picture"_s.arg(page, source);
                else if (QImage(path).isNull())
                    broken << u"%1 shows %2: not a picture Qt can read"_s.arg(page, source);
            }
        }
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u"\n"_s)));
    }

    void theBookShowsAPictureOfEveryWindowTheScreenshotToolKnows() {
        QSet<QString> shown;
        for (const QString& html : bookPages())
            for (const QString& source : imageSources(html))
                if (source.startsWith(u"pictures/"_s))
                    shown << QFileInfo(source).completeBaseName();
        QStringList missing;
        for (const ScreenshotWindow& window : screenshotWindows()) {
            const QString picture = pictureName(window);
            if (picture.isEmpty())
                continue;
            if (!QFileInfo::exists(QDir(screenshotDirectory()).filePath(picture + u".png"_s)))
                missing << u"%1: no %2.png in docs/screenshots"_s.arg(
                    QString::fromLatin1(window.name), picture);
            else if (!shown.contains(picture))
                missing << u"%1: no page of the help book shows %2.png"_s.arg(
                    QString::fromLatin1(window.name), picture);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u"\n"_s)));
    }

    void everyPictureInTheDocsIsOneTheToolsMake() {
        // What the screenshot tool photographs or exports, and what the print script makes
        // of the printed lists' PDF files.
        QSet<QString> made;
        QSet<QString> printed;
        for (const ScreenshotWindow& window : screenshotWindows()) {
            const QString name = QString::fromLatin1(window.name);
            if (name.startsWith(u"pdf-"_s))
                printed << name.mid(4);
            else if (const QString picture = pictureName(window); !picture.isEmpty())
                made << picture;
        }
        const QStringList pictured = printedListsPictured();
        QVERIFY(!pictured.isEmpty());
        QCOMPARE(QSet<QString>(pictured.begin(), pictured.end()), printed);
        for (const QString& list : pictured)
            made << u"print-"_s + list;

        QStringList stale;
        for (const QString& file :
             QDir(screenshotDirectory()).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
            const QFileInfo info(file);
            if (info.suffix() != u"png"_s || !made.contains(info.completeBaseName()))
                stale << file;
        }
        QVERIFY2(stale.isEmpty(), qPrintable(u"no tool makes these: "_s + stale.join(u", "_s)));
    }

    void theWindowFitsOnTheScreenOfTheWindowItIsOpenedFrom() {
        QWidget registerWindow;
        registerWindow.resize(600, 400);
        registerWindow.show();
        registerWindow.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&registerWindow));
        THelpForm help(shippedBook());
        help.openContents();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        const QRect area = registerWindow.screen()->availableGeometry();
        QVERIFY2(area.contains(help.frameGeometry()),
                 qPrintable(u"%1x%2 on %3x%4"_s.arg(help.width())
                                .arg(help.height())
                                .arg(area.width())
                                .arg(area.height())));
        QVERIFY((help.frameGeometry().center() - area.center()).manhattanLength() <= 8); // middle
        QVERIFY(help.width() >= area.width() * 8 / 10 || help.width() == 820);
    }

    void theWindowOpensAtItsContentsAndTheIndexFollowsTyping() {
        THelpForm help(shippedBook());
        help.tabs()->setCurrentIndex(1);
        help.openContents();
        QCOMPARE(help.tabs()->currentIndex(), 0);
        QCOMPARE(help.contentsList()->currentRow(), 0);
        QVERIFY(help.browser()->source().toLocalFile().endsWith(u"/index.html"_s));
        QVERIFY(help.browser()->toPlainText().contains(u"Welcome to Hoardly"_s));

        help.contentsList()->setCurrentRow(3);
        QCOMPARE(QFileInfo(help.browser()->source().toLocalFile()).fileName(),
                 help.book().contents()[3].target);

        help.tabs()->setCurrentIndex(1);
        QTest::keyClicks(help.indexEdit(), u"resto"_s);
        QCOMPARE(help.indexList()->currentItem()->text(), u"Restore"_s);
        QTest::keyClick(help.indexEdit(), Qt::Key_Return);
        QCOMPARE(help.browser()->source().fileName(), u"backup.html"_s);
        QCOMPARE(help.browser()->source().fragment(), u"restore"_s);
        QVERIFY(help.browser()->toPlainText().contains(u"Restoring a backup"_s));
    }
};

QTEST_MAIN(TestHelpBook)
#include "test_help_book.moc"
