#include "FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr qint64 kChunk = 1 << 20;

bool isPartialCopy(const QString& name) {
    return name.endsWith(QLatin1StringView(kPartialCopySuffix));
}

QRegularExpression maskExpression(const QString& mask) {
    // The old meaning of "*.*": every file, with or without a dot in its name.
    const QString pattern = mask == u"*.*"_s ? u"*"_s : mask;
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                              QRegularExpression::CaseInsensitiveOption);
}

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The new name is on disk only once the directory that holds it is.
void syncDirectory(const QString& directory) {
    const int handle = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
}

QString writeCopy(QFile& source, QFile& part, const std::atomic_bool& cancel) {
    QByteArray chunk;
    while (!source.atEnd()) {
        if (cancel)
            return u"cancelled"_s;
        chunk = source.read(kChunk);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError)
            return source.errorString();
        if (part.write(chunk) != chunk.size())
            return part.errorString();
    }
    if (!part.flush())
        return part.errorString();
    if (::fsync(part.handle()) != 0)
        return systemReason();
    return {};
}

} // namespace

QStringList filesMatching(const QString& directory, const QString& mask) {
    const QRegularExpression expression = maskExpression(mask);
    QStringList names;
    const QStringList files =
        QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : files)
        if (!isPartialCopy(name) && expression.match(name).hasMatch())
            names << name;
    return names;
}

QString copyFileSafely(const QString& sourceFile, const QString& targetFile,
                       const std::atomic_bool& cancel) {
    QFile source(sourceFile);
    if (!source.open(QIODevice::ReadOnly))
        return u"%1 could not be read: %2"_s.arg(QDir::toNativeSeparators(sourceFile),
                                                 source.errorString());
    const QString partName = targetFile + QLatin1StringView(kPartialCopySuffix);
    QFile::remove(partName);
    QFile part(partName);
    if (!part.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return u"%1 could not be written: %2"_s.arg(QDir::toNativeSeparators(targetFile),
                                                    part.errorString());
    // The copy of a file only its owner may read is never readable by others, not even briefly.
    part.setPermissions(source.permissions());
    QString failure = writeCopy(source, part, cancel);
    part.close();
    if (failure.isEmpty() && std::rename(QFile::encodeName(partName).constData(),
                                         QFile::encodeName(targetFile).constData()) != 0)
        failure = systemReason();
    if (!failure.isEmpty()) {
        QFile::remove(partName);
        if (cancel)
            return u"cancelled"_s;
        return u"%1 could not be written: %2"_s.arg(QDir::toNativeSeparators(targetFile), failure);
    }
    syncDirectory(QFileInfo(targetFile).absolutePath());
    return {};
}

FileCopyOutcome
copyPlannedFiles(const QString& sourceDirectory, const QString& destinationDirectory,
                 const QList<PlannedCopy>& plan, const std::atomic_bool& cancel,
                 const std::function<void(int done, const QString& name)>& progress) {
    FileCopyOutcome outcome;
    const QDir source(sourceDirectory);
    const QDir destination(destinationDirectory);
    for (const PlannedCopy& file : plan) {
        if (!file.copy)
            continue;
        if (cancel) {
            outcome.kind = FileCopyOutcome::Kind::Interrupted;
            return outcome;
        }
        if (progress)
            progress(int(outcome.copied.size()), file.name);
        const QString failure =
            copyFileSafely(source.filePath(file.name), destination.filePath(file.name), cancel);
        if (cancel) {
            outcome.kind = FileCopyOutcome::Kind::Interrupted;
            return outcome;
        }
        if (!failure.isEmpty()) {
            outcome.kind = FileCopyOutcome::Kind::Failed;
            outcome.failure = failure;
            return outcome;
        }
        outcome.copied << file.name;
    }
    return outcome;
}

} // namespace hoardly
