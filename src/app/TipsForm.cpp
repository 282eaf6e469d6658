#include "TipsForm.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

TTipsForm::TTipsForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      memo_(new QPlainTextEdit(this)), closeKnp_(new QPushButton(u"&Close"_s, this)) {
    setObjectName(u"TipsForm"_s);
    setWindowTitle(u"Tip & Hint"_s);
    memo_->setObjectName(u"tipsMemo"_s);
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = memo_->palette();
    palette.setColor(QPalette::Base, QColor(0xff, 0xff, 0xe1));
    palette.setColor(QPalette::Text, Qt::black);
    memo_->setPalette(palette);
    memo_->setFocusPolicy(Qt::ClickFocus);

    closeKnp_->setObjectName(u"closeKnp"_s);
    closeKnp_->setDefault(true);
    connect(closeKnp_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo_);
    layout->addWidget(closeKnp_, 0, Qt::AlignHCenter);
    setFixedSize(420, 300);
}

void TTipsForm::setLines(const QStringList& lines) {
    memo_->clear();
    for (const QString& line : lines)
        memo_->appendPlainText(line);
    memo_->moveCursor(QTextCursor::Start);
}

QString TTipsForm::text() const {
    return memo_->toPlainText();
}

void TTipsForm::showTips(const QStringList& lines) {
    setLines(lines);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    closeKnp_->setFocus();
    exec();
}

} // namespace hoardly
