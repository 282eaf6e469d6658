#include "FilmPickLists.h"
#include "SearchCriteria.h"

using namespace Qt::StringLiterals;

namespace hoardly::search {

namespace {

PickSource standard(const QString& column) {
    return {SourceKind::StandardColumn, nullptr, column, {}};
}
PickSource fixed(const QStringList& entries) {
    return {SourceKind::Fixed, nullptr, {}, entries};
}

const QString kChoose = QString::fromLatin1(kChooseHere);

InputRow actors(const QString& prompt) {
    return {prompt, true, kChoose, standard(u"Aktor"_s), true};
}
InputRow directors(const QString& prompt) {
    return {prompt, true, kChoose, standard(u"Regi"_s), true};
}
InputRow rates(const QString& prompt) {
    return {prompt, true, kChoose, standard(u"Kritik"_s), false};
}
InputRow categories(const QString& prompt) {
    return {prompt, true, kChoose, fixed(filmCategories()), true};
}
InputRow storageKinds(const QString& prompt) {
    // The record panel's kinds without its last, "Annat"; the user may still type it.
    return {prompt, true, kChoose, fixed(filmStorageKinds().first(12)), false};
}
InputRow hint(const QString& prompt, const QString& text) {
    return {prompt, true, text, {}, false};
}
InputRow notInUse(const QString& text) {
    return {{}, false, text, {}, false};
}
InputRow notInUseAtTheMoment() {
    return notInUse(u"Not in use at the moment"_s);
}

// Every film search selects the whole record; the grid shows it under these titles.
QList<ResultColumn> filmColumns() {
    return {{u"Index"_s, u"Index"_s},        {u"Titel"_s, u"Title"_s},
            {u"Kategori"_s, u"Category"_s},  {u"Inspelningsar"_s, u"From Year"_s},
            {u"Aktor"_s, u"Actor 1"_s},      {u"Aktor2"_s, u"Actor 2"_s},
            {u"Aktor3"_s, u"Actor 3"_s},     {u"Regi"_s, u"Directed by"_s},
            {u"Media"_s, u"Media"_s},        {u"Kritik"_s, u"Rate"_s},
            {u"Speltid"_s, u"ScreenTime"_s}, {u"Utlanad till"_s, u"Lent to"_s}};
}

Criterion film(const QString& radio, const InputRow& first, const InputRow& second,
               const QString& statement) {
    return {radio, first, second, statement, false, {}, filmColumns()};
}

Criterion screenTime(const QString& radio, const QString& statement) {
    const QString prompt = u"Screen time (min)"_s;
    return {radio,
            hint(prompt, u"Specify the screen time (min) here"_s),
            notInUseAtTheMoment(),
            statement,
            true,
            u"Please give the screen time in whole minutes, for example 90."_s,
            filmColumns()};
}

const QString kAnyActorT1 =
    u"Film.Aktor = '{T1}' OR Film.Aktor2 = '{T1}' OR Film.Aktor3 = '{T1}' "_s;
const QString kAnyActorT2 =
    u"Film.Aktor = '{T2}' OR Film.Aktor2 = '{T2}' OR Film.Aktor3 = '{T2}' "_s;

SearchRegister makeFilmSearch() {
    SearchRegister r;
    r.firstPromptText = u"Seekfield"_s;
    r.secondPromptText = u"Seekfield"_s;
    r.inputText = kChoose;
    r.twoInputs = true;
    r.submitIsDefault = true;
    r.opening = Opening::SelectFirst;
    r.criteria = {
        film(u"List all films with a special actor"_s, actors(u"Actors name:"_s),
             notInUseAtTheMoment(), u"SELECT * FROM Film WHERE "_s + kAnyActorT1),
        film(u"List all film directed by a special director"_s, directors(u"Directors name"_s),
             notInUseAtTheMoment(), u"SELECT * FROM Film WHERE Film.Regi = '{T1}' "_s),
        film(u"List all film from a special category"_s, categories(u"Category"_s),
             notInUseAtTheMoment(), u"SELECT * FROM Film WHERE Film.Kategori = '{T1}' "_s),
        film(u"List all film with a special rate"_s, rates(u"Rate"_s), notInUseAtTheMoment(),
             u"SELECT * FROM Film WHERE Film.Kritik = '{T1}' "_s),
        screenTime(u"List all film which be below a special screen time"_s,
                   u"Select * From Film Where Film.Speltid < {T1}"_s),
        screenTime(u"List all film which exceed a special screen time"_s,
                   u"Select * From Film Where Film.Speltid > {T1}"_s),
        film(u"List all film with 2 actors in the same film"_s, actors(u"Actor 1:"_s),
             actors(u"Actor 2:"_s),
             u"SELECT * FROM Film WHERE ("_s + kAnyActorT1 + u")AND ("_s + kAnyActorT2 + u")"_s),
        film(u"List all film with a special director and actor"_s,
             directors(u"The name of the director:"_s), actors(u"The name of the actor:"_s),
             u"SELECT * FROM Film WHERE (Film.Regi = '{T1}')AND ("_s + kAnyActorT2 + u")"_s),
        film(u"List all films in a special category and with a special rate"_s,
             categories(u"Category:"_s), rates(u"Rate:"_s),
             u"SELECT * FROM Film WHERE Film.Kategori = '{T1}' AND Film.Kritik = '{T2}' "_s),
        film(u"List all film with a special rate and actor"_s, actors(u"Actor:"_s),
             rates(u"Rate:"_s),
             u"SELECT * FROM Film WHERE (Film.Kritik = '{T2}')AND ("_s + kAnyActorT1 + u")"_s),
        film(u"Lista all films produced a special year"_s,
             hint(u"Enter Year here in form YYYY"_s, u"Enter Year here in form YYYY"_s),
             notInUse(u"Not in use"_s), u"SELECT * FROM Film WHERE Film.Inspelningsar = '{T1}' "_s),
        film(u"List all film stored on a special storage"_s, storageKinds(u"Storagetype:"_s),
             notInUse(u"Not in use"_s), u"SELECT * FROM Film WHERE Film.Media = '{T1}' "_s),
    };
    return r;
}

} // namespace

const SearchRegister& filmSearch() {
    static const SearchRegister r = makeFilmSearch();
    return r;
}

} // namespace hoardly::search
