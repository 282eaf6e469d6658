#include "ListPreview.h"

#include "ListDocument.h"
#include "ListOutput.h"
#include "ui/Dialogs.h"
#include "ui/Icons.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly::print {

namespace {

constexpr double kSheetWidth = kPageWidth + 2 * kMargin; // A4, millimetres
constexpr double kSheetHeight = kPageHeight + 2 * kMargin;
constexpr int kGap = 12; // pixels between the sheets and around them
constexpr double kZoomStep = 1.25;
constexpr double kSmallest = 0.5, kLargest = 20.0; // pixels per millimetre

} // namespace

// --- PageView -------------------------------------------------------------------------------

PageView::PageView(const ListDocument& document, QWidget* parent)
    : QAbstractScrollArea(parent), document_(document) {
    setObjectName(u"pages"_s);
    viewport()->setAutoFillBackground(false);
    // Always there, so fitting the width never brings it in and takes the width away again.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
}

int PageView::pageHeight() const {
    return qRound(kSheetHeight * pixelsPerMm_);
}

QRect PageView::pageRect(int page) const {
    const int width = qRound(kSheetWidth * pixelsPerMm_);
    const int left = std::max(kGap, (viewport()->width() - width) / 2);
    const int top = kGap + page * (pageHeight() + kGap);
    return {left - horizontalScrollBar()->value(), top - verticalScrollBar()->value(), width,
            pageHeight()};
}

int PageView::currentPage() const {
    const int step = pageHeight() + kGap;
    const int page = (verticalScrollBar()->value() + step / 3) / step;
    return std::clamp(page, 0, std::max(0, document_.pageCount() - 1));
}

void PageView::showPage(int page) {
    verticalScrollBar()->setValue(page * (pageHeight() + kGap));
}

void PageView::setZoom(double pixelsPerMm) {
    const int page = currentPage();
    pixelsPerMm_ = std::clamp(pixelsPerMm, kSmallest, kLargest);
    updateScrollBars();
    showPage(page);
    viewport()->update();
}

void PageView::fitWidth() {
    fitted_ = true;
    setZoom((viewport()->width() - 2.0 * kGap - 1) / kSheetWidth);
}

void PageView::updateScrollBars() {
    const int pages = document_.pageCount();
    const int height = kGap + pages * (pageHeight() + kGap);
    const int width = qRound(kSheetWidth * pixelsPerMm_) + 2 * kGap;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (!fitted_) {
        fitWidth();
        return;
    }
    updateScrollBars();
}

void PageView::scrollContentsBy(int, int) {
    viewport()->update();
    if (const int page = currentPage(); page != lastReported_) {
        lastReported_ = page;
        emit currentPageChanged(page);
    }
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    const int step = pageHeight() + kGap;
    const int first = std::max(0, (verticalScrollBar()->value() - kGap) / step);
    const double deviceMm = viewport()->logicalDpiY() / 25.4;
    for (int page = first; page < document_.pageCount(); ++page) {
        const QRect sheet = pageRect(page);
        if (sheet.top() > viewport()->height())
            break;
        painter.fillRect(sheet.translated(3, 3), palette().color(QPalette::Shadow));
        painter.fillRect(sheet, Qt::white);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(sheet.left() + kMargin * pixelsPerMm_,
                          sheet.top() + kMargin * pixelsPerMm_);
        // The page paints in the device's millimetres; the zoom scales them to the sheet.
        painter.scale(pixelsPerMm_ / deviceMm, pixelsPerMm_ / deviceMm);
        document_.paintPage(painter, page);
        painter.restore();
        ++painted_;
    }
}

// --- ListPreview ----------------------------------------------------------------------------

ListPreview::ListPreview(const ListDocument& document, Dialogs& dialogs,
                         std::function<void()> print, QWidget* parent)
    : QDialog(parent), document_(document), dialogs_(dialogs) {
    setObjectName(u"ListPreview"_s);
    setWindowTitle(u"Print preview"_s);
    resize(900, 760);
    auto* bar = new QToolBar(this);
    bar->setObjectName(u"previewBar"_s);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    view_ = new PageView(document, this);
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(u"pageLabel"_s);
    pageLabel_->setContentsMargins(8, 0, 8, 0);

    const auto add = [&](const QString& name, const QString& text, auto run,
                         const QKeySequence& key = {}) {
        QAction* action = bar->addAction(text, this, run);
        action->setObjectName(name);
        action->setShortcut(key);
        return action;
    };
    QAction* printAction = add(
        u"print"_s, u"&Print"_s, [print] { print(); }, QKeySequence::Print);
    printAction->setIcon(registerIcon(Icon::Print));
    add(u"savePdf"_s, u"Save as P&DF..."_s, [this] { saveAsPdf(); });
    bar->addSeparator();
    add(
        u"firstPage"_s, u"First"_s, [this] { view_->showPage(0); }, Qt::Key_Home);
    add(
        u"priorPage"_s, u"Prior"_s, [this] { view_->showPage(view_->currentPage() - 1); },
        Qt::Key_PageUp);
    add(
        u"nextPage"_s, u"Next"_s, [this] { view_->showPage(view_->currentPage() + 1); },
        Qt::Key_PageDown);
    add(
        u"lastPage"_s, u"Last"_s, [this] { view_->showPage(document_.pageCount() - 1); },
        Qt::Key_End);
    bar->addWidget(pageLabel_);
    bar->addSeparator();
    add(
        u"zoomIn"_s, u"Zoom in"_s, [this] { view_->setZoom(view_->zoom() * kZoomStep); },
        QKeySequence::ZoomIn);
    add(
        u"zoomOut"_s, u"Zoom out"_s, [this] { view_->setZoom(view_->zoom() / kZoomStep); },
        QKeySequence::ZoomOut);
    add(u"fitWidth"_s, u"Fit width"_s, [this] { view_->fitWidth(); });
    bar->addSeparator();
    add(u"close"_s, u"&Close"_s, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(view_, 1);
    connect(view_, &PageView::currentPageChanged, this, &ListPreview::showPageNumber);
    showPageNumber(0);
}

QAction* ListPreview::action(const QString& name) const {
    return findChild<QAction*>(name);
}

void ListPreview::showPageNumber(int page) {
    pageLabel_->setText(document_.pageCount() == 0
                            ? u"No pages"_s
                            : u"Page %1 of %2"_s.arg(page + 1).arg(document_.pageCount()));
}

void ListPreview::saveAsPdf() {
    FileRequest request;
    request.kind = FileRequestKind::Save;
    request.caption = u"Save as PDF"_s;
    request.directory = QDir::homePath();
    request.filter = u"PDF (*.pdf)"_s;
    request.fileName = document_.layout().name + u".pdf"_s;
    request.defaultSuffix = u"pdf"_s;
    const QString path = dialogs_.askFile(this, request);
    if (path.isEmpty())
        return;
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setCreator(u"Hoardly"_s);
    writer.setTitle(document_.layout().title);
    setUpListPage(writer);
    const Painted painted = paintWithProgress(this, document_, writer);
    if (painted == Painted::Cancelled)
        QFile::remove(path); // half a list is no list
    if (painted == Painted::Failed)
        dialogs_.error(this, u"The PDF file %1 could not be written. Check that the folder "
                             u"exists and that you may write there, then save it again."_s.arg(
                                 QDir::toNativeSeparators(path)));
}

} // namespace hoardly::print
