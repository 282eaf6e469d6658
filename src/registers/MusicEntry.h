#pragma once

#include "RegisterState.h"

#include <QString>

namespace hoardly {

// What the music window's entry holds beyond its mode. A record must be stored before songs
// can carry its key, so a new record takes songs only after OK's question was answered Yes,
// and the first "&Save/next" stores the record before its first song.
class MusicEntry {
public:
    // Song names stored while adding are cut to this many characters.
    static constexpr int kAddedSongLength = 40;

    // Add record, Edit record, OK, Cancel: everything is forgotten.
    void reset() { *this = MusicEntry(); }

    void songsWanted() { songsWanted_ = true; }
    // "&Save/next" stored a song; the first one while adding stored the record too.
    void songSaved(RegisterMode mode);
    void select(const QString& song) { selectedSong_ = song; }

    bool songsStarted() const { return songsStarted_; }
    bool savedBySongs() const { return savedBySongs_; }
    const QString& selectedSong() const { return selectedSong_; }

    // OK while adding asks whether songs are to be added, until "&Save/next" has run.
    bool okAsksForSongs(RegisterMode mode) const;
    // The song box takes typing: while editing, or while adding once songs were wanted.
    bool songBoxOpen(RegisterMode mode) const;
    // After the answer Yes, OK waits for the first song: the entry ends with a song or Cancel.
    bool okEnabled(RegisterMode mode) const;
    // The first "&Save/next" of a new record stores the record.
    bool nextSaveStoresRecord(RegisterMode mode) const;
    // The name "&Save/next" stores for what was typed.
    static QString storedSongName(RegisterMode mode, const QString& typed);
    // While editing, "&Save/next" stores the typed name unless it is the clicked song's, which
    // it then replaces (a name typed without a click is added).
    bool editChangesSongs(const QString& typed) const { return typed != selectedSong_; }

private:
    bool songsWanted_ = false;
    bool songsStarted_ = false;
    bool savedBySongs_ = false;
    QString selectedSong_;
};

} // namespace hoardly
