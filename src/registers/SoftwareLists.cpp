#include "SoftwareLists.h"

#include "RegisterLogic.h"

using namespace Qt::StringLiterals;

namespace hoardly::software {

namespace {
const QString kManufacturerColumn = u"Dataforetag"_s;
}

QStringList categories() {
    return {u"OpSys"_s,
            u"Word processor"_s,
            u"Database/catalogue"_s,
            u"Internet stuff"_s,
            u"HTML-Editor"_s,
            u"Programming"_s,
            u"graphic/arts"_s,
            u"Calculation/Math"_s,
            u"CAD"_s,
            u"Utility"_s,
            u"Games"_s,
            u"Other"_s};
}

QStringList storageKinds() {
    return {u"CD"_s,   u"CD-R"_s,       u"CD-RW"_s,   u"DVD"_s,     u"Floppy"_s,
            u"Tape"_s, u"Zip-IOMEGA"_s, u"Syquest"_s, u"Zipfile"_s, u"Other"_s};
}

QStringList types() {
    return {u"Commercial"_s, u"Shareware"_s, u"Freeware"_s, u"Demo"_s};
}

QStringList manufacturers(Table& standard) {
    return rememberedValues(standard, kManufacturerColumn, kManufacturerLength);
}

bool rememberManufacturer(Table& standard, const QString& manufacturer) {
    return rememberValue(standard, kManufacturerColumn, manufacturer.left(kManufacturerLength));
}

int typeButtonOf(const QString& type) {
    return int(types().indexOf(type));
}

QString typeToWrite(int checkedButton) {
    return types().value(checkedButton);
}

} // namespace hoardly::software
