#include "BackgroundMusic.h"

#include "MusicPlayer.h"
#include "data/Errors.h"
#include "data/RunState.h"
#include "data/SettingsRecord.h"
#include "data/TDM.h"
#include "maintenance/BackupPlan.h"
#include "maintenance/MusicList.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr int kDraws = 4;

QString midiFile(const QString& directory, const QString& name) {
    return QDir(QDir(directory).filePath(kMidiDirectory)).filePath(name);
}

} // namespace

BackgroundMusic::BackgroundMusic(AppContext& context, QTimer& mainTimer, MusicPlayer& player,
                                 int changeSongInterval, QObject* parent)
    : QObject(parent), context_(context), mainTimer_(mainTimer), player_(player),
      random_(QRandomGenerator::securelySeeded()) {
    changeSongTimer_.setObjectName(u"Change_Song_Timer"_s);
    changeSongTimer_.setInterval(changeSongInterval);
    connect(&changeSongTimer_, &QTimer::timeout, this, &BackgroundMusic::checkSongEnd);
    connect(&player_, &MusicPlayer::mpegFinished, this, &BackgroundMusic::mpegEnded);
    connect(&player_, &MusicPlayer::songStarted, this, &BackgroundMusic::songStarted);
    // A drawn song that fails while it loads is skipped like one that fails at once.
    connect(&player_, &MusicPlayer::songFailed, this, [this](const QString& path) {
        if (path == drawn_)
            skipUnplayable(path);
    });
}

BackgroundMusic::~BackgroundMusic() {
    stopTimers();
    player_.closePlayer();
    player_.closeMpeg();
}

void BackgroundMusic::stopTimers() {
    mainTimer_.stop();
    changeSongTimer_.stop();
}

bool BackgroundMusic::soundTest(const QString& testFile) {
    if (!QFileInfo::exists(testFile)) {
        context_.dialogs.message(
            nullptr, u"Could not find the soundtestfile,Check of soundcard not possible."_s);
        return false;
    }
    if (!player_.canPlayWave(testFile)) {
        mainTimer_.stop();
        return false;
    }
    return true;
}

void BackgroundMusic::songStart() {
    Table& config = context_.tdm.configTb();
    if (!context_.run.startupDone || !config.isOpen()) {
        mainTimer_.stop();
        return;
    }
    const QString applicationPath = config.asText(u"Applikationpath"_s);
    const bool sound = soundTest(midiFile(applicationPath, u"test.wav"_s));
    player_.closePlayer();
    if (sound && config.asLogical(u"First_time"_s)) {
        // The greeting of the first start with sound; nothing follows it in this run unless
        // the user starts the music.
        runCommand(context_.dialogs, nullptr, [&] {
            changeSettings(config, [&] { config.setLogical(u"First_time"_s, false); });
        });
        // A greeting that cannot be played is let go without a word.
        drawn_.clear();
        player_.play(midiFile(applicationPath, u"first.mid"_s));
        mainTimer_.stop();
        return;
    }
    if (sound && (config.asLogical(u"Musicon"_s) || context_.run.musicRunning))
        return playDrawnSong();
    mainTimer_.stop();
}

void BackgroundMusic::playDrawnSong() {
    bool anyUnplayable = false;
    const QStringList lines = playableLines(anyUnplayable);
    const bool songLeft = std::any_of(
        lines.begin(), lines.end(), [](const QString& line) { return !line.trimmed().isEmpty(); });
    if (anyUnplayable && !songLeft) {
        stopTimers();
        context_.dialogs.message(nullptr, u"None of the songs in the music list can be played, so "
                                          "the music is turned off."_s);
        return;
    }
    const QString path = drawSong(lines);
    if (path.isEmpty()) {
        stopTimers();
        context_.dialogs.message(nullptr, u"No song was found in the list"_s);
        return;
    }
    drawn_ = path;
    switch (songKind(path)) {
    case SongKind::MidiOrWave:
        if (!player_.play(path))
            return skipUnplayable(path);
        changeSongTimer_.start();
        mainTimer_.stop();
        context_.run.musicRunning = true;
        return;
    case SongKind::Mpeg:
        if (!player_.playMpeg(path))
            return skipUnplayable(path);
        stopTimers();
        context_.run.musicRunning = false;
        return;
    case SongKind::Other:
        mainTimer_.stop();
        return;
    }
}

QString BackgroundMusic::drawSong(const QStringList& lines) {
    for (int draw = 0; draw < kDraws; ++draw) {
        if (QString path = randomLine(lines, random_); !path.isEmpty())
            return path;
    }
    return {};
}

// The lines of the list beside the program, without the songs that failed in this run; an
// unreadable list has none, which the draw then tells.
QStringList BackgroundMusic::playableLines(bool& anyUnplayable) const {
    QStringList lines;
    try {
        lines = readMusicList(musicListPath(context_.run.appDir));
    } catch (const FileError&) {
        return {};
    }
    const qsizetype all = lines.size();
    lines.removeIf([this](const QString& line) { return unplayable_.contains(line.trimmed()); });
    anyUnplayable = lines.size() < all;
    return lines;
}

// A missing or undecodable song is told once and left out of later draws; the next tick
// draws again.
void BackgroundMusic::skipUnplayable(const QString& path) {
    drawn_.clear();
    unplayable_.insert(path);
    context_.dialogs.message(nullptr, u"The song %1 could not be played (%2). It is left out "
                                      "and another song is drawn."_s.arg(
                                          QDir::toNativeSeparators(path), player_.lastError()));
    changeSongTimer_.stop();
    mainTimer_.start();
}

void BackgroundMusic::checkSongEnd() {
    if (!player_.playerOpen() || player_.playing())
        return;
    player_.closePlayer();
    mainTimer_.start();
    changeSongTimer_.stop();
}

void BackgroundMusic::mpegEnded() {
    if (context_.run.musicStopped)
        return;
    changeSongTimer_.stop();
    player_.closeMpeg();
    mainTimer_.start();
}

void BackgroundMusic::turnMusicOff() {
    context_.run.musicStopped = true;
    stopTimers();
    player_.closePlayer();
    player_.closeMpeg();
}

void BackgroundMusic::turnMusicOn() {
    context_.run.musicStopped = false;
    mainTimer_.start();
}

void BackgroundMusic::stopMusic() {
    if (player_.mpegOpen()) {
        stopTimers();
        context_.run.musicStopped = true;
        player_.closeMpeg();
    } else if (player_.playing()) {
        stopTimers();
        player_.closePlayer();
    }
}

void BackgroundMusic::musicOnOff() {
    if (player_.mpegOpen() || player_.playing())
        return stopMusic();
    context_.run.musicStopped = false;
    context_.run.musicRunning = true;
    mainTimer_.start();
}

} // namespace hoardly
