#include "Schema.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

// The size of a text field whose size the user interface does not fix.
constexpr int kFreeText = 100;

FieldDef key(const QString& name) {
    return {name, FieldType::AutoIncrement, 0};
}
FieldDef text(const QString& name, int size = kFreeText) {
    return {name, FieldType::Text, size};
}
FieldDef integer(const QString& name) {
    return {name, FieldType::Integer, 0};
}
FieldDef logical(const QString& name) {
    return {name, FieldType::Logical, 0};
}
FieldDef date(const QString& name) {
    return {name, FieldType::Date, 0};
}
FieldDef picture(const QString& name) {
    return {name, FieldType::Picture, 0};
}

IndexDef primary(const QString& name, const QString& field) {
    return {name, {field}, false, true};
}
IndexDef secondary(const QString& name, const QString& field, bool caseInsensitive = true) {
    return {name, {field}, caseInsensitive, false};
}

QString sqlType(FieldType type) {
    switch (type) {
    case FieldType::AutoIncrement:
        return u"INTEGER PRIMARY KEY AUTOINCREMENT"_s;
    case FieldType::Integer:
    case FieldType::Logical:
        return u"INTEGER"_s;
    case FieldType::Text:
    case FieldType::Date:
        return u"TEXT"_s;
    case FieldType::Picture:
        return u"BLOB"_s;
    }
    return {};
}

} // namespace

QString quoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(u'"', u"\"\""_s);
    return u'"' + quoted + u'"';
}

int TableSchema::fieldIndex(const QString& name) const {
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const IndexDef* TableSchema::index(const QString& name) const {
    for (const IndexDef& def : indexes) {
        if (def.name.compare(name, Qt::CaseInsensitive) == 0)
            return &def;
    }
    return nullptr;
}

QString TableSchema::createStatement() const {
    QStringList columns;
    for (const FieldDef& field : fields)
        columns << quoteIdentifier(field.name) + u' ' + sqlType(field.type);
    return u"CREATE TABLE "_s + quoteIdentifier(tableName) + u" ("_s + columns.join(u", "_s) + u')';
}

QStringList TableSchema::indexStatements() const {
    QStringList statements;
    for (const IndexDef& def : indexes) {
        if (def.primary)
            continue;
        QStringList columns;
        for (const QString& field : def.fields)
            columns << quoteIdentifier(field) +
                           (def.caseInsensitive ? u" COLLATE NOCASE"_s : QString());
        statements << u"CREATE INDEX "_s + quoteIdentifier(def.name) + u" ON "_s +
                          quoteIdentifier(tableName) + u" ("_s + columns.join(u", "_s) + u')';
    }
    return statements;
}

namespace schema {

const TableSchema& film() {
    static const TableSchema s{
        u"FilmTb"_s,
        u"film.DB"_s,
        u"Film"_s,
        {key(u"FilmId"_s), integer(u"Index"_s), text(u"Titel"_s), text(u"Kategori"_s, 30),
         text(u"Inspelningsar"_s, 4), text(u"Aktor"_s), text(u"Aktor2"_s), text(u"Aktor3"_s),
         text(u"Regi"_s), text(u"Media"_s, 30), text(u"Kritik"_s, 40), text(u"Kommentar"_s, 240),
         logical(u"Utlanad"_s), integer(u"Speltid"_s), text(u"Utlanad till"_s),
         date(u"Utlaningsdatum"_s)},
        {secondary(u"Nummer"_s, u"Index"_s, false), secondary(u"Filmtitel"_s, u"Titel"_s),
         // The search by conditions compares these exactly; an actor is looked up in all
         // three fields at once.
         secondary(u"Film_Aktor"_s, u"Aktor"_s, false),
         secondary(u"Film_Aktor2"_s, u"Aktor2"_s, false),
         secondary(u"Film_Aktor3"_s, u"Aktor3"_s, false),
         secondary(u"Film_Regi"_s, u"Regi"_s, false)}};
    return s;
}

const TableSchema& musik() {
    static const TableSchema s{
        u"MusikTB"_s,
        u"Musik.DB"_s,
        u"Musik"_s,
        {key(u"Mid"_s), text(u"Titel"_s, 40), text(u"Artist"_s, 40), text(u"Kategori"_s, 12),
         text(u"Produktionsar"_s, 4), text(u"Media"_s, 12), logical(u"Utlanad"_s),
         text(u"Utlanad till"_s, 40), date(u"Utlanad datum"_s), logical(u"Samlingsskiva"_s)},
        {primary(u"MusikTBIndex1"_s, u"Mid"_s), secondary(u"Artist_Grupp"_s, u"Artist"_s),
         secondary(u"Titeln"_s, u"Titel"_s)}};
    return s;
}

const TableSchema& song() {
    static const TableSchema s{u"SongTb"_s,
                               u"song.db"_s,
                               u"Song"_s,
                               {key(u"SongId"_s), integer(u"Mid"_s), text(u"Namn"_s)},
                               // A record's songs are looked up by its key.
                               {secondary(u"SongMid"_s, u"Mid"_s, false)}};
    return s;
}

const TableSchema& bok() {
    static const TableSchema s{
        u"BokTb"_s,
        u"bok.DB"_s,
        u"Bok"_s,
        {key(u"Lid"_s), integer(u"Index"_s), text(u"Titel"_s), text(u"Author"_s),
         text(u"Publisher"_s), text(u"Category"_s, 30), text(u"Format"_s, 30),
         text(u"Kritik"_s, 40), text(u"ISBN"_s, 20), text(u"Publication_Year"_s, 4),
         text(u"Serie"_s), text(u"Comments"_s, 240), logical(u"Lent_Out"_s), text(u"Lent_To"_s),
         date(u"Lent_Date"_s)},
        {secondary(u"Index_Sec"_s, u"Index"_s, false), secondary(u"Titel_Sec"_s, u"Titel"_s)}};
    return s;
}

const TableSchema& data() {
    static const TableSchema s{
        u"DataTB"_s,
        u"data.DB"_s,
        u"Data"_s,
        {key(u"Did"_s), text(u"Namn"_s), text(u"Version"_s, 30), text(u"Producent"_s),
         text(u"Kategori"_s, 30), text(u"Typ"_s, 20), logical(u"Registrerad"_s), text(u"Serienr"_s),
         text(u"Licensnr"_s), text(u"Inkopsstalle"_s), text(u"Inkopt datum"_s, 6),
         text(u"Pris"_s, 5), text(u"Web"_s), text(u"Media"_s, 30), logical(u"Utlanad"_s),
         text(u"Utlanad till"_s), date(u"Utlanad datum"_s)},
        {}};
    return s;
}

const TableSchema& adress() {
    static const TableSchema s{
        u"AdressTb"_s,
        u"adress.DB"_s,
        u"Adress"_s,
        {key(u"Aid"_s), text(u"Efternamn"_s, 30), text(u"Fornamn"_s, 20), text(u"Gatuadress"_s, 50),
         text(u"Postadress"_s, 25), text(u"Telefon"_s, 15), text(u"Telefon arbete"_s, 15),
         text(u"Fax"_s, 15), text(u"Mobil"_s, 20), text(u"E-postadress"_s, 50),
         text(u"Hemsida"_s, 50), text(u"Kommentar"_s, 100)},
        {primary(u"AdressTbIndex1"_s, u"Aid"_s), secondary(u"ENamn"_s, u"Efternamn"_s),
         secondary(u"Fnamn"_s, u"Fornamn"_s), secondary(u"Gatu"_s, u"Gatuadress"_s),
         secondary(u"Tele"_s, u"Telefon"_s), secondary(u"EMobil"_s, u"Mobil"_s)}};
    return s;
}

const TableSchema& value() {
    static const TableSchema s{
        u"ValueTb"_s,
        u"Value.DB"_s,
        u"Value"_s,
        {key(u"Vid"_s), text(u"Benamning"_s), text(u"Marknr"_s, 40), text(u"Inkopt_Plats"_s),
         date(u"Inkopt_Datum"_s), text(u"Pris"_s, 10), integer(u"Varderad till"_s),
         text(u"Beskrivning"_s, 240), text(u"Kommentar"_s, 240), picture(u"Bild"_s)},
        {}};
    return s;
}

const TableSchema& kod() {
    static const TableSchema s{u"KodTb"_s,
                               u"kod.db"_s,
                               u"Kod"_s,
                               {key(u"Kid"_s), text(u"Mottagare"_s, 50), text(u"Kod"_s, 50)},
                               {}};
    return s;
}

const TableSchema& borrow() {
    static const TableSchema s{u"BorrowTb"_s,
                               u"borrow.db"_s,
                               u"Borrow"_s,
                               {key(u"Bid"_s), text(u"Objektyp"_s, 10), text(u"Objekt"_s),
                                text(u"Utlanad till"_s), text(u"E-post"_s, 50), text(u"Tele"_s, 20),
                                date(u"Utlanad datum"_s), logical(u"Send_mail"_s),
                                logical(u"Has_sent"_s)},
                               {}};
    return s;
}

const TableSchema& config() {
    static const TableSchema s{
        u"ConfigTb"_s,
        u"Config.db"_s,
        u"Config"_s,
        {key(u"ConfigId"_s), text(u"Applikationpath"_s, 255), logical(u"AppPathChecked"_s),
         logical(u"First_time"_s), logical(u"Musicon"_s), logical(u"Soundcard"_s),
         logical(u"Backup"_s), text(u"Backuppath"_s, 255), logical(u"Copyfiles"_s),
         logical(u"Delfiles"_s), text(u"PW"_s, 100), logical(u"Krypterad"_s), text(u"Mailid"_s, 60),
         text(u"Mailadress"_s, 60), text(u"SMTP"_s, 60), integer(u"Mailport"_s)},
        {}};
    return s;
}

const TableSchema& standard() {
    static const TableSchema s{u"StandardTb"_s,
                               u"Standard.db"_s,
                               u"Standard"_s,
                               {key(u"Sid"_s), text(u"Aktor"_s), text(u"Regi"_s),
                                text(u"Kritik"_s, 40), text(u"Musikartist"_s, 40),
                                text(u"Dataforetag"_s), text(u"Author"_s), text(u"Publisher"_s)},
                               {}};
    return s;
}

const QList<const TableSchema*>& all() {
    static const QList<const TableSchema*> tables{&adress(), &film(),   &data(),    &bok(),
                                                  &musik(),  &song(),   &kod(),     &borrow(),
                                                  &value(),  &config(), &standard()};
    return tables;
}

} // namespace schema

} // namespace hoardly
