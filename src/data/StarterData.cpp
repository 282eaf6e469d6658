#include "StarterData.h"

#include "Errors.h"
#include "OwnerOnlyFiles.h"
#include "Schema.h"
#include "Sqlite.h"
#include "TextFiles.h"

#include <QDataStream>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtMath>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

QStringList starterCaptions() {
    return {u"Hoardly - every shelf in its place"_s,
            u"Hoardly - a home for the things you love"_s,
            u"Hoardly - what you keep, you can find"_s,
            u"Hoardly - the collector's notebook"_s,
            u"Hoardly - one more for the shelf"_s,
            u"Hoardly - know what you have, know where it is"_s,
            u"Hoardly - lent is not lost"_s,
            u"Hoardly - the catalogue of the house"_s,
            u"Hoardly - a place for everything"_s,
            u"Hoardly - keep it, list it, find it"_s,
            u"Hoardly - every title, every tape"_s,
            u"Hoardly - the long memory of the shelves"_s};
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw FileError(u"The file %1 cannot be written: %2"_s.arg(path, file.errorString()));
}

// A short two-tone chime, 16-bit mono PCM at 22050 Hz.
QByteArray chimeWave() {
    constexpr int rate = 22050;
    constexpr int samples = rate / 2;
    QByteArray pcm;
    QDataStream pcmOut(&pcm, QIODevice::WriteOnly);
    pcmOut.setByteOrder(QDataStream::LittleEndian);
    for (int i = 0; i < samples; ++i) {
        const double t = double(i) / rate;
        const double frequency = i < samples / 2 ? 660.0 : 880.0;
        const double envelope = 1.0 - double(i % (samples / 2)) / (samples / 2);
        pcmOut << qint16(qRound(9000.0 * envelope * qSin(2.0 * M_PI * frequency * t)));
    }
    QByteArray wave;
    QDataStream out(&wave, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + pcm.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(pcm.size());
    out.writeRawData(pcm.constData(), int(pcm.size()));
    return wave;
}

// A short greeting tune of our own as a type-0 standard MIDI file.
QByteArray greetingTune() {
    const int notes[] = {60, 64, 67, 72, 67, 64, 60};
    QByteArray track;
    track.append("\x00\xC0\x00", 3); // piano
    for (int note : notes) {
        track.append(char(0x00));
        track.append(char(0x90));
        track.append(char(note));
        track.append(char(0x60));
        track.append(char(0x83)); // delta 480 ticks as a variable-length number
        track.append(char(0x60));
        track.append(char(0x80));
        track.append(char(note));
        track.append(char(0x40));
    }
    track.append("\x00\xFF\x2F\x00", 4);
    QByteArray midi;
    QDataStream out(&midi, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::BigEndian);
    out.writeRawData("MThd", 4);
    out << quint32(6) << quint16(0) << quint16(1) << quint16(480);
    out.writeRawData("MTrk", 4);
    out << quint32(track.size());
    out.writeRawData(track.constData(), int(track.size()));
    return midi;
}

} // namespace

QStringList starterFilmRates() {
    return {u"*****"_s, u"****"_s, u"***"_s, u"**"_s, u"*"_s, u"Not seen"_s};
}

void createTableFile(const QString& directory, const TableSchema& schema) {
    const QString path = QDir(directory).filePath(schema.fileName);
    if (QFileInfo::exists(path))
        throw StoreError(u"The table file %1 exists already."_s.arg(path));
    FileDatabase database(path, true);
    database.exec(u"PRAGMA journal_mode = DELETE"_s);
    database.exec(schema.createStatement());
    for (const QString& statement : schema.indexStatements())
        database.exec(statement);
    if (isOwnerOnly(schema))
        keepOwnerOnly(path);
}

void writeStarterCatalogue(const QString& directory) {
    QDir().mkpath(directory);
    for (const TableSchema* schema : schema::all())
        createTableFile(directory, *schema);

    FileDatabase config(QDir(directory).filePath(schema::config().fileName), false);
    config.exec(u"INSERT INTO \"Config\" (\"Applikationpath\", \"AppPathChecked\", "
                u"\"First_time\", \"Musicon\", \"Soundcard\", \"Backup\", \"Backuppath\", "
                u"\"Copyfiles\", \"Delfiles\", \"Krypterad\", \"Mailport\") "
                u"VALUES ('', 0, 1, 0, 1, 0, '', 0, 0, 0, 25)"_s);

    FileDatabase standard(QDir(directory).filePath(schema::standard().fileName), false);
    for (const QString& rate : starterFilmRates()) {
        Statement insert = standard.prepare(u"INSERT INTO \"Standard\" (\"Kritik\") VALUES (?1)"_s);
        insert.bind(1, rate);
        insert.step();
    }

    const QString midi = QDir(directory).filePath(u"midi"_s);
    QDir().mkpath(midi);
    writeTextFile(QDir(midi).filePath(u"vis2.txt"_s), starterCaptions().join(u'\n') + u'\n');
    writeBytes(QDir(midi).filePath(u"test.wav"_s), chimeWave());
    writeBytes(QDir(midi).filePath(u"first.mid"_s), greetingTune());
}

QStringList installStarterFiles(const QString& starterDirectory, const QString& appDirectory) {
    QStringList copied;
    const QDir from(starterDirectory);
    QDirIterator files(starterDirectory, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString relative = from.relativeFilePath(source);
        const QString target = QDir(appDirectory).filePath(relative);
        if (QFileInfo::exists(target))
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target))
            throw FileError(
                u"The starter file %1 cannot be copied to %2."_s.arg(relative, appDirectory));
        if (ownerOnlyFileNames().contains(relative))
            keepOwnerOnly(target);
        else
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        copied << relative;
    }
    copied.sort();
    return copied;
}

} // namespace hoardly
