#pragma once

#include "Scramble.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <optional>

namespace hoardly {

class TDM;

// One scramble or unscramble pass over the code store. Every code of kod.db and the settings
// field Krypterad change together, or nothing does: the pass pauses on each record so the
// user sees it work, converts the codes in memory, and writes them with the flag in one
// transaction once the last pause is over. So a pass stopped half-way, even by a kill, leaves
// every code and the flag as they were. The pauses are timer ticks, not a nested event loop:
// windows keep painting, and no other command runs inside the write; the window that runs the
// pass keeps its own commands locked until `finished` or `failed`.
class CodeStorePass final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CodeStorePass)
public:
    static constexpr std::chrono::milliseconds kPausePerRecord{50};

    CodeStorePass(TDM& tdm, ScrambleDirection direction, QObject* parent = nullptr);

    // Reads and converts every code (opening kod.db when it is closed). The message of the
    // first code that cannot be converted, naming its receiver; nothing when all can.
    std::optional<QString> prepare();
    int recordCount() const { return int(conversions_.size()); }

    // Starts the pauses after a successful prepare. An empty store ends at once, unchanged.
    void start();
    bool isRunning() const { return pause_.isActive(); }
    const QTimer& pauseTimer() const { return pause_; }

signals:
    // The progress bar's new value: the records reached so far, from 1 to recordCount().
    void advanced(int records);
    // Inside the closing transaction, after each record is written (nothing is committed yet).
    void written(int records);
    // Every code and the flag are written.
    void finished();
    // The writing failed and nothing changed; the text says why.
    void failed(const QString& text);

private:
    struct Conversion {
        qint64 key;
        QString code;
    };
    void pauseOver();
    void writeAll();
    void writeConversions();

    TDM& tdm_;
    ScrambleDirection direction_;
    QList<Conversion> conversions_;
    int reached_ = 0;
    QTimer pause_;
};

} // namespace hoardly
