#include "MusicLists.h"
#include "SearchCriteria.h"
#include "data/Schema.h"

using namespace Qt::StringLiterals;

namespace hoardly::search {

namespace {

const QString kChoose = QString::fromLatin1(kChooseHere);

// The music page keeps its one input sorted whatever the criterion.
InputRow artists() {
    return {u"Name of artist/group"_s,
            true,
            kChoose,
            {SourceKind::StandardColumn, nullptr, u"Musikartist"_s, {}},
            true};
}
InputRow fixed(const QString& prompt, const QStringList& entries) {
    return {prompt, true, kChoose, {SourceKind::Fixed, nullptr, {}, entries}, true};
}
InputRow typed(const QString& prompt, const QString& text) {
    return {prompt, true, text, {}, true};
}
// A criterion without input: emptied, disabled and grey, its prompt "Not in use".
InputRow notInUse() {
    return {u"Not in use"_s, false, {}, {}, true};
}

Criterion record(const QString& radio, const InputRow& input, const QString& statement,
                 const QList<ResultColumn>& columns) {
    return {radio, input, {}, statement, false, {}, columns};
}

QList<ResultColumn> titleColumns() {
    return {{u"Titel"_s, u"Title"_s},
            {u"Artist"_s, u"Artist/group"_s},
            {u"Kategori"_s, u"Category"_s},
            {u"Produktionsar"_s, u"From year"_s},
            {u"Media"_s, u"Media"_s},
            {u"Utlanad till"_s, u"Lent to"_s},
            {u"Utlanad datum"_s, u"Lent date"_s}};
}

SearchRegister makeMusicSearch() {
    SearchRegister r;
    r.firstPromptText = u"Findfield"_s;
    r.inputText = kChoose;
    r.twoInputs = false;
    r.submitIsDefault = true;
    r.opening = Opening::SelectFirst;
    r.criteria = {
        record(u"List all titles by an artist/group"_s, artists(),
               u"SELECT * FROM Musik WHERE Musik.Artist = '{T1}' "_s, titleColumns()),
        record(u"List all songs by an artist/group"_s, artists(),
               u"SELECT * FROM Song, Musik WHERE (Song.Mid = Musik.Mid) AND (Musik.Artist =  "
               u"'{T1}' )"_s,
               {{u"Namn"_s, u"Title of the song"_s}, {u"Titel"_s, u"From"_s}}),
        record(u"List all titles from a category"_s,
               fixed(u"Kategori"_s, music::searchCategories()),
               u"SELECT * FROM Musik WHERE Musik.Kategori = '{T1}' "_s, titleColumns()),
        record(u"List all titles on a special storage"_s,
               fixed(u"Medium"_s, music::searchStorageKinds()),
               u"SELECT * FROM Musik WHERE Musik.Media = '{T1}' "_s,
               {{u"Titel"_s, u"Title"_s},
                {u"Artist"_s, u"Artist/group"_s},
                {u"Media"_s, u"Media"_s},
                {u"Utlanad till"_s, u"Lent/to"_s},
                {u"Utlanad datum"_s, u"Lent date"_s}}),
        record(u"List all titles with mixed artists"_s, notInUse(),
               u"SELECT * FROM Musik WHERE Musik.Samlingsskiva = True "_s,
               {{u"Titel"_s, u"Title"_s},
                {u"Media"_s, u"Media"_s},
                {u"Utlanad till"_s, u"Lent to"_s},
                {u"Utlanad datum"_s, u"Lent date"_s}}),
        record(
            u"List all artists who have done a special song"_s,
            {u"Låtens namn"_s,
             true,
             kChoose,
             {SourceKind::RegisterColumn, &schema::song(), u"Namn"_s, {}},
             true},
            u"SELECT Musik.Artist,Musik.Titel,Song.Namn FROM Musik,Song WHERE Song.Namn = "
            u"'{T1}' And  Song.Mid = Musik.Mid ORDER BY Musik.Artist "_s,
            {{u"Artist"_s, u"Artist"_s}, {u"Titel"_s, u"Titel"_s}, {u"Namn"_s, u"Contain song"_s}}),
        record(u"List all titles produced a special year"_s,
               typed(u"Enter year in form YYYY"_s, u"1999"_s),
               u"SELECT * FROM Musik WHERE Musik.Produktionsar = '{T1}' "_s,
               {{u"Titel"_s, u"Title"_s},
                {u"Artist"_s, u"Artist/group"_s},
                {u"Produktionsar"_s, u"From Year"_s},
                {u"Utlanad till"_s, u"Lent to"_s},
                {u"Utlanad datum"_s, u"Lent date"_s}}),
        record(u"Find a song"_s, typed(u"The name of the song"_s, QString()),
               u"SELECT Song.Namn, Musik.Titel, Musik.Artist FROM Song,Musik WHERE "
               u"UPPER(Song.Namn) = UPPER ('{T1}') And Musik.Mid = Song.Mid "_s,
               {{u"Namn"_s, u"Name of the song"_s},
                {u"Titel"_s, u"Titel"_s},
                {u"Artist"_s, u"Artist"_s}}),
    };
    return r;
}

} // namespace

const SearchRegister& musicSearch() {
    static const SearchRegister r = makeMusicSearch();
    return r;
}

} // namespace hoardly::search
