#include "LendObjectTypes.h"

#include "data/Schema.h"

using namespace Qt::StringLiterals;

namespace hoardly {

const QList<LendObjectKind>& lendObjectKinds() {
    static const QList<LendObjectKind> kinds{
        {LendObjectType::Film, u"Film"_s, &schema::film, u"Titel"_s, u"Utlanad"_s,
         u"Utlanad till"_s, u"Utlaningsdatum"_s, u"Finns i hyllan"_s},
        // The music text really ends in a blank; old catalogues hold it so.
        {LendObjectType::Musik, u"Musik"_s, &schema::musik, u"Titel"_s, u"Utlanad"_s,
         u"Utlanad till"_s, u"Utlanad datum"_s, u"Finns i skivstället "_s},
        {LendObjectType::Data, u"Data"_s, &schema::data, u"Namn"_s, u"Utlanad"_s, u"Utlanad till"_s,
         u"Utlanad datum"_s, u"Finns i lådan"_s},
        {LendObjectType::Literatur, u"Literatur"_s, &schema::bok, u"Titel"_s, u"Lent_Out"_s,
         u"Lent_To"_s, u"Lent_Date"_s, u"In the bookcase"_s},
    };
    return kinds;
}

const LendObjectKind& lendObjectKind(LendObjectType type) {
    return lendObjectKinds()[int(type)];
}

const LendObjectKind* lendObjectKindOf(const QString& objektyp) {
    for (const LendObjectKind& kind : lendObjectKinds()) {
        if (kind.objektyp == objektyp)
            return &kind;
    }
    return nullptr;
}

} // namespace hoardly
