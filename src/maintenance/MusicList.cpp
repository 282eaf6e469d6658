#include "MusicList.h"

#include "BackupPlan.h"
#include "data/Errors.h"
#include "data/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

const QString kListName = u"midi.dat"_s;
const QString kPreviousListName = u"midi.Old"_s;

QString joinedLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + u"\r\n"_s;
    return text;
}

} // namespace

QString musicListPath(const QString& directory) {
    const QDir midi(QDir(directory).filePath(kMidiDirectory));
    for (const QString& name : midi.entryList(QDir::Files | QDir::Hidden)) {
        if (name.compare(kListName, Qt::CaseInsensitive) == 0)
            return midi.filePath(name);
    }
    return midi.filePath(kListName);
}

QStringList readMusicList(const QString& listPath) {
    if (!QFileInfo::exists(listPath))
        return {};
    QString text = readTextFile(listPath);
    text.replace(u"\r\n"_s, u"\n"_s);
    QStringList lines = text.split(u'\n');
    // The line end of the last line opens no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString randomLine(const QStringList& lines, QRandomGenerator& random) {
    if (lines.isEmpty())
        return {};
    return lines.at(random.bounded(qsizetype(lines.size()))).trimmed();
}

QString randomSongPick(const QString& directory, QRandomGenerator& random) {
    try {
        return randomLine(readMusicList(musicListPath(directory)), random);
    } catch (const FileError&) {
        return {};
    }
}

void appendToMusicList(const QString& listPath, const QString& entry) {
    QStringList lines = readMusicList(listPath);
    lines << entry;
    writeTextFile(listPath, joinedLines(lines));
}

void removeFromMusicList(const QString& listPath, const QString& entry) {
    const QString previous = QFileInfo(listPath).dir().filePath(kPreviousListName);
    QFile::remove(previous);
    if (QFileInfo::exists(listPath) && !QFile::copy(listPath, previous))
        throw FileError(u"Could not keep the music list as "_s +
                        QDir::toNativeSeparators(previous));
    QStringList lines = readMusicList(previous);
    lines.removeAll(entry);
    writeTextFile(listPath, joinedLines(lines));
    QFile::remove(previous);
}

bool musicFileDeletable(const QString& path, const QString& applicationPath) {
    const QFileInfo file(path);
    if (applicationPath.isEmpty() || !file.isFile())
        return false;
    const QString inside = QDir::cleanPath(QFileInfo(applicationPath).absoluteFilePath()) + u'/';
    return QDir::cleanPath(file.absoluteFilePath()).startsWith(inside);
}

SongKind songKind(const QString& path) {
    const QString extension = QFileInfo(path).suffix().toUpper();
    if (extension == u"MID"_s || extension == u"WAV"_s)
        return SongKind::MidiOrWave;
    if (extension == u"MP3"_s)
        return SongKind::Mpeg;
    return SongKind::Other;
}

} // namespace hoardly
