#include "ui/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

// The real boxes behind the dialog seam: what they look like and where they stand.
class TestDialogs : public QObject {
    Q_OBJECT

    static int captionWidth(const QString& caption) {
        QFont font = QApplication::font("QMdiSubWindowTitleBar");
        font.setBold(true);
        return QFontMetrics(font).horizontalAdvance(caption);
    }

private slots:
    void aBoxIsWideEnoughForItsWholeCaption() {
        const Box box{BoxKind::Info,
                      u"Last name field empty"_s,
                      u"Last name is required. "_s,
                      BoxIcon::None,
                      {Answer::Ok}};
        const std::unique_ptr<QMessageBox> dialog = makeMessageBox(nullptr, box);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        // Beside the caption, a frame draws its icon and its buttons.
        QVERIFY2(dialog->width() >= captionWidth(box.caption) + 120,
                 qPrintable(QString::number(dialog->width())));
        QCOMPARE(dialog->windowTitle(), box.caption);
        QCOMPARE(dialog->text(), box.text);
        QCOMPARE(dialog->buttons().size(), 1);
        dialog->close();

        // A long text keeps its own width; the buttons are the ones asked for.
        const Box question{BoxKind::Question,
                           u"Del record"_s,
                           QString(300, u'w'),
                           BoxIcon::Exclamation,
                           {Answer::Yes, Answer::No}};
        const std::unique_ptr<QMessageBox> asked = makeMessageBox(nullptr, question);
        QCOMPARE(asked->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(asked->icon(), QMessageBox::Warning);
    }

    void aBoxForAHiddenWindowStandsOverTheOneOnTheScreen() {
        QWidget hidden;
        auto* box = new QLineEdit(&hidden);
        QWidget shown;
        shown.show();
        shown.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shown));
        QCOMPARE(boxOwner(box), &shown);
        QCOMPARE(boxOwner(nullptr), &shown);
        QCOMPARE(boxOwner(&shown), &shown);

        // A modal dialog on the screen is what the user looks at.
        QDialog modal(&shown);
        modal.setModal(true);
        modal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&modal));
        QCOMPARE(boxOwner(box), &modal);
        modal.hide();

        // A window on the screen keeps its own boxes.
        hidden.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hidden));
        QCOMPARE(boxOwner(box), box);
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
