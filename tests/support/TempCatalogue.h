#pragma once

#include <QString>
#include <QTemporaryDir>

namespace hoardly::test {

// A catalogue directory of its own for one test: the starter tables and midi files, removed
// again when the object goes.
class TempCatalogue {
public:
    TempCatalogue();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const;
    // Runs one statement straight on a table file, for setting up and checking a test.
    void exec(const QString& fileName, const QString& sql) const;
    QString scalar(const QString& fileName, const QString& sql) const;

private:
    QTemporaryDir dir_;
};

} // namespace hoardly::test
