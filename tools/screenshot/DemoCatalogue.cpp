#include "DemoCatalogue.h"

#include "data/TDM.h"
#include "lending/Lending.h"
#include "registers/RegisterLogic.h"
#include "registers/SoftwareLists.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

// Runs the writes and closes again each of the tables that was closed before them.
void leavingClosed(std::initializer_list<Table*> tables, const std::function<void()>& writes) {
    QList<Table*> closed;
    for (Table* table : tables) {
        if (!table->isOpen())
            closed << table;
    }
    writes();
    for (Table* table : closed)
        table->close();
}

} // namespace

void appendRecords(Table& table, const QStringList& fields, const QList<QStringList>& rows) {
    leavingClosed({&table}, [&] {
        table.open();
        for (const QStringList& row : rows) {
            table.append();
            for (qsizetype i = 0; i < fields.size() && i < row.size(); ++i)
                table.setText(fields[i], row[i]);
            table.post();
        }
    });
}

void addDemoFilms(TDM& tdm) {
    const QStringList fields{u"Index"_s, u"Titel"_s,  u"Kategori"_s, u"Inspelningsar"_s,
                             u"Aktor"_s, u"Aktor2"_s, u"Aktor3"_s,   u"Regi"_s,
                             u"Media"_s, u"Kritik"_s, u"Speltid"_s,  u"Kommentar"_s};
    const QList<QStringList> films{
        {u"1"_s, u"Alien"_s, u"Science Fiction"_s, u"1979"_s, u"Sigourney Weaver"_s,
         u"Tom Skerritt"_s, u"John Hurt"_s, u"Ridley Scott"_s, u"DVD"_s, u"*****"_s, u"117"_s,
         u"The director's cut is on the same disc."_s},
        {u"2"_s, u"Brazil"_s, u"Comedy"_s, u"1985"_s, u"Jonathan Pryce"_s, u"Robert De Niro"_s,
         u"Katherine Helmond"_s, u"Terry Gilliam"_s, u"VHS"_s, u"****"_s, u"142"_s},
        {u"3"_s, u"Casablanca"_s, u"Romance"_s, u"1942"_s, u"Humphrey Bogart"_s,
         u"Ingrid Bergman"_s, u"Paul Henreid"_s, u"Michael Curtiz"_s, u"VHS"_s, u"*****"_s,
         u"102"_s, u"Black and white."_s},
        {u"4"_s, u"Der Himmel über Berlin"_s, u"Drama"_s, u"1987"_s, u"Bruno Ganz"_s,
         u"Solveig Dommartin"_s, u"Otto Sander"_s, u"Wim Wenders"_s, u"Laserdisc"_s, u"****"_s,
         u"128"_s},
        {u"5"_s, u"Heat"_s, u"Thriller"_s, u"1995"_s, u"Al Pacino"_s, u"Robert De Niro"_s,
         u"Val Kilmer"_s, u"Michael Mann"_s, u"DVD"_s, u"****"_s, u"170"_s},
        {u"6"_s, u"The Godfather"_s, u"Drama"_s, u"1972"_s, u"Marlon Brando"_s, u"Al Pacino"_s,
         u"James Caan"_s, u"Francis Ford Coppola"_s, u"VHS"_s, u"*****"_s, u"175"_s},
        {u"7"_s, u"Jaws"_s, u"Thriller"_s, u"1975"_s, u"Roy Scheider"_s, u"Robert Shaw"_s,
         u"Richard Dreyfuss"_s, u"Steven Spielberg"_s, u"Video8"_s, u"****"_s, u"124"_s},
        {u"8"_s, u"Metropolis"_s, u"Science Fiction"_s, u"1927"_s, u"Brigitte Helm"_s,
         u"Alfred Abel"_s, u"Gustav Fröhlich"_s, u"Fritz Lang"_s, u"16 mm"_s, u"*****"_s, u"153"_s},
        {u"9"_s, u"Scarface"_s, u"Drama"_s, u"1983"_s, u"Steven Bauer"_s, u"Michelle Pfeiffer"_s,
         u"Al Pacino"_s, u"Brian De Palma"_s, u"Laserdisc"_s, u"***"_s, u"170"_s},
        {u"10"_s, u"Serpico"_s, u"Police"_s, u"1973"_s, u"Al Pacino"_s, u"John Randolph"_s,
         u"Jack Kehoe"_s, u"Sidney Lumet"_s, u"VHS"_s, u"****"_s, u"130"_s},
        {u"11"_s, u"Sjunde inseglet, Det"_s, u"Drama"_s, u"1957"_s, u"Max von Sydow"_s,
         u"Gunnar Björnstrand"_s, u"Bengt Ekerot"_s, u"Ingmar Bergman"_s, u"VHS"_s, u"*****"_s,
         u"96"_s},
        {u"11"_s, u"Smultronstället"_s, u"Drama"_s, u"1957"_s, u"Victor Sjöström"_s,
         u"Bibi Andersson"_s, u"Ingrid Thulin"_s, u"Ingmar Bergman"_s, u"VHS"_s, u"*****"_s,
         u"91"_s, u"On the same tape as Det sjunde inseglet."_s},
        {u"12"_s, u"Taxi Driver"_s, u"Drama"_s, u"1976"_s, u"Robert De Niro"_s, u"Jodie Foster"_s,
         u"Cybill Shepherd"_s, u"Martin Scorsese"_s, u"DVD"_s, u"*****"_s, u"114"_s},
    };
    appendRecords(tdm.filmTb(), fields, films);

    // The pick lists offer what earlier films held: actors, directors and rates.
    Table& standard = tdm.standardTb();
    const QList<std::pair<qsizetype, QString>> remembered{
        {fields.indexOf(u"Aktor"_s), u"Aktor"_s},
        {fields.indexOf(u"Aktor2"_s), u"Aktor"_s},
        {fields.indexOf(u"Aktor3"_s), u"Aktor"_s},
        {fields.indexOf(u"Regi"_s), u"Regi"_s},
        {fields.indexOf(u"Kritik"_s), u"Kritik"_s}};
    leavingClosed({&standard}, [&] {
        for (const QStringList& film : films) {
            for (const auto& [field, column] : remembered)
                rememberValue(standard, column, film[field]);
        }
    });
}

void addDemoLoans(TDM& tdm) {
    appendRecords(tdm.musikTb(),
                  {u"Titel"_s, u"Artist"_s, u"Kategori"_s, u"Produktionsar"_s, u"Media"_s},
                  {{u"Abbey Road"_s, u"The Beatles"_s, u"Pop"_s, u"1969"_s, u"LP"_s}});
    appendRecords(
        tdm.bokTb(),
        {u"Index"_s, u"Titel"_s, u"Author"_s, u"Publisher"_s, u"Category"_s, u"Publication_Year"_s},
        {{u"1"_s, u"Röda rummet"_s, u"August Strindberg"_s, u"Bonniers"_s, u"Novel"_s, u"1879"_s}});
    const QList<LendOut> loans{
        {LendObjectType::Film,
         u"The Godfather"_s,
         {u"Eva"_s, u"Ek"_s, u"08-12345"_s, u"eva.ek@example.se"_s, true},
         QDate(2024, 2, 11)},
        {LendObjectType::Musik,
         u"Abbey Road"_s,
         {u"Per"_s, u"Holm"_s, u"031-7720"_s, QString(), false},
         QDate(2024, 3, 2)},
        {LendObjectType::Literatur,
         u"Röda rummet"_s,
         {u"Eva"_s, u"Lind"_s, QString(), QString(), false},
         QDate(2024, 3, 9)},
    };
    leavingClosed({&tdm.borrowTb(), &tdm.filmTb(), &tdm.musikTb(), &tdm.bokTb()}, [&] {
        for (const LendOut& loan : loans)
            lendOut(tdm, loan);
    });
}

void addDemoMusic(TDM& tdm) {
    appendRecords(
        tdm.musikTb(),
        {u"Titel"_s, u"Artist"_s, u"Kategori"_s, u"Produktionsar"_s, u"Media"_s,
         u"Samlingsskiva"_s},
        {{u"Arrival"_s, u"ABBA"_s, u"Pop"_s, u"1976"_s, u"Vinyl"_s, u"0"_s},
         {u"Kind of Blue"_s, u"Miles Davis"_s, u"Jazz"_s, u"1959"_s, u"CD"_s, u"0"_s},
         {u"Abbey Road"_s, u"The Beatles"_s, u"Rock"_s, u"1969"_s, u"Vinyl"_s, u"0"_s},
         {u"Absolute Music 5"_s, u"Absolute Music 5"_s, u"Party"_s, u"1990"_s, u"CD"_s, u"1"_s},
         {u"Visor från Dalarna"_s, u"Åsa Jinder"_s, u"Song"_s, u"1992"_s, u"MP3"_s, u"0"_s}});
    const QList<std::pair<int, QStringList>> songs{
        {1,
         {u"When I Kissed the Teacher"_s, u"Dancing Queen"_s, u"My Love, My Life"_s,
          u"Dum Dum Diddle"_s, u"Knowing Me, Knowing You"_s, u"Money, Money, Money"_s,
          u"That's Me"_s, u"Why Did It Have to Be Me?"_s, u"Tiger"_s, u"Arrival"_s}},
        {2, {u"So What"_s, u"Freddie Freeloader"_s, u"Blue in Green"_s, u"All Blues"_s}},
        {3,
         {u"Come Together"_s, u"Something"_s, u"Maxwell's Silver Hammer"_s, u"Oh! Darling"_s,
          u"Octopus's Garden"_s, u"Here Comes the Sun"_s}},
        {4, {u"Dancing Queen (ABBA)"_s, u"Yesterday (Beatles)"_s, u"Vogue (Madonna)"_s}},
        {5, {u"Polska från Orsa"_s, u"Åsas vals"_s}},
    };
    Table& song = tdm.songTb();
    leavingClosed({&song}, [&] {
        song.open();
        for (const auto& [record, names] : songs) {
            for (const QString& name : names) {
                song.append();
                song.setInteger(u"Mid"_s, record);
                song.setText(u"Namn"_s, name);
                song.post();
            }
        }
    });
    Table& standard = tdm.standardTb();
    leavingClosed({&standard}, [&] {
        standard.open();
        for (const QString& artist :
             {u"ABBA"_s, u"Miles Davis"_s, u"The Beatles"_s, u"Åsa Jinder"_s})
            rememberValue(standard, u"Musikartist"_s, artist);
    });
    leavingClosed({&tdm.borrowTb(), &tdm.musikTb()}, [&] {
        lendOut(tdm, {LendObjectType::Musik,
                      u"Kind of Blue"_s,
                      {u"Per"_s, u"Holm"_s, u"031-7720"_s, QString(), false},
                      QDate(2024, 3, 2)});
    });
}

void addDemoAddresses(TDM& tdm) {
    appendRecords(tdm.adressTb(),
                  {u"Efternamn"_s, u"Fornamn"_s, u"Gatuadress"_s, u"Postadress"_s, u"Telefon"_s,
                   u"Mobil"_s, u"E-postadress"_s},
                  {
                      {u"Berg"_s, u"Anna"_s, u"Storgatan 12"_s, u"123 45 Stockholm"_s,
                       u"08-12345"_s, u"070-1112233"_s, u"anna.berg@example.se"_s},
                      {u"Andersson"_s, u"Nils"_s, u"Kungsvägen 3"_s, u"411 01 Göteborg"_s,
                       u"031-5566"_s, u"073-4567890"_s, u"nils@example.se"_s},
                      {u"Lind"_s, u"Eva"_s, u"Ängsvägen 7"_s, u"222 22 Lund"_s, u"046-1234"_s},
                      {u"Bokhandeln AB"_s, QString(), u"Drottninggatan 40"_s, u"111 51 Stockholm"_s,
                       u"08-7001000"_s, QString(), u"info@bokhandeln.example"_s},
                  });
}

void addDemoSoftware(TDM& tdm) {
    const QStringList fields{u"Namn"_s,         u"Version"_s,      u"Producent"_s, u"Kategori"_s,
                             u"Typ"_s,          u"Registrerad"_s,  u"Serienr"_s,   u"Licensnr"_s,
                             u"Inkopsstalle"_s, u"Inkopt datum"_s, u"Pris"_s,      u"Web"_s,
                             u"Media"_s};
    const QList<QStringList> items{
        {u"Access"_s, u"97"_s, u"Microsoft"_s, u"Database/catalogue"_s, u"Commercial"_s, u"1"_s,
         u"MS-4471-0923"_s, u"L-88213"_s, u"Dustin"_s, u"990114"_s, u"2495"_s,
         u"www.microsoft.com"_s, u"CD"_s},
        {u"Delphi"_s, u"5.0"_s, u"Borland"_s, u"Programming"_s, u"Commercial"_s, u"1"_s,
         u"D5-1102-8876"_s, QString(), u"Programvaruhuset"_s, u"000302"_s, u"4900"_s,
         u"http://www.borland.com"_s, u"CD"_s},
        {u"GIMP"_s, u"1.2"_s, u"gimp.org"_s, u"graphic/arts"_s, u"Freeware"_s, QString(), QString(),
         QString(), QString(), QString(), QString(), u"www.gimp.org"_s, u"CD-R"_s},
        {u"Doom"_s, u"1.9"_s, u"id Software"_s, u"Games"_s, u"Shareware"_s, u"0"_s, QString(),
         QString(), u"Åhléns"_s, u"941210"_s, u"99"_s, u"ftp://ftp.idsoftware.com"_s, u"Floppy"_s},
        {u"Linux"_s, u"2.2"_s, u"Red Hat"_s, u"OpSys"_s, u"Freeware"_s, QString(), QString(),
         QString(), u"Dustin"_s, u"991001"_s, u"395"_s, u"https://www.redhat.com"_s, u"CD"_s},
        {u"Opera"_s, u"3.62"_s, u"Opera Software"_s, u"Internet stuff"_s, u"Demo"_s, u"0"_s,
         QString(), QString(), QString(), QString(), QString(), u"www.opera.com"_s, u"Zipfile"_s},
        {u"WinZip"_s, u"8.0"_s, u"Nico Mak Computing"_s, u"Utility"_s, u"Shareware"_s, u"1"_s,
         u"WZ-5512"_s, u"2291-7731"_s, u"Dustin"_s, u"000815"_s, u"290"_s,
         u"http://www.winzip.com"_s, u"Zipfile"_s},
    };
    appendRecords(tdm.dataTb(), fields, items);

    Table& standard = tdm.standardTb();
    leavingClosed({&standard}, [&] {
        for (const QStringList& item : items)
            software::rememberManufacturer(standard, item[2]);
    });
    leavingClosed({&tdm.borrowTb(), &tdm.dataTb()}, [&] {
        lendOut(tdm, {LendObjectType::Data,
                      u"Delphi"_s,
                      {u"Nils"_s, u"Andersson"_s, u"031-5566"_s, u"nils@example.se"_s, false},
                      QDate(2024, 4, 2)});
    });
}

void addDemoBooks(TDM& tdm) {
    const QStringList fields{
        u"Index"_s,  u"Titel"_s, u"Author"_s,           u"Publisher"_s, u"Category"_s, u"Format"_s,
        u"Kritik"_s, u"ISBN"_s,  u"Publication_Year"_s, u"Serie"_s,     u"Comments"_s};
    const QList<QStringList> books{
        {u"1"_s, u"Röda rummet"_s, u"August Strindberg"_s, u"Bonniers"_s, u"Novel"_s, u"Bounded"_s,
         u"Masterpiece"_s, u"91-0-012345-6"_s, u"1879"_s, QString(),
         u"First edition, from grandfather's shelf."_s},
        {u"2"_s, u"Hemsöborna"_s, u"August Strindberg"_s, u"Bonniers"_s, u"Novel"_s, u"Paperback"_s,
         u"Excellent"_s, u"91-0-054321-7"_s, u"1887"_s},
        {u"3"_s, u"Gösta Berlings saga"_s, u"Selma Lagerlöf"_s, u"Bonniers"_s, u"Roman"_s,
         u"Bounded"_s, u"Very good"_s, u"91-0-047110-2"_s, u"1891"_s},
        {u"4"_s, u"Pippi Långstrump"_s, u"Astrid Lindgren"_s, u"Rabén & Sjögren"_s, u"Fairy tale"_s,
         u"Bounded"_s, u"Cult"_s, u"91-29-01234-5"_s, u"1945"_s, u"Pippi"_s},
        {u"5"_s, u"Mio, min Mio"_s, u"Astrid Lindgren"_s, u"Rabén & Sjögren"_s, u"Fairy tale"_s,
         u"Bounded"_s, u"Excellent"_s, u"91-29-05678-9"_s, u"1954"_s},
        {u"6"_s, u"Dune"_s, u"Frank Herbert"_s, u"Chilton Books"_s, u"Sci-Fi"_s, u"Paperback"_s,
         u"Cult"_s, u"0-441-17271-7"_s, u"1965"_s, u"Dune"_s,
         u"The desert planet Arrakis and its spice."_s},
        {u"7"_s, u"Children of Dune"_s, u"Frank Herbert"_s, u"Putnam"_s, u"Sci-Fi"_s,
         u"Paperback"_s, u"Good"_s, u"0-399-11697-4"_s, u"1976"_s, u"Dune"_s},
        {u"8"_s, u"Utvandrarna"_s, u"Vilhelm Moberg"_s, u"Bonniers"_s, u"Novel"_s, u"Bounded"_s,
         u"Masterpiece"_s, u"91-0-033333-1"_s, u"1949"_s, u"Utvandrarserien"_s},
        {u"9"_s, u"Mord på Orientexpressen"_s, u"Agatha Christie"_s, u"Bonniers"_s,
         u"Detective story"_s, u"Paperback"_s, u"Good"_s, QString(), u"1934"_s},
        {u"10"_s, u"Nationalencyklopedin, band 1"_s, QString(), u"Bra Böcker"_s,
         u"Work of reference"_s, u"Bounded"_s, u"Ok"_s, u"91-7024-619-X"_s, u"1989"_s,
         u"Nationalencyklopedin"_s},
    };
    appendRecords(tdm.bokTb(), fields, books);

    Table& standard = tdm.standardTb();
    leavingClosed({&standard}, [&] {
        for (const QStringList& book : books) {
            rememberValue(standard, u"Author"_s, book[2]);
            rememberValue(standard, u"Publisher"_s, book[3]);
        }
    });
    leavingClosed({&tdm.borrowTb(), &tdm.bokTb()}, [&] {
        lendOut(tdm, {LendObjectType::Literatur,
                      u"Dune"_s,
                      {u"Eva"_s, u"Lind"_s, u"046-1234"_s, QString(), false},
                      QDate(2024, 3, 9)});
    });
}

void addDemoCodes(TDM& tdm) {
    appendRecords(tdm.kodTb(), {u"Mottagare"_s, u"Kod"_s},
                  {{u"Bank, internet"_s, u"4711-Kvarn"_s},
                   {u"Mejl"_s, u"Blåbär-Öl"_s},
                   {u"Router"_s, u"wifi-åäö-2026"_s},
                   {u"Porttelefon"_s, u"1984"_s},
                   {u"Bibliotek"_s, u"sommarläsning"_s}});
}

} // namespace hoardly
