#include "TempCatalogue.h"

#include "data/Sqlite.h"
#include "data/StarterData.h"

#include <QDir>

namespace hoardly::test {

TempCatalogue::TempCatalogue() {
    installStarterFiles(QString::fromUtf8(HOARDLY_STARTER_DIR), dir_.path());
}

QString TempCatalogue::file(const QString& name) const {
    return QDir(dir_.path()).filePath(name);
}

void TempCatalogue::exec(const QString& fileName, const QString& sql) const {
    FileDatabase database(file(fileName), false);
    database.exec(sql);
}

QString TempCatalogue::scalar(const QString& fileName, const QString& sql) const {
    FileDatabase database(file(fileName), false);
    Statement statement = database.prepare(sql);
    return statement.step() ? statement.text(0) : QString();
}

} // namespace hoardly::test
