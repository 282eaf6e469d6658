#pragma once

#include <QString>
#include <QStringList>

class QRandomGenerator;

namespace hoardly {

// The music list: `midi/midi.dat` in a directory, one full path of a music file per line,
// lines ended by CR LF, in the order they were added. Empty lines are allowed and never
// played.

// The list file of a directory's `midi` folder, its name matched without regard to case;
// `midi/midi.dat` when there is none yet.
QString musicListPath(const QString& directory);
// The lines of the list file; none when it does not exist. A FileError when it cannot be read.
QStringList readMusicList(const QString& listPath);

// One of the lines, each equally likely, without the spaces around it; the empty text when
// there are none or the line drawn is empty.
QString randomLine(const QStringList& lines, QRandomGenerator& random);
// One line of the directory's list, as randomLine draws it; the empty text when there is no
// list or it cannot be read.
QString randomSongPick(const QString& directory, QRandomGenerator& random);

// Adds a path as the last line of the list, making the file when it does not exist. A
// FileError when it cannot be written; the list is then as it was.
void appendToMusicList(const QString& listPath, const QString& entry);
// Removes every line equal to the entry (exactly, case and all). The list is first kept as
// `midi.Old` beside it, and that copy goes once the new list is safely written, so the list
// survives a failure at any step. A FileError when a step fails.
void removeFromMusicList(const QString& listPath, const QString& entry);

// Whether removing an entry from the list may delete its file as well: only a file that
// exists inside the application directory, never one the user keeps elsewhere.
bool musicFileDeletable(const QString& path, const QString& applicationPath);

// Whether a path names a file played as MIDI or WAV, or as MP3, by its extension.
enum class SongKind { MidiOrWave, Mpeg, Other };
SongKind songKind(const QString& path);

} // namespace hoardly
