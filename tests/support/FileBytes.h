#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace hoardly::test {

// The bytes of a file a test wrote or checks; empty when it cannot be read.
inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the bytes as the whole file; answers whether that worked.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace hoardly::test
