#pragma once

#include "ui/Shell.h"

#include <QObject>
#include <QRandomGenerator>
#include <QSet>
#include <QTimer>

namespace hoardly {

class MusicPlayer;
struct AppContext;

// The background music: at each tick of the music timer (MainTimer) the sound test, the
// greeting tune of the first start, or a song drawn from the music list; the song-change
// timer that asks the player for the end of a MIDI or WAV song; the end of an MP3; and the
// switches the windows turn. Songs come from the list in the executable's directory.
class BackgroundMusic final : public QObject, public MusicSwitch {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BackgroundMusic)
public:
    BackgroundMusic(AppContext& context, QTimer& mainTimer, MusicPlayer& player,
                    int changeSongInterval = 1000, QObject* parent = nullptr);
    ~BackgroundMusic() override;

    // A tick of MainTimer.
    void songStart();
    // A tick of Change_Song_Timer.
    void checkSongEnd();
    // The sound test on the test file: whether sound can be played.
    bool soundTest(const QString& testFile);

    QTimer& mainTimer() { return mainTimer_; }
    QTimer& changeSongTimer() { return changeSongTimer_; }
    // Draws are made with this generator, so a test can fix them.
    void setRandom(QRandomGenerator random) { random_ = random; }

    void turnMusicOff() override;
    void turnMusicOn() override;
    void stopMusic() override;
    void musicOnOff() override;

signals:
    // A song, or the greeting, began to sound.
    void songStarted(const QString& path);

private:
    void playDrawnSong();
    QString drawSong(const QStringList& lines);
    QStringList playableLines(bool& anyUnplayable) const;
    void skipUnplayable(const QString& path);
    void mpegEnded();
    void stopTimers();

    AppContext& context_;
    QTimer& mainTimer_;
    QTimer changeSongTimer_;
    MusicPlayer& player_;
    QRandomGenerator random_;
    QSet<QString> unplayable_; // entries that failed in this run, each told once
    QString drawn_;            // the song drawn last, until it fails
};

} // namespace hoardly
