#include "AboutBox.h"

#include "Artwork.h"
#include "Version.h"

#include <QDesktopServices>
#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace hoardly {

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(u"AboutBox"_s);
    setWindowTitle(u"About"_s);

    auto* icon = new QLabel(this);
    icon->setObjectName(u"programIcon"_s);
    icon->setPixmap(programPixmap(64));

    auto* title = new QLabel(u"Hoardly"_s, this);
    title->setObjectName(u"productName"_s);
    QFont font = title->font();
    font.setPointSize(24);
    font.setBold(true);
    font.setItalic(true);
    title->setFont(font);
    auto* shadow = new QGraphicsDropShadowEffect(title);
    shadow->setOffset(3, 3);
    shadow->setBlurRadius(4);
    shadow->setColor(QColor(0, 0, 0, 120));
    title->setGraphicsEffect(shadow);

    auto* version = new QLabel(QString::fromLatin1(kAboutVersionText), this);
    version->setObjectName(u"version"_s);

    const QString address = QString::fromLatin1(kDownloadAddress);
    auto* link = new QLabel(u"<a href=\"%1\">%1</a>"_s.arg(address), this);
    link->setObjectName(u"downloadLink"_s);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    connect(link, &QLabel::linkActivated, this,
            [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });

    auto* ok = new QPushButton(u"&OK"_s, this);
    ok->setObjectName(u"okKnp"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(title, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(link, 2, 1);
    layout->addWidget(ok, 3, 0, 1, 2, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace hoardly
