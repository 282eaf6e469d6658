#pragma once

#include "ListLayouts.h"
#include "ListRecords.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QList>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace hoardly::print {

// Page geometry in millimetres: A4 portrait inside 10 mm margins.
inline constexpr double kPageWidth = 190.0;
inline constexpr double kPageHeight = 277.0;
inline constexpr double kMargin = 10.0;

// A printed list laid out in pages: the title band on page 1, the column header band at the top
// of every page, a detail band per record, the summary band after the last record and the page
// footer ("Page" and the number) at the foot of every page. Laying out only measures the
// records; a page is painted when it is asked for, so the first page of a long list is quick.
class ListDocument {
public:
    ListDocument(const ListLayout& layout, QList<ListRecord> records, QString dateText);

    const ListLayout& layout() const { return layout_; }
    int pageCount() const { return int(pages_.size()); }
    int recordCount() const { return int(records_.size()); }
    const QList<ListRecord>& records() const { return records_; }
    // The records on a page, from the first (0-based page and record numbers).
    int firstRecordOn(int page) const { return pages_[size_t(page)].first; }
    int recordsOn(int page) const { return pages_[size_t(page)].count; }

    // Paints one page (0-based) on a painter whose origin is the top-left margin corner.
    void paintPage(QPainter& painter, int page) const;

private:
    struct Page {
        int first = 0;
        int count = 0;
        bool title = false;
        bool summary = false;
        double summaryTop = 0;
    };
    struct Band {
        double title = 0, header = 0, summary = 0, footer = 0;
    };

    void paginate();
    double detailHeight(const ListRecord& record) const;
    // A text style's font with its metrics at one resolution (0: the layout's).
    struct Face {
        QFont font;
        QFontMetricsF metrics;
        double ascent = 0; // millimetres
        double height = 0;
    };
    const Face& face(const TextStyle& style, int dotsPerInch = 0) const;
    double lineHeight(const TextStyle& style) const { return face(style).height; }
    int linesOf(const BandText& text, const QString& value) const;

    void paintTitle(QPainter& painter, double mm) const;
    void paintTexts(QPainter& painter, double mm, const QList<BandText>& texts, double top,
                    const ListRecord* record) const;
    void paintDetail(QPainter& painter, double mm, int record, double top) const;
    void paintText(QPainter& painter, double mm, const BandText& text, const QString& value,
                   double top) const;

    const ListLayout& layout_;
    QList<ListRecord> records_;
    QString dateText_;
    QHash<QString, int> fieldSlot_; // a field's place in ListRecord::texts
    Band band_;
    std::vector<Page> pages_;
    std::vector<float> top_; // each record's band top on its page, in millimetres
    mutable std::map<std::tuple<int, int, bool, bool>, Face> faces_;
};

// Sets a printer or PDF writer to the lists' page: A4 portrait, 10 mm margins.
void setUpListPage(QPagedPaintDevice& device);
// Paints every page on the device, which setUpListPage has set up. `pagePainted` hears of each
// page (1-based) and answers false to stop. Answers whether the pages were painted.
bool paintList(const ListDocument& document, QPagedPaintDevice& device,
               const std::function<bool(int page)>& pagePainted = {});
// Writes the list as a PDF file.
bool writeListPdf(const ListDocument& document, const QString& path);

} // namespace hoardly::print
