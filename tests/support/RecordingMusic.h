#pragma once

#include "ui/Shell.h"

#include <QStringList>

namespace hoardly::test {

// The background music as a window sees it, recording what it is asked.
class RecordingMusic final : public MusicSwitch {
public:
    void turnMusicOff() override { calls << QStringLiteral("off"); }
    void turnMusicOn() override { calls << QStringLiteral("on"); }
    void stopMusic() override { calls << QStringLiteral("stop"); }
    void musicOnOff() override { calls << QStringLiteral("on/off"); }

    QStringList calls;
};

} // namespace hoardly::test
