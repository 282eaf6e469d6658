#include "ListLayouts.h"

#include "data/DownloadPage.h"
#include "data/Schema.h"

using namespace Qt::StringLiterals;

namespace hoardly::print {

namespace {

constexpr double kRowTop = 0.5;    // a detail row's texts below the band's top
constexpr double kHeaderTop = 1.0; // the column captions below the header band's top
constexpr double kRightMargin = 190.0;

QString download() {
    return QString::fromLatin1(kDownloadAddress);
}
QString foundAt(const QString& opening) {
    return opening + u' ' + download();
}
QString downloadFrom() {
    return foundAt(u"This list created by Hoardly which You can download from"_s);
}

BandText caption(const QString& text, double x, double y = kHeaderTop) {
    BandText t;
    t.caption = text;
    t.x = x;
    t.y = y;
    t.width = kRightMargin - x;
    t.style.bold = true;
    return t;
}

// A field left-aligned at x, with the room up to the next column.
BandText field(const QString& name, double x, double width, double y = kRowTop) {
    BandText t;
    t.field = name;
    t.x = x;
    t.y = y;
    t.width = width;
    return t;
}
BandText aligned(const QString& name, double x, double width, Align align) {
    BandText t = field(name, x, width);
    t.align = align;
    return t;
}
BandText italic(BandText t) {
    t.style.italic = true;
    return t;
}

ListLayout film() {
    ListLayout l;
    l.list = PrintList::Film;
    l.name = u"film"_s;
    l.table = &schema::film();
    l.title = u"Film"_s;
    l.dateWord = u"Created"_s;
    l.header = {caption(u"Index"_s, 0.3),        caption(u"Title"_s, 16.9),
                caption(u"Category"_s, 92.1),    caption(u"From year"_s, 115.4),
                caption(u"Screentime"_s, 134.1), caption(u"Rate"_s, 155.6)};
    l.detail = {aligned(u"Index"_s, 0.3, 11.6, Align::Right),
                field(u"Titel"_s, 16.9, 73.9),
                field(u"Kategori"_s, 91.8, 22.6),
                field(u"Inspelningsar"_s, 119.3, 14.4),
                aligned(u"Speltid"_s, 134.7, 13.5, Align::Right),
                italic(field(u"Kritik"_s, 155.6, 34.4))};
    l.closing = foundAt(u"Created with help og Hoardly found at"_s);
    l.printIfEmpty = true;
    l.emptyPrint = {u"Registret innehåller inga filmer!"_s, u"Tomt register"_s};
    return l;
}

ListLayout music() {
    ListLayout l;
    l.list = PrintList::Music;
    l.name = u"music"_s;
    l.table = &schema::musik();
    l.index = u"Artist_Grupp"_s;
    l.title = u"Music"_s;
    l.dateWord = u"Created"_s;
    l.header = {caption(u"Artist/group"_s, 1.1), caption(u"Title"_s, 76.4),
                caption(u"Category"_s, 108.1), caption(u"from year"_s, 139.6),
                caption(u"Storage"_s, 160.7)};
    l.detail = {field(u"Artist"_s, 1.3, 73.9), field(u"Titel"_s, 76.2, 31.3),
                field(u"Kategori"_s, 108.5, 30.1),
                aligned(u"Produktionsar"_s, 139.6, 13.6, Align::Centre),
                italic(field(u"Media"_s, 160.7, 29.3))};
    l.closing = foundAt(u"Created with help of Hoardly found att"_s);
    l.printIfEmpty = true;
    l.emptyPrint = {u"No such a command."_s, u"Empty database"_s};
    return l;
}

ListLayout software() {
    ListLayout l;
    l.list = PrintList::Software;
    l.name = u"software"_s;
    l.table = &schema::data();
    l.title = u"Software"_s;
    l.dateWord = u"Created"_s;
    l.header = {caption(u"Title"_s, 0.0), caption(u"Version"_s, 63.5), caption(u"Category"_s, 92.6),
                caption(u"Type"_s, 124.4), caption(u"Producer"_s, 150.8)};
    BandText name = field(u"Namn"_s, 1.3, 59.9);
    name.lines = 2;
    l.detail = {name, field(u"Version"_s, 65.5, 26.1), field(u"Kategori"_s, 92.6, 29.8),
                field(u"Typ"_s, 123.4, 26.4), italic(field(u"Producent"_s, 150.8, 39.2))};
    l.closing = foundAt(u"Created with help of Hoardly found at"_s);
    l.emptyPrint = {u"Not such a command. Nothing to print!"_s, u"Empty like my wallet"_s};
    return l;
}

ListLayout literature() {
    ListLayout l;
    l.list = PrintList::Literature;
    l.name = u"literature"_s;
    l.table = &schema::bok();
    l.title = u"Literature"_s;
    l.dateWord = u"Created"_s;
    l.header = {caption(u"Index"_s, 3.0), caption(u"Title"_s, 26.5), caption(u"Author"_s, 80.4),
                caption(u"Category"_s, 122.0), caption(u"Publisher"_s, 156.8)};
    l.detail = {aligned(u"Index"_s, 0.4, 10.6, Align::Right), field(u"Titel"_s, 26.8, 52.5),
                field(u"Author"_s, 80.3, 40.8), field(u"Category"_s, 122.1, 33.4),
                field(u"Publisher"_s, 156.5, 33.5)};
    l.closing = u"This list created by Hoardly"_s;
    l.emptyPrint = {u"Not such a command. Empty database"_s, u"Empty"_s};
    return l;
}

ListLayout codes() {
    ListLayout l;
    l.list = PrintList::Codes;
    l.name = u"codes"_s;
    l.table = &schema::kod();
    l.title = u"Codes & passwords"_s;
    l.dateWord = u"From"_s;
    l.datePlace = DatePlace::AboveTitle;
    l.header = {caption(u"Receiver"_s, 2.3), caption(u"Code/password"_s, 101.2)};
    // The codes end at the right margin, so a long one is never cut.
    l.detail = {field(u"Mottagare"_s, 1.7, 98.8),
                aligned(u"Kod"_s, 101.5, kRightMargin - 101.5, Align::Right)};
    l.closing = downloadFrom();
    l.emptyPrint = {u"No records to print!"_s, u"Empty database"_s};
    return l;
}

ListLayout addresses() {
    ListLayout l;
    l.list = PrintList::Addresses;
    l.name = u"addresses"_s;
    l.table = &schema::adress();
    l.index = u"ENamn"_s;
    l.title = u"Address"_s;
    l.dateWord = u"From"_s;
    l.datePlace = DatePlace::AboveTitle;
    l.header = {caption(u"Name"_s, 2.3), caption(u"Address"_s, 52.6), caption(u"Phone"_s, 119.7),
                caption(u"Celluar"_s, 148.8)};
    l.detail = {field(u"Efternamn"_s, 1.7, 27.4),   field(u"Fornamn"_s, 30.1, 20.8),
                field(u"Gatuadress"_s, 51.9, 30.8), field(u"Postadress"_s, 83.7, 35.4),
                field(u"Telefon"_s, 120.1, 28.7),   field(u"Mobil"_s, 149.8, 40.2)};
    l.closing = downloadFrom();
    return l;
}

ListLayout inventory() {
    ListLayout l;
    l.list = PrintList::Inventory;
    l.name = u"inventory"_s;
    l.table = &schema::value();
    l.title = u"Home inventory"_s;
    l.titleStyle.italic = true;
    l.dateWord = u"Printed"_s;
    l.datePlace = DatePlace::AboveTitle;
    BandText name = field(u"Benamning"_s, 3.6, 41.7, 12.2);
    name.lines = 5;
    l.detail = {caption(u"Picture on "_s, 3.0, 6.9),
                name,
                caption(u"Name"_s, 1.7, 87.0),
                caption(u"Id Mark"_s, 44.6, 87.0),
                caption(u"In my hand"_s, 97.9, 87.0),
                caption(u"Estimated value"_s, 142.9, 87.0),
                field(u"Benamning"_s, 1.7, 41.9, 93.3),
                field(u"Marknr"_s, 44.6, 52.0, 93.3),
                field(u"Inkopt_Datum"_s, 97.6, 44.9, 93.3),
                field(u"Varderad till"_s, 143.5, 46.5, 93.3)};
    for (qsizetype i = 2; i < 6; ++i) // the value captions have the room of their column only
        l.detail[i].width = l.detail[i + 4].width;
    l.picture = PictureFrame{u"Bild"_s, 46.3, 4.6, 113.4, 77.1};
    l.rules = {Rule{2.0, 0.3, 186.9}};
    l.detailHeight = 102.9;
    l.recordPerPage = true;
    l.closing = downloadFrom();
    return l;
}

} // namespace

QStringList ListLayout::fields() const {
    QStringList names;
    for (const BandText& text : detail) {
        if (!text.field.isEmpty() && !names.contains(text.field))
            names << text.field;
    }
    return names;
}

const ListLayout& listLayout(PrintList list) {
    static const QList<ListLayout> layouts{film(),  music(),     software(), literature(),
                                           codes(), addresses(), inventory()};
    for (const ListLayout& layout : layouts) {
        if (layout.list == list)
            return layout;
    }
    qFatal("no layout for a printed list");
}

QList<PrintList> allLists() {
    return {PrintList::Film,  PrintList::Music,     PrintList::Software, PrintList::Literature,
            PrintList::Codes, PrintList::Addresses, PrintList::Inventory};
}

} // namespace hoardly::print
