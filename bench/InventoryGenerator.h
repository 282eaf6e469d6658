#pragma once

#include <QSize>
#include <QString>

namespace hoardly::bench {

// Fills Value.DB in the directory with `count` objects, each with every field filled and a
// picture of `pictureSize` stored as the window stores one. Deterministic for one count.
void generateInventory(const QString& directory, int count, QSize pictureSize);

// The name generateInventory gives object number i (1-based).
QString generatedObjectName(int i);

} // namespace hoardly::bench
