#pragma once

#include <QList>
#include <QLoggingCategory>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <atomic>

typedef struct _Mix_Music Mix_Music;

namespace hoardly {

// What the music does, for a user who wonders why nothing sounds:
// QT_LOGGING_RULES="hoardly.music.info=true" shows each song as it starts.
Q_DECLARE_LOGGING_CATEGORY(musicLog)

// The sound of the program on SDL_mixer: the player of MIDI and WAV songs, whose end is
// asked for, and the MP3 output, whose end is told. One song sounds at a time. The sound
// device is opened at the first need and stays open for the run; without one nothing plays
// and the sound test answers false. Only one player exists at a time.
//
// A song is decoded on a thread of its own before it starts (the MIDI decoder reads its whole
// sound font, a good part of a second), so the windows never wait for it: play and playMpeg
// answer at once whether the song can be tried, and songStarted or songFailed follows.
class MusicPlayer final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MusicPlayer)
public:
    explicit MusicPlayer(QObject* parent = nullptr);
    ~MusicPlayer() override;

    // The sound test: whether the sound device is there and takes this wave file.
    bool canPlayWave(const QString& path);

    // The MIDI and WAV player: loads the song and starts it, once; false when the file is
    // missing or no MIDI file, or there is no sound device (lastError says why).
    bool play(const QString& path);
    bool playerOpen() const { return output_ == Output::Player; }
    bool playing() const; // the player is open and its song loads or still sounds
    void closePlayer();

    // The MP3 output, as play; its end arrives as mpegFinished, on the GUI thread.
    bool playMpeg(const QString& path);
    bool mpegOpen() const { return output_ == Output::Mpeg; }
    void closeMpeg();

    QString lastError() const { return lastError_; }

signals:
    // The song began to sound.
    void songStarted(const QString& path);
    // The song could not be decoded or started (lastError says why); nothing plays.
    void songFailed(const QString& path);
    // An MP3 played to its end (not when it was closed).
    void mpegFinished();

private:
    enum class Output { None, Player, Mpeg };
    struct Load {
        quint64 song = 0;
        QString path;
        Mix_Music* music = nullptr;
        QString error;
    };
    static void musicFinishedHook();

    bool openDevice();
    bool start(const QString& path, Output output);
    void takeLoads();
    void startLoaded(const Load& load);
    void halt();
    void endedOnAudioThread();

    Output output_ = Output::None;
    Mix_Music* music_ = nullptr;
    bool loading_ = false;
    QThreadPool loader_; // one thread: songs load in the order asked
    QMutex loadsMutex_;
    QList<Load> loads_; // loaded on the thread, not yet taken on the GUI thread
    enum class Device { Untried, Open, Missing } device_ = Device::Untried;
    std::atomic<quint64> song_{0};     // counts the songs started, so a late end is known
    std::atomic<bool> halting_{false}; // an end the program caused itself is no song's end
    QString lastError_;
};

} // namespace hoardly
