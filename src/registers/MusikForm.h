#pragma once

#include "MusicEntry.h"
#include "RegisterWindow.h"

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace hoardly {

// The music register: records with their songs. The songs are the description's detail rows;
// the edit page adds the "Songs" group, whose "&Save/next" stores a new record before its first
// song, because a song carries the record's key.
RegisterDescription musicDescription();

class TMusikForm final : public RegisterWindow {
    Q_OBJECT
public:
    explicit TMusikForm(AppContext& context, QWidget* parent = nullptr);

    QLineEdit* songBox() const { return songBox_; }
    QPushButton* saveNextButton() const { return saveNext_; }
    QListWidget* songsOnRecord() const { return songsOnRecord_; }
    QAction* removeSongAction() const { return removeSong_; }
    const MusicEntry& entry() const { return entry_; }

    void saveNext();           // "&Save/next"
    void removeSelectedSong(); // "Radera markerad låt"

private:
    QGroupBox* buildSongGroup();
    void setHooks();
    bool askForSongs();
    bool cancelEntry(RegisterMode mode);
    void removeNewRecord();
    void startEntry(RegisterMode mode);
    void fillSongsOnRecord();
    QVariant recordKey() const;
    QString typedTitle() const;
    QString typedArtist() const;
    bool mixedTicked() const;

    MusicEntry entry_;
    QString artistToRemember_;
    QLineEdit* songBox_ = nullptr;
    QPushButton* saveNext_ = nullptr;
    QListWidget* songsOnRecord_ = nullptr;
    QAction* removeSong_ = nullptr;
};

} // namespace hoardly
