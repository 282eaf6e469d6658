#include "TempCatalogue.h"
#include "data/GridModels.h"
#include "data/PictureField.h"
#include "data/TDM.h"
#include "ui/BoundControls.h"
#include "ui/PictureBox.h"
#include "ui/WebLink.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QtEndian>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

QByteArray bitmapOf(const QColor& colour, const QSize& size = {4, 3}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace

// The controls the register pages are made of beyond edit boxes: the picture box, the web
// link, a bound picture, and grids over a table that lacks a column.
class TestPageControls : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void thePictureBoxPastesCopiesAndCutsWithItsKeys() {
        PictureBox box;
        box.show();
        box.setFocus();
        QClipboard* clipboard = QGuiApplication::clipboard();
        QImage blue(5, 4, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        clipboard->setImage(blue);
        QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
        QVERIFY(!box.image().isNull());
        QCOMPARE(box.image().pixelColor(0, 0), QColor(Qt::blue));
        QVERIFY(!box.pixmap().isNull());

        clipboard->clear();
        QTest::keyClick(&box, Qt::Key_Insert, Qt::ControlModifier); // copy
        QCOMPARE(clipboard->image().size(), QSize(5, 4));
        clipboard->clear();
        QTest::keyClick(&box, Qt::Key_Delete, Qt::ShiftModifier); // cut
        QCOMPARE(clipboard->image().size(), QSize(5, 4));
        QVERIFY(box.image().isNull());
        QVERIFY(box.pixmap().isNull());

        QImage green(2, 2, QImage::Format_RGB32);
        green.fill(Qt::green);
        clipboard->setImage(green);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box.image().size(), QSize(2, 2));
        QTest::keyClick(&box, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(box.image().isNull());
        // Text on the clipboard is no picture: the box stays as it is.
        clipboard->setText(u"not a picture"_s);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(box.image().isNull());
    }

    void theWebLinkIsRedWhilePressedAndNavyOnceOpened() {
        WebLink link;
        link.resize(200, 20);
        QSignalSpy opened(&link, &WebLink::openRequested);
        link.setText(u"https://example.org"_s);
        QVERIFY(link.font().underline());
        QCOMPARE(link.palette().color(QPalette::WindowText), QColor(Qt::blue));
        QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(link.palette().color(QPalette::WindowText), QColor(Qt::red));
        QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.first().first().toString(), u"https://example.org"_s);
        QCOMPARE(link.palette().color(QPalette::WindowText), QColor(Qt::darkBlue));
        // Released away from the link, it opens nothing; an empty link never opens.
        QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(500, 5));
        link.setText(QString());
        QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(opened.count(), 1);
    }

    void aBoundPictureShowsTheStoredBitmap() {
        const QByteArray bitmap = bitmapOf(Qt::yellow, {6, 5});
        catalogue->exec(u"Value.DB"_s, u"INSERT INTO Value (Benamning, Bild) VALUES ('Vase', X'"_s +
                                           QString::fromLatin1(framePicture(bitmap).toHex()) +
                                           u"'), ('Clock', NULL)"_s);
        Table& values = tdm->valueTb();
        values.open();
        QLabel label;
        label.resize(60, 50);
        PictureBinding binding(tdm->source(schema::value()), u"Bild"_s, &label);
        QCOMPARE(label.pixmap().size(), QSize(6, 5));
        QVERIFY(label.hasScaledContents()); // stretched to the box
        values.next();
        QVERIFY(label.pixmap().isNull());
        values.close();
        QVERIFY(label.pixmap().isNull());
    }

    void aGridOverAMissingColumnShowsItEmptyAndSaysSoOnce() {
        catalogue->exec(u"film.DB"_s, u"ALTER TABLE Film DROP COLUMN Kategori"_s);
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel) VALUES (1, 'Alien'), "
                                      "(2, 'Brazil')"_s);
        TableGridModel model(tdm->source(schema::film()),
                             {{u"Titel"_s, u"Title"_s}, {u"Kategori"_s, u"Category"_s}}, true);
        QSignalSpy failed(&model, &TableGridModel::readFailed);
        tdm->filmTb().open();
        QCOMPARE(failed.count(), 1);
        QVERIFY(failed.first().first().toString().contains(u"Kategori"_s));
        QTableView view;
        view.setModel(&model);
        view.show();
        view.viewport()->repaint(); // paints without anything thrown
        QCOMPARE(model.data(model.index(1, 0), Qt::DisplayRole).toString(), u"Brazil"_s);
        QCOMPARE(model.data(model.index(1, 1), Qt::DisplayRole), QVariant());
        QVERIFY(!model.setData(model.index(1, 1), u"Drama"_s, Qt::EditRole));
        QCoreApplication::processEvents();
        QCOMPARE(failed.count(), 1);
    }
};

QTEST_MAIN(TestPageControls)
#include "test_page_controls.moc"
