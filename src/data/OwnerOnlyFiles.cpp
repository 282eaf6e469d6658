#include "OwnerOnlyFiles.h"

#include "Errors.h"
#include "Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoardly {

bool isOwnerOnly(const TableSchema& schema) {
    return &schema == &schema::config() || &schema == &schema::kod();
}

QStringList ownerOnlyFileNames() {
    QStringList names;
    for (const TableSchema* schema : schema::all()) {
        if (isOwnerOnly(*schema))
            names << schema->fileName;
    }
    return names;
}

void keepOwnerOnly(const QString& filePath) {
    if (!QFileInfo::exists(filePath))
        return;
    // The user bits only mirror the owner's for the current user; the mode is the rest.
    constexpr QFileDevice::Permissions modeBits =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if ((QFile::permissions(filePath) & modeBits) == ownerOnly)
        return;
    if (!QFile::setPermissions(filePath, ownerOnly))
        throw FileError(u"The file %1 cannot be made private to you. Check that you own it."_s.arg(
            QDir::toNativeSeparators(filePath)));
}

void keepOwnerOnlyTables(const QString& directory) {
    for (const QString& name : ownerOnlyFileNames())
        keepOwnerOnly(QDir(directory).filePath(name));
}

} // namespace hoardly
