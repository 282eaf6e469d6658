#include "SoftwareData.h"
#include "TempCatalogue.h"
#include "data/TDM.h"
#include "registers/SoftwareLists.h"
#include "registers/WebAddress.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestSoftwareRules : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    Table& standard() { return tdm->standardTb(); }
    QStringList rememberedRows() const {
        const QString joined = catalogue->scalar(
            u"Standard.db"_s, u"SELECT group_concat(Dataforetag, char(10)) FROM (SELECT "
                              "Dataforetag FROM Standard WHERE Dataforetag IS NOT NULL ORDER BY "
                              "Sid)"_s);
        return joined.isEmpty() ? QStringList() : joined.split(u'\n');
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        test::addSoftware(*catalogue);
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void theFixedListsStandInTheirOrder() {
        const QStringList categories = software::categories();
        QCOMPARE(categories.size(), 12);
        QCOMPARE(categories.first(), u"OpSys"_s);
        QCOMPARE(categories.at(6), u"graphic/arts"_s);
        QCOMPARE(categories.last(), u"Other"_s);
        const QStringList storage = software::storageKinds();
        QCOMPARE(storage,
                 (QStringList{u"CD"_s, u"CD-R"_s, u"CD-RW"_s, u"DVD"_s, u"Floppy"_s, u"Tape"_s,
                              u"Zip-IOMEGA"_s, u"Syquest"_s, u"Zipfile"_s, u"Other"_s}));
        QCOMPARE(software::types(),
                 (QStringList{u"Commercial"_s, u"Shareware"_s, u"Freeware"_s, u"Demo"_s}));
    }

    void theCheckedTypeButtonGivesTheWordOkWrites() {
        QCOMPARE(software::typeToWrite(0), u"Commercial"_s);
        QCOMPARE(software::typeToWrite(1), u"Shareware"_s);
        QCOMPARE(software::typeToWrite(3), u"Demo"_s);
        QVERIFY(software::typeToWrite(-1).isEmpty()); // none checked: the type stays
        QCOMPARE(software::typeButtonOf(u"Freeware"_s), 2);
        QCOMPARE(software::typeButtonOf(u"Demo"_s), 3);
        // Only the four words exactly preselect a button.
        QCOMPARE(software::typeButtonOf(u"freeware"_s), -1);
        QCOMPARE(software::typeButtonOf(QString()), -1);
        QCOMPARE(software::typeButtonOf(u"Open source"_s), -1);
    }

    void theManufacturerListIsCutTo40InKeyOrder() {
        const QString longName = u"The Very Long Name Of A Software Company Incorporated"_s;
        catalogue->exec(u"Standard.db"_s,
                        u"INSERT INTO Standard (Dataforetag) VALUES ('%1')"_s.arg(longName));
        const QStringList list = software::manufacturers(standard());
        QCOMPARE(list, (QStringList{u"Nico Mak"_s, u"Microsoft"_s, u"id Software"_s, u"microsoft"_s,
                                    u"O'Reilly"_s, u"gimp.org"_s, longName.left(40)}));
        QCOMPARE(list.last().size(), 40);
        QCOMPARE(standard().position(), 0); // read without moving
    }

    void aManufacturerIsRememberedOnceCutTo40WithCaseCounting() {
        QVERIFY(!software::rememberManufacturer(standard(), u"Microsoft"_s));
        QVERIFY(!software::rememberManufacturer(standard(), QString()));
        QVERIFY(software::rememberManufacturer(standard(), u"MICROSOFT"_s));
        const QString longName = u"Sveriges Största Programvaruhus i Norrland AB"_s;
        QVERIFY(longName.size() > 40);
        QVERIFY(software::rememberManufacturer(standard(), longName));
        // The same long name again finds its cut self and is not remembered twice.
        QVERIFY(!software::rememberManufacturer(standard(), longName));
        QVERIFY(!software::rememberManufacturer(standard(), longName.left(40) + u"xyz"_s));
        const QStringList rows = rememberedRows();
        QCOMPARE(rows.count(u"MICROSOFT"_s), 1);
        QCOMPARE(rows.last(), longName.left(40));
        QCOMPARE(rows.count(longName.left(40)), 1);
        QVERIFY(!rows.contains(longName));
    }

    void webAddressesAreHttpHttpsOrFtp() {
        const QList<QPair<QString, QString>> opened{
            {u"http://www.winzip.com"_s, u"http://www.winzip.com"_s},
            {u"https://example.org/path?q=1"_s, u"https://example.org/path?q=1"_s},
            {u"ftp://ftp.oreilly.com/pub"_s, u"ftp://ftp.oreilly.com/pub"_s},
            {u"HTTP://EXAMPLE.COM"_s, u"http://example.com"_s},
            {u"www.microsoft.com"_s, u"http://www.microsoft.com"_s},
            {u"WWW.Example.se/sida"_s, u"http://www.example.se/sida"_s},
            {u"  www.spaced.se  "_s, u"http://www.spaced.se"_s},
        };
        for (const auto& [text, url] : opened) {
            const std::optional<QUrl> address = webAddressOf(text);
            QVERIFY2(address, qPrintable(text));
            QCOMPARE(address->toString(), url);
        }
    }

    void anythingElseIsNeverOpened() {
        const QStringList refused{u""_s,
                                  u"   "_s,
                                  u"/usr/bin/xterm"_s,
                                  u"C:\\Program Files\\setup.exe"_s,
                                  u"file:///etc/passwd"_s,
                                  u"FILE:/home/user/run.sh"_s,
                                  u"javascript:alert(1)"_s,
                                  u"mailto:someone@example.com"_s,
                                  u"smb://server/share"_s,
                                  u"ssh://host"_s,
                                  u"example.com"_s,
                                  u"http://"_s,
                                  u"http:/missing.slash"_s,
                                  u"https://exa mple.com"_s,
                                  u"wwwexample.com"_s,
                                  u"~/Desktop/app.desktop"_s};
        for (const QString& text : refused)
            QVERIFY2(!webAddressOf(text), qPrintable(text));
    }

    void theRefusalSaysPlainlyItIsNoWebAddress() {
        QCOMPARE(notAWebAddressMessage(u" file:///etc/passwd "_s),
                 u"\"file:///etc/passwd\" is not a web address, so it is not opened.\n"
                 "Only addresses beginning with http://, https://, ftp:// or www. are opened."_s);
    }
};

QTEST_MAIN(TestSoftwareRules)
#include "test_software_rules.moc"
