#pragma once

#include "data/RunState.h"
#include "lending/LendingInterfaces.h"

#include <QList>

namespace hoardly::test {

// The shared lending command as a register window sees it: what it was asked to lend.
class RecordingLending final : public LendingCommand {
public:
    void lendCurrentRecord(LendObjectType type) override { types << type; }
    void lend(LendObjectType type, const QString&) override { types << type; }
    QList<LendObjectType> types;
};

} // namespace hoardly::test
