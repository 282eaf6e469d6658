#include "HelpForm.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {
constexpr QSize kPreferredSize(820, 560);
}

THelpForm::THelpForm(const QString& directory, QWidget* parent)
    : QWidget(parent, Qt::Window), book_(HelpBook::load(directory)), tabs_(new QTabWidget(this)),
      contentsList_(new QListWidget(this)), indexEd_(new QLineEdit(this)),
      indexList_(new QListWidget(this)), browser_(new QTextBrowser(this)) {
    setObjectName(u"HelpForm"_s);
    setWindowTitle(u"Hoardly Help"_s);

    browser_->setObjectName(u"helpBrowser"_s);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({directory});

    tabs_->setObjectName(u"helpTabs"_s);
    tabs_->addTab(buildContentsTab(), u"&Contents"_s);
    tabs_->addTab(buildIndexTab(), u"&Index"_s);

    auto* back = new QPushButton(u"&Back"_s, this);
    auto* forward = new QPushButton(u"&Forward"_s, this);
    auto* home = new QPushButton(u"Co&ntents"_s, this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, this, &THelpForm::openContents);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch();

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 570});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    resize(kPreferredSize);

    if (book_.isEmpty())
        showMissingBook();
}

QWidget* THelpForm::buildContentsTab() {
    contentsList_->setObjectName(u"helpContents"_s);
    for (const HelpTopic& topic : book_.contents())
        contentsList_->addItem(topic.title);
    connect(contentsList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < book_.contents().size())
            showTarget(book_.contents()[row].target);
    });
    return contentsList_;
}

QWidget* THelpForm::buildIndexTab() {
    auto* page = new QWidget(this);
    indexEd_->setObjectName(u"helpIndexEd"_s);
    indexEd_->setPlaceholderText(u"Type the first letters of a word"_s);
    indexList_->setObjectName(u"helpIndex"_s);
    for (const HelpTopic& topic : book_.index())
        indexList_->addItem(topic.title);
    connect(indexEd_, &QLineEdit::textEdited, this, &THelpForm::IndexEdChange);
    connect(indexEd_, &QLineEdit::returnPressed, this,
            [this] { showIndexEntry(indexList_->currentRow()); });
    connect(indexList_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showIndexEntry(indexList_->row(item)); });
    connect(indexList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showIndexEntry(indexList_->row(item)); });
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(indexEd_);
    layout->addWidget(indexList_);
    return page;
}

void THelpForm::IndexEdChange(const QString& text) {
    const int row = book_.indexPosition(text);
    if (row < 0) {
        indexList_->setCurrentRow(indexList_->count() - 1);
        return;
    }
    indexList_->setCurrentRow(row);
    indexList_->scrollToItem(indexList_->item(row), QAbstractItemView::PositionAtTop);
}

void THelpForm::showIndexEntry(int row) {
    if (row >= 0 && row < book_.index().size())
        showTarget(book_.index()[row].target);
}

void THelpForm::showTarget(const QString& target) {
    if (book_.isEmpty())
        return;
    QUrl url = QUrl::fromLocalFile(book_.filePath(target));
    const qsizetype hash = target.indexOf(u'#');
    if (hash >= 0)
        url.setFragment(target.mid(hash + 1));
    browser_->setSource(url);
}

void THelpForm::openContents() {
    tabs_->setCurrentIndex(0);
    if (!book_.isEmpty()) {
        contentsList_->setCurrentRow(0);
        showTarget(book_.contents().first().target);
    }
    if (!isVisible())
        fitOnScreen();
    show();
    raise();
    activateWindow();
}

// On the screen of the window the help is asked from, in its middle and no larger than it
// (with room for the frame), whatever size the window had last time.
void THelpForm::fitOnScreen() {
    const QWidget* asking = QApplication::activeWindow();
    QScreen* target = asking && asking != this ? asking->screen() : screen();
    if (!target)
        return;
    const QRect area = target->availableGeometry();
    resize(kPreferredSize.boundedTo(area.size() * 9 / 10));
    move(area.center() - rect().center());
}

void THelpForm::showMissingBook() {
    tabs_->setEnabled(false);
    browser_->setHtml(
        u"<h2>The help book is missing</h2><p>Hoardly looks for its help pages in the folder "
        "<b>%1</b>, beside the program. Install Hoardly again to put them back; your "
        "catalogue is not touched by that.</p>"_s.arg(
            QDir::toNativeSeparators(book_.directory()).toHtmlEscaped()));
}

} // namespace hoardly
