#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>

namespace hoardly::test {

// Short sound files for the music tests, made here so no sample file comes from elsewhere.

// Silence as 16-bit mono PCM at 22050 Hz, `ms` long.
inline QByteArray silentWave(int ms) {
    constexpr quint32 rate = 22050;
    const quint32 bytes = rate * 2 * quint32(ms) / 1000;
    QByteArray wave;
    QDataStream out(&wave, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + bytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << bytes;
    wave.append(QByteArray(int(bytes), '\0'));
    return wave;
}

// One note of a type-0 standard MIDI file, `eighths` eighth notes long at the default tempo
// (a quarter second each; at most 60).
inline QByteArray oneNoteMidi(int eighths = 1) {
    const int ticks = 240 * eighths;         // as a variable-length number of two bytes
    QByteArray track("\x00\x90\x3C\x60", 4); // note on
    track.append(char(0x80 | (ticks >> 7)));
    track.append(char(ticks & 0x7F));
    track.append("\x80\x3C\x40" // note off
                 "\x00\xFF\x2F\x00",
                 7); // end of track
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

// Silent MPEG-1 layer III frames (128 kbit/s, 44.1 kHz, mono), about 26 ms each: a header and
// zeros, which decode as silence.
inline QByteArray silentMpeg(int frames) {
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0xC0);
    return frame.repeated(frames);
}

} // namespace hoardly::test
