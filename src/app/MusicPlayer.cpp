#include "MusicPlayer.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <SDL.h>
#include <SDL_mixer.h>

using namespace Qt::StringLiterals;

namespace hoardly {

Q_LOGGING_CATEGORY(musicLog, "hoardly.music", QtWarningMsg)

namespace {

std::atomic<MusicPlayer*> thePlayer{nullptr};

// The General MIDI sound font the MIDI songs are played with.
constexpr const char* kSoundFonts[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                       "/usr/share/sounds/sf2/default-GM.sf2"};

QString mixerError() {
    return QString::fromUtf8(Mix_GetError());
}

// The MIDI decoder takes any file and plays nothing of one that is no MIDI file, which would
// end at once, again and again: such a file is refused by its header, a standard MIDI file's
// or a RIFF MIDI file's.
bool looksLikeMidi(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    return head.startsWith("MThd") || (head.startsWith("RIFF") && head.mid(8, 4) == "RMID");
}

} // namespace

MusicPlayer::MusicPlayer(QObject* parent) : QObject(parent) {
    loader_.setMaxThreadCount(1);
    MusicPlayer* none = nullptr;
    const bool first = thePlayer.compare_exchange_strong(none, this);
    Q_ASSERT_X(first, "MusicPlayer", "only one player at a time");
    Q_UNUSED(first);
}

MusicPlayer::~MusicPlayer() {
    // A song still loading is let go with the others.
    loader_.waitForDone();
    for (const Load& load : std::as_const(loads_))
        Mix_FreeMusic(load.music);
    if (device_ == Device::Open) {
        Mix_HookMusicFinished(nullptr);
        halt();
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    MusicPlayer* self = this;
    thePlayer.compare_exchange_strong(self, nullptr);
}

bool MusicPlayer::openDevice() {
    if (device_ != Device::Untried)
        return device_ == Device::Open;
    device_ = Device::Missing;
    // The program handles its own signals; SDL must not take Ctrl+C away from it.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        lastError_ = QString::fromUtf8(SDL_GetError());
        qCWarning(musicLog, "No sound: %s", SDL_GetError());
        return false;
    }
    Mix_Init(MIX_INIT_MID | MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        lastError_ = mixerError();
        qCWarning(musicLog, "No sound device: %s", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    for (const char* font : kSoundFonts) {
        if (QFileInfo::exists(QString::fromLatin1(font))) {
            Mix_SetSoundFonts(font);
            break;
        }
    }
    Mix_HookMusicFinished(&MusicPlayer::musicFinishedHook);
    device_ = Device::Open;
    return true;
}

bool MusicPlayer::canPlayWave(const QString& path) {
    if (!openDevice())
        return false;
    Mix_Chunk* chunk = Mix_LoadWAV(QFile::encodeName(path).constData());
    if (!chunk) {
        lastError_ = mixerError();
        return false;
    }
    Mix_FreeChunk(chunk);
    return true;
}

bool MusicPlayer::start(const QString& path, Output output) {
    halt();
    if (!openDevice())
        return false;
    if (!QFileInfo(path).isFile()) {
        lastError_ = u"the file does not exist"_s;
        return false;
    }
    if (QFileInfo(path).suffix().compare(u"mid"_s, Qt::CaseInsensitive) == 0 &&
        !looksLikeMidi(path)) {
        lastError_ = u"it is no MIDI file"_s;
        return false;
    }
    const quint64 song = ++song_;
    output_ = output;
    loading_ = true;
    loader_.start([this, song, path] {
        Load load{song, path, Mix_LoadMUS(QFile::encodeName(path).constData()), {}};
        if (!load.music)
            load.error = mixerError();
        {
            QMutexLocker locker(&loadsMutex_);
            loads_ << load;
        }
        QMetaObject::invokeMethod(this, &MusicPlayer::takeLoads, Qt::QueuedConnection);
    });
    return true;
}

void MusicPlayer::takeLoads() {
    QList<Load> loads;
    {
        QMutexLocker locker(&loadsMutex_);
        loads.swap(loads_);
    }
    for (const Load& load : std::as_const(loads)) {
        // A song closed or followed by another while it loaded is not played.
        if (load.song == song_ && loading_)
            startLoaded(load);
        else if (load.music)
            Mix_FreeMusic(load.music);
    }
}

void MusicPlayer::startLoaded(const Load& load) {
    loading_ = false;
    music_ = load.music;
    lastError_ = load.error;
    // Once through: the end of each song decides what comes next.
    if (music_ && Mix_PlayMusic(music_, 1) != 0)
        lastError_ = mixerError();
    else if (music_) {
        qCInfo(musicLog) << "Playing" << load.path;
        emit songStarted(load.path);
        return;
    }
    qCWarning(musicLog) << "Cannot play" << load.path << lastError_;
    halt();
    emit songFailed(load.path);
}

bool MusicPlayer::play(const QString& path) {
    return start(path, Output::Player);
}

bool MusicPlayer::playMpeg(const QString& path) {
    return start(path, Output::Mpeg);
}

bool MusicPlayer::playing() const {
    return output_ == Output::Player && (loading_ || Mix_PlayingMusic() != 0);
}

void MusicPlayer::closePlayer() {
    if (output_ == Output::Player)
        halt();
}

void MusicPlayer::closeMpeg() {
    if (output_ == Output::Mpeg)
        halt();
}

void MusicPlayer::halt() {
    output_ = Output::None;
    if (loading_) {
        loading_ = false;
        ++song_; // the song that loads is let go when it arrives
    }
    if (!music_)
        return;
    ++song_;
    halting_ = true;
    Mix_HaltMusic();
    halting_ = false;
    Mix_FreeMusic(music_);
    music_ = nullptr;
}

void MusicPlayer::musicFinishedHook() {
    if (MusicPlayer* player = thePlayer.load())
        player->endedOnAudioThread();
}

void MusicPlayer::endedOnAudioThread() {
    if (halting_)
        return;
    // This runs on the audio thread, where no mixer call may be made: the end is handed to
    // the GUI thread, and dropped there when another song has started meanwhile.
    const quint64 song = song_;
    QMetaObject::invokeMethod(
        this,
        [this, song] {
            if (song == song_ && output_ == Output::Mpeg)
                emit mpegFinished();
        },
        Qt::QueuedConnection);
}

} // namespace hoardly
