#pragma once

#include "PrintList.h"
#include "registers/Message.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace hoardly {

struct TableSchema;

namespace print {

enum class Align { Left, Right, Centre };

struct TextStyle {
    double points = 10;
    bool bold = false;
    bool italic = false;
};

// A text of a band: a fixed caption or a field of the record, at millimetres from the left
// margin and the band's top. A text longer than its width is cut with an ellipsis, or wraps
// onto up to `lines` lines.
struct BandText {
    QString caption; // a fixed text
    QString field;   // or the record's field
    double x = 0;
    double y = 0;
    double width = 0;
    Align align = Align::Left;
    TextStyle style;
    int lines = 1;
};

// The record's picture, stretched to a frame; a record without one leaves the frame empty.
struct PictureFrame {
    QString field;
    double x = 0, y = 0, width = 0, height = 0;
};

// A horizontal line of the detail band.
struct Rule {
    double x = 0, y = 0, width = 0;
};

enum class DatePlace { BelowTitle, AboveTitle };

// One printed list: its table file and order, and its bands as data. The page is A4 portrait
// with 10 mm margins; every band spans the 190 mm between them.
struct ListLayout {
    PrintList list;
    QString name; // for file names: "film", "music", …
    const TableSchema* table = nullptr;
    QString index; // the order; empty: the key order
    // Title band, page 1 only.
    QString title;
    TextStyle titleStyle{36};
    QString dateWord; // before the date
    DatePlace datePlace = DatePlace::BelowTitle;
    // Column header band, every page.
    QList<BandText> header;
    // Detail band, once per record.
    QList<BandText> detail;
    std::optional<PictureFrame> picture;
    QList<Rule> rules;
    double detailHeight = 0; // 0: as high as its texts
    bool recordPerPage = false;
    // Summary band, after the last record: 8 point italic at the left margin.
    QString closing;
    // An empty table still gets a list (title, header, summary, footer).
    bool printIfEmpty = false;
    // The print request's answer when the register is empty; empty: it prints regardless.
    Message emptyPrint;

    // The fields the detail band reads, in the order of its texts (each once).
    QStringList fields() const;
};

const ListLayout& listLayout(PrintList list);
QList<PrintList> allLists();

} // namespace print
} // namespace hoardly
