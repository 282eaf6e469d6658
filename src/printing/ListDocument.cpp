#include "ListDocument.h"

#include "ui/PictureCodec.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>

using namespace Qt::StringLiterals;

namespace hoardly::print {

namespace {

constexpr double kTitleBand = 22.0;
constexpr double kDateBelowTitle = 15.0; // the date line's top when it follows the title
constexpr double kTitleBelowDate = 5.5;  // the title's top when the date line leads
constexpr double kHeaderBand = 7.0;
constexpr double kSummaryBand = 7.0;
constexpr double kSummaryTop = 2.0;
constexpr double kFooterBand = 6.0;
constexpr double kFooterTop = 1.5;
constexpr double kRowGap = 0.5; // below a detail row's last line
const TextStyle kClosingStyle{8, false, true};
const TextStyle kPlain{};

// A device of no size at a resolution, for font metrics.
QImage dotsImage(int dotsPerInch) {
    QImage image(1, 1, QImage::Format_Mono);
    const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}
const QPaintDevice& dotsDevice(int dotsPerInch) {
    static std::map<int, QImage> devices;
    auto found = devices.find(dotsPerInch);
    if (found == devices.end())
        found = devices.emplace(dotsPerInch, dotsImage(dotsPerInch)).first;
    return found->second;
}
// The layout's metrics are taken at a printer's resolution, so it does not depend on the
// screen.
const QPaintDevice& metricsDevice() {
    return dotsDevice(1200);
}
constexpr double kMetricsDotsPerMm = 1200 / 25.4;

int alignment(Align align) {
    switch (align) {
    case Align::Right:
        return Qt::AlignRight;
    case Align::Centre:
        return Qt::AlignHCenter;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

QRectF millimetres(double mm, double x, double y, double width, double height) {
    return {x * mm, y * mm, width * mm, height * mm};
}

} // namespace

ListDocument::ListDocument(const ListLayout& layout, QList<ListRecord> records, QString dateText)
    : layout_(layout), records_(std::move(records)), dateText_(std::move(dateText)) {
    const QStringList fields = layout_.fields();
    for (int i = 0; i < fields.size(); ++i)
        fieldSlot_.insert(fields[i], i);
    band_.title = kTitleBand;
    band_.header = layout_.header.isEmpty() ? 0.0 : kHeaderBand;
    band_.summary = kSummaryBand;
    band_.footer = kFooterBand;
    paginate();
}

const ListDocument::Face& ListDocument::face(const TextStyle& style, int dotsPerInch) const {
    const auto key = std::tuple(dotsPerInch, qRound(style.points * 100), style.bold, style.italic);
    auto found = faces_.find(key);
    if (found != faces_.end())
        return found->second;
    // "Arial" is served by Liberation Sans, which has its metrics.
    QFont font(u"Arial"_s);
    font.setPointSizeF(style.points);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    const QFontMetricsF metrics = dotsPerInch > 0 ? QFontMetricsF(font, &dotsDevice(dotsPerInch))
                                                  : QFontMetricsF(font, &metricsDevice());
    const double perMm = (dotsPerInch > 0 ? dotsPerInch : 1200) / 25.4;
    Face made{font, metrics, metrics.ascent() / perMm, metrics.height() / perMm};
    return faces_.emplace(key, std::move(made)).first->second;
}

int ListDocument::linesOf(const BandText& text, const QString& value) const {
    if (text.lines <= 1 || value.isEmpty())
        return 1;
    const QFontMetricsF& metrics = face(text.style).metrics;
    const double width = text.width * kMetricsDotsPerMm;
    if (metrics.horizontalAdvance(value) <= width)
        return 1;
    const QRectF needed =
        metrics.boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap | Qt::AlignLeft, value);
    return std::clamp(int(std::ceil(needed.height() / metrics.height() - 0.01)), 1, text.lines);
}

double ListDocument::detailHeight(const ListRecord& record) const {
    if (layout_.detailHeight > 0)
        return layout_.detailHeight;
    const double line = lineHeight(kPlain);
    double bottom = 0;
    for (const BandText& text : layout_.detail) {
        const int lines = text.lines > 1 && !text.field.isEmpty()
                              ? linesOf(text, record.texts.value(fieldSlot_.value(text.field)))
                              : 1;
        const double height =
            text.style.points == kPlain.points && !text.style.bold ? line : lineHeight(text.style);
        bottom = std::max(bottom, text.y + lines * height);
    }
    return bottom + kRowGap;
}

void ListDocument::paginate() {
    if (records_.isEmpty() && !layout_.printIfEmpty)
        return;
    const double body = kPageHeight - band_.footer;
    top_.resize(size_t(records_.size()));
    Page page;
    page.title = true;
    double y = band_.title + band_.header;
    // A list whose records all have one height needs no measuring of each.
    const bool wraps = std::any_of(layout_.detail.begin(), layout_.detail.end(),
                                   [](const BandText& text) { return text.lines > 1; });
    const double fixed = records_.isEmpty() ? 0.0 : detailHeight(records_.first());
    for (int i = 0; i < records_.size(); ++i) {
        const double height =
            wraps && layout_.detailHeight <= 0 ? detailHeight(records_[i]) : fixed;
        const bool full = page.count > 0 && (layout_.recordPerPage || y + height > body);
        if (full) {
            pages_.push_back(page);
            page = Page{i, 0, false, false, 0};
            y = band_.header;
        }
        top_[size_t(i)] = float(y);
        ++page.count;
        y += height;
    }
    if (y + band_.summary > body && page.count > 0) {
        pages_.push_back(page);
        page = Page{int(records_.size()), 0, false, false, 0};
        y = band_.header;
    }
    page.summary = true;
    page.summaryTop = y;
    pages_.push_back(page);
}

void ListDocument::paintText(QPainter& painter, double mm, const BandText& text,
                             const QString& value, double top) const {
    if (value.isEmpty())
        return;
    const Face& shown = face(text.style, painter.device()->logicalDpiY());
    painter.setFont(shown.font);
    const int lines = text.lines > 1 ? linesOf(text, value) : 1;
    if (lines > 1) {
        const QRectF room =
            millimetres(mm, text.x, top + text.y, text.width, lines * lineHeight(text.style) + 0.2);
        painter.drawText(room, alignment(text.align) | Qt::AlignTop | Qt::TextWordWrap, value);
        return;
    }
    // One line: drawn at its baseline, which is much quicker than laying out a rectangle.
    const double room = text.width * mm;
    double advance = shown.metrics.horizontalAdvance(value);
    QString cut;
    if (advance > room) {
        cut = shown.metrics.elidedText(value, Qt::ElideRight, room);
        advance = shown.metrics.horizontalAdvance(cut);
    }
    double x = text.x * mm;
    if (text.align == Align::Right)
        x += room - advance;
    else if (text.align == Align::Centre)
        x += (room - advance) / 2;
    painter.drawText(QPointF(x, (top + text.y + shown.ascent) * mm), cut.isNull() ? value : cut);
}

void ListDocument::paintTexts(QPainter& painter, double mm, const QList<BandText>& texts,
                              double top, const ListRecord* record) const {
    for (const BandText& text : texts) {
        const QString value =
            text.field.isEmpty()
                ? text.caption
                : (record ? record->texts.value(fieldSlot_.value(text.field)) : QString());
        paintText(painter, mm, text, value, top);
    }
}

void ListDocument::paintTitle(QPainter& painter, double mm) const {
    const bool dateFirst = layout_.datePlace == DatePlace::AboveTitle;
    BandText title;
    title.x = 0;
    title.y = dateFirst ? kTitleBelowDate : 0.0;
    title.width = kPageWidth;
    title.style = layout_.titleStyle;
    paintText(painter, mm, title, layout_.title, 0);
    BandText date;
    date.y = dateFirst ? 0.0 : kDateBelowTitle;
    date.width = kPageWidth;
    paintText(painter, mm, date, layout_.dateWord + u' ' + dateText_, 0);
}

void ListDocument::paintDetail(QPainter& painter, double mm, int index, double top) const {
    const ListRecord& record = records_[index];
    painter.setPen(QPen(Qt::black, 0.25 * mm));
    for (const Rule& rule : layout_.rules)
        painter.drawLine(QPointF(rule.x * mm, (top + rule.y) * mm),
                         QPointF((rule.x + rule.width) * mm, (top + rule.y) * mm));
    painter.setPen(Qt::black);
    if (layout_.picture && !record.picture.isEmpty()) {
        const QImage picture = pictureFromField(record.picture);
        const PictureFrame& frame = *layout_.picture;
        if (!picture.isNull())
            painter.drawImage(millimetres(mm, frame.x, top + frame.y, frame.width, frame.height),
                              picture);
    }
    paintTexts(painter, mm, layout_.detail, top, &record);
}

void ListDocument::paintPage(QPainter& painter, int number) const {
    const Page& page = pages_[size_t(number)];
    const double mm = painter.device()->logicalDpiY() / 25.4;
    painter.save();
    painter.setPen(Qt::black);
    double headerTop = 0;
    if (page.title) {
        paintTitle(painter, mm);
        headerTop = band_.title;
    }
    paintTexts(painter, mm, layout_.header, headerTop, nullptr);
    for (int i = page.first; i < page.first + page.count; ++i)
        paintDetail(painter, mm, i, top_[size_t(i)]);
    if (page.summary) {
        BandText closing;
        closing.y = kSummaryTop;
        closing.width = kPageWidth;
        closing.style = kClosingStyle;
        paintText(painter, mm, closing, layout_.closing, page.summaryTop);
    }
    BandText footer;
    footer.y = kFooterTop;
    footer.width = kPageWidth;
    footer.align = Align::Right;
    paintText(painter, mm, footer, u"Page"_s + QString::number(number + 1),
              kPageHeight - band_.footer);
    painter.restore();
}

void setUpListPage(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMargin, kMargin, kMargin, kMargin),
                                     QPageLayout::Millimeter));
}

bool paintList(const ListDocument& document, QPagedPaintDevice& device,
               const std::function<bool(int page)>& pagePainted) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = 0; page < document.pageCount(); ++page) {
        if (page > 0 && !device.newPage())
            return false;
        document.paintPage(painter, page);
        if (pagePainted && !pagePainted(page + 1))
            break;
    }
    return painter.end();
}

bool writeListPdf(const ListDocument& document, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setCreator(u"Hoardly"_s);
    writer.setTitle(document.layout().title);
    setUpListPage(writer);
    return paintList(document, writer);
}

} // namespace hoardly::print
