#include "MusicEntry.h"

namespace hoardly {

void MusicEntry::songSaved(RegisterMode mode) {
    if (nextSaveStoresRecord(mode))
        savedBySongs_ = true;
    songsStarted_ = true;
    // A name clicked before must not make a later "&Save/next" replace a song nobody chose.
    selectedSong_.clear();
}

bool MusicEntry::okAsksForSongs(RegisterMode mode) const {
    return mode == RegisterMode::Adding && !songsStarted_ && !savedBySongs_;
}

bool MusicEntry::songBoxOpen(RegisterMode mode) const {
    return mode == RegisterMode::Editing || (mode == RegisterMode::Adding && songsWanted_);
}

bool MusicEntry::okEnabled(RegisterMode mode) const {
    return !(mode == RegisterMode::Adding && songsWanted_ && !savedBySongs_);
}

bool MusicEntry::nextSaveStoresRecord(RegisterMode mode) const {
    return mode == RegisterMode::Adding && !savedBySongs_;
}

QString MusicEntry::storedSongName(RegisterMode mode, const QString& typed) {
    return mode == RegisterMode::Adding ? typed.left(kAddedSongLength) : typed;
}

} // namespace hoardly
