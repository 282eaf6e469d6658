#include "SearchCriteria.h"
#include "SoftwareLists.h"
#include "data/Schema.h"

using namespace Qt::StringLiterals;

namespace hoardly::search {

namespace {

const QString kChoose = QString::fromLatin1(kChooseHere);

// The software page keeps its one input sorted whatever the criterion.
InputRow listed(const QString& prompt, const PickSource& source) {
    return {prompt, true, kChoose, source, true};
}
InputRow fixedList(const QString& prompt, const QStringList& entries) {
    return listed(prompt, {SourceKind::Fixed, nullptr, {}, entries});
}
InputRow softwareColumn(const QString& prompt, const QString& column) {
    return listed(prompt, {SourceKind::RegisterColumn, &schema::data(), column, {}});
}
// A criterion without input: the input is emptied, disabled and grey, the prompt empty.
InputRow notInUse() {
    return {{}, false, {}, {}, true};
}

Criterion software(const QString& radio, const InputRow& input, const QString& statement,
                   const QList<ResultColumn>& columns = {{u"Namn"_s, u"Name"_s}}) {
    return {radio, input, {}, statement, false, {}, columns};
}

SearchRegister makeSoftwareSearch() {
    SearchRegister r;
    r.firstPromptText = u"Find field"_s;
    r.inputText = u"Välj här"_s;
    r.twoInputs = false;
    r.submitIsDefault = false;
    r.opening = Opening::NothingSelectedFirst;
    r.emptyAfterReset = EmptyTableNotice{&schema::data(), u"Nothing to do"_s, u"Empty database"_s};
    r.criteria = {
        software(u"List all software manufactured by a special manufacturer"_s,
                 listed(u"The name of the manufactur"_s,
                        {SourceKind::StandardColumn, nullptr, u"Dataforetag"_s, {}}),
                 u"SELECT Namn, Producent FROM Data WHERE Data.Producent = '{T1}' "_s,
                 {{u"Namn"_s, u"Name"_s}, {u"Producent"_s, u"Manufactur"_s}}),
        software(u"List all software which is registered"_s, notInUse(),
                 u"SELECT Namn FROM Data WHERE Data.Registrerad =  True  "_s),
        software(u"List all softwares in a category"_s,
                 fixedList(u"Kategori"_s, software::categories()),
                 u"SELECT Namn FROM Data WHERE Data.Kategori = '{T1}' "_s),
        software(u"List all softwares with a special URL"_s, softwareColumn(u"URL"_s, u"Web"_s),
                 u"SELECT Namn FROM Data WHERE Data.Web = '{T1}' "_s),
        // The value compared with is always empty: every non-empty web address, duplicates too.
        software(u"List all Url's"_s, notInUse(), u"SELECT Web FROM Data WHERE Data.Web <> '' "_s,
                 {{u"Web"_s, u"Web"_s}}),
        software(u"List all software from a supplier"_s,
                 softwareColumn(u"Purchase from"_s, u"Inkopsstalle"_s),
                 u"SELECT Namn FROM Data WHERE Data.Inkopsstalle = '{T1}' "_s),
        software(u"List all software in a particular type"_s,
                 fixedList(u"Type"_s, software::types()),
                 u"SELECT Namn FROM Data WHERE Data.Typ = '{T1}' "_s),
        software(u"List all software stored with a special media"_s,
                 fixedList(u"Storage"_s, software::storageKinds()),
                 u"SELECT Namn FROM Data WHERE Data.Media = '{T1}' "_s),
    };
    return r;
}

} // namespace

const SearchRegister& softwareSearch() {
    static const SearchRegister r = makeSoftwareSearch();
    return r;
}

} // namespace hoardly::search
