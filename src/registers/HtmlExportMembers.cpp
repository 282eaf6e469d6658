#include "HtmlExport.h"

using namespace Qt::StringLiterals;

namespace hoardly::html {

namespace {

const QString kBlack = u"#000000"_s;

HtmlExportMember film() {
    HtmlExportMember m;
    m.menuText = u"Print to file (HTML)"_s;
    m.popupText = u"Print to file (HML)"_s;
    m.empty = {u"Registret innehåller inga filmer!"_s, u"Tomt register"_s};
    m.fileName = u"Filmlist.html"_s;
    m.titleLine = u"<TITLE>My Filmlist Created by Hoardly "_s;
    m.bodyColour = kBlack;
    m.heading = u"<H1>Filmlist created "_s;
    m.caption = u"Films"_s;
    m.columns = {{u"Index"_s, u"Index"_s, HtmlCell::WholeNumber},
                 {u"Title"_s, u"Titel"_s},
                 {u"Category"_s, u"Kategori"_s},
                 {u"Rate"_s, u"Kritik"_s},
                 {u"From year"_s, u"Inspelningsar"_s}};
    m.footer = u"<P>This list is created with help from Hoardly whish you can find on"_s;
    m.done = {u"File is created and saved"_s, u"Ready"_s};
    m.failure = u"Could not create the HTML file. Something get wrong."_s;
    return m;
}

HtmlExportMember music() {
    HtmlExportMember m;
    m.menuText = u"Send to file (HTML)"_s;
    m.popupText = u"Sent to file (HTML)"_s;
    m.empty = {u"No such a command."_s, u"Empty Database"_s};
    m.fileName = u"Musiklista.html"_s;
    m.titleLine = u"<TITLE>My musiclist created by Hoardly "_s;
    m.bodyColour = kBlack;
    m.heading = u"<H1>Musiclist created "_s;
    m.caption = u"Music"_s;
    m.columns = {{u"Title"_s, u"Titel"_s},
                 {u"Artist"_s, u"Artist"_s},
                 {u"Category"_s, u"Kategori"_s},
                 {u"Storage"_s, u"Media"_s},
                 {u"From year"_s, u"Produktionsar"_s}};
    m.footer = u"<P>This list is created by the program Hoardly whish you will find at"_s;
    m.done = {u"Finished. File is created and saved"_s, u"Finished"_s};
    m.failure = u"Something get wrong. Failed"_s;
    return m;
}

HtmlExportMember software() {
    HtmlExportMember m;
    m.menuText = u"Send to file (HTML)"_s;
    m.popupText = u"Skriv ut till fil (HTML)"_s;
    m.empty = {u"Not such a command. Empty database. !"_s, u"Empty"_s};
    m.fileName = u"Software.html"_s;
    m.titleLine = u"<TITLE>My Program/games list created by Hoardly "_s;
    m.bodyColour = kBlack;
    m.heading = u"<H1>Program/games list created "_s;
    m.caption = u"Program/games"_s;
    m.columns = {{u"Title"_s, u"Namn"_s},
                 {u"Version"_s, u"Version"_s},
                 {u"Category"_s, u"Kategori"_s},
                 {u"Typ"_s, u"Typ"_s},
                 {u"Manufactur"_s, u"Producent"_s}};
    m.footer = u"<P>This list is created by Hoardly which you find on "_s;
    m.done = {u"Finished"_s, u"File created"_s};
    return m;
}

HtmlExportMember literature() {
    HtmlExportMember m;
    m.menuText = u"Sent to file (HTML)"_s;
    m.empty = {u"There is no records!"_s, u"Empty"_s};
    m.fileName = u"Literature.html"_s;
    m.titleLine = u"<TITLE>My list of Literatur created by Hoardly "_s;
    m.bodyColour = kBlack;
    m.heading = u"<H1>Literaturlist created "_s;
    m.caption = u"Literatur"_s;
    m.columns = {{u"Title"_s, u"Titel"_s},
                 {u"Author"_s, u"Author"_s},
                 {u"Category"_s, u"Category"_s},
                 {u"Rate"_s, u"Kritik"_s},
                 {u"From year"_s, u"Publication_Year"_s}};
    m.bareCell = 3;
    m.footer = u"<P>This list is created with help from Hoardly whish you can find on "_s;
    m.done = {u"The file is created and saved"_s, u"Ready"_s};
    return m;
}

HtmlExportMember inventory() {
    HtmlExportMember m;
    m.menuText = u"Print to file (HTML)"_s;
    m.popupText = u"Print to file (HTML)"_s;
    m.empty = {u"Not such a command!"_s, u"Empty database"_s};
    m.fileName = u"Inventory.html"_s;
    m.titleLine = u"<TITLE>My Values created by Hoardly "_s;
    m.bodyColour = u"Black"_s;
    m.heading = u"<H1>List of objects created "_s;
    m.caption = u"Inventory"_s;
    m.columns = {{u"Name"_s, u"Benamning"_s},
                 {u"Mark"_s, u"Marknr"_s},
                 {u"Description"_s, u"Beskrivning"_s},
                 {u"In my hand"_s, u"Inkopt_Datum"_s, HtmlCell::Date},
                 {u"Value"_s, u"Varderad till"_s, HtmlCell::WholeNumber}};
    m.footer = u"<P>This list i cretade with help of Hoardly where you can find at "_s;
    m.done = {u"File created and saved"_s, u"Finish"_s};
    return m;
}

} // namespace

const HtmlExportMember& member(Register which) {
    static const HtmlExportMember members[] = {film(), music(), software(), literature(),
                                               inventory()};
    return members[int(which)];
}

} // namespace hoardly::html
